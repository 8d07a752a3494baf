// Frame time of the viewport on the full 512 x 512 terrain (522242
// triangles): one paintGL plus glFinish, drawn from client arrays, from the
// buffer objects, and as the decimated proxy drawn while the camera moves.
// Needs a display:
//   scripts/with-display build/release/bench/viewport_bench

#include "common/event_log.h"
#include "common/progress_sink.h"
#include "common/user_prompts.h"
#include "noise/generator_variants.h"
#include "noise/noise_map_builder.h"
#include "pipeline/pipeline_paths.h"
#include "pipeline/pipeline_state.h"
#include "pipeline/terrain_arrays.h"
#include "common/random_source.h"
#include "props/obj_model.h"
#include "props/terrain_cell.h"
#include "props/ui/prop_display_lists.h"
#include "viewport/ui/gl_terrain.h"
#include "viewport/viewport_state.h"
#include "bench_main.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QGLFormat>
#include <QTemporaryDir>

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include <sys/resource.h>

namespace {

using namespace morvane;

constexpr int kSide = 512;
constexpr int kTerrainSize = 100;

struct SilentPrompts : UserPrompts {
    void warn(const QString&, const QString&) override {}
    bool askYesCancel(const QString&, const QString&) override { return false; }
    QString chooseOpenFile(const QString&, const QString&, const QString&) override {
        return QString();
    }
    QString askText(const QString&, const QString&, bool* accepted) override {
        if (accepted)
            *accepted = false;
        return QString();
    }
    double askNumber(const QString&, const QString&, double value, double, double, int,
                     bool* accepted) override {
        if (accepted)
            *accepted = false;
        return value;
    }
};

// paintGL is what the redraw timer runs; the benchmark calls it directly.
class BenchViewport : public GLTerrain {
  public:
    using GLTerrain::GLTerrain;
    void drawFrame() {
        makeCurrent();
        paintGL();
        glFinish();
    }
};

struct Scene {
    PipelineState pipeline;
    ViewportState viewport;
    SilentPrompts prompts;
    NullProgressSink progress;
    NullEventLog log;
    PipelinePaths paths;
    std::unique_ptr<BenchViewport> view;

    Scene() {
        module::Perlin perlin;
        perlin.SetOctaveCount(8);
        noise::utils::NoiseMap map;
        noise::utils::NoiseMapBuilderPlane builder;
        builder.SetSourceModule(perlin);
        builder.SetDestNoiseMap(map);
        builder.SetDestSize(kSide, kSide);
        builder.SetBounds(0.0, 4.0, 0.0, 4.0);
        builder.Build();
        TerrainBuildParams params;
        params.terrainSize = kTerrainSize;
        params.heightLow = 0;
        params.heightUp = 15;
        pipeline.terrain = buildTerrainArrays(map, params, log);
        pipeline.decimatedTerrain = buildDecimatedTerrainArrays(map, params, log);
        pipeline.terrainExists = true;
        pipeline.finalStage.terrainSizeText = QString::number(kTerrainSize);
        viewport.mode = GLMode::Edit;
        paths.pluginDir = QStringLiteral(MORVANE_PX_DIR); // the shaders are linked

        QGLFormat format;
        format.setDoubleBuffer(true);
        format.setDepthBufferSize(24);
        format.setSwapInterval(0);
        view = std::make_unique<BenchViewport>(
            format, ViewportContext{pipeline, viewport, prompts, progress, log, paths});
        view->show();
        QApplication::processEvents();
        view->setFarPlane(farPlaneFor(kTerrainSize));
        // The view a terrain build leaves: the whole terrain, from above.
        resetView(view->camera(), view->navigation(), kTerrainSize, nullptr);
        view->uploadTerrainBuffers();
        view->drawFrame(); // copies the navigation into the camera
    }
};

Scene& scene() {
    static Scene shared;
    return shared;
}

void drawFrames(benchmark::State& state, bool buffers, bool proxy) {
    Scene& s = scene();
    s.viewport.useVBO = buffers;
    s.viewport.proxyActive = proxy;
    rusage before{};
    getrusage(RUSAGE_SELF, &before);
    for (auto _ : state)
        s.view->drawFrame();
    rusage after{};
    getrusage(RUSAGE_SELF, &after);
    // Pages the kernel had to map in: the renderer's frame memory when the
    // heap hands it back after every frame.
    state.counters["faults/frame"] =
        double(after.ru_minflt - before.ru_minflt) / double(std::max<long>(1, state.iterations()));
    const TerrainArrays& drawn = proxy ? s.pipeline.decimatedTerrain : s.pipeline.terrain;
    state.counters["triangles"] = double(drawn.indexCount() / 3);
    state.counters["fps"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

// A tree of four stacked cones, 48 sides each, as prop slot 1.
int compileTree(Scene& s) {
    static QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("tree.obj"));
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Text))
        return 0;
    constexpr int kSides = 48;
    QByteArray text;
    int base = 1;
    for (int level = 0; level < 4; ++level) {
        const double radius = 4.0 - level * 0.8;
        const double y = 2.0 + level * 2.5;
        for (int i = 0; i < kSides; ++i) {
            const double a = 2.0 * M_PI * i / kSides;
            text += QByteArray("v ") + QByteArray::number(radius * std::cos(a)) + ' ' +
                    QByteArray::number(y) + ' ' + QByteArray::number(radius * std::sin(a)) + '\n';
        }
        text += QByteArray("v 0 ") + QByteArray::number(y + 4.0) + " 0\n";
        const int apex = base + kSides;
        for (int i = 0; i < kSides; ++i)
            text += QByteArray("f ") + QByteArray::number(base + i) + ' ' +
                    QByteArray::number(apex) + ' ' +
                    QByteArray::number(base + (i + 1) % kSides) + '\n';
        base = apex + 1;
    }
    out.write(text);
    out.close();
    ObjFacts facts;
    QStringList console;
    s.view->makeCurrent();
    if (!s.view->propLists().compile(1, {file}, facts, s.prompts, console))
        return 0;
    s.viewport.currentProp.boxMin = facts.boxMin;
    s.viewport.currentProp.boxMax = facts.boxMax;
    return facts.propTriangleCount;
}

