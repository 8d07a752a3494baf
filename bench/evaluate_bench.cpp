// Whole-graph evaluation: the plain stage-by-stage loop on one thread (each
// stage its own module chain and builder, pictures one by one through the
// toolkit) against the shared one-pass evaluation on every core, for five
// shipped presets and two recipes of our own that reach the paths the
// shipped ones leave out (two gradients, turbulence, Select and Blend).
// Cases: the 256 preview, the 1024 full-detail preview (the normal map's
// re-evaluation); the 256 preview of every shipped preset (the
// slider-release goal is absolute); and the picture colouring alone at
// 1024, the plain renderer against the table-driven one. The exports at
// 2048 and 4096 are export_bench's.
// "before" is the one-pass evaluation with the generators as libnoise
// computes them and the Gabor noise summed afresh at every sample (the
// modules as they were before their faster equals with the same bits); it
// and the 256 previews of every shipped preset run in both versions. Each
// "fused" run reports speedup = plain time / its time and vs_before =
// before time / its time, wall and cpu_ (process cpu), all measured in this
// run.

#include "common/event_log.h"
#include "common/notifier.h"
#include "common/seed_source.h"
#include "noise/generator_variants.h"
#include "noise/noise_map_builder.h"
#include "noise/row_colourer.h"
#include "pipeline/generation_driver.h"
#include "pipeline/pipeline_state.h"
#include "recipe/node_types.h"
#include "recipe/preset_file.h"
#include "bench_main.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <chrono>
#include <ctime>
#include <map>
#include <string>

namespace {

using namespace morvane;

const char* const kShipped[] = {"alpine ridges", "canyon lands", "gabor ripples",
                                "volcanic caldera", "tropical islands"};

// Recipes like those users make: different texture gradients, turbulence.
TerrainRecipe ownRecipe(const std::string& name) {
    TerrainRecipe r;
    r.gradient1 = "alpine.bmp";
    r.gradient2 = "volcanic.bmp";
    r.inputs[0].type = int(InputType::MultiFractal);
    r.inputs[0].octaves = 8;
    r.inputs[1].type = int(InputType::Perlin);
    r.inputs[1].octaves = 6;
    r.inputs[1].seedNumber = 7;
    r.deformers[0].type = int(DeformerType::Terrace);
    r.deformers[0].terrace = 4;
    r.deformers[1].type = int(DeformerType::ScaleBias);
    r.combiner.noiseType = int(InputType::Perlin);
    r.combiner.octaves = 4;
    r.turbulence.frequency = 80;
    r.turbulence.roughness = 4;
    if (name == "own select turbulence") {
        r.combiner.terrainType = int(CombinerType::Select);
        r.combiner.falloff = 20;
        r.turbulence.power = 12;
    } else { // "own blend two gradients"
        r.combiner.terrainType = int(CombinerType::Blend);
        r.inputs[0].type = int(InputType::Billow);
        r.gradient2 = "australia 2.bmp";
        r.turbulence.power = 0;
    }
    return r;
}

const char* const kOwn[] = {"own select turbulence", "own blend two gradients"};

enum class Case { Preview256, FullDetail1024 };

enum class Mode { Plain, Before, Fused };

// Wall and process cpu seconds of one run.
struct Seconds {
    double wall = 0.0;
    double cpu = 0.0;
};

double processCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + 1e-9 * double(now.tv_nsec);
}

std::map<std::string, Seconds>& plainSeconds() {
    static std::map<std::string, Seconds> seconds;
    return seconds;
}

std::map<std::string, Seconds>& beforeSeconds() {
    static std::map<std::string, Seconds> seconds;
    return seconds;
}

void run(benchmark::State& state, const std::string& name, Case which, Mode mode) {
    const bool plain = mode == Mode::Plain;
    QTemporaryDir data;
    PipelinePaths paths;
    paths.pluginDir = QStringLiteral(MORVANE_PX_DIR);
    paths.dataDir = data.path();

    PipelineState pipeline;
    SequenceSeedSource seeds(1);
    pipeline.recipe = TerrainRecipe::startup(seeds);
    if (name.rfind("own ", 0) == 0) {
        pipeline.recipe = ownRecipe(name);
    } else {
        const QString presetFile = QStringLiteral(MORVANE_SOURCE_DIR "/resources/presets/") +
                                   QString::fromStdString(name) + ".ipf";
        if (!QFile::exists(presetFile)) {
            state.SkipWithError("preset not found");
            return;
        }
        NullNotifier notifier;
        PresetReadOptions options;
        options.gradientNames = paths.gradientNames();
        readPresetFile(presetFile, pipeline.recipe, options, notifier);
    }
    pipeline.finalStage.mapStyle = 1;
    pipeline.previewMapSize = pipeline.previewPictureSize = 256;

    EvaluationContext context;
    context.paths = paths;
    context.plainStages = plain;
    context.plainSamplesEveryStage = plain;
    context.plainModules = mode == Mode::Before;
    context.threadCount = plain ? 1 : 0;
    GenerationDriver driver(pipeline, context);

    int side = 256;
    Seconds seconds;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = processCpuSeconds();
        switch (which) {
        case Case::Preview256:
            driver.evaluate(false, 256, false);
            break;
        case Case::FullDetail1024:
            side = 1024;
            driver.evaluate(false, 1024, true);
            break;
        }
        seconds.wall +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        seconds.cpu += processCpuSeconds() - cpuStart;
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(side) * side);
    const std::string key = std::to_string(int(which)) + name;
    seconds.wall /= double(state.iterations());
    seconds.cpu /= double(state.iterations());
    if (mode == Mode::Plain)
        plainSeconds()[key] = seconds;
    else if (mode == Mode::Before)
        beforeSeconds()[key] = seconds;
    // Wall ratios suffer from other load on the machine; cpu ratios show
    // the work saved (the plain run's cpu is one core's).
    auto ratios = [&](const Seconds& other, const std::string& name) {
        state.counters[name] = other.wall / seconds.wall;
        state.counters["cpu_" + name] = other.cpu / seconds.cpu;
    };
    if (mode == Mode::Fused && plainSeconds().count(key))
        ratios(plainSeconds()[key], "speedup");
    if (mode == Mode::Fused && beforeSeconds().count(key))
        ratios(beforeSeconds()[key], "vs_before");
}

