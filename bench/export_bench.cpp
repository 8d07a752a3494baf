// The terrain export (texture and normal map at the same size, full
// detail): at 2048 the plain single-thread loop that samples every stage
// and writes the pictures through the toolkit, against the export as it
// runs (every core, one shared pass, streamed pictures), and the export
// alone at 4096; for the goal presets, one with turbulence and its
// two-gradient variant (the banded mix). Each "new" run reports speedup
// (wall) and cpu_ratio (process CPU) against the plain run of the same
// preset in this run. Also the terrain OBJ text at 512 x 512 (the fast
// writer against the same text through an iostream) and the normal-map
// render at 4096.

#include "bench_main.h"
#include "common/event_log.h"
#include "common/notifier.h"
#include "common/safe_file.h"
#include "common/seed_source.h"
#include "hostexport/terrain_export.h"
#include "hostexport/terrain_obj_writer.h"
#include "noise/generator_variants.h"
#include "noise/image.h"
#include "noise/noise_map_builder.h"
#include "noise/renderer_normal_map.h"
#include "pipeline/generation_driver.h"
#include "pipeline/pipeline_state.h"
#include "pipeline/terrain_arrays.h"
#include "recipe/preset_file.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include <chrono>
#include <ctime>
#include <fstream>
#include <map>
#include <sstream>

