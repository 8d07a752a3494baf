#pragma once

#include "dzcore_export.h"

#include <QObject>
#include <QPointer>

#include "dzcamera.h"

// What a 3D view shows: the camera it looks through and its shade style
// (0 textured and lit, 1 solid bounding boxes). The host's GL view draws it.
class DZCORE_EXPORT Dz3DViewport : public QObject {
    Q_OBJECT
public:
    explicit Dz3DViewport(QObject* parent = nullptr);

    enum ShadeStyle { TexturedShaded = 0, SolidBoundingBox = 1 };

    DzCamera* getCamera() const { return m_camera; }
    // Null returns to the view's own camera.
    void setCamera(DzCamera* camera);
    int getShadeStyle() const { return m_shadeStyle; }
    // False (console message) for a style the view cannot draw.
    bool setShadeStyle(int style);

    int getWidth() const { return m_width; }
    int getHeight() const { return m_height; }
    // Host side: the size of the widget that draws the view.
    void setSize(int width, int height);

signals:
    void cameraChanged(DzCamera* camera);
    void shadeStyleChanged(int style);

private:
    QPointer<DzCamera> m_camera;
    int m_shadeStyle = TexturedShaded;
    int m_width = 640;
    int m_height = 480;
};
