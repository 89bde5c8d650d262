// The results of the latest calculation for the network of the tables: heads and supply
// pressures of the nodes, flows, velocities and gradients of the pipes, read from the graph
// data file the solver left.
#pragma once

#include <optional>
#include <vector>

#include "GraphData.h"
#include "Network.h"

namespace kolma {

// Supply pressure per metre of water column: (head - ground level) x 0.0981 gives bar.
inline constexpr double kBarPerMetre = 0.0981;

struct NodeResult {
    double head = 0.0;      // energy height [mNN]
    double pressure = 0.0;  // supply pressure above ground level [bar]; NaN without a ground level
};

struct PipeResult {
    double flow = 0.0;      // [l/s], positive from start to end node
    double velocity = 0.0;  // [m/s], with the sign of the flow
    double gradient = 0.0;  // hydraulic gradient [m/km], head loss from start to end node
};

struct Results {
    std::vector<NodeResult> nodes;  // node table order
    std::vector<PipeResult> pipes;  // pipe table order
    int maxIterations = 0;
    int passes = 0;
    // The run stopped at its bound: the results are those of the last pass.
    bool boundReached() const { return passes > maxIterations; }
};

// The results of a graph data file for the network; nothing when the file does not fit the
// tables (other node or pipe counts than the network has: the tables changed since the run).
std::optional<Results> resultsOf(const Network& network, const GraphData& graph);

// The text shown when the graph data file does not fit the tables.
QString graphDataOutdatedText();

}  // namespace kolma
