// Plane builder throughput over the generators the terrain graph leans on,
// at the 512 x 512 size of a final terrain. Reported as samples per second.

#include "noise/generator_variants.h"
#include "noise/noise_map_builder.h"
#include "noise/pitted.h"

#include <libnoise/module/billow.h>

#include <benchmark/benchmark.h>

namespace {

constexpr int kSide = 512;

// state.range(0): sampling threads, 1 = the plain serial loop, 0 = all cores.
void buildPlane(benchmark::State& state, const noise::module::Module& module) {
    noise::utils::NoiseMap map;
    noise::utils::NoiseMapBuilderPlane builder;
    builder.SetThreadCount(int(state.range(0)));
    builder.SetSourceModule(module);
    builder.SetDestNoiseMap(map);
    builder.SetDestSize(kSide, kSide);
    builder.SetBounds(0.0, 4.0, 0.0, 4.0);
    for (auto _ : state) {
        builder.Build();
        benchmark::DoNotOptimize(map.GetRowPtr(kSide - 1));
    }
    state.SetItemsProcessed(state.iterations() * kSide * kSide);
}

void BM_Perlin8Octaves(benchmark::State& state) {
    morvane::module::Perlin perlin;
    perlin.SetOctaveCount(8);
    buildPlane(state, perlin);
}

void BM_Billow(benchmark::State& state) {
    noise::module::Billow billow;
    buildPlane(state, billow);
}

// Default recipe values of a "Gabor Convolution" input: frequency 1.0,
// bandwidth 0.01 (displacement 1), 4 x 2^(5 - 1) = 64 impulses per kernel.
void BM_Pitted(benchmark::State& state) {
    morvane::module::Pitted pitted;
    pitted.SetFrequency(1.0);
    pitted.SetRandomOffset(7);
    pitted.SetBandwidth(0.01f);
    pitted.SetImpulsesPerKernel(64.0f);
    buildPlane(state, pitted);
}

} // namespace

BENCHMARK(BM_Perlin8Octaves)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Billow)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Pitted)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
