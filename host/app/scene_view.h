#pragma once

#include <QGLWidget>
#include <QHash>
#include <QMatrix4x4>
#include <QPoint>
#include <QPointer>

class Dz3DViewport;
class DzNode;
class DzScene;
class DzTexture;

namespace morvane::host {

// The host's 3D view: draws the scene from the viewport's camera (or the
// view's own orbit camera when it has none), meshes lit and textured with
// their colour maps, unlit surfaces (the sky) as they are, cameras as small
// gizmos, and, in shade style 1, every mesh as its solid bounding box.
// Alt + left drag orbits, Alt + middle or right drag pans, the wheel zooms;
// moving the view returns it to its own camera.
class SceneView : public QGLWidget {
    Q_OBJECT
public:
    explicit SceneView(QWidget* parent = nullptr);
    ~SceneView() override;

    void setScene(DzScene* scene, Dz3DViewport* viewport);
    // The matrices the last frame used.
    QMatrix4x4 viewMatrix() const;
    QMatrix4x4 projectionMatrix() const;
    // Places the own camera so the whole scene is in view.
    void frameScene();

signals:
    // The user moved the view, so it left any scene camera.
    void navigated();

protected:
    void initializeGL() override;
    void resizeGL(int width, int height) override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void drawNode(DzNode& node);
    void drawBox(const DzNode& node);
    void drawCameraGizmo(const DzNode& node);
    unsigned meshList(DzNode& node);
    unsigned textureOf(DzTexture* texture);
    void forget(QObject* node);
    void leaveSceneCamera();

    QPointer<DzScene> m_scene;
    QPointer<Dz3DViewport> m_viewport;
    QHash<QObject*, unsigned> m_lists;
    QHash<DzTexture*, unsigned> m_textures;
    // The own camera: orbit about a target, centimetres and degrees.
    QVector3D m_target;
    float m_distance = 2000.0f;
    float m_yaw = 30.0f;
    float m_pitch = -25.0f;
    QPoint m_lastPos;
};

} // namespace morvane::host
