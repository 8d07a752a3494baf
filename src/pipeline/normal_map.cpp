#include "pipeline/normal_map.h"

#include "common/event_log.h"
#include "noise/image.h"
#include "noise/jpeg_stream_writer.h"
#include "noise/noise_map_builder.h"
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
        if (!driver.evaluate(false, size, true))
            return QString(); // the map of the last evaluation has another size
    } else if (request.isFinal && size != request.textureSize) {
        context.log->write(QStringLiteral("create normal map from scratch\n"));
        if (!driver.evaluate(false, size, true))
            return QString();
    }

    const noise::utils::NoiseMap& map = state.finalHeightMap;
    if (map.IsEmpty())
        return QString();
    noise::utils::RendererNormalMap renderer;
    renderer.SetSourceNoiseMap(map);
    renderer.SetBumpHeight(normalMapBumpHeight(request.bumpSlider, size));
    QString file;
    if (request.isFinal) {
        const QString folder =
            request.outputDir.isEmpty() ? context.paths.mapsDir() : request.outputDir;
        file = folder + QStringLiteral("/NormalMap_") + request.groupName + QStringLiteral(".jpg");
    } else {
        file = context.paths.mapFile(QStringLiteral("NMapFFnoisePreviewThumb.jpg"));
    }
    QDir().mkpath(QFileInfo(file).absolutePath());
    // Rows are encoded as they are computed, the top of the picture (the
    // map's last row) first, so a 16384 map needs no full-size picture.
    const int height = map.GetHeight();
    const int threads = context.threadCount > 0
                            ? context.threadCount
                            : noise::utils::NoiseMapBuilderPlane::DefaultThreadCount();
    const bool written = noise::utils::WriteJpegRows(
        file, map.GetWidth(), height, threads, [&](int row, noise::utils::Color* colors) {
            renderer.RenderRow(height - 1 - row, colors);
        });
    return written ? file : QString();
}

} // namespace morvane
