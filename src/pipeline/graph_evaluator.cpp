#include "pipeline/graph_evaluator.h"

#include "common/event_log.h"
#include "common/notifier.h"
#include "common/progress_sink.h"
#include "common/run_beside.h"
#include "noise/jpeg_writer.h"
#include "noise/noise_map_builder.h"
#include "noise/point_capture.h"
#include "noise/renderer_image.h"
#include "noise/worker_cache.h"
#include "pipeline/fused_sampler.h"
#include "pipeline/module_factory.h"
#include "pipeline/picture_jobs.h"
#include "pipeline/pipeline_state.h"
#include "pipeline/pipeline_view.h"
#include "pipeline/streamed_mix.h"
#include "pipeline/terrain_eroder.h"
#include "pipeline/texture_mix.h"
#include "recipe/node_types.h"

#include <QDir>
#include <QFileInfo>

#include <libnoise/exception.h>

#include <algorithm>
#include <future>
#include <new>

namespace morvane {

using noise::utils::Image;
using noise::utils::NoiseMap;
using noise::utils::RendererImage;

namespace {

const QString kHeightGradient = QString::fromLatin1(TerrainRecipe::kHeightGradient);
const QString kTextureFile = QStringLiteral("TFFnoisePreview.jpg");
const QString kControlMapFile = QStringLiteral("C1ControlMap.jpg");
const QString kTurbulenceFiles[2] = {QStringLiteral("TD1TurbulenceMap.jpg"),
                                     QStringLiteral("TD2TurbulenceMap.jpg")};

QString inputHeightFile(int i) { return QStringLiteral("HI%1noisePreview.jpg").arg(i + 1); }
QString inputTextureFile(int i) { return QStringLiteral("TI%1noisePreview.jpg").arg(i + 1); }
QString deformerHeightFile(int i) { return QStringLiteral("HD%1noisePreview.jpg").arg(i + 1); }
QString deformerTextureFile(int i) { return QStringLiteral("TD%1noisePreview.jpg").arg(i + 1); }
PreviewSlot inputSlot(int i) { return i == 0 ? PreviewSlot::Input1 : PreviewSlot::Input2; }
PreviewSlot deformerSlot(int i) { return i == 0 ? PreviewSlot::Deformer1 : PreviewSlot::Deformer2; }

// A picture module loads its file into a slot shared with other picture
// modules when it is sampled at exactly the origin, so what such a graph
// gives depends on the order in which the stages sample; those graphs take
// the stage-by-stage path.
bool samplesPictures(const TerrainRecipe& recipe) {
    return inputTypeAt(recipe.inputs[0].type) == InputType::Image ||
           inputTypeAt(recipe.inputs[1].type) == InputType::Image ||
           inputTypeAt(recipe.combiner.noiseType) == InputType::Image;
}

} // namespace

struct GraphEvaluator::Light {
    bool enabled;
    double contrast;
    double intensity;
    double azimuth;
    double elevation;

