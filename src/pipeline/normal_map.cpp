#include "pipeline/normal_map.h"

#include "common/event_log.h"
#include "noise/image.h"
#include "noise/jpeg_writer.h"
#include "noise/renderer_normal_map.h"
#include "pipeline/generation_driver.h"
#include "pipeline/pipeline_state.h"

#include <QDir>
#include <QFileInfo>

namespace morvane {

double normalMapBumpFactor(int size) {
    switch (size) {
    case 512:
        return 1.0;
    case 1024:
        return 2.0;
    case 2048:
        return 4.0;
    case 4096:
        return 8.0;
    case 8192:
        return 16.0;
    case 16384:
        return 32.0;
    default:
        return 1.0;
    }
}

double normalMapBumpHeight(int sliderValue, int size) {
    return sliderValue / 100.0 * normalMapBumpFactor(size);
}

QString generateNormalMap(GenerationDriver& driver, const NormalMapRequest& request) {
    PipelineState& state = driver.state();
    const EvaluationContext& context = driver.context();

    // Smoothing stays on for the re-evaluation whatever the preview shows.
    const bool smoothing = state.smoothingFlag;
    state.smoothingFlag = true;
    struct SmoothingRestore {
        bool& flag;
        bool saved;
        ~SmoothingRestore() { flag = saved; }
    } restore{state.smoothingFlag, smoothing};

    int size = state.previewMapSize;
    if (request.isFinal) {
        if (request.normalMapSize <= 0)
            return QString();
        size = request.normalMapSize;
    }

    if (request.manualUpdate) {
        context.log->write(QStringLiteral("manual updated of normal map\n"));
        driver.evaluate(false, size, true);
    } else if (request.isFinal && size != request.textureSize) {
        context.log->write(QStringLiteral("create normal map from scratch\n"));
        driver.evaluate(false, size, true);
    }

    const noise::utils::NoiseMap& map = state.finalHeightMap;
    if (map.IsEmpty())
        return QString();
    noise::utils::Image image;
    image.SetSize(map.GetWidth(), map.GetHeight());
    noise::utils::RendererNormalMap renderer;
    renderer.SetSourceNoiseMap(map);
    renderer.SetDestImage(image);
    renderer.SetBumpHeight(normalMapBumpHeight(request.bumpSlider, size));
    renderer.Render();

    QString file;
    if (request.isFinal) {
        const QString folder =
            request.outputDir.isEmpty() ? context.paths.mapsDir() : request.outputDir;
        file = folder + QStringLiteral("/NormalMap_") + request.groupName + QStringLiteral(".jpg");
    } else {
        file = context.paths.mapFile(QStringLiteral("NMapFFnoisePreviewThumb.jpg"));
    }
    QDir().mkpath(QFileInfo(file).absolutePath());
    noise::utils::JpegWriter writer;
    writer.SetSourceImage(image);
    writer.SetDestFilename(file);
    return writer.WriteDestFile() ? file : QString();
}

} // namespace morvane
