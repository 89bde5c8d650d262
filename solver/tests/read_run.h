// Runs the reading steps of the program on a file held in memory.
#pragma once

#include <string>

#include "tarnholm/reader.h"
#include "testing/memory_io.h"

namespace tarnholm {

struct ReadRun {
    HeaderStatus header = HeaderStatus::Error;
    InputError error;
    Network net;
    std::string report;  // what the reading appended to an empty report
};

// Header, tables and body, as the program does them before the calculation.
inline ReadRun ReadFromMemory(const std::string& fileText) {
    MemoryFiles files;
    files.input = fileText;
    const SolverIo io = files.Io();
    ReadRun run;
    FILE* input = io.openInput();
    run.header = ReadHeader(input, run.net, run.error);
    if (run.header == HeaderStatus::Read) {
        CreateTables(run.net);
        FILE* report = io.openReport();
        run.error = ReadNetwork(input, run.net, report);
        std::fclose(report);
    }
    std::fclose(input);
    run.report = files.report;
    return run;
}

}  // namespace tarnholm