namespace {

using namespace morvane;

TerrainArrays makeTerrain() {
    morvane::module::Perlin perlin;
    noise::utils::NoiseMap map;
    noise::utils::NoiseMapBuilderPlane builder;
    builder.SetSourceModule(perlin);
    builder.SetDestNoiseMap(map);
    builder.SetDestSize(512, 512);
    builder.SetBounds(0, 4, 0, 4);
    builder.Build();
    TerrainBuildParams params;
    params.terrainSize = 100;
    params.heightUp = 15;
    NullEventLog log;
    return buildTerrainArrays(map, params, log);
}

const TerrainArrays& terrain() {
    static const TerrainArrays arrays = makeTerrain();
    return arrays;
}

// The straightforward writer: a default-formatted stream, line by line.
std::string plainObjText(const TerrainArrays& arrays) {
    std::ostringstream out;
    const int side = arrays.gridSide;
    for (int k = 0; k < side * side; ++k)
        out << "v " << arrays.vertices[std::size_t(k) * 3] << ' '
            << arrays.vertices[std::size_t(k) * 3 + 1] << ' '
            << arrays.vertices[std::size_t(k) * 3 + 2] << '\n';
    for (int row = 0; row < side; ++row)
        for (int column = 0; column < side; ++column)
            out << "vt " << float(column) / float(side - 1) << ' '
                << 1.0 - double(float(row) / float(side - 1)) << '\n';
    for (int row = 0; row < side - 1; ++row)
        for (int column = 0; column < side - 1; ++column) {
            const int a = row * side + column + 1, b = (row + 1) * side + column + 1;
            out << "f " << a << '/' << a << ' ' << b << '/' << b << ' ' << b + 1 << '/' << b + 1
                << ' ' << a + 1 << '/' << a + 1 << '\n';
        }
    return out.str();
}

void BM_ObjTextPlainStream(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(plainObjText(terrain()));
    state.SetItemsProcessed(state.iterations() * (262144 + 262144 + 261121));
}

void BM_ObjTextFast(benchmark::State& state) {
    // The two must agree, or the comparison means nothing.
    if (terrainObjText(terrain()).toStdString() != plainObjText(terrain())) {
        state.SkipWithError("fast and plain OBJ text differ");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(terrainObjText(terrain()));
    state.SetItemsProcessed(state.iterations() * (262144 + 262144 + 261121));
}

void BM_ObjFileWrite(benchmark::State& state) {
    QTemporaryDir dir;
    const QString file = dir.filePath("terrain.obj");
    for (auto _ : state)
        benchmark::DoNotOptimize(writeFileSafely(file, terrainObjText(terrain())));
}

void BM_NormalMap4096(benchmark::State& state) {
    morvane::module::Perlin perlin;
    noise::utils::NoiseMap map;
    noise::utils::NoiseMapBuilderPlane builder;
    builder.SetSourceModule(perlin);
    builder.SetDestNoiseMap(map);
    builder.SetDestSize(4096, 4096);
    builder.SetBounds(0, 4, 0, 4);
    builder.Build();
    noise::utils::Image image;
    image.SetSize(4096, 4096);
    noise::utils::RendererNormalMap renderer;
    renderer.SetSourceNoiseMap(map);
    renderer.SetDestImage(image);
    renderer.SetBumpHeight(80.0);
    for (auto _ : state)
        renderer.Render();
    state.SetItemsProcessed(state.iterations() * 4096 * 4096);
}

struct Timing {
    double wall = 0.0, cpu = 0.0;
};

std::map<std::string, Timing>& plainTimings() {
    static std::map<std::string, Timing> timings;
    return timings;
}

// "volcanic caldera two gradients": the shipped preset with a second,
// different texture gradient, so the texture mixes two coloured maps.
void exportPreset(benchmark::State& state, const std::string& name, int side, bool plain) {
    QTemporaryDir data;
    PipelinePaths paths;
    paths.pluginDir = QStringLiteral(MORVANE_PX_DIR);
    paths.dataDir = data.path();
    PipelineState pipeline;
    SequenceSeedSource seeds(1);
    pipeline.recipe = TerrainRecipe::startup(seeds);
    const std::string twoGradients = " two gradients";
    const bool mixed = name.size() > twoGradients.size() &&
                       name.compare(name.size() - twoGradients.size(), std::string::npos,
                                    twoGradients) == 0;
    const std::string preset = mixed ? name.substr(0, name.size() - twoGradients.size()) : name;
    const QString presetFile = QStringLiteral(MORVANE_SOURCE_DIR "/resources/presets/") +
                               QString::fromStdString(preset) + ".ipf";
    NullNotifier notifier;
    PresetReadOptions options;
    options.gradientNames = paths.gradientNames();
    if (readPresetFile(presetFile, pipeline.recipe, options, notifier).linesApplied == 0) {
        state.SkipWithError("preset not found");
        return;
    }
    if (mixed)
        pipeline.recipe.gradient2 =
            pipeline.recipe.gradient1 == "alpine.bmp" ? "volcanic.bmp" : "alpine.bmp";
    pipeline.finalStage.mapStyle = 1;
    pipeline.previewMapSize = pipeline.previewPictureSize = 256;

    EvaluationContext context;
    context.paths = paths;
    context.plainStages = plain;
    context.plainSamplesEveryStage = plain;
    context.threadCount = plain ? 1 : 0;
    GenerationDriver driver(pipeline, context);
    if (!driver.generatePreviewTerrain()) {
        state.SkipWithError("no terrain");
        return;
    }
    Timing timing;
    for (auto _ : state) {
        const auto wallStart = std::chrono::steady_clock::now();
        const std::clock_t cpuStart = std::clock();
        TerrainExportRequest request;
        request.textureSize = request.normalMapSize = side;
        if (!exportTerrain(driver, pipeline.terrain, request).ok)
            state.SkipWithError("export failed");
        timing.cpu += double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        timing.wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart)
                           .count();
    }
    timing.wall /= double(state.iterations());
    timing.cpu /= double(state.iterations());
    state.counters["cpu_s"] = timing.cpu;
    const std::string key = std::to_string(side) + name;
    if (plain) {
        plainTimings()[key] = timing;
    } else if (plainTimings().count(key)) {
        state.counters["speedup"] = plainTimings()[key].wall / timing.wall;
        state.counters["cpu_ratio"] = plainTimings()[key].cpu / timing.cpu;
    }
}

void registerExports() {
    const char* const presets[] = {"alpine ridges", "gabor ripples", "volcanic caldera",
                                   "volcanic caldera two gradients"};
    for (const char* preset : presets)
        for (bool plain : {true, false}) {
            const std::string name = preset;
            benchmark::RegisterBenchmark(
                ("export2048/" + name + (plain ? "/plain1" : "/new")).c_str(),
                [name, plain](benchmark::State& s) { exportPreset(s, name, 2048, plain); })
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime()
                ->Iterations(1);
        }
    for (const char* preset : {"alpine ridges", "gabor ripples"}) {
        const std::string name = preset;
        benchmark::RegisterBenchmark(
            ("export4096/" + name + "/new").c_str(),
            [name](benchmark::State& s) { exportPreset(s, name, 4096, false); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(1);
    }
}

} // namespace

BENCHMARK(BM_ObjTextPlainStream)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ObjTextFast)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ObjFileWrite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_NormalMap4096)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv) {
    registerExports();
    return runBenchmarksIn<QCoreApplication>(argc, argv);
}
