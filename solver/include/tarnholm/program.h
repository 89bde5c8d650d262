// The solver program: its files, its console, and the statuses its steps end with.
#pragma once

#include <cstdio>
#include <functional>

#include "tarnholm/network.h"

namespace tarnholm {

// Where the program's files and console are. Every file is opened through these functions, so
// that tests and the fuzzer can run the whole program on memory streams (fmemopen,
// open_memstream). Each returns nullptr when the file cannot be opened; the caller fcloses what
// it got.
struct SolverIo {
    std::function<FILE*()> openInput;   // "eingabe.dat", for reading
    std::function<FILE*()> openReport;  // "ausgabe.aus", for appending (mode "a+")
    std::function<FILE*()> openGraph;   // "graphein.dat", created anew (mode "w+")
    FILE* console = nullptr;            // the console (standard output)
    std::function<void()> waitForKey;   // the key wait of the failure ends
};

// SolverIo on the files of the current directory and the real console, without a key wait (the
// program adds the wait on its terminal).
SolverIo WorkingDirectoryIo();

// How the calculation (set-up, iteration, results) ended.
enum class CalcStatus {
    Done,                 // results appended to the report, graph data written
    TooManyNodes,         // more than kMaxNodes nodes
    NoMatrixStorage,      // the row storage could not be allocated
    NotPositiveDefinite,  // a pivot fell below the tolerance, see CalcResult::failedRow
    GraphUnavailable,     // "graphein.dat" could not be created
};

struct CalcResult {
    CalcStatus status = CalcStatus::Done;
    int failedRow = -1;  // internal node index of the failing pivot
};

// The iteration driver: sets up the node system, iterates until convergence or the bound, and
// appends the results to the report and writes the graph data.
CalcResult CalculateNetwork(Network& net, const SolverIo& io);

// The whole program: read, check and echo "eingabe.dat", calculate, report. Returns the exit
// status.
int RunTarnholm(const SolverIo& io);

}  // namespace tarnholm