const char* modeName(Mode mode) {
    switch (mode) {
    case Mode::Plain:
        return "/plain1";
    case Mode::Before:
        return "/before";
    case Mode::Fused:
        break;
    }
    return "/fused";
}

std::map<std::string, double>& plainColourSeconds() {
    static std::map<std::string, double> seconds;
    return seconds;
}

// One 1024 picture's colouring with a shipped gradient, no file written.
void colour(benchmark::State& state, bool light, bool fast) {
    using namespace noise::utils;
    morvane::module::Perlin perlin;
    perlin.SetOctaveCount(8);
    NoiseMap map;
    NoiseMapBuilderPlane builder;
    builder.SetSourceModule(perlin);
    builder.SetDestNoiseMap(map);
    builder.SetDestSize(1024, 1024);
    builder.SetBounds(0, 4, 0, 4);
    builder.Build();
    RendererImage renderer;
    renderer.LoadGradientFromImage(QStringLiteral(MORVANE_PX_DIR "/resources/gradients/alpine.bmp"));
    renderer.EnableLight(light);
    renderer.SetSourceNoiseMap(map);
    const RowColourer colourer(renderer);
    std::vector<Color> row(1024);
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state)
        for (int y = 0; y < 1024; ++y) {
            if (fast)
                colourer.colourRow(map, y, row.data());
            else
                renderer.RenderRow(y, row.data());
            benchmark::DoNotOptimize(row.data());
        }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() /
        double(state.iterations());
    state.SetItemsProcessed(state.iterations() * 1024 * 1024);
    const std::string key = light ? "light" : "nolight";
    if (!fast)
        plainColourSeconds()[key] = seconds;
    else if (plainColourSeconds().count(key))
        state.counters["speedup"] = plainColourSeconds()[key] / seconds;
}

void registerAll() {
    const struct {
        const char* label;
        Case which;
        int iterations; // 0: let the library choose
    } cases[] = {{"preview256", Case::Preview256, 0},
                 {"full1024", Case::FullDetail1024, 1}};
    std::vector<std::string> names(std::begin(kShipped), std::end(kShipped));
    names.insert(names.end(), std::begin(kOwn), std::end(kOwn));
    for (const auto& c : cases)
        for (const std::string& name : names)
            for (Mode mode : {Mode::Plain, Mode::Before, Mode::Fused}) {
                const std::string title = std::string(c.label) + "/" + name + modeName(mode);
                auto* b = benchmark::RegisterBenchmark(
                    title.c_str(), [name, which = c.which, mode](benchmark::State& s) {
                        run(s, name, which, mode);
                    });
                b->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
                if (c.iterations > 0)
                    b->Iterations(c.iterations);
            }
    const QStringList presets =
        QDir(QStringLiteral(MORVANE_SOURCE_DIR "/resources/presets/"))
            .entryList({QStringLiteral("*.ipf")}, QDir::Files, QDir::Name);
    for (const QString& preset : presets) {
        const std::string name = preset.chopped(4).toStdString();
        for (Mode mode : {Mode::Before, Mode::Fused})
            benchmark::RegisterBenchmark(("slider256/" + name + modeName(mode)).c_str(),
                                         [name, mode](benchmark::State& s) {
                                             run(s, name, Case::Preview256, mode);
                                         })
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime()
                ->MeasureProcessCPUTime();
    }
    for (bool light : {false, true})
        for (bool fast : {false, true})
            benchmark::RegisterBenchmark(
                (std::string("colour1024/") + (light ? "light" : "nolight") +
                 (fast ? "/table" : "/plain"))
                    .c_str(),
                [light, fast](benchmark::State& s) { colour(s, light, fast); })
                ->Unit(benchmark::kMillisecond);
}

} // namespace

int main(int argc, char** argv) {
    registerAll();
    return runBenchmarksIn<QCoreApplication>(argc, argv);
}
