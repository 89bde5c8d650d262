// Time of the plan layout on generated networks. The target: 1000 nodes with 1000 to 2000 links
// in well under two seconds, whether all nodes are free or some are fixed.
#include <benchmark/benchmark.h>

#include "GraphLayout.h"
#include "SampleNetworks.h"

namespace kolma {
namespace {

void runLayout(benchmark::State& state, const LayoutInput& input) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(layoutNetwork(input));
    }
    state.counters["nodes"] = input.nodeCount;
    state.counters["links"] = static_cast<double>(input.links.size());
}

// 25 x 40 crossings: 1000 nodes, 1935 links.
void BM_MeshedTown1000Free(benchmark::State& state) {
    runLayout(state, samples::meshedTown(25, 40).input);
}

void BM_BranchedNetwork1000Free(benchmark::State& state) {
    runLayout(state, samples::branchedNetwork(1000).input);
}

void BM_MeshedTown1000TenthFixed(benchmark::State& state) {
    runLayout(state, samples::withFixed(samples::meshedTown(25, 40), 10));
}

void BM_BranchedNetwork1000TenthFixed(benchmark::State& state) {
    runLayout(state, samples::withFixed(samples::branchedNetwork(1000), 10));
}

void BM_MeshedTown100Free(benchmark::State& state) {
    runLayout(state, samples::meshedTown(10, 10).input);
}

// Beyond the size that stress majorization handles: the multilevel layout and local settling.
void BM_MeshedTown3000Free(benchmark::State& state) {
    runLayout(state, samples::meshedTown(50, 60).input);
}

BENCHMARK(BM_MeshedTown1000Free)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BranchedNetwork1000Free)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MeshedTown1000TenthFixed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BranchedNetwork1000TenthFixed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MeshedTown100Free)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MeshedTown3000Free)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kolma

BENCHMARK_MAIN();
