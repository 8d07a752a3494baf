// Mouse, wheel and keys on the viewport. Alt makes the buttons move the
// camera; without it the left button acts in the current mode through the
// hooks painting, item editing and sculpting connect to.

#include "common/user_prompts.h"
#include "pipeline/pipeline_state.h"
#include "viewport/ui/gl_terrain.h"
#include "viewport/viewport_state.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

namespace morvane {

namespace {

constexpr int kWheelTickWrap = 1000;

} // namespace

void GLTerrain::mousePressEvent(QMouseEvent* event) {
    ViewportState& view = m_context.viewport;
    const PipelineState& pipeline = m_context.pipeline;
    if (event->button() != Qt::LeftButton || view.altHeld)
        return;
    view.mouseDown = true;
    if (!pipeline.terrainExists)
        return;
    const int x = event->pos().x();
    const int y = event->pos().y();
    pick(x, y);
    if (!pipeline.terrainExists)
        return;
    if (view.mode == GLMode::Paint && !view.currentProp.path.isEmpty()) {
        if (!view.shiftHeld) {
            emit paintRequested(x, y, false);
        } else if (!pipeline.customTerrainLoaded) {
            emit paintRequested(x, y, true);
        } else {
            view.shiftHeld = false;
            m_context.prompts.warn(
                QStringLiteral("Error"),
                QStringLiteral("Multiple instances deployment is not allowed with custom .obj "
                               "files!"));
        }
    } else if (view.mode == GLMode::Terrain && !pipeline.customTerrainLoaded) {
        emit deformRequested(x, y);
    }
}

void GLTerrain::mouseReleaseEvent(QMouseEvent* event) {
    ViewportState& view = m_context.viewport;
    const bool stroke = view.mouseDown && event->button() == Qt::LeftButton;
    view.mouseDown = false;
    if (stroke && m_context.pipeline.terrainExists)
        emit strokeFinished();
}

void GLTerrain::mouseMoveEvent(QMouseEvent* event) {
    ViewportState& view = m_context.viewport;
    const PipelineState& pipeline = m_context.pipeline;
    const int x = event->pos().x();
    const int y = event->pos().y();
    // Only the sign of the movement counts.
    const double dx = double(x - m_lastMouse.x()) / double(std::max(1, width()));
    const double dy = double(y - m_lastMouse.y()) / double(std::max(1, height()));

    emit mouseEnteredViewport();

    if (pipeline.terrainExists && ((view.mode == GLMode::Terrain && !view.altHeld) ||
                                   (view.mode == GLMode::Paint && view.shiftHeld)))
        updateBrushCentre(x, y);

    if (view.mouseDown && !view.altHeld && pipeline.terrainExists) {
        if (view.mode == GLMode::Paint && !view.currentProp.path.isEmpty())
            emit paintRequested(x, y, false);
        else if (view.mode == GLMode::Edit && view.selectedItem >= 1)
            emit moveSelectedItemRequested(x, y);
        else if (view.mode == GLMode::Terrain && !pipeline.customTerrainLoaded)
            emit deformRequested(x, y);
    }

    if (view.altHeld) {
        if (event->buttons() & Qt::LeftButton)
            orbitCamera(m_camera, dx, dy, m_cameraSpeed);
        if (event->buttons() & (Qt::MiddleButton | Qt::RightButton))
            panCamera(m_navigation, dx, dy, m_cameraSpeed, terrainSize());
    }

    m_lastMouse = event->pos();
}

void GLTerrain::wheelEvent(QWheelEvent* event) {
    ViewportState& view = m_context.viewport;
    if (view.proxyOption)
        view.proxyActive = true;
    // X11 turns the wheel into a horizontal one while Alt is held.
    const QPoint angle = event->angleDelta();
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    zoomByWheel(m_navigation, delta, view.shiftHeld, terrainSize());
    event->accept();
    m_wheelTicks = 0;
}

void GLTerrain::wheelTimeout() {
    ViewportState& view = m_context.viewport;
    if (!view.altHeld)
        view.proxyActive = false;
    if (m_wheelTicks == 0)
        setGLFocus();
    m_wheelTicks = (m_wheelTicks + 1) % kWheelTickWrap;
}

void GLTerrain::keyPressEvent(QKeyEvent* event) {
    ViewportState& view = m_context.viewport;
    switch (event->key()) {
    case Qt::Key_Shift:
        view.shiftHeld = true;
        break;
    case Qt::Key_Delete:
        emit deleteCurrentObjectRequested();
        break;
    case Qt::Key_PageUp:
        zoomByKey(m_navigation, true, terrainSize());
        break;
    case Qt::Key_PageDown:
        zoomByKey(m_navigation, false, terrainSize());
        break;
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
        view.altHeld = true;
        if (view.proxyOption)
            view.proxyActive = true;
        break;
    case Qt::Key_Meta:
        if (view.proxyOption)
            view.proxyActive = true;
        break;
    case Qt::Key_Z:
        if (event->modifiers() & Qt::ControlModifier) {
            if (event->modifiers() & Qt::ShiftModifier)
                emit redoRequested();
            else
                emit undoRequested();
            break;
        }
        QGLWidget::keyPressEvent(event);
        break;
    default:
        QGLWidget::keyPressEvent(event);
        break;
    }
}

void GLTerrain::keyReleaseEvent(QKeyEvent* event) {
    ViewportState& view = m_context.viewport;
    switch (event->key()) {
    case Qt::Key_Shift:
        view.shiftHeld = false;
        break;
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
        view.altHeld = false;
        break;
    default:
        QGLWidget::keyReleaseEvent(event);
        break;
    }
}

} // namespace morvane
