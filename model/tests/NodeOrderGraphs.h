// Graphs for the node ordering's tests and benchmark.
#pragma once

#include "NodeOrder.h"

namespace kolma::testing {

// A rows x columns grid of pipes with the supply at its first corner. `nodeAt` gives the node
// index of grid position i (row-major), so that a test can scatter joined nodes through the order.
template <typename NodeAt>
OrderGraph gridGraph(int rows, int columns, NodeAt nodeAt) {
    OrderGraph graph;
    graph.nodeCount = rows * columns;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            const int i = r * columns + c;
            if (c + 1 < columns)
                graph.pipes.push_back({nodeAt(i), nodeAt(i + 1)});
            if (r + 1 < rows)
                graph.pipes.push_back({nodeAt(i), nodeAt(i + columns)});
        }
    graph.knownHeadNodes = {nodeAt(0)};
    return graph;
}

inline OrderGraph gridGraph(int rows, int columns) {
    return gridGraph(rows, columns, [](int i) { return i; });
}

}  // namespace kolma::testing
