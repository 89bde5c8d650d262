#include "tarnholm/program.h"

#include <new>
#include <optional>

#include "tarnholm/reader.h"
#include "tarnholm/texts.h"

namespace tarnholm {

namespace {

// Exit statuses. Input errors are reported in "ausgabe.aus" and end normally, because the
// editor shows that file; only the ends that leave the report without a verdict fail.
constexpr int kExitNormal = 0;
constexpr int kExitNoMemory = 1;
constexpr int kExitReportUnavailable = 2;
constexpr int kExitTooManyNodes = 3;
constexpr int kExitNotPositiveDefinite = 4;
constexpr int kExitGraphUnavailable = 5;

void WaitForKey(const SolverIo& io) {
    std::fflush(io.console);
    if (io.waitForKey) {
        io.waitForKey();
    }
}

// Turns how the calculation ended into the console texts and the exit status.
int FinishCalculation(const CalcResult& result, const SolverIo& io) {
    switch (result.status) {
        case CalcStatus::Done:
            std::fputs(text::kConsoleEnd, io.console);
            return kExitNormal;
        case CalcStatus::TooManyNodes:
            std::fputs(text::kTooManyNodes, io.console);
            return kExitTooManyNodes;
        case CalcStatus::NoMatrixStorage:
            std::fputs(text::kNoMatrixStorage, io.console);
            std::fputs(text::kNoMatrixStorageEnd, io.console);
            return kExitNoMemory;
        case CalcStatus::NotPositiveDefinite:
            std::fprintf(io.console, text::kNotPositiveDefinite,
                         static_cast<short>(result.failedRow));
            WaitForKey(io);
            return kExitNotPositiveDefinite;
        case CalcStatus::GraphUnavailable:
            break;
    }
    std::fputs(text::kGraphUnavailable, io.console);
    return kExitGraphUnavailable;
}

// Reads the body of the input (or reports the header's error) into the report. Returns false
// when the run ends here: an input error has been reported.
bool ReadIntoReport(FILE* input, Network& net, const InputError& headerError, FILE* report) {
    if (headerError) {
        WriteInputError(report, headerError);
        return false;
    }
    return !ReadNetwork(input, net, report);
}

// Reading, checking and echoing. Returns the exit status of a run that ends here, or nothing
// when the network is ready for the calculation.
std::optional<int> ReadInput(FILE* input, Network& net, const SolverIo& io) {
    InputError headerError;
    const HeaderStatus header = ReadHeader(input, net, headerError);
    if (header == HeaderStatus::NewerKind) {
        std::fputs(text::kConsoleEnd, io.console);
        return kExitNormal;
    }
    if (header == HeaderStatus::Read) {
        try {
            CreateTables(net);
        } catch (const std::bad_alloc&) {
            std::fputs(text::kNoMemoryPumpNames, io.console);
            WaitForKey(io);
            return kExitNoMemory;
        }
    }
    FILE* report = io.openReport();
    if (report == nullptr) {
        std::fputs(text::kReportUnavailable, io.console);
        return kExitReportUnavailable;
    }
    const bool ready = ReadIntoReport(input, net, headerError, report);
    std::fclose(report);
    if (ready) {
        return std::nullopt;
    }
    return kExitNormal;
}

}  // namespace

SolverIo WorkingDirectoryIo() {
    SolverIo io;
    io.openInput = [] { return std::fopen("eingabe.dat", "r"); };
    io.openReport = [] { return std::fopen("ausgabe.aus", "a+"); };
    io.openGraph = [] { return std::fopen("graphein.dat", "w+"); };
    io.console = stdout;
    return io;
}

int RunTarnholm(const SolverIo& io) {
    FILE* input = io.openInput();
    if (input == nullptr) {
        std::fputs(text::kConsoleEnd, io.console);
        return kExitNormal;
    }
    Network net;
    const std::optional<int> readEnd = ReadInput(input, net, io);
    std::fclose(input);
    if (readEnd) {
        return *readEnd;
    }
    return FinishCalculation(CalculateNetwork(net, io), io);
}

}  // namespace tarnholm
