#include "props/ui/populate_painter.h"

#include "common/progress_sink.h"
#include "common/random_source.h"
#include "common/user_prompts.h"
#include "pipeline/pipeline_state.h"
#include "props/item_placement.h"
#include "viewport/ui/gl_terrain.h"
#include "viewport/viewport_state.h"

namespace morvane {

namespace {

// A frame-buffer colour this dark counts as the mask's black on an OBJ
// terrain.
constexpr float kMaskedChannel = 0.1f;

} // namespace

PopulatePainter::PopulatePainter(GLTerrain& view, PipelineState& pipeline,
                                 ViewportState& viewport, UserPrompts& prompts,
                                 ProgressSink& progress, RandomSource& random,
                                 SettingsSource settings, QObject* parent)
    : QObject(parent), m_view(view), m_pipeline(pipeline), m_viewport(viewport),
      m_prompts(prompts), m_progress(progress), m_random(random),
      m_settings(std::move(settings)) {}

void PopulatePainter::paint(int x, int y, bool multiple) {
    if (!m_pipeline.terrainExists || !m_viewport.currentProp.chosen())
        return;
    const PopulateSettings settings = m_settings();
    const bool maskOn = m_view.maskOn();
    PaintScene scene{m_viewport,
                     m_pipeline.terrain,
                     m_pipeline.finalStage.terrainSize(),
                     maskOn ? &m_view.maskImage() : nullptr,
                     m_random,
                     m_progress,
                     m_prompts};
    const std::size_t before = m_viewport.items.size();
    const SurfaceHit hit = m_view.surfaceHit(x, y);

    if (m_pipeline.customTerrainLoaded) {
        // Multiple deployment was refused by the input handling already.
        const ObjModel* model = m_view.customTerrain();
        if (!model)
            return;
        bool masked = false;
        if (maskOn) {
            const std::array<float, 3> colour = m_view.pixelColour(x, y);
            masked = colour[0] <= kMaskedChannel && colour[1] <= kMaskedChannel &&
                     colour[2] <= kMaskedChannel;
        }
        placeItemOnObjTerrain(scene, settings, hit, *model, masked, m_view.customTerrainScale());
    } else if (multiple) {
        deployItems(scene, settings, hit);
    } else {
        placeItem(scene, settings, hit);
    }
    if (m_viewport.items.size() != before)
        emit triangleCounterChanged(m_viewport.triangleCounter);
}

} // namespace morvane
