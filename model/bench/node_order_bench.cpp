// What the node ordering buys: generated 1000-node networks with their node table shuffled, the
// matrix profile and the time of one solver pass (assemble, decompose, solve) with the shuffled
// order and with the order the editor chooses, and the time the ordering itself takes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>
#include <set>

#include "NodeOrder.h"
#include "NodeOrderGraphs.h"
#include "network_builder.h"
#include "tarnholm/iteration.h"

namespace {

using kolma::Link;
using namespace tarnholm;
using kolma::OrderGraph;

constexpr int kNodes = 1000;
constexpr unsigned kSeed = 20261208;

// Nodes at random places in a square, each joined to its nearest earlier node (so the network
// hangs together) and to its two nearest nodes (so it has loops), like the mains of a town.
OrderGraph randomGraph() {
    std::mt19937 random(kSeed);
    std::uniform_real_distribution<double> place(0.0, 1.0);
    std::vector<double> x(kNodes), y(kNodes);
    for (int i = 0; i < kNodes; ++i) {
        x[i] = place(random);
        y[i] = place(random);
    }
    const auto distance = [&](int a, int b) { return std::hypot(x[a] - x[b], y[a] - y[b]); };
    OrderGraph graph;
    graph.nodeCount = kNodes;
    const auto closer = [&](int from) {
        return [&, from](int a, int b) { return distance(from, a) < distance(from, b); };
    };
    std::set<std::pair<int, int>> pipes;
    for (int i = 0; i < kNodes; ++i) {
        std::vector<int> others(kNodes);
        std::iota(others.begin(), others.end(), 0);
        others.erase(others.begin() + i);
        if (i > 0)
            pipes.insert({*std::min_element(others.begin(), others.begin() + i, closer(i)), i});
        std::partial_sort(others.begin(), others.begin() + 2, others.end(), closer(i));
        for (int k = 0; k < 2; ++k)
            pipes.insert({std::min(i, others[k]), std::max(i, others[k])});
    }
    for (const auto& [a, b] : pipes)
        graph.pipes.push_back({a, b});
    graph.knownHeadNodes = {0};
    return graph;
}

// The node table shuffled: order[k] = node at position k.
std::vector<int> shuffledOrder() {
    std::vector<int> order(kNodes);
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), std::mt19937(kSeed + 1));
    return order;
}

OrderGraph makeGraph(int kind) {
    return kind == 0 ? kolma::testing::gridGraph(40, kNodes / 40) : randomGraph();
}

// The solver's network for a graph with the nodes in the given order: the supply at 150 m,
// 1 l/s withdrawn everywhere else, every pipe from its earlier to its later node.
Network solverNetwork(const OrderGraph& graph, const std::vector<int>& order) {
    const std::vector<int> position = kolma::positionsOf(order);
    Network net = testnet::Empty();
    for (int node : order) {
        if (node == graph.knownHeadNodes.front())
            testnet::AddKnownNode(net, node + 1, 150.0, 100.0);
        else
            testnet::AddNode(net, node + 1, -1.0, 95.0);
    }
    for (const Link& pipe : graph.pipes) {
        const int a = position[pipe.a];
        const int b = position[pipe.b];
        testnet::AddPipe(net, std::min(a, b), std::max(a, b), 120.0, 150.0);
    }
    return net;
}

std::vector<int> chosenOrder(const OrderGraph& graph, bool optimised) {
    const std::vector<int> shuffled = shuffledOrder();
    if (!optimised)
        return shuffled;
    // The ordering sees the shuffled table, as the menu command does.
    OrderGraph table = graph;
    const std::vector<int> position = kolma::positionsOf(shuffled);
    for (Link& pipe : table.pipes)
        pipe = {position[pipe.a], position[pipe.b]};
    for (int& node : table.knownHeadNodes)
        node = position[node];
    std::vector<int> order = *kolma::goodNodeOrder(table);
    for (int& row : order)
        row = shuffled[row];
    return order;
}

const char* label(int kind, bool optimised) {
    static const char* const names[] = {"grid shuffled", "grid ordered", "random shuffled",
                                        "random ordered"};
    return names[kind * 2 + (optimised ? 1 : 0)];
}

void OnePass(benchmark::State& state) {
    const int kind = static_cast<int>(state.range(0));
    const bool optimised = state.range(1) != 0;
    const OrderGraph graph = makeGraph(kind);
    const std::vector<int> order = chosenOrder(graph, optimised);
    Network net = solverNetwork(graph, order);
    SetUpNodeSystem(net);
    bool converged = false;
    if (IterationPass(net, converged).status != CalcStatus::Done) {
        state.SkipWithError("the node system could not be solved");
        return;
    }
    for (auto _ : state) {
        IterationPass(net, converged);
        benchmark::DoNotOptimize(net.head.data());
    }
    state.SetLabel(label(kind, optimised));
    state.counters["profile"] = static_cast<double>(kolma::profileSize(graph, order));
    state.counters["stored"] = static_cast<double>(net.system.storage.size());
}

void Ordering(benchmark::State& state) {
    const int kind = static_cast<int>(state.range(0));
    const OrderGraph graph = makeGraph(kind);
    for (auto _ : state)
        benchmark::DoNotOptimize(kolma::goodNodeOrder(graph));
    state.SetLabel(kind == 0 ? "grid" : "random");
}

}  // namespace

BENCHMARK(OnePass)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);
BENCHMARK(Ordering)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
