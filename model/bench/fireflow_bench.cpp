// Fire flow at every node: the sample project and generated 1000-node grids, the case without
// fire flow and all nodes, with one worker and with one per core; the passes a run needs from
// the flows without fire flow against a run from scratch, and the peak memory. The CPU column is
// the time of all threads of the process.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <thread>

#include "FireFlow.h"
#include "ProjectTables.h"
#include "generated_networks.h"
#include "tarnholm/in_process.h"

namespace {

using namespace kolma;

constexpr double kFireFlow = 96.0 * kCubicMetresPerHourInLitresPerSecond;

FireFlowNetwork example() {
    testing::ProjectTables t;
    const ProjectSettings settings = testing::readExampleProject(t);
    return fireFlowNetworkOf(networkOf(t.tables(), settings));
}

// The README's 1000-node grid: withdrawals of 8 to 22 l/s per node, far more than its pipes
// carry (the heads fall far below zero), as in the solver's benchmarks.
FireFlowNetwork readmeGrid() {
    FireFlowNetwork network;
    network.solver = tarnholm::testnet::Grid(40, 25);
    network.ground.assign(network.solver.head.size(), 95.0);
    return network;
}

// The same grid with a hundredth of the withdrawals (150 l/s in all, a town's demand) and the
// ground 50 m below the supply: 3.3 to 4.9 bar without fire flow.
FireFlowNetwork townGrid() {
    FireFlowNetwork network = readmeGrid();
    for (double& inflow : network.solver.netInflow)
        inflow *= 0.01;
    network.ground.assign(network.solver.head.size(), 100.0);
    return network;
}

FireFlowNetwork networkOf(int kind) {
    return kind == 0 ? example() : kind == 1 ? readmeGrid() : townGrid();
}

const char* nameOf(int kind) {
    static const char* const names[] = {"example, 46 nodes", "grid 1000, README demand",
                                        "grid 1000, town demand"};
    return names[kind];
}

double peakMemoryMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Passes of runs from scratch with the solver's own rule, on every k-th node.
double coldPasses(const FireFlowNetwork& network, const std::vector<int>& nodes) {
    const std::size_t every = std::max<std::size_t>(1, nodes.size() / 20);
    long passes = 0;
    int runs = 0;
    for (std::size_t k = 0; k < nodes.size(); k += every) {
        tarnholm::Network cold = network.solver;
        cold.netInflow[nodes[k]] -= kFireFlow * tarnholm::kMilli;
        passes += tarnholm::Calculate(cold, {cold.maxIterations}).passes;
        ++runs;
    }
    return static_cast<double>(passes) / runs;
}

// args: network kind, workers (0: one per core), maximal fire flow search.
void AllNodes(benchmark::State& state) {
    const int kind = static_cast<int>(state.range(0));
    const FireFlowNetwork network = networkOf(kind);
    const std::vector<int> nodes = fireFlowSelection(network, QString()).nodes;
    FireFlowSettings settings;
    settings.fireFlow = kFireFlow;
    settings.workers = static_cast<int>(state.range(1));
    settings.searchMaximum = state.range(2) != 0;
    FireFlowReport report;
    for (auto _ : state) {
        const FireFlowCase fireCase(network);
        FireFlowProgress progress;
        report = analyseFireFlow(fireCase, nodes, settings, progress);
        benchmark::DoNotOptimize(report.nodes.data());
    }
    long passes = 0;
    long runs = 0;
    int steady = 0;
    int noResult = 0;
    int satisfied = 0;
    for (const NodeFireFlow& node : report.nodes) {
        passes += node.run.passes;
        runs += 1 + node.searchRuns;
        steady += node.run.end == FireFlowEnd::HeadsSteady;
        noResult += !node.run.hasResult();
        satisfied += node.satisfied;
    }
    state.SetLabel(nameOf(kind));
    state.counters["nodes"] = static_cast<double>(report.nodes.size());
    state.counters["workers"] =
        settings.workers > 0 ? settings.workers : std::thread::hardware_concurrency();
    state.counters["warm_passes"] = static_cast<double>(passes) / report.nodes.size();
    state.counters["runs"] = static_cast<double>(runs);
    state.counters["head_rule"] = steady;
    state.counters["no_result"] = noResult;
    state.counters["satisfied"] = satisfied;
    state.counters["peak_MB"] = peakMemoryMegabytes();
    if (settings.workers == 1 && !settings.searchMaximum)
        state.counters["cold_passes"] = coldPasses(network, nodes);
}

}  // namespace

BENCHMARK(AllNodes)
    ->ArgsProduct({{0}, {1, 0}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(AllNodes)
    ->ArgsProduct({{1, 2}, {1, 0}, {0}})
    ->Unit(benchmark::kSecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(1);
BENCHMARK(AllNodes)
    ->Args({2, 0, 1})
    ->Unit(benchmark::kSecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(1);

BENCHMARK_MAIN();
