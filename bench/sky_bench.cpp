// The sky map on all cores against the serial definition, at 4096, 8192
// and 16384 (the 16384 plain loop takes minutes: run it alone with
// --benchmark_filter), and the dome rebuild a sky slider triggers.
//
// peak_MiB is the process's peak resident memory: it only grows, so for a
// path's own peak run that one benchmark alone, e.g.
//   sky_bench --benchmark_filter='SkyMap/Parallel/16384'
// The speed-ups of the sizes measured both ways are printed at the end.

#include "bench_main.h"

#include "common/random_source.h"
#include "sky/sky_map.h"
#include "sky/sky_state.h"

#include <QCoreApplication>

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <map>

namespace {

using namespace morvane;

// Wall seconds per map, by side: [0] plain, [1] parallel.
std::map<int, double> g_seconds[2];

SkyMapInput input(int side) {
    SkyState sky;
    sky.parameters.sunPitch = 15.0; // low enough for stars
    sky.parameters.sunAzimuth = 120.0;
    sky.recomputeSun();
    SequenceRandomSource random(3);
    sky.rebuildDome(50.0, &random);
    return {sky.parameters, sky.sun, sky.dome.stars, side};
}

double peakMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

template <typename Render> void run(benchmark::State& state, bool parallel, Render render) {
    const int side = int(state.range(0));
    const SkyMapInput in = input(side);
    double seconds = 0.0;
    for (auto _ : state) {
        SequenceRandomSource random(9);
        const auto start = std::chrono::steady_clock::now();
        const QImage image = render(in, random);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        benchmark::DoNotOptimize(image.constBits());
    }
    g_seconds[parallel ? 1 : 0][side] = seconds / double(state.iterations());
    state.counters["peak_MiB"] = peakMiB();
    state.SetItemsProcessed(state.iterations() * std::int64_t(side) * side);
}

void SkyMapPlain(benchmark::State& state) {
    run(state, false,
        [](const SkyMapInput& in, RandomSource& r) { return renderSkyMapPlain(in, r); });
}

void SkyMapParallel(benchmark::State& state) {
    run(state, true,
        [](const SkyMapInput& in, RandomSource& r) { return renderSkyMap(in, r).image; });
}

BENCHMARK(SkyMapPlain)->Name("SkyMap/Plain")->Arg(4096)->Arg(8192)->Arg(16384)
    ->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(SkyMapParallel)->Name("SkyMap/Parallel")->Arg(4096)->Arg(8192)->Arg(16384)
    ->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// What a moving slider costs: sun and 128 x 128 colours, stars kept; the
// population slider also places its stars anew.
void DomeRebuild(benchmark::State& state) {
    SkyState sky;
    sky.parameters.starPopulation = int(state.range(0));
    SequenceRandomSource random(5);
    sky.rebuildDome(50.0, &random);
    const bool newStars = state.range(1) != 0;
    int pitch = 0;
    for (auto _ : state) {
        sky.parameters.sunPitch = pitch++ % 91;
        sky.recomputeSun();
        sky.rebuildDome(50.0, newStars ? &random : nullptr);
        benchmark::DoNotOptimize(sky.dome.colours.data());
    }
}
BENCHMARK(DomeRebuild)->ArgNames({"stars", "new"})->Args({3000, 0})->Args({30000, 1})
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    const int status = runBenchmarksIn<QCoreApplication>(argc, argv);
    for (const auto& [side, plain] : g_seconds[0]) {
        const auto parallel = g_seconds[1].find(side);
        if (parallel != g_seconds[1].end() && parallel->second > 0.0)
            std::printf("sky map %d: plain %.2f s, parallel %.2f s, speed-up %.2fx\n", side,
                        plain, parallel->second, plain / parallel->second);
    }
    return status;
}
