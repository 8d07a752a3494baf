#include "pipeline/terrain_erosion.h"

#include "common/progress_sink.h"
#include "noise/jpeg_writer.h"
#include "pipeline/erosion_methods.h"
#include "pipeline/pipeline_state.h"
#include "pipeline/pipeline_view.h"
#include "recipe/node_types.h"
#include "recipe/terrain_recipe.h"

#include <QImage>

#include <algorithm>
#include <cmath>
#include <limits>

namespace morvane {

// The grey level of a height: int(h * 255), clamped to 0..255. Keeping only
// the low byte, as a plain cast to a byte does, turned peaks that hydraulics
// raised a little above 1 into black specks on the height picture.
int erosionGreyLevel(float height) {
    const double scaled = double(height * 255.0f);
    if (std::isnan(scaled))
        return 0;
    return int(std::clamp(scaled, 0.0, 255.0));
}

void TerrainErosion::erodeTerrain(PipelineState& state) {
    const ErosionSettings& settings = state.recipe.erosion;
    const ErosionType type = erosionTypeAt(settings.type);
    if (type == ErosionType::None)
        return;
    noise::utils::NoiseMap& map = state.finalHeightMap;
    const int n = map.GetWidth();
    if (map.IsEmpty() || map.GetHeight() != n)
        return;

    const EvaluationContext context = m_context.withFallbacks();
    ProgressSink& progress = *context.progress;
    PipelineView& view = *context.view;

    // The height picture of the evaluation becomes the canvas of the eroded
    // one; without it the map is still eroded but no picture is written.
    const QString pictureFile = m_context.paths.mapFile(QStringLiteral("HFFnoisePreview.jpg"));
    QImage canvas(pictureFile);

    const BusyScope busy(progress);
    progress.setBusyText(QStringLiteral("eroding terrain ...\n\n1/1"));
    progress.processEvents();

    // The range comes from the finite heights; NaN cells read as the lowest
    // point, infinite ones as the lowest or highest, so no NaN reaches the grid.
    float low = std::numeric_limits<float>::infinity();
    float high = -std::numeric_limits<float>::infinity();
    for (int y = 0; y < n; ++y) {
        const float* row = map.GetRowPtr(y);
        for (int x = 0; x < n; ++x)
            if (std::isfinite(row[x])) {
                low = std::min(low, row[x]);
                high = std::max(high, row[x]);
            }
    }
    const bool anyFinite = low <= high;
    const float range = anyFinite ? high - low : 0.0f;
    // Heights so far apart that the span overflows a float are normalised in
    // double; the grid itself stays single precision.
    const bool wideRange = anyFinite && !std::isfinite(range);

    // A flat map has no range to divide by: its grid is 0 everywhere (the
    // lowest point), which also keeps NaN out of the grid and the map.
    ErosionGrid grid(n);
    if (anyFinite && high > low) {
        for (int i = 0; i < n; ++i) {
            const float* row = map.GetRowPtr(n - 1 - i);
            for (int j = 0; j < n; ++j) {
                const float v = row[j];
                float value;
                if (std::isnan(v))
                    value = 0.0f;
                else if (std::isinf(v))
                    value = v > 0.0f ? 1.0f : 0.0f;
                else if (wideRange)
                    value = float((double(v) - double(low)) / (double(high) - double(low)));
                else
                    value = (v - low) / range;
                grid.at(i, j) = value;
            }
        }
    }

    const int iterations = settings.iterations;
    switch (type) {
    case ErosionType::Thermal:
        thermalErosion(grid, iterations);
        smoothImage(grid, iterations / 8 + 1);
        break;
    case ErosionType::ImprovedThermal:
        improvedErosion(grid, iterations);
        smoothImage(grid, iterations / 8 + 1);
        break;
    case ErosionType::Hydraulics:
        hydraulicErosion(grid, iterations, HydraulicConstants::from(settings));
        if (iterations > 50)
            smoothImage(grid, 1);
        break;
    case ErosionType::Smooth:
        // Whatever preview the user looks at: the result must not depend on it.
        smoothImage(grid, iterations);
        break;
    case ErosionType::None:
        break;
    }

    // Scaled back by the former range but not shifted: the eroded map's
    // lowest point sits at 0. A span beyond float is scaled in double and
    // kept within float's range, so the conversion stays defined.
    const double wideSpan = double(high) - double(low);
    const double largest = std::numeric_limits<float>::max();
    auto scaleBack = [&](float h) {
        return wideRange ? float(std::clamp(double(h) * wideSpan, -largest, largest)) : h * range;
    };
    for (int i = 0; i < n; ++i) {
        float* row = map.GetRowPtr(n - 1 - i);
        for (int j = 0; j < n; ++j)
            row[j] = scaleBack(grid.at(i, j));
    }

    if (canvas.isNull())
        return;
    // Picture row i is grid row i. A canvas of another size than the map
    // (a stale file) is drawn where the two overlap.
    canvas = canvas.convertToFormat(QImage::Format_RGB32);
    const int width = std::min(canvas.width(), n);
    const int height = std::min(canvas.height(), n);
    for (int i = 0; i < height; ++i) {
        auto* line = reinterpret_cast<QRgb*>(canvas.scanLine(i));
        for (int j = 0; j < width; ++j) {
            const int g = erosionGreyLevel(grid.at(i, j));
            line[j] = qRgb(g, g, g);
        }
    }
    if (noise::utils::SaveJpeg(canvas, pictureFile) && state.finalStage.mapStyle == 0 &&
        !state.finalFlag)
        view.showPreview(PreviewSlot::Final, pictureFile);
}

} // namespace morvane
