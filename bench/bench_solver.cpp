// The solver's figures: building and loading the tables, their size, and solving a thousand
// uniformly random states, each stopped at its first solution of at most 21 face turns.
#include "solver/qorsolver.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>

namespace {

void BuildTables(benchmark::State& state) {
    std::size_t bytes = 0;
    for (auto _ : state)
        bytes = QORSolverTables::Build()->Bytes();
    state.counters["MB"] = double(bytes) / 1e6;
}

void LoadCachedTables(benchmark::State& state) {
    const std::string folder = std::filesystem::temp_directory_path() / "quelmora-bench-tables";
    QORSolverTables::LoadOrBuild(folder);
    for (auto _ : state)
        benchmark::DoNotOptimize(QORSolverTables::Load(folder + "/solver-tables.bin", nullptr));
    std::filesystem::remove_all(folder);
}

// The same thousand states every run, drawn from a fixed seed so runs compare.
void ThousandRandomStates(benchmark::State& state) {
    const QORSolver solver(QORSolverTables::Build());
    std::mt19937 random(2026);
    std::vector<QORCubieCube> states;
    for (int i = 0; i < 1000; ++i)
        states.push_back(RandomState([&random](uint32_t n) { return uint32_t(random() % n); }));
    double worst = 0, total = 0, length = 0;
    for (auto _ : state) {
        worst = total = length = 0;
        for (const QORCubieCube& c : states) {
            const auto start = std::chrono::steady_clock::now();
            length += solver.Solve(c).FaceTurns();
            const std::chrono::duration<double, std::milli> took =
                std::chrono::steady_clock::now() - start;
            worst = std::max(worst, took.count());
            total += took.count();
        }
    }
    state.counters["mean_ms"] = total / double(states.size());
    state.counters["worst_ms"] = worst;
    state.counters["mean_face_turns"] = length / double(states.size());
}

} // namespace

BENCHMARK(BuildTables)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(LoadCachedTables)->Unit(benchmark::kMillisecond);
BENCHMARK(ThousandRandomStates)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_MAIN();
