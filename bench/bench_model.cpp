// Model-only speed: layer turns without drawing.
#include "model/qorbigcube.h"

#include <benchmark/benchmark.h>

namespace {

// Ten thousand random quarter turns, found and turned as the shuffle does, without frames.
void TenThousandTurns(benchmark::State& state) {
    QORBigCube cube;
    cube.SeedSource = [] { return uint64_t(1); };
    for (auto _ : state) {
        cube.Reset();
        cube.Shuffle(10000);
    }
    state.counters["turns/s"] =
        benchmark::Counter(10000.0 * double(state.iterations()), benchmark::Counter::kIsRate);
}

void SolvedTest(benchmark::State& state) {
    QORBigCube cube;
    cube.Reset();
    for (auto _ : state)
        benchmark::DoNotOptimize(cube.IsSolved());
}

} // namespace

BENCHMARK(TenThousandTurns)->Unit(benchmark::kMillisecond);
BENCHMARK(SolvedTest)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
