// The graph data file "graphein.dat" that the solver leaves for the longitudinal section: three
// integers (the third is the node count), the node heads, the pipe count and one flow and velocity
// per pipe, all separated by white space. The file holds decimal points whatever the locale.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace kolma {

inline const char kGraphFileName[] = "graphein.dat";

struct GraphData {
    bool headerRead = false;         // the three leading integers were there
    int maxIterations = 0;           // the iteration bound of the run
    int passes = 0;                  // passes made; the bound + 1 when the bound stopped the run
    int nodeCount = 0;               // N as the file states it
    std::vector<double> heads;       // [mNN], node-table row order; as many as the file holds
    int pipeCount = 0;               // M as the file states it
    std::vector<double> flows;       // [l/s], pipe-table row order
    std::vector<double> velocities;  // [m/s], same order and size as flows
};

// Reads the tokens in file order and stops at the first one that is missing or no number, so a
// truncated file gives shorter value lists rather than invented values.
GraphData parseGraphData(const QByteArray& bytes);

// The file's data; nothing when it cannot be opened.
std::optional<GraphData> readGraphFile(const QString& fileName);

}  // namespace kolma
