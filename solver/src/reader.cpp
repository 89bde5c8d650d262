#include "tarnholm/reader.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "tarnholm/texts.h"

namespace tarnholm {

namespace {

constexpr double kViscosityUnit = 1e-6;          // entered viscosity is in 10^-6 m^2/s
constexpr double kInitialFlowPerDiameter = 0.1;  // l/s of a pipe's first guess per mm

// The separators of "%s": blank, tab, line feed, vertical tab, form feed, carriage return.
bool IsSeparator(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Reads the next token into buffer; the input error of a file that ends here, or tooLong for a
// token beyond maxLength characters.
InputErrorCode CheckedToken(FILE* input, char* buffer, int maxLength, InputErrorCode tooLong) {
    switch (ReadToken(input, buffer, maxLength)) {
        case TokenStatus::Read:
            return InputErrorCode::None;
        case TokenStatus::End:
            return InputErrorCode::FileEnds;
        case TokenStatus::TooLong:
            break;
    }
    return tooLong;
}

// Reads the next token as a number of the body (see TokenValue).
InputErrorCode ReadNumber(FILE* input, double& value) {
    char token[kMaxTokenLength + 1];
    InputErrorCode code = CheckedToken(input, token, kMaxTokenLength, InputErrorCode::TokenTooLong);
    if (code == InputErrorCode::None) {
        value = TokenValue(token);
    }
    return code;
}

// Reads count numbers in a row, stopping at the first that cannot be read.
InputErrorCode ReadNumbers(FILE* input, double* values, int count) {
    for (int k = 0; k < count; ++k) {
        InputErrorCode code = ReadNumber(input, values[k]);
        if (code != InputErrorCode::None) {
            return code;
        }
    }
    return InputErrorCode::None;
}

// Node references are read as numbers; only those that name a row of the node vectors pass
// (a value that is not a number fails every comparison and so never passes).
bool IsNodeIndex(double value, const Network& net) {
    return value >= 0 && value < net.nodeCount;
}

InputErrorCode CheckEnds(double start, double end, const Network& net,
                         InputErrorCode startAfterEnd) {
    if (start > end) {
        return startAfterEnd;
    }
    if (!IsNodeIndex(start, net) || !IsNodeIndex(end, net)) {
        return InputErrorCode::NodeOutOfRange;
    }
    return InputErrorCode::None;
}

// ---- Header -----------------------------------------------------------------------------

bool ReadHeaderShort(FILE* input, short& value) {
    char token[kMaxTokenLength + 1];
    return ReadToken(input, token, kMaxTokenLength) == TokenStatus::Read &&
           TokenShort(token, value);
}

bool ReadHeaderCount(FILE* input, short& count) {
    return ReadHeaderShort(input, count) && count >= 0;
}

bool ReadHeaderDouble(FILE* input, double& value) {
    char token[kMaxTokenLength + 1];
    if (ReadToken(input, token, kMaxTokenLength) != TokenStatus::Read) {
        return false;
    }
    value = TokenValue(token);
    return true;
}

HeaderStatus HeaderError(HeaderField field, InputError& error) {
    error = InputError{};
    error.code = InputErrorCode::HeaderField;
    error.field = field;
    return HeaderStatus::Error;
}

// ---- Body -------------------------------------------------------------------------------

InputError SectionError(InputErrorCode code, InputSection section, int line) {
    InputError error;
    error.code = code;
    error.section = section;
    error.line = line;
    return error;
}

enum PipeField {
    kPipeNumber,
    kPipeStart,
    kPipeEnd,
    kPipeLength,
    kPipeDiameter,
    kPipeRoughness,
    kPipeZeta,
    kPipeFields
};

InputErrorCode ReadPipe(FILE* input, const Network& net, Pipe& pipe) {
    double values[kPipeFields];
    InputErrorCode code = ReadNumbers(input, values, kPipeFields);
    if (code != InputErrorCode::None) {
        return code;
    }
    pipe.number = values[kPipeNumber];
    pipe.length = values[kPipeLength];
    pipe.diameter = values[kPipeDiameter];
    pipe.roughness = values[kPipeRoughness];
    pipe.zeta = values[kPipeZeta];
    pipe.flow = kInitialFlowPerDiameter * pipe.diameter;
    code = CheckEnds(values[kPipeStart], values[kPipeEnd], net, InputErrorCode::PipeStartAfterEnd);
    if (code == InputErrorCode::None) {
        pipe.startNode = static_cast<int>(values[kPipeStart]);
        pipe.endNode = static_cast<int>(values[kPipeEnd]);
    }
    return code;
}

enum PumpField { kPumpStart, kPumpEnd, kSupportCount, kPumpFields };

InputErrorCode ReadPump(FILE* input, const Network& net, Pump& pump, char* name) {
    InputErrorCode code =
        CheckedToken(input, name, kPumpNameLength, InputErrorCode::PumpNameTooLong);
    double values[kPumpFields];
    if (code == InputErrorCode::None) {
        code = ReadNumbers(input, values, kPumpFields);
    }
    if (code == InputErrorCode::None) {
        code = ReadNumbers(input, pump.supportHead, kMaxSupportPoints);
    }
    if (code == InputErrorCode::None) {
        code = ReadNumbers(input, pump.supportFlow, kMaxSupportPoints);
    }
    if (code != InputErrorCode::None) {
        return code;
    }
    pump.flow = (pump.supportFlow[1] + pump.supportFlow[2]) / 2;
    code = CheckEnds(values[kPumpStart], values[kPumpEnd], net, InputErrorCode::PumpStartAfterEnd);
    if (code != InputErrorCode::None) {
        return code;
    }
    const double supportCount = values[kSupportCount];
    if (!(supportCount >= 1 && supportCount <= kMaxSupportPoints)) {
        return InputErrorCode::SupportCountOutOfRange;
    }
    pump.startNode = static_cast<int>(values[kPumpStart]);
    pump.endNode = static_cast<int>(values[kPumpEnd]);
    pump.supportCount = static_cast<int>(supportCount);
    return InputErrorCode::None;
}

// One node line: index, known head, inflow, withdrawal, ground level, pipe invert. The values
// belong to the line's position; only the known head goes to the index the line names.
InputErrorCode ReadNode(FILE* input, Network& net, int position) {
    enum { kIndex, kKnownHead, kInflow, kWithdrawal, kGround, kInvert, kNodeFields };
    char tokens[kNodeFields][kMaxTokenLength + 1];
    for (char* token : tokens) {
        InputErrorCode code =
            CheckedToken(input, token, kMaxTokenLength, InputErrorCode::TokenTooLong);
        if (code != InputErrorCode::None) {
            return code;
        }
    }
    short index = 0;
    if (!TokenShort(tokens[kIndex], index)) {
        return InputErrorCode::NodeIndexNotWhole;
    }
    if (index < 0 || index >= net.nodeCount) {
        return InputErrorCode::NodeOutOfRange;
    }
    if (!IsPlaceholder(tokens[kKnownHead])) {
        KnownHead known{TokenValue(tokens[kKnownHead]), index};
        net.knownHeads.push_back(known);
        net.head[index] = known.head;
    }
    net.netInflow[position] =
        std::fabs(TokenValue(tokens[kInflow])) - std::fabs(TokenValue(tokens[kWithdrawal]));
    net.elevation[position] = TokenValue(tokens[kInvert]);
    return InputErrorCode::None;
}

InputError ReadBody(FILE* input, Network& net) {
    if (net.kind == 3) {
        for (int s = 0; s < net.nodeCount; ++s) {
            InputErrorCode code = ReadNumber(input, net.nodeNumber[s]);
            if (code != InputErrorCode::None) {
                return SectionError(code, InputSection::NodeNumbers, s + 1);
            }
        }
    }
    for (int p = 0; p < net.pipeCount; ++p) {
        InputErrorCode code = ReadPipe(input, net, net.pipes[p]);
        if (code != InputErrorCode::None) {
            return SectionError(code, InputSection::Pipes, p + 1);
        }
    }
    for (int p = 0; p < net.pumpCount; ++p) {
        InputErrorCode code = ReadPump(input, net, net.pumps[p], net.pumpNames[p].data());
        if (code != InputErrorCode::None) {
            return SectionError(code, InputSection::Pumps, p + 1);
        }
    }
    net.knownHeads.clear();
    for (int s = 0; s < net.nodeCount; ++s) {
        InputErrorCode code = ReadNode(input, net, s);
        if (code != InputErrorCode::None) {
            return SectionError(code, InputSection::Nodes, s + 1);
        }
    }
    if (static_cast<int>(net.knownHeads.size()) != net.knownHeadCount) {
        InputError error;
        error.code = InputErrorCode::KnownHeadCountMismatch;
        error.section = InputSection::Nodes;
        error.knownHeadsExpected = net.knownHeadCount;
        error.knownHeadsFound = static_cast<int>(net.knownHeads.size());
        return error;
    }
    return {};
}

// ---- Report -----------------------------------------------------------------------------

void WriteAbortLine(FILE* report, const InputError& error) {
    const short line = static_cast<short>(error.line);
    switch (error.section) {
        case InputSection::NodeNumbers:
            std::fprintf(report, text::kNodeNumbersAbortLine, line);
            break;
        case InputSection::Pipes:
            std::fprintf(report, text::kPipeAbortLine, line);
            break;
        case InputSection::Pumps:
            std::fprintf(report, text::kPumpAbortLine, line);
            break;
        case InputSection::Nodes:
            std::fprintf(report, text::kNodeAbortLine, line);
            break;
        case InputSection::Header:
            break;
    }
}

const char* FieldName(HeaderField field) {
    switch (field) {
        case HeaderField::Kind:
            return text::kFieldKind;
        case HeaderField::Viscosity:
            return text::kFieldViscosity;
        case HeaderField::MaxIterations:
            return text::kFieldMaxIterations;
        case HeaderField::PipeCount:
            return text::kFieldPipeCount;
        case HeaderField::NodeCount:
            return text::kFieldNodeCount;
        case HeaderField::PumpCount:
            return text::kFieldPumpCount;
        case HeaderField::KnownHeadCount:
            break;
    }
    return text::kFieldKnownHeadCount;
}

void WriteCounts(FILE* report, const Network& net) {
    std::fputs("\n", report);
    std::fprintf(report, text::kEchoPipeCount, net.pipeCount);
    std::fprintf(report, text::kEchoNodeCount, net.nodeCount);
    std::fprintf(report, text::kEchoPumpCount, net.pumpCount);
    std::fprintf(report, text::kEchoKnownHeadCount, net.knownHeadCount);
    std::fprintf(report, text::kEchoViscosity, net.enteredViscosity);
    std::fputs("\n\n", report);
}

void WritePipeEcho(FILE* report, const Network& net) {
    if (net.pipeCount <= 0) {
        return;
    }
    std::fputs(text::kEchoPipeHeader1, report);
    std::fputs(text::kEchoPipeHeader2, report);
    for (const Pipe& pipe : net.pipes) {
        std::fprintf(report, text::kEchoPipeRow, pipe.number, net.nodeNumber[pipe.startNode],
                     net.nodeNumber[pipe.endNode], pipe.length, pipe.diameter, pipe.roughness,
                     pipe.zeta);
    }
}

void WritePumpEcho(FILE* report, const Network& net) {
    for (std::size_t p = 0; p < net.pumps.size(); ++p) {
        const Pump& pump = net.pumps[p];
        std::fputs("\n\n", report);
        std::fprintf(report, text::kEchoPumpType, net.pumpNames[p].data());
        std::fputs(text::kEchoPumpNodesLabel, report);
        std::fprintf(report, text::kEchoPumpNodes, net.nodeNumber[pump.startNode],
                     net.nodeNumber[pump.endNode]);
        std::fputs("\n", report);
        std::fputs(text::kEchoPumpHeads, report);
        for (int k = 0; k < pump.supportCount; ++k) {
            std::fprintf(report, text::kEchoPumpValue, pump.supportHead[k]);
        }
        std::fputs(text::kEchoPumpFlows, report);
        for (int k = 0; k < pump.supportCount; ++k) {
            std::fprintf(report, text::kEchoPumpValue, pump.supportFlow[k]);
        }
    }
}

// The known heads and the net inflows. Each net inflow turns into m^3/s right after its line is
// written, the unit the calculation works in.
void WriteNodeEcho(FILE* report, Network& net) {
    std::fputs("\n\n", report);
    std::fputs(text::kEchoKnownHeads, report);
    for (const KnownHead& known : net.knownHeads) {
        std::fprintf(report, text::kEchoNodeValue, net.nodeNumber[known.node], known.head);
        std::fputs("\n", report);
    }
    std::fputs("\n\n", report);
    std::fputs(text::kEchoInflows, report);
    for (int s = 0; s < net.nodeCount; ++s) {
        std::fprintf(report, text::kEchoNodeValue, net.nodeNumber[s], net.netInflow[s]);
        std::fputs("\n", report);
        net.netInflow[s] *= kMilli;
    }
}

std::size_t TableSize(short count) {
    return count > 0 ? static_cast<std::size_t>(count) : 0;
}

}  // namespace

TokenStatus ReadToken(FILE* input, char* buffer, int maxLength) {
    int c = std::fgetc(input);
    while (c != EOF && IsSeparator(c)) {
        c = std::fgetc(input);
    }
    int length = 0;
    buffer[0] = '\0';
    if (c == EOF) {
        return TokenStatus::End;
    }
    while (c != EOF && !IsSeparator(c)) {
        if (length == maxLength) {
            return TokenStatus::TooLong;
        }
        buffer[length++] = static_cast<char>(c);
        buffer[length] = '\0';
        c = std::fgetc(input);
    }
    return TokenStatus::Read;
}

bool IsPlaceholder(const char* token) {
    return std::strcmp(token, "---") == 0 || std::strcmp(token, "(null)") == 0 ||
           std::strcmp(token, " ") == 0 || token[0] == '\0';
}

double TokenValue(const char* token) {
    if (IsPlaceholder(token)) {
        return 0.0;
    }
    char* end = nullptr;
    const double value = std::strtod(token, &end);
    return end == token ? 0.0 : value;
}

bool TokenShort(const char* token, short& value) {
    char* end = nullptr;
    errno = 0;
    const long number = std::strtol(token, &end, 10);
    if (end == token || errno == ERANGE || number < SHRT_MIN || number > SHRT_MAX) {
        return false;
    }
    value = static_cast<short>(number);
    return true;
}

HeaderStatus ReadHeader(FILE* input, Network& net, InputError& error) {
    error = InputError{};
    if (!ReadHeaderShort(input, net.kind)) {
        return HeaderError(HeaderField::Kind, error);
    }
    if (net.kind >= 4) {
        return HeaderStatus::NewerKind;
    }
    if (net.kind <= 0) {
        return HeaderError(HeaderField::Kind, error);
    }
    if (net.kind != 3) {
        return HeaderStatus::Read;
    }
    if (!ReadHeaderDouble(input, net.enteredViscosity)) {
        return HeaderError(HeaderField::Viscosity, error);
    }
    net.viscosity = net.enteredViscosity * kViscosityUnit;
    if (!ReadHeaderShort(input, net.maxIterations)) {
        return HeaderError(HeaderField::MaxIterations, error);
    }
    const struct {
        short* count;
        HeaderField field;
    } counts[] = {{&net.pipeCount, HeaderField::PipeCount},
                  {&net.nodeCount, HeaderField::NodeCount},
                  {&net.pumpCount, HeaderField::PumpCount},
                  {&net.knownHeadCount, HeaderField::KnownHeadCount}};
    for (const auto& count : counts) {
        if (!ReadHeaderCount(input, *count.count)) {
            return HeaderError(count.field, error);
        }
    }
    return HeaderStatus::Read;
}

void CreateTables(Network& net) {
    net.pipes.assign(TableSize(net.pipeCount), Pipe{});
    net.pumps.assign(TableSize(net.pumpCount), Pump{});
    net.pumpNames.assign(TableSize(net.pumpCount), {});
    net.knownHeads.clear();
    net.knownHeads.reserve(TableSize(net.knownHeadCount));
    const std::size_t nodes = TableSize(net.nodeCount);
    net.nodeNumber.assign(nodes, 0.0);
    net.head.assign(nodes, 0.0);
    net.elevation.assign(nodes, 0.0);
    net.netInflow.assign(nodes, 0.0);
}

void WriteInputError(FILE* report, const InputError& error) {
    switch (error.code) {
        case InputErrorCode::None:
            return;
        case InputErrorCode::OldFile:
            std::fputs(text::kOldFile1, report);
            std::fputs(text::kOldFile2, report);
            std::fputs(text::kOldFile3, report);
            return;
        case InputErrorCode::HeaderField:
            std::fputs(text::kOldFile1, report);
            std::fprintf(report, text::kHeaderFieldInvalid, FieldName(error.field));
            return;
        case InputErrorCode::KnownHeadCountMismatch:
            std::fprintf(report, text::kKnownHeadCountMismatch, error.knownHeadsExpected,
                         error.knownHeadsFound);
            return;
        case InputErrorCode::PipeStartAfterEnd:
            std::fputs(text::kPipeStartAfterEnd, report);
            break;
        case InputErrorCode::PumpStartAfterEnd:
            std::fputs(text::kPumpStartAfterEnd, report);
            break;
        case InputErrorCode::FileEnds:
            std::fputs(text::kFileEnds, report);
            break;
        case InputErrorCode::TokenTooLong:
            std::fprintf(report, text::kTokenTooLong, kMaxTokenLength);
            break;
        case InputErrorCode::PumpNameTooLong:
            std::fprintf(report, text::kPumpNameTooLong, kPumpNameLength);
            break;
        case InputErrorCode::NodeOutOfRange:
            std::fputs(text::kNodeOutOfRange, report);
            break;
        case InputErrorCode::NodeIndexNotWhole:
            std::fputs(text::kNodeIndexNotWhole, report);
            break;
        case InputErrorCode::SupportCountOutOfRange:
            std::fprintf(report, text::kSupportCountOutOfRange, kMaxSupportPoints);
            break;
    }
    WriteAbortLine(report, error);
}

InputError ReadNetwork(FILE* input, Network& net, FILE* report) {
    InputError error;
    if (net.kind == 1 || net.kind == 2) {
        error.code = InputErrorCode::OldFile;
    } else {
        error = ReadBody(input, net);
    }
    if (error) {
        WriteInputError(report, error);
        return error;
    }
    WriteCounts(report, net);
    WritePipeEcho(report, net);
    WritePumpEcho(report, net);
    WriteNodeEcho(report, net);
    return error;
}

}  // namespace tarnholm
