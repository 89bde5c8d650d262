#include "Results.h"

#include <limits>

namespace kolma {

std::optional<Results> resultsOf(const Network& network, const GraphData& graph) {
    const std::size_t nodes = network.nodes.size();
    const std::size_t pipes = network.pipes.size();
    if (!graph.headerRead || graph.heads.size() != nodes || graph.flows.size() != pipes ||
        graph.nodeCount != static_cast<int>(nodes) || graph.pipeCount != static_cast<int>(pipes))
        return std::nullopt;
    Results results;
    results.maxIterations = graph.maxIterations;
    results.passes = graph.passes;
    for (std::size_t i = 0; i < nodes; ++i) {
        const Value& ground = network.nodes[i].ground;
        const double head = graph.heads[i];
        results.nodes.push_back({head, ground.isNumber()
                                           ? (head - ground.number) * kBarPerMetre
                                           : std::numeric_limits<double>::quiet_NaN()});
    }
    for (std::size_t p = 0; p < pipes; ++p) {
        const PipeRecord& pipe = network.pipes[p];
        const double drop = graph.heads[pipe.startNode] - graph.heads[pipe.endNode];
        const double length = pipe.length.number;
        results.pipes.push_back(
            {graph.flows[p], graph.velocities[p],
             length > 0.0 ? drop / length * 1000.0 : std::numeric_limits<double>::quiet_NaN()});
    }
    return results;
}

QString graphDataOutdatedText() {
    return QStringLiteral(
        "Die Graphikeingabedatei passt nicht zu den Tabellen. Bitte führen Sie die Berechnung "
        "erneut durch.");
}

}  // namespace kolma
