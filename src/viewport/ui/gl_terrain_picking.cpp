// Selection by the picking pass, and the world point under a pixel read
// back from the depth buffer (which the brush follows).

#include "common/progress_sink.h"
#include "pipeline/pipeline_state.h"
#include "viewport/ui/gl_terrain.h"
#include "viewport/ui/viewport_gl.h"
#include "viewport/viewport_state.h"

#include <cmath>

namespace morvane {

namespace {

// Four entries a hit (name count, two depths, one name): 16 items at most.
constexpr GLsizei kSelectionBufferSize = 64;
// Cells of the full grid times two triangles: the brush stays on it.
constexpr double kCellIndexBound = 522243.0;

} // namespace

int GLTerrain::pick(int x, int y) {
    ViewportState& view = m_context.viewport;
    int hits = 0;
    if (m_gl->initialized) {
        makeCurrent();
        GLuint buffer[kSelectionBufferSize] = {};
        const int w = width();
        const int h = std::max(1, height());
        glViewport(0, 0, w, h);
        glSelectBuffer(kSelectionBufferSize, buffer);
        glRenderMode(GL_SELECT);
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        gluPickMatrix(double(x), double(viewport[3] - y), 1.0, 1.0, viewport);
        gluPerspective(kFieldOfView, double(w) / double(h), kNearPlane, m_farPlane);
        glMatrixMode(GL_MODELVIEW);
        glClear(GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        drawScene(Pass::Selection);
        hits = glRenderMode(GL_RENDER);
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);

        if (view.mode == GLMode::Edit && hits > 0) {
            // The nearest record; the first one wins on equal depths.
            const GLuint* record = buffer;
            const GLuint* nearest = nullptr;
            const GLuint* end = buffer + kSelectionBufferSize;
            for (int i = 0; i < hits && record + 3 <= end; ++i) {
                if (!nearest || record[1] < nearest[1])
                    nearest = record;
                record += 3 + record[0];
            }
            if (nearest && nearest[0] == 1 && nearest + 4 <= end)
                view.selectedItem = int(nearest[3]);
            if (view.selectedItem < 1) {
                emit selectionCleared();
            } else {
                emit itemPicked(view.selectedItem);
                m_context.progress.setStatusText(QStringLiteral("picked object #") +
                                                 QString::number(view.selectedItem));
            }
            return hits;
        }
    }
    m_context.progress.setStatusText(QString());
    view.selectedItem = -1;
    emit selectionCleared();
    return hits;
}

std::array<double, 3> GLTerrain::surfacePoint(int x, int y, float* depthOut) {
    std::array<double, 3> world{};
    if (depthOut)
        *depthOut = 1.0f;
    if (!m_gl->initialized)
        return world;
    makeCurrent();
    glLoadIdentity();
    updateGL();
    makeCurrent();
    GLdouble modelView[16];
    GLdouble projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    const int windowY = viewport[3] - y;
    GLfloat depth = 1.0f;
    glReadPixels(x, windowY, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    if (depthOut)
        *depthOut = depth;
    gluUnProject(double(x), double(windowY), double(depth), modelView, projection, viewport,
                 &world[0], &world[1], &world[2]);
    return world;
}

void GLTerrain::updateBrushCentre(int x, int y) {
    const TerrainArrays& terrain = m_context.pipeline.terrain;
    if (terrain.empty() || !(terrain.spacing > 0.0f))
        return;
    const std::array<double, 3> w = surfacePoint(x, y);
    const int half = terrainSize() / 2;
    const double step = double(terrain.spacing);
    // In double: a point far off the terrain must not overflow an int.
    const double row = std::trunc((half + w[2]) / step);
    const double column = std::trunc((half + w[0]) / step);
    const double k = (row * double(terrain.rowLength) + column) * 2.0;
    if (std::isfinite(k) && k >= 0.0 && k < kCellIndexBound)
        m_context.viewport.brushCentre = {float(w[0]), float(w[1]), float(w[2])};
}

} // namespace morvane
