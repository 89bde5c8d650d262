// Speed and memory of the calculation on generated networks: one pass (assemble, decompose,
// solve, relax), the passes a run needs, and a whole calculation with its report and graph data
// (written to memory).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>

#include "generated_networks.h"
#include "tarnholm/iteration.h"

using namespace tarnholm;

namespace {

// Grids with about two pipes per node, the shorter side across so that the rows lie close.
Network MakeNetwork(int kind, int nodes) {
    const int across = nodes <= 100 ? 10 : nodes <= 500 ? 20 : 25;
    switch (kind) {
        case 0:
            return testnet::Grid(nodes / across, across);
        case 1:
            return testnet::Grid(nodes / across, across, true);
        default:
            return testnet::Branched((nodes - 1) / 5, 4);
    }
}

const char* KindName(int kind) {
    static const char* const names[] = {"grid, 1 known head", "grid, 2 known heads",
                                        "branched, 1 known head"};
    return names[kind];
}

double PeakMemoryMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void OnePass(benchmark::State& state) {
    Network net = MakeNetwork(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    SetUpNodeSystem(net);
    bool converged = false;
    for (auto _ : state) {
        IterationPass(net, converged);
        benchmark::DoNotOptimize(net.head.data());
    }
    state.SetLabel(KindName(static_cast<int>(state.range(0))));
    state.counters["nodes"] = net.nodeCount;
    state.counters["pipes"] = net.pipeCount;
    state.counters["profile"] = static_cast<double>(net.system.storage.size());
}

void WholeRun(benchmark::State& state) {
    const Network original =
        MakeNetwork(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    int passes = 0;
    {
        Network net = original;
        SetUpNodeSystem(net);
        Iterate(net, passes);
    }
    for (auto _ : state) {
        state.PauseTiming();
        Network net = original;
        state.ResumeTiming();
        const testnet::Run run = testnet::Calculate(net);
        benchmark::DoNotOptimize(run.report.data());
    }
    state.SetLabel(KindName(static_cast<int>(state.range(0))));
    state.counters["passes"] = passes;
    state.counters["peakMB"] = PeakMemoryMegabytes();
}

void Sizes(benchmark::internal::Benchmark* b) {
    for (int kind = 0; kind < 3; ++kind) {
        for (int nodes : {100, 500, 1000}) {
            b->Args({kind, nodes});
        }
    }
}

}  // namespace

BENCHMARK(OnePass)->Apply(Sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(WholeRun)->Apply(Sizes)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
