// What painting needs of the viewport (the surface under the cursor with
// its depth, the colour there) and the four deletions of painted items.

#include "common/progress_sink.h"
#include "common/user_prompts.h"
#include "pipeline/pipeline_state.h"
#include "props/item_deletion.h"
#include "props/item_placement.h"
#include "props/obj_model.h"
#include "viewport/ui/gl_terrain.h"
#include "viewport/ui/viewport_gl.h"
#include "viewport/viewport_state.h"

namespace morvane {

SurfaceHit GLTerrain::surfaceHit(int x, int y) {
    SurfaceHit hit;
    hit.world = surfacePoint(x, y, &hit.depth);
    return hit;
}

std::array<float, 3> GLTerrain::pixelColour(int x, int y) {
    std::array<float, 3> colour{};
    if (!m_gl->initialized)
        return colour;
    // Drawn again without a swap, so the back buffer holds the frame.
    makeCurrent();
    paintGL();
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glReadBuffer(GL_BACK);
    glReadPixels(x, viewport[3] - y, 1, 1, GL_RGB, GL_FLOAT, colour.data());
    return colour;
}

int GLTerrain::terrainTriangles() const {
    if (m_context.pipeline.customTerrainLoaded && m_customTerrain)
        return int(m_customTerrain->triangles.size());
    const TerrainArrays& terrain = m_context.pipeline.terrain;
    return terrain.empty() ? kGeneratedTerrainTriangles : terrain.indexCount() / 3;
}

void GLTerrain::deleteCurrentObject() {
    ViewportState& view = m_context.viewport;
    if (!deleteSelectedItem(view, m_context.progress))
        return;
    emit selectionCleared();
    emit propHighlightCleared();
    emit editModeRequested();
    emit triangleCounterChanged(view.triangleCounter);
    emit itemsEdited(QStringLiteral("delete item"));
}

void GLTerrain::deleteLastItem() {
    ViewportState& view = m_context.viewport;
    if (!morvane::deleteLastItem(view, m_context.progress))
        return;
    emit selectionCleared();
    emit propHighlightCleared();
    emit triangleCounterChanged(view.triangleCounter);
    emit itemsEdited(QStringLiteral("delete last item"));
}

void GLTerrain::deleteAllObjects() {
    if (!m_context.prompts.askYesCancel(QStringLiteral("Warning"),
                                        QStringLiteral("delete all the items?")))
        return;
    ViewportState& view = m_context.viewport;
    const bool hadItems = !view.items.empty();
    deleteAllItems(view, terrainTriangles(), m_context.progress);
    if (m_gl->initialized) {
        makeCurrent();
        m_gl->propLists.deleteAll(m_context.pipeline.customTerrainLoaded);
    }
    emit selectionCleared();
    emit propHighlightCleared();
    emit triangleCounterChanged(view.triangleCounter);
    if (hadItems)
        emit itemsEdited(QStringLiteral("delete all items"));
}

void GLTerrain::deleteAllObjectsSilent() {
    ViewportState& view = m_context.viewport;
    const SilentDeletion done = deleteAllItemsSilently(view);
    if (done.propReset) {
        if (m_gl->initialized) {
            makeCurrent();
            m_gl->propLists.deleteAll(m_context.pipeline.customTerrainLoaded);
        }
        emit propHighlightCleared();
    }
    if (done.itemsRemoved) {
        emit selectionCleared();
        emit triangleCounterChanged(view.triangleCounter);
        emit itemsEdited(QStringLiteral("delete all items"));
    }
}

} // namespace morvane
