#include "dz3dviewport.h"

#include "dzcamera.h"
#include "dzconsole.h"

Dz3DViewport::Dz3DViewport(QObject* parent) : QObject(parent) {}

void Dz3DViewport::setCamera(DzCamera* camera) {
    if (camera == m_camera)
        return;
    m_camera = camera;
    emit cameraChanged(camera);
}

bool Dz3DViewport::setShadeStyle(int style) {
    if (style != TexturedShaded && style != SolidBoundingBox) {
        dzConsoleMessage(QStringLiteral("unknown shade style %1").arg(style));
        return false;
    }
    if (style != m_shadeStyle) {
        m_shadeStyle = style;
        emit shadeStyleChanged(style);
    }
    return true;
}

void Dz3DViewport::setSize(int width, int height) {
    m_width = width;
    m_height = height;
}