    void applyTo(RendererImage& renderer) const {
        renderer.EnableLight(enabled);
        renderer.SetLightContrast(contrast);
        renderer.SetLightIntensity(intensity);
        renderer.SetLightAzimuth(azimuth);
        renderer.SetLightElev(elevation);
    }
};

EvaluationContext EvaluationContext::withFallbacks() const {
    static NullEventLog nullLog;
    static NullNotifier nullNotifier;
    static NullProgressSink nullProgress;
    static NullPipelineView nullView;
    static NullTerrainEroder nullEroder;
    EvaluationContext context = *this;
    if (!context.log)
        context.log = &nullLog;
    if (!context.notifier)
        context.notifier = &nullNotifier;
    if (!context.progress)
        context.progress = &nullProgress;
    if (!context.view)
        context.view = &nullView;
    if (!context.eroder)
        context.eroder = &nullEroder;
    return context;
}

GraphEvaluator::GraphEvaluator(PipelineState& state, const EvaluationContext& context)
    : m_state(state), m_context(context.withFallbacks()) {}

void GraphEvaluator::log(const QString& line) { m_context.log->write(line); }

void GraphEvaluator::showPreview(int slot, const QString& file) {
    m_context.view->showPreview(PreviewSlot(slot), m_context.paths.mapFile(file));
}

// What one evaluation works with, derived once from the state.
struct GraphEvaluator::Setup {
    bool finalFlag;
    bool fullDetail;
    int mapSize;
    double lowerX, upperX, lowerZ, upperZ;
    int style;
    Light light;
    QString gradients[2];
    bool mixTexture; // two gradients: the texture mixes stages 7 to 9
};

QString GraphEvaluator::outOfMemoryText(int mapSize) {
    return QStringLiteral("Not enough memory to compute the terrain at %1 x %1. "
                          "Please choose a smaller size.")
        .arg(mapSize);
}

void GraphEvaluator::loadGradient(RendererImage& renderer, const QString& name) {
    const QString file = m_context.paths.gradientFile(name);
    if (!QFileInfo(file).isFile()) {
        m_context.notifier->warn(QStringLiteral("Warning"),
                                 QStringLiteral("Gradient file not found. Unpredictable "
                                                "behaviour may occur."));
        return;
    }
    renderer.LoadGradientFromImage(file);
}

RendererImage GraphEvaluator::rendererFor(const QString& gradient, const Light* light) {
    RendererImage renderer;
    loadGradient(renderer, gradient);
    if (light)
        light->applyTo(renderer);
    else
        renderer.EnableLight(false);
    return renderer;
}

bool GraphEvaluator::evaluate(bool finalFlag, int requestedSize, bool fullDetail) {
    log(QStringLiteral("generating noise maps...\n"));
    if (m_state.loading)
        return true;
    m_state.refreshButtonVisible = false;
    m_context.view->setRefreshButtonVisible(false);

    const FinalStageSettings& fs = m_state.finalStage;
    const TerrainRecipe& recipe = m_state.recipe;
    int mapSize = finalFlag ? requestedSize : m_state.previewMapSize;
    if (fullDetail)
        mapSize = requestedSize;
    mapSize = std::clamp(mapSize, 1, noise::utils::NoiseMap::kMaxSide);
    const double noiseSize = std::max(1, recipe.noiseSize);
    const Setup setup{finalFlag,
                      fullDetail,
                      mapSize,
                      double(recipe.startX),
                      recipe.startX + noiseSize,
                      double(recipe.startY),
                      recipe.startY + noiseSize,
                      fs.mapStyle,
                      Light{fs.lightOn, double(std::max(1, fs.lightContrast)),
                            std::max(0.0, fs.lightIntensityValue()), double(fs.lightAzimuth),
                            double(fs.lightElevation)},
                      {recipe.gradient1, recipe.gradient2},
                      recipe.gradient1 != recipe.gradient2};

    const BusyScope busy(*m_context.progress);
    QDir().mkpath(m_context.paths.mapsDir());

    const bool plain = m_context.plainStages || samplesPictures(recipe);
    // The most float maps the evaluation holds at once: the final map, the
    // five node maps of a preview and the three of a mixed texture (which a
    // final build streams in bands).
    const std::uint64_t maps = 1 + (finalFlag ? 0 : (plain ? 1 : 5)) +
                               (setup.mixTexture ? (plain ? 1 : (finalFlag ? 0 : 3)) : 0);
    const std::uint64_t mapBytes =
        std::uint64_t((mapSize + 3) & ~3) * std::uint64_t(mapSize) * sizeof(float);
    m_pictureProblems.clear();
    m_lastError.clear();
    try {
        if (m_context.mapMemoryLimit > 0 && maps * mapBytes > m_context.mapMemoryLimit)
            throw noise::ExceptionOutOfMemory();
        if (plain)
            evaluatePlain(setup);
        else
            evaluateFused(setup);
    } catch (const noise::ExceptionOutOfMemory&) {
        m_lastError = outOfMemoryText(mapSize);
    } catch (const std::bad_alloc&) {
        m_lastError = outOfMemoryText(mapSize);
    }
    if (!m_lastError.isEmpty()) {
        m_context.notifier->warn(QStringLiteral("Error"), m_lastError);
        return false;
    }
    finish(setup);
    if (m_pictureProblems.isEmpty()) {
        m_picturesFailed = false;
        return true;
    }
    // A full disk fails every evaluation after a slider move: told once,
    // until the pictures are written again.
    m_lastError = QStringLiteral("The pictures could not be written: ") +
                  m_pictureProblems.first() +
                  (m_pictureProblems.size() > 1
                       ? QStringLiteral(" (and %1 more)").arg(m_pictureProblems.size() - 1)
                       : QString()) +
                  QStringLiteral("; the previous ones are kept.");
    if (!m_picturesFailed)
        m_context.notifier->warn(QStringLiteral("Error"), m_lastError);
    m_picturesFailed = true;
    return false;
}

void GraphEvaluator::finish(const Setup& setup) {
    const ErosionSettings& erosion = m_state.recipe.erosion;
    if (erosion.iterations > 0 && erosionTypeAt(erosion.type) != ErosionType::None)
        m_context.eroder->erodeTerrain(m_state);

    if (!setup.finalFlag)
        showPreview(int(PreviewSlot::Final),
                    setup.style == 0 ? QStringLiteral("HFFnoisePreview.jpg") : kTextureFile);
}

// The definition: every stage builds its own module chain's map with a
// plane builder, and every picture is rendered and written in turn.
void GraphEvaluator::evaluatePlain(const Setup& setup) {
    const TerrainRecipe& recipe = m_state.recipe;
    const bool finalFlag = setup.finalFlag;
    const int mapSize = setup.mapSize;
    const Light& light = setup.light;
    const int style = setup.style;
    ProgressSink& progress = *m_context.progress;

    ModuleArena arena;
    ModuleFactory factory(arena, setup.fullDetail,
                          m_context.plainStages || m_context.plainModules);

    auto build = [&](const noise::module::Module& module, NoiseMap& map, int node) {
        noise::utils::NoiseMapBuilderPlane builder;
        builder.SetSourceModule(module);
        builder.SetDestNoiseMap(map);
        builder.SetDestSize(mapSize, mapSize);
        builder.SetBounds(setup.lowerX, setup.upperX, setup.lowerZ, setup.upperZ);
        builder.SetProgressSink(&progress);
        builder.SetThreadCount(m_context.threadCount);
        builder.Build(node);
        log(QStringLiteral("noise node %1 generated\n").arg(node));
    };
    // The final build writes no node pictures, so the maps of stages 1 to 5
    // are not needed. Their one lasting effect is a picture module loading
    // its file on the sample at exactly (0, 0, 0); that sample alone is
    // taken, so the final map comes out as if every node had been built.
    const bool windowHasOrigin = noise::utils::NoiseMapBuilderPlane::SamplesOrigin(
        setup.lowerX, setup.upperX, setup.lowerZ, setup.upperZ, mapSize, mapSize);
    auto buildNode = [&](const noise::module::Module& module, NoiseMap& map, int node) {
        if (!finalFlag || m_context.plainSamplesEveryStage) {
            build(module, map, node);
            return;
        }
        noise::utils::NoiseMapBuilderPlane::AnnounceNode(&progress, node);
        if (windowHasOrigin)
            module.GetValue(0.0, 0.0, 0.0);
        noise::utils::NoiseMapBuilderPlane::AnnounceDone(&progress);
        log(QStringLiteral("noise node %1 generated\n").arg(node));
    };
    auto write = [&](RendererImage renderer, const NoiseMap& map, const QString& file) {
        Image image;
        renderer.SetSourceNoiseMap(map);
        renderer.SetDestImage(image);
        renderer.Render();
        noise::utils::JpegWriter writer;
        writer.SetSourceImage(image);
        writer.SetDestFilename(m_context.paths.mapFile(file));
        QString why;
        if (!writer.WriteDestFile(&why))
            m_pictureProblems << writer.GetDestFilename() + QStringLiteral(": ") + why;
    };
    // Height picture (black and white, no light) and texture picture of a
    // node, and the preview its panel shows.
    auto nodePictures = [&](const NoiseMap& map, const QString& heightFile,
                            const QString& textureFile, const QString& gradient,
                            PreviewSlot slot) {
        // One renderer for both: a missing gradient file leaves the height
        // gradient in place, as it always has.
        RendererImage renderer = rendererFor(kHeightGradient, nullptr);
        write(renderer, map, heightFile);
        if (style == 0)
            showPreview(int(slot), heightFile);
        loadGradient(renderer, gradient);
        light.applyTo(renderer);
        write(renderer, map, textureFile);
        if (style == 1)
            showPreview(int(slot), textureFile);
    };

    // Stages 1 and 2: the inputs.
    const noise::module::Module* inputs[2];
    for (int i = 0; i < 2; ++i) {
        inputs[i] = &factory.inputGenerator(recipe.inputs[std::size_t(i)]);
        NoiseMap map;
        buildNode(*inputs[i], map, i + 1);
        if (!finalFlag)
            nodePictures(map, inputHeightFile(i), inputTextureFile(i), setup.gradients[i],
                         inputSlot(i));
    }

    // Stages 3 and 4: the deformers over their inputs.
    const noise::module::Module* deformers[2];
    for (int i = 0; i < 2; ++i) {
        deformers[i] = &factory.deformer(recipe.deformers[std::size_t(i)], recipe.noiseSize,
                                         *inputs[i]);
        NoiseMap map;
        buildNode(*deformers[i], map, i + 3);
        if (!finalFlag)
            nodePictures(map, deformerHeightFile(i), deformerTextureFile(i), setup.gradients[i],
                         deformerSlot(i));
    }

    // Stage 5: the combiner's control noise.
    const noise::module::Module& control = factory.controlNoise(recipe.combiner);
    {
        NoiseMap map;
        buildNode(control, map, 5);
        if (!finalFlag) {
            write(rendererFor(kHeightGradient, &light), map, QStringLiteral("C1noisePreview.jpg"));
            showPreview(int(PreviewSlot::ControlNoise), QStringLiteral("C1noisePreview.jpg"));
        }
    }

    // Stage 6: combiner and turbulence into the final height map.
    const noise::module::Module& combined =
        factory.combiner(recipe.combiner, *deformers[0], *deformers[1], control);
    const noise::module::Module& finalModule = factory.turbulence(recipe.turbulence, combined);
    build(finalModule, m_state.finalHeightMap, 6);
    write(rendererFor(kHeightGradient, nullptr), m_state.finalHeightMap,
          QStringLiteral("HFFnoisePreview.jpg"));

    // The terrain texture: one gradient over the final map, or two gradients
    // over the deformer results mixed by the control noise.
    if (!setup.mixTexture) {
        write(rendererFor(setup.gradients[0], &light), m_state.finalHeightMap, kTextureFile);
    } else {
        {
            NoiseMap map;
            build(factory.turbulence(recipe.turbulence, control), map, 7);
            write(RendererImage(), map, kControlMapFile); // greyscale, no light
        }
        for (int i = 0; i < 2; ++i) {
            NoiseMap map;
            build(factory.turbulence(recipe.turbulence, *deformers[i]), map, 8 + i);
            write(rendererFor(setup.gradients[i], &light), map, kTurbulenceFiles[i]);
        }
        const QImage mixed = mixTextures(QImage(m_context.paths.mapFile(kControlMapFile)),
                                         QImage(m_context.paths.mapFile(kTurbulenceFiles[0])),
                                         QImage(m_context.paths.mapFile(kTurbulenceFiles[1])));
        QString why;
        if (!noise::utils::SaveJpeg(mixed, m_context.paths.mapFile(kTextureFile), &why))
            m_pictureProblems << m_context.paths.mapFile(kTextureFile) + QStringLiteral(": ") + why;
    }
}

// Every stage sampled in one pass over the points, sharing the values and
// the turbulence displacement the stages have in common; then every picture
// at once. Maps, pictures, log lines, warnings and previews come out as the
// stage-by-stage path leaves them.
void GraphEvaluator::evaluateFused(const Setup& setup) {
    const TerrainRecipe& recipe = m_state.recipe;
    const bool finalFlag = setup.finalFlag;
    const Light& light = setup.light;
    ProgressSink& progress = *m_context.progress;
    // A final two-gradient texture takes stages 7 to 9 straight into their
    // pictures band by band: only the final map is held whole.
    const bool streamMix = finalFlag && setup.mixTexture;

    ModuleArena arena;
    ModuleFactory factory(arena, setup.fullDetail, m_context.plainModules);
    FusedGraph graph;
    for (int i = 0; i < 2; ++i)
        graph.inputs[i] = &factory.inputGenerator(recipe.inputs[std::size_t(i)]);
    for (int i = 0; i < 2; ++i)
        graph.deformers[i] = &factory.deformer(recipe.deformers[std::size_t(i)],
                                               recipe.noiseSize, *graph.inputs[i]);
    // The control noise is uncached in its own chain; a cache returns the
    // same values and lets stages 5, 6 and 7 share them.
    auto& control = arena.make<module::Cache>();
    control.SetSourceModule(0, factory.controlNoise(recipe.combiner));
    graph.control = &control;
    graph.combiner =
        &factory.combiner(recipe.combiner, *graph.deformers[0], *graph.deformers[1], control);
    auto& capture = arena.make<module::PointCapture>();
    const noise::module::Module& displacement = factory.turbulence(recipe.turbulence, capture);
    if (&displacement != &capture) {
        graph.displacement = &displacement;
        graph.capture = &capture;
    }

    NoiseMap nodeMaps[10];
    FusedMaps maps;
    if (!finalFlag)
        for (int stage = 1; stage <= 5; ++stage)
            maps.stage[stage] = &nodeMaps[stage];
    maps.stage[6] = &m_state.finalHeightMap;
    if (setup.mixTexture && !streamMix)
        for (int stage = 7; stage <= 9; ++stage)
            maps.stage[stage] = &nodeMaps[stage];

    // The pictures, set up in the order the stages write them (so missing
    // gradients warn in that order), written all at once, then shown.
    std::vector<PictureJob> jobs;
    std::vector<std::pair<PreviewSlot, QString>> previews;
    auto add = [&](const RendererImage& renderer, const NoiseMap& map, const QString& file) {
        jobs.push_back(PictureJob{renderer, &map, m_context.paths.mapFile(file)});
    };
    auto setUpPictures = [&] {
        auto nodePictures = [&](const NoiseMap& map, const QString& heightFile,
                                const QString& textureFile, const QString& gradient,
                                PreviewSlot slot) {
            RendererImage renderer = rendererFor(kHeightGradient, nullptr);
            add(renderer, map, heightFile);
            loadGradient(renderer, gradient);
            light.applyTo(renderer);
            add(renderer, map, textureFile);
            previews.emplace_back(slot, setup.style == 0 ? heightFile : textureFile);
        };
        if (!finalFlag) {
            for (int i = 0; i < 2; ++i)
                nodePictures(nodeMaps[1 + i], inputHeightFile(i), inputTextureFile(i),
                             setup.gradients[i], inputSlot(i));
            for (int i = 0; i < 2; ++i)
                nodePictures(nodeMaps[3 + i], deformerHeightFile(i), deformerTextureFile(i),
                             setup.gradients[i], deformerSlot(i));
            add(rendererFor(kHeightGradient, &light), nodeMaps[5],
                QStringLiteral("C1noisePreview.jpg"));
            previews.emplace_back(PreviewSlot::ControlNoise, QStringLiteral("C1noisePreview.jpg"));
        }
        add(rendererFor(kHeightGradient, nullptr), m_state.finalHeightMap,
            QStringLiteral("HFFnoisePreview.jpg"));
        if (!setup.mixTexture) {
            add(rendererFor(setup.gradients[0], &light), m_state.finalHeightMap, kTextureFile);
        } else {
            add(RendererImage(), nodeMaps[7], kControlMapFile); // greyscale, no light
            for (int i = 0; i < 2; ++i)
                add(rendererFor(setup.gradients[i], &light), nodeMaps[8 + i], kTurbulenceFiles[i]);
        }
    };

    using noise::utils::NoiseMapBuilderPlane;
    const std::vector<double> xs =
        NoiseMapBuilderPlane::AxisSteps(setup.lowerX, setup.upperX, setup.mapSize);
    const std::vector<double> zs =
        NoiseMapBuilderPlane::AxisSteps(setup.lowerZ, setup.upperZ, setup.mapSize);
    std::vector<PictureJob> mixJobs;
    NoiseMapBuilderPlane::AnnounceNode(&progress, 1);
    if (streamMix) {
        // Their pictures are made during the sampling.
        setUpPictures();
        mixJobs.assign(jobs.end() - 3, jobs.end());
        jobs.resize(jobs.size() - 3);
        m_pictureProblems << sampleFusedWithStreamedMix(graph, xs, zs, m_state.finalHeightMap,
                                                        mixJobs, m_context.threadCount);
    } else {
        sampleFused(graph, xs, zs, maps, m_context.threadCount);
    }
    const int lastNode = setup.mixTexture ? 9 : 6;
    for (int node = 1; node <= lastNode; ++node) {
        if (node > 1)
            NoiseMapBuilderPlane::AnnounceNode(&progress, node);
        NoiseMapBuilderPlane::AnnounceDone(&progress);
        log(QStringLiteral("noise node %1 generated\n").arg(node));
    }
    if (!streamMix)
        setUpPictures();

    // The mix reads the written pictures back, as the stage-by-stage path
    // does: JPEG's losses are part of the texture. Streamed, its pictures
    // are done already and it runs beside the others.
    bool mixed = true;
    QString mixProblem;
    auto mix = [&] {
        mixed = mixTextureFiles(m_context.paths.mapFile(kControlMapFile),
                                m_context.paths.mapFile(kTurbulenceFiles[0]),
                                m_context.paths.mapFile(kTurbulenceFiles[1]),
                                m_context.paths.mapFile(kTextureFile), &mixProblem);
    };
    std::future<void> mixing;
    if (streamMix)
        mixing = runBeside(mix);
    m_pictureProblems << writePictures(jobs, m_context.threadCount);
    if (mixing.valid())
        mixing.get();
    else if (setup.mixTexture)
        mix();
    if (!mixed)
        m_pictureProblems << m_context.paths.mapFile(kTextureFile) + QStringLiteral(": ") +
                                 mixProblem;
    for (const auto& [slot, file] : previews)
        showPreview(int(slot), file);
}

} // namespace morvane
