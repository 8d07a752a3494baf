// Whole-graph evaluation of shipped presets: the preview at 256 and the
// final full-detail build at 2048, each with one sampling thread (the plain
// serial loop) and with every core. Compare the pairs' real times for the
// parallel speed-up; items_per_second counts final-map samples.

#include "common/event_log.h"
#include "common/notifier.h"
#include "common/seed_source.h"
#include "pipeline/graph_evaluator.h"
#include "pipeline/pipeline_state.h"
#include "recipe/preset_file.h"
#include "bench_main.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

namespace {

using namespace morvane;

const char* const kPresets[] = {"alpine ridges", "canyon lands", "gabor ripples",
                                "volcanic caldera", "tropical islands"};

void evaluatePreset(benchmark::State& state, const char* name, int size, bool finalBuild) {
    QTemporaryDir data;
    PipelinePaths paths;
    paths.pluginDir = QStringLiteral(MORVANE_PX_DIR);
    paths.dataDir = data.path();
    const QString presetFile =
        QStringLiteral(MORVANE_SOURCE_DIR "/resources/presets/") + name + ".ipf";
    if (!QFile::exists(presetFile)) {
        state.SkipWithError("preset not found");
        return;
    }

    PipelineState pipeline;
    SequenceSeedSource seeds(1);
    pipeline.recipe = TerrainRecipe::startup(seeds);
    NullNotifier notifier;
    PresetReadOptions options;
    options.gradientNames = paths.gradientNames();
    readPresetFile(presetFile, pipeline.recipe, options, notifier);
    pipeline.finalStage.mapStyle = 1;
    pipeline.previewMapSize = pipeline.previewPictureSize = size;

    EvaluationContext context;
    context.paths = paths;
    context.threadCount = int(state.range(0));
    GraphEvaluator evaluator(pipeline, context);
    for (auto _ : state)
        evaluator.evaluate(finalBuild, size, finalBuild);
    state.SetItemsProcessed(state.iterations() * std::int64_t(size) * size);
}

void registerAll() {
    for (const char* name : kPresets) {
        benchmark::RegisterBenchmark((std::string("preview256/") + name).c_str(),
                                     [name](benchmark::State& s) {
                                         evaluatePreset(s, name, 256, false);
                                     })
            ->Arg(1)
            ->Arg(0)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark((std::string("final2048/") + name).c_str(),
                                     [name](benchmark::State& s) {
                                         evaluatePreset(s, name, 2048, true);
                                     })
            ->Arg(1)
            ->Arg(0)
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
}

} // namespace

int main(int argc, char** argv) {
    registerAll();
    return runBenchmarksIn<QCoreApplication>(argc, argv);
}
