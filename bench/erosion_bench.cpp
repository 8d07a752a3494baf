// The four erosion methods on a 512 x 512 grid, 100 iterations each (one
// smoothing run is 100 passes), each against its plain reference loops.
// Every timed run starts from a fresh copy of the same terrain; the copy is
// a few hundred microseconds of the total.

#include "pipeline/erosion_methods.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

namespace {

using morvane::ErosionGrid;

constexpr int kSide = 512;
constexpr int kIterations = 100;

// Rolling hills with a little roughness, normalised to 0..1 like the grid
// of a real run: slopes both below and above the thresholds.
const ErosionGrid& terrain() {
    static const ErosionGrid grid = [] {
        ErosionGrid g(kSide);
        std::mt19937 random(42);
        std::uniform_real_distribution<float> rough(0.0f, 0.05f);
        for (int i = 0; i < kSide; ++i)
            for (int j = 0; j < kSide; ++j)
                g.at(i, j) = 0.45f + 0.25f * std::sin(float(i) * 0.031f) +
                             0.2f * std::cos(float(j) * 0.047f + float(i) * 0.011f) + rough(random);
        return g;
    }();
    return grid;
}

template <typename Method> void run(benchmark::State& state, Method method) {
    for (auto _ : state) {
        ErosionGrid grid = terrain();
        method(grid);
        benchmark::DoNotOptimize(grid.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kIterations * kSide * kSide);
}

void BM_Thermal(benchmark::State& state) {
    run(state, [](ErosionGrid& g) { morvane::thermalErosion(g, kIterations); });
}

void BM_ImprovedThermal(benchmark::State& state) {
    run(state, [](ErosionGrid& g) { morvane::improvedErosion(g, kIterations); });
}

void BM_Hydraulic(benchmark::State& state) {
    run(state, [](ErosionGrid& g) {
        morvane::hydraulicErosion(g, kIterations, morvane::HydraulicConstants{});
    });
}

void BM_ThermalPlain(benchmark::State& state) {
    run(state, [](ErosionGrid& g) { morvane::detail::thermalErosionPlain(g, kIterations); });
}

void BM_ImprovedThermalPlain(benchmark::State& state) {
    run(state, [](ErosionGrid& g) { morvane::detail::improvedErosionPlain(g, kIterations); });
}

void BM_HydraulicPlain(benchmark::State& state) {
    run(state, [](ErosionGrid& g) {
        morvane::detail::hydraulicErosionPlain(g, kIterations, morvane::HydraulicConstants{});
    });
}

void BM_Smooth(benchmark::State& state) {
    run(state, [](ErosionGrid& g) { morvane::smoothImage(g, kIterations); });
}

void BM_SmoothPlain(benchmark::State& state) {
    run(state, [](ErosionGrid& g) { morvane::detail::smoothImagePlain(g, kIterations); });
}

} // namespace

BENCHMARK(BM_Thermal)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ThermalPlain)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ImprovedThermal)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ImprovedThermalPlain)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Hydraulic)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_HydraulicPlain)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Smooth)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SmoothPlain)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
