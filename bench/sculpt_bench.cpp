// One sculpt event on the full 512 x 512 terrain (deformation, normals,
// decimated refresh), the fast path against the plain one in the same run:
// the plain one visits every vertex of the brush window and recomputes every
// normal, the fast one clips the window to the grid and recomputes only the
// normals the brush moved. Argument: brush diameter on a terrain of size
// 100 (100 covers the whole terrain, 16 is the slider's start). Also the
// cost of recording one stroke in the undo history, with its size.

#include "common/event_log.h"
#include "noise/generator_variants.h"
#include "noise/noise_map_builder.h"
#include "pipeline/terrain_arrays.h"
#include "props/edit_history.h"
#include "props/terrain_sculpt.h"
#include "bench_main.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>

namespace {

using namespace morvane;

constexpr int kSize = 100;

struct Terrain {
    TerrainArrays full;
    TerrainArrays decimated;

    Terrain() {
        noise::utils::NoiseMap map;
        morvane::module::Perlin perlin;
        perlin.SetOctaveCount(6);
        noise::utils::NoiseMapBuilderPlane builder;
        builder.SetSourceModule(perlin);
        builder.SetDestNoiseMap(map);
        builder.SetDestSize(512, 512);
        builder.SetBounds(0.0, 4.0, 0.0, 4.0);
        builder.Build();
        TerrainBuildParams params;
        params.terrainSize = kSize;
        params.heightUp = 15;
        NullEventLog log;
        full = buildTerrainArrays(map, params, log);
        decimated = buildDecimatedTerrainArrays(map, params, log);
    }
};

const Terrain& terrain() {
    static const Terrain shared;
    return shared;
}

SculptSettings settingsFor(int diameter, bool lower) {
    SculptSettings s;
    s.intensity = 5;
    s.brushDiameter = diameter;
    s.belowZero = true;
    s.lower = lower;
    s.terrainSize = kSize;
    return s;
}

void BM_SculptEventPlain(benchmark::State& state) {
    Terrain t = terrain();
    bool lower = false;
    for (auto _ : state) {
        deformTerrainPlain(t.full, settingsFor(int(state.range(0)), lower), 1.3f, -2.1f);
        recomputeNormals(t.full);
        refreshDecimated(t.full, t.decimated);
        lower = !lower;
        benchmark::DoNotOptimize(t.full.normals.data());
    }
}

void BM_SculptEventFast(benchmark::State& state) {
    Terrain t = terrain();
    bool lower = false;
    for (auto _ : state) {
        sculptTerrain(t.full, t.decimated, settingsFor(int(state.range(0)), lower), 1.3f, -2.1f);
        lower = !lower;
        benchmark::DoNotOptimize(t.full.normals.data());
    }
}

// Recording a stroke: comparing the state with the last recording point
// and keeping the changed stretch.
void BM_RecordStroke(benchmark::State& state) {
    Terrain t = terrain();
    ItemList items;
    EditableState editable{t.full, t.decimated, items};
    EditHistory history;
    history.reset(editable);
    std::size_t stepBytes = 0;
    bool lower = false;
    for (auto _ : state) {
        state.PauseTiming();
        sculptTerrain(t.full, t.decimated, settingsFor(int(state.range(0)), lower), 1.3f, -2.1f);
        lower = !lower;
        const std::size_t before = history.bytes();
        state.ResumeTiming();
        history.record(QStringLiteral("sculpt"), editable);
        stepBytes = history.bytes() - before;
    }
    state.counters["step_MiB"] = double(history.step(history.stepCount() - 1).bytes) / (1 << 20);
    state.counters["baseline_MiB"] = double(history.baselineBytes()) / (1 << 20);
    benchmark::DoNotOptimize(stepBytes);
}

} // namespace

BENCHMARK(BM_SculptEventPlain)->Arg(100)->Arg(16)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SculptEventFast)->Arg(100)->Arg(16)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RecordStroke)->Arg(100)->Arg(16)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
    return runBenchmarksIn<QCoreApplication>(argc, argv);
}