// `count` trees at random spots of the terrain, standing on it.
void plantTrees(Scene& s, int count) {
    s.viewport.items.clear();
    SequenceRandomSource random(3);
    const int half = kTerrainSize / 2;
    for (int i = 0; i < count; ++i) {
        ItemRecord item;
        item.itemNumber = i;
        item.modelSlot = 1;
        const float gx = float(random.between(0, kTerrainSize * 100 - 1)) * 0.01f;
        const float gz = float(random.between(0, kTerrainSize * 100 - 1)) * 0.01f;
        item.position = {gx - half, 0.0f, gz - half};
        if (const auto cell = terrainCellAt(s.pipeline.terrain, gx, gz))
            item.position[1] = surfaceAt(s.pipeline.terrain, *cell).height;
        item.rotation = {0, random.between(0, 359), 0};
        item.colour = {0.2f, 0.5f, 0.2f};
        item.scale = {800.0f, 800.0f, 800.0f};
        item.boxMin = s.viewport.currentProp.boxMin;
        item.boxMax = s.viewport.currentProp.boxMax;
        s.viewport.items.push_back(item);
    }
}

// The terrain from the buffer objects with 0, 1000 and 10 000 painted trees.
void BM_FrameWithTrees(benchmark::State& state) {
    Scene& s = scene();
    static const int triangles = compileTree(s);
    if (triangles == 0) {
        state.SkipWithError("the tree prop did not compile");
        return;
    }
    plantTrees(s, int(state.range(0)));
    s.viewport.useVBO = true;
    s.viewport.proxyActive = false;
    for (auto _ : state)
        s.view->drawFrame();
    state.counters["triangles"] =
        double(s.pipeline.terrain.indexCount() / 3 + triangles * int(state.range(0)));
    state.counters["fps"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    s.viewport.items.clear();
}

void BM_FrameClientArrays(benchmark::State& state) {
    drawFrames(state, false, false);
}
void BM_FrameBufferObjects(benchmark::State& state) {
    drawFrames(state, true, false);
}
void BM_FrameProxy(benchmark::State& state) {
    drawFrames(state, false, true);
}

} // namespace

BENCHMARK(BM_FrameClientArrays)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_FrameBufferObjects)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_FrameProxy)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_FrameWithTrees)->Arg(0)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)
    ->UseRealTime()->MinTime(2.0);

int main(int argc, char** argv) {
    return runBenchmarksIn<QApplication>(argc, argv, [] { scene().view.reset(); });
}
