// The solver's files and console held in memory, for tests and the fuzzer: whole program runs
// without touching the working directory.
#pragma once

#include <cstdio>
#include <string>

#include "tarnholm/program.h"

namespace tarnholm {

struct MemoryFiles {
    bool hasInput = true;     // false: "eingabe.dat" cannot be opened
    std::string input;        // contents of "eingabe.dat"
    bool reportOpens = true;  // false: "ausgabe.aus" cannot be opened
    std::string report;       // contents of "ausgabe.aus", appended to at every opening
    bool graphOpens = true;   // false: "graphein.dat" cannot be created
    bool hasGraph = false;    // whether "graphein.dat" exists
    std::string graph;        // contents of "graphein.dat"
    int reportOpenings = 0;
    int graphOpenings = 0;
    int keyWaits = 0;

    MemoryFiles();
    ~MemoryFiles();
    MemoryFiles(const MemoryFiles&) = delete;
    MemoryFiles& operator=(const MemoryFiles&) = delete;

    // SolverIo on these files; valid while this object lives.
    SolverIo Io();

    // Everything written to the console so far.
    std::string Console();

private:
    std::string console_;
    FILE* consoleStream_;
};

}  // namespace tarnholm
