// Painting against a long item list: a Shift-press deploying 1000 items
// with a minimum distance, the distance test finding neighbours through the
// grid against the plain scan of the whole list (the ratio of the two is
// the point), and single clicks, which scan the list once.
//   build/release/bench/placement_bench

#include "common/notifier.h"
#include "common/progress_sink.h"
#include "common/random_source.h"
#include "props/item_placement.h"
#include "props/terrain_cell.h"
#include "pipeline/terrain_arrays.h"
#include "viewport/viewport_state.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

using namespace morvane;

constexpr int kSide = 512;
constexpr int kTerrainSize = 1000;
constexpr int kInstances = 1000;

TerrainArrays hills() {
    TerrainArrays t;
    t.gridSide = kSide;
    t.rowLength = kSide - 1;
    t.spacing = float(kTerrainSize) / float(kSide - 1);
    t.vertices.reserve(std::size_t(kSide) * kSide * 3);
    for (int r = 0; r < kSide; ++r)
        for (int c = 0; c < kSide; ++c) {
            const float x = float(c) * t.spacing, z = float(r) * t.spacing;
            t.vertices.insert(t.vertices.end(),
                              {x - kTerrainSize / 2.0f,
                               20.0f * std::sin(x * 0.02f) * std::cos(z * 0.015f),
                               z - kTerrainSize / 2.0f});
        }
    return t;
}

const TerrainArrays& terrain() {
    static const TerrainArrays shared = hills();
    return shared;
}

// `count` items spread over the terrain, as earlier presses leave them.
ItemList paintedList(int count) {
    ItemList items;
    items.reserve(std::size_t(count) + kInstances);
    SequenceRandomSource random(99);
    for (int i = 0; i < count; ++i) {
        ItemRecord item;
        item.itemNumber = i;
        const float gx = float(random.between(0, kTerrainSize * 100 - 1)) * 0.01f;
        const float gz = float(random.between(0, kTerrainSize * 100 - 1)) * 0.01f;
        item.position = {gx - kTerrainSize / 2.0f, 0.0f, gz - kTerrainSize / 2.0f};
        if (const auto cell = terrainCellAt(terrain(), gx, gz))
            item.position[1] = surfaceAt(terrain(), *cell).height;
        items.push_back(item);
    }
    return items;
}

PopulateSettings settings(int distanceCm) {
    PopulateSettings s;
    s.instances = kInstances;
    s.brushDiameter = kTerrainSize;
    s.distanceCm = distanceCm;
    s.angleRandomization = 20;
    s.scaleRandomization = 10;
    return s;
}

SurfaceHit centre() {
    SurfaceHit hit;
    hit.depth = 0.5f;
    return hit;
}

// One Shift-press on a list of `range(0)` items, per placed item and per press.
void deploy(benchmark::State& state, DistanceSearch search, int distanceCm) {
    ViewportState view;
    view.currentProp.path = QStringLiteral("tree.pp2");
    view.currentProp.triangleCount = 200;
    view.items = paintedList(int(state.range(0)));
    const std::size_t before = view.items.size();
    const PopulateSettings s = settings(distanceCm);
    NullProgressSink progress;
    NullNotifier notifier;
    int placed = 0, failures = 0;
    for (auto _ : state) {
        SequenceRandomSource random(7); // the same draws every press
        PaintScene scene{view, terrain(), kTerrainSize, nullptr, random, progress, notifier};
        const Deployment result = deployItems(scene, s, centre(), search);
        placed = result.placed;
        failures = result.failures;
        state.PauseTiming();
        view.items.resize(before);
        state.ResumeTiming();
    }
    state.counters["placed"] = placed;
    state.counters["failures"] = failures;
    // Seconds per placed item.
    state.counters["per_item"] =
        benchmark::Counter(double(placed), benchmark::Counter::kIsIterationInvariantRate |
                                               benchmark::Counter::kInvert);
}

void BM_DeployGrid(benchmark::State& state) {
    deploy(state, DistanceSearch::Grid, 50);
}
void BM_DeployLinear(benchmark::State& state) {
    deploy(state, DistanceSearch::Linear, 50);
}

// A click (or one mouse move of a drag): one candidate against the list.
void BM_SingleClick(benchmark::State& state) {
    ViewportState view;
    view.currentProp.path = QStringLiteral("tree.pp2");
    view.items = paintedList(int(state.range(0)));
    const std::size_t before = view.items.size();
    PopulateSettings s = settings(50);
    NullProgressSink progress;
    NullNotifier notifier;
    SequenceRandomSource random(7);
    PaintScene scene{view, terrain(), kTerrainSize, nullptr, random, progress, notifier};
    SurfaceHit hit = centre();
    int step = 0;
    for (auto _ : state) {
        hit.world = {double(step % 997) - 498.0, 0.0, double((step * 7) % 991) - 495.0};
        ++step;
        benchmark::DoNotOptimize(placeItem(scene, s, hit));
        if (view.items.size() > before + 10000) {
            state.PauseTiming();
            view.items.resize(before);
            state.ResumeTiming();
        }
    }
}

} // namespace

// The press the target is about: 1000 items onto a list of 20 000.
BENCHMARK(BM_DeployGrid)->Arg(20000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DeployLinear)->Arg(20000)->Unit(benchmark::kMillisecond)->UseRealTime();
// Time per placed item as the list grows.
BENCHMARK(BM_DeployGrid)->Arg(0)->Arg(1000)->Arg(10000)->Arg(100000)
    ->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DeployLinear)->Arg(0)->Arg(1000)->Arg(10000)->Arg(100000)
    ->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SingleClick)->Arg(0)->Arg(1000)->Arg(10000)->Arg(100000)
    ->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
