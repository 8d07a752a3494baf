#include "pipeline/graph_evaluator.h"

#include "common/event_log.h"
#include "common/notifier.h"
#include "common/progress_sink.h"
#include "noise/jpeg_writer.h"
#include "noise/noise_map_builder.h"
#include "noise/renderer_image.h"
#include "pipeline/module_factory.h"
#include "pipeline/pipeline_state.h"
#include "pipeline/pipeline_view.h"
#include "pipeline/terrain_eroder.h"
#include "pipeline/texture_mix.h"
#include "recipe/node_types.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace morvane {

using noise::utils::Image;
using noise::utils::NoiseMap;
using noise::utils::RendererImage;

namespace {

const QString kHeightGradient = QString::fromLatin1(TerrainRecipe::kHeightGradient);

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

void GraphEvaluator::evaluate(bool finalFlag, int requestedSize, bool fullDetail) {
    log(QStringLiteral("generating noise maps...\n"));
    if (m_state.loading)
        return;
    m_state.refreshButtonVisible = false;
    m_context.view->setRefreshButtonVisible(false);

    const FinalStageSettings& fs = m_state.finalStage;
    const Light light{fs.lightOn, double(std::max(1, fs.lightContrast)),
                      std::max(0.0, fs.lightIntensityValue()), double(fs.lightAzimuth),
                      double(fs.lightElevation)};
    ProgressSink& progress = *m_context.progress;
    const BusyScope busy(progress);

    int mapSize = finalFlag ? requestedSize : m_state.previewMapSize;
    if (fullDetail)
        mapSize = requestedSize;
    mapSize = std::clamp(mapSize, 1, noise::utils::NoiseMap::kMaxSide);

    const TerrainRecipe& recipe = m_state.recipe;
    const double noiseSize = std::max(1, recipe.noiseSize);
    const double lowerX = recipe.startX;
    const double lowerZ = recipe.startY;

    QDir().mkpath(m_context.paths.mapsDir());
    const int style = fs.mapStyle;

    ModuleArena arena;
    ModuleFactory factory(arena, fullDetail);

    auto build = [&](const noise::module::Module& module, NoiseMap& map, int node) {
        noise::utils::NoiseMapBuilderPlane builder;
        builder.SetSourceModule(module);
        builder.SetDestNoiseMap(map);
        builder.SetDestSize(mapSize, mapSize);
        builder.SetBounds(lowerX, lowerX + noiseSize, lowerZ, lowerZ + noiseSize);
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
        lowerX, lowerX + noiseSize, lowerZ, lowerZ + noiseSize, mapSize, mapSize);
    auto buildNode = [&](const noise::module::Module& module, NoiseMap& map, int node) {
        if (!finalFlag) {
            build(module, map, node);
            return;
        }
        noise::utils::NoiseMapBuilderPlane::AnnounceNode(&progress, node);
        if (windowHasOrigin)
            module.GetValue(0.0, 0.0, 0.0);
        noise::utils::NoiseMapBuilderPlane::AnnounceDone(&progress);
        log(QStringLiteral("noise node %1 generated\n").arg(node));
    };
    auto write = [&](RendererImage& renderer, const NoiseMap& map, const QString& file) {
        Image image;
        renderer.SetSourceNoiseMap(map);
        renderer.SetDestImage(image);
        renderer.Render();
        noise::utils::JpegWriter writer;
        writer.SetSourceImage(image);
        writer.SetDestFilename(m_context.paths.mapFile(file));
        writer.WriteDestFile();
    };
    // Height picture (black and white, no light) and texture picture of a
    // node, and the preview its panel shows.
    auto nodePictures = [&](const NoiseMap& map, const QString& heightFile,
                            const QString& textureFile, const QString& gradient, int slot) {
        RendererImage renderer;
        loadGradient(renderer, kHeightGradient);
        renderer.EnableLight(false);
        write(renderer, map, heightFile);
        if (style == 0)
            showPreview(slot, heightFile);
        loadGradient(renderer, gradient);
        light.applyTo(renderer);
        write(renderer, map, textureFile);
        if (style == 1)
            showPreview(slot, textureFile);
    };

    const QString gradients[2] = {recipe.gradient1, recipe.gradient2};

    // Stages 1 and 2: the inputs.
    const noise::module::Module* inputs[2];
    for (int i = 0; i < 2; ++i) {
        inputs[i] = &factory.inputGenerator(recipe.inputs[std::size_t(i)]);
        NoiseMap map;
        buildNode(*inputs[i], map, i + 1);
        if (!finalFlag)
            nodePictures(map, QStringLiteral("HI%1noisePreview.jpg").arg(i + 1),
                         QStringLiteral("TI%1noisePreview.jpg").arg(i + 1), gradients[i],
                         int(i == 0 ? PreviewSlot::Input1 : PreviewSlot::Input2));
    }

    // Stages 3 and 4: the deformers over their inputs.
    const noise::module::Module* deformers[2];
    for (int i = 0; i < 2; ++i) {
        deformers[i] = &factory.deformer(recipe.deformers[std::size_t(i)], recipe.noiseSize,
                                         *inputs[i]);
        NoiseMap map;
        buildNode(*deformers[i], map, i + 3);
        if (!finalFlag)
            nodePictures(map, QStringLiteral("HD%1noisePreview.jpg").arg(i + 1),
                         QStringLiteral("TD%1noisePreview.jpg").arg(i + 1), gradients[i],
                         int(i == 0 ? PreviewSlot::Deformer1 : PreviewSlot::Deformer2));
    }

    // Stage 5: the combiner's control noise.
    const noise::module::Module& control = factory.controlNoise(recipe.combiner);
    {
        NoiseMap map;
        buildNode(control, map, 5);
        if (!finalFlag) {
            RendererImage renderer;
            loadGradient(renderer, kHeightGradient);
            light.applyTo(renderer);
            write(renderer, map, QStringLiteral("C1noisePreview.jpg"));
            showPreview(int(PreviewSlot::ControlNoise), QStringLiteral("C1noisePreview.jpg"));
        }
    }

    // Stage 6: combiner and turbulence into the final height map.
    const noise::module::Module& combined =
        factory.combiner(recipe.combiner, *deformers[0], *deformers[1], control);
    const noise::module::Module& finalModule = factory.turbulence(recipe.turbulence, combined);
    build(finalModule, m_state.finalHeightMap, 6);
    {
        RendererImage renderer;
        loadGradient(renderer, kHeightGradient);
        renderer.EnableLight(false);
        write(renderer, m_state.finalHeightMap, QStringLiteral("HFFnoisePreview.jpg"));
    }

    // The terrain texture: one gradient over the final map, or two gradients
    // over the deformer results mixed by the control noise.
    const QString textureFile = QStringLiteral("TFFnoisePreview.jpg");
    if (gradients[0] == gradients[1]) {
        RendererImage renderer;
        loadGradient(renderer, gradients[0]);
        light.applyTo(renderer);
        write(renderer, m_state.finalHeightMap, textureFile);
    } else {
        const QString controlFile = QStringLiteral("C1ControlMap.jpg");
        const QString turbulenceFiles[2] = {QStringLiteral("TD1TurbulenceMap.jpg"),
                                            QStringLiteral("TD2TurbulenceMap.jpg")};
        {
            NoiseMap map;
            build(factory.turbulence(recipe.turbulence, control), map, 7);
            RendererImage renderer; // greyscale, no light
            write(renderer, map, controlFile);
        }
        for (int i = 0; i < 2; ++i) {
            NoiseMap map;
            build(factory.turbulence(recipe.turbulence, *deformers[i]), map, 8 + i);
            RendererImage renderer;
            loadGradient(renderer, gradients[i]);
            light.applyTo(renderer);
            write(renderer, map, turbulenceFiles[i]);
        }
        const QImage mixed =
            mixTextures(QImage(m_context.paths.mapFile(controlFile)),
                        QImage(m_context.paths.mapFile(turbulenceFiles[0])),
                        QImage(m_context.paths.mapFile(turbulenceFiles[1])));
        noise::utils::SaveJpeg(mixed, m_context.paths.mapFile(textureFile));
    }

    const ErosionSettings& erosion = recipe.erosion;
    if (erosion.iterations > 0 && erosionTypeAt(erosion.type) != ErosionType::None)
        m_context.eroder->erodeTerrain(m_state);

    if (!finalFlag)
        showPreview(int(PreviewSlot::Final),
                    style == 0 ? QStringLiteral("HFFnoisePreview.jpg") : textureFile);
}

} // namespace morvane
