// The order of the node table decides the size of the solver's node matrix: every element lands
// in the row of its later node, and a row reaches back to the earliest node joined to it. These
// functions measure that profile and find an order that keeps it small, on plain index vectors
// so that the import, the table command and the benchmarks share them.
#pragma once

#include <optional>
#include <vector>

namespace kolma {

// An element of the node matrix between two nodes, given by their node indices.
struct Link {
    int a;
    int b;
};

// The graph an order is sought for: nodes 0 ... nodeCount - 1.
struct OrderGraph {
    int nodeCount = 0;
    std::vector<Link> pipes;          // either direction
    std::vector<Link> pumps;          // a = suction side, b = delivery side
    std::vector<int> knownHeadNodes;  // nodes with a prescribed head
};

// The order as given: node k at position k.
std::vector<int> identityOrder(int nodeCount);

// order[k] = the node placed at position k; the inverse gives each node's position.
std::vector<int> positionsOf(const std::vector<int>& order);

// Number of matrix entries the solver stores for the nodes in the given order: the sum over all
// rows of (row - first column + 1), with every pipe and pump in the row of its later node.
long long profileSize(const OrderGraph& graph, const std::vector<int>& order);

// True when every pump's suction node comes before its delivery node in the order.
bool pumpsInOrder(const OrderGraph& graph, const std::vector<int>& order);

// A node order with a small profile in which every pump's suction node comes before its
// delivery node: the best of several reverse Cuthill-McKee style orders (from the known-head
// nodes and from far-out nodes) and the order as given, when that already satisfies the pumps.
// Empty when the pumps form a cycle, so that no order can satisfy them.
std::optional<std::vector<int>> goodNodeOrder(const OrderGraph& graph);

}  // namespace kolma
