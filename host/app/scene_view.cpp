#include "scene_view.h"

#include "dz3dviewport.h"
#include "dzbasiccamera.h"
#include "dzfacetmesh.h"
#include "dzfacetshape.h"
#include "dzmaterial.h"
#include "dznode.h"
#include "dzobject.h"
#include "dzscene.h"
#include "dztexture.h"

#include <QMouseEvent>
#include <QWheelEvent>

#include <GL/glu.h>

#include <cmath>

namespace morvane::host {

namespace {
constexpr float kOwnFov = 45.0f;
}

SceneView::SceneView(QWidget* parent) : QGLWidget(parent) {
    setObjectName(QStringLiteral("studioSceneView"));
    setMinimumSize(320, 240);
    setFocusPolicy(Qt::StrongFocus);
}

SceneView::~SceneView() {
    makeCurrent();
    for (unsigned list : qAsConst(m_lists))
        glDeleteLists(list, 1);
    for (unsigned texture : qAsConst(m_textures))
        deleteTexture(texture);
}

void SceneView::setScene(DzScene* scene, Dz3DViewport* viewport) {
    m_scene = scene;
    m_viewport = viewport;
    auto repaint = [this] { update(); };
    connect(scene, &DzScene::drawnDataChanged, this, repaint);
    connect(scene, &DzScene::nodeAdded, this, [this](DzNode* node) {
        connect(node, &DzNode::drawnDataChanged, this, [this, node] { forget(node); });
        connect(node, &QObject::destroyed, this, [this](QObject* gone) { forget(gone); });
    });
    connect(scene, &DzScene::nodeRemoved, this, [this](DzNode* node) { forget(node); });
    connect(viewport, &Dz3DViewport::cameraChanged, this, repaint);
    connect(viewport, &Dz3DViewport::shadeStyleChanged, this, repaint);
    update();
}

void SceneView::forget(QObject* node) {
    const auto it = m_lists.find(node);
    if (it == m_lists.end())
        return;
    makeCurrent();
    glDeleteLists(*it, 1);
    m_lists.erase(it);
    update();
}

QMatrix4x4 SceneView::viewMatrix() const {
    if (m_viewport && m_viewport->getCamera())
        return m_viewport->getCamera()->getViewMatrix();
    QMatrix4x4 m;
    m.translate(0, 0, -m_distance);
    m.rotate(-m_pitch, 1, 0, 0);
    m.rotate(-m_yaw, 0, 1, 0);
    m.translate(-m_target);
    return m;
}

QMatrix4x4 SceneView::projectionMatrix() const {
    const DzCamera* camera = m_viewport ? m_viewport->getCamera() : nullptr;
    QMatrix4x4 m;
    m.perspective(camera ? camera->getFieldOfView() : kOwnFov, float(width()) / std::max(1, height()),
                  camera ? camera->getNearClippingPlane() : m_distance * 0.01f,
                  camera ? camera->getFarClippingPlane() : m_distance * 100.0f);
    return m;
}

void SceneView::frameScene() {
    DzBox3 box;
    if (m_scene)
        for (int i = 0; i < m_scene->getNumNodes(); ++i)
            if (m_scene->getNode(i)->getObject())
                box.include(m_scene->getNode(i)->getWSBoundingBox());
    if (box.isEmpty())
        return;
    m_target = box.getCenter().toQVector3D();
    m_distance = std::max(box.getDiagonal() * 0.5f, 10.0f) / std::sin(kOwnFov * float(M_PI) / 360.0f);
    update();
}

void SceneView::initializeGL() {
    glClearColor(0.24f, 0.26f, 0.30f, 1.0f);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_NORMALIZE);
    glEnable(GL_LIGHT0);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
}

void SceneView::resizeGL(int width, int height) {
    glViewport(0, 0, width, height);
    if (m_viewport)
        m_viewport->setSize(width, height);
}

void SceneView::paintGL() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(projectionMatrix().constData());
    glMatrixMode(GL_MODELVIEW);
    // A headlight over the viewer's shoulder.
    glLoadIdentity();
    const GLfloat light[4] = {0.3f, 0.6f, 1.0f, 0.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, light);
    glLoadMatrixf(viewMatrix().constData());
    if (!m_scene)
        return;
    for (int i = 0; i < m_scene->getNumNodes(); ++i) {
        DzNode& node = *m_scene->getNode(i);
        if (qobject_cast<DzCamera*>(&node)) {
            if (&node != (m_viewport ? m_viewport->getCamera() : nullptr))
                drawCameraGizmo(node);
            continue;
        }
        if (!node.getObject())
            continue;
        if (m_viewport && m_viewport->getShadeStyle() == Dz3DViewport::SolidBoundingBox)
            drawBox(node);
        else
            drawNode(node);
    }
}

void SceneView::drawNode(DzNode& node) {
    const unsigned list = meshList(node);
    if (!list)
        return;
    glPushMatrix();
    glMultMatrixf(node.getWSTransform().constData());
    glCallList(list);
    glPopMatrix();
}

unsigned SceneView::meshList(DzNode& node) {
    if (const unsigned known = m_lists.value(&node))
        return known;
    DzObject* object = node.getObject();
    auto* shape = qobject_cast<DzFacetShape*>(object->getCurrentShape());
    const DzFacetMesh* mesh = shape ? shape->getFacetMesh() : nullptr;
    if (!mesh)
        return 0;
    const QVector<DzVec3> positions = object->getFinalVertices();
    const QVector<DzVec3> normals = mesh->computeVertexNormals(positions);
    const unsigned list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    for (int group = 0; group < mesh->getNumMaterialGroups(); ++group) {
        DzMaterial* material = shape->getMaterial(group) ? shape->getMaterial(group) : shape->getMaterial(0);
        const QColor color = material ? material->getDiffuseColor() : QColor(200, 200, 200);
        const unsigned texture = material ? textureOf(material->getColorMap()) : 0;
        const bool lit = !material || material->isLit();
        lit ? glEnable(GL_LIGHTING) : glDisable(GL_LIGHTING);
        if (texture) {
            glEnable(GL_TEXTURE_2D);
            glBindTexture(GL_TEXTURE_2D, texture);
        }
        glColor4f(color.redF(), color.greenF(), color.blueF(), 1.0f);
        glBegin(GL_TRIANGLES);
        for (const DzFacet& f : mesh->getFacets()) {
            if (f.materialIndex != group)
                continue;
            for (int t = 0; t < (f.isQuad() ? 2 : 1); ++t)
                for (int c : {0, t + 1, t + 2}) {
                    const DzVec3 n = normals.value(f.vertex[c]);
                    const DzVec3 p = positions.value(f.vertex[c]);
                    const QVector2D uv = mesh->getUV(f.uv[c]);
                    glNormal3f(n.m_x, n.m_y, n.m_z);
                    glTexCoord2f(uv.x(), uv.y());
                    glVertex3f(p.m_x, p.m_y, p.m_z);
                }
        }
        glEnd();
        glDisable(GL_TEXTURE_2D);
    }
    glEnable(GL_LIGHTING);
    glEndList();
    m_lists.insert(&node, list);
    return list;
}

unsigned SceneView::textureOf(DzTexture* texture) {
    if (!texture || texture->getImage().isNull())
        return 0;
    if (const unsigned known = m_textures.value(texture))
        return known;
    // Texture coordinates count v from the bottom, as QImage rows do not:
    // bindTexture flips the picture for GL.
    const unsigned id = bindTexture(texture->getImage(), GL_TEXTURE_2D, GL_RGBA,
                                    QGLContext::LinearFilteringBindOption |
                                        QGLContext::MipmapBindOption |
                                        QGLContext::InvertedYBindOption);
    m_textures.insert(texture, id);
    connect(texture, &DzTexture::imageChanged, this, [this, texture] {
        makeCurrent();
        deleteTexture(m_textures.take(texture));
        for (unsigned list : qAsConst(m_lists))
            glDeleteLists(list, 1);
        m_lists.clear();
        update();
    });
    return id;
}

void SceneView::drawBox(const DzNode& node) {
    const DzBox3 box = node.getWSBoundingBox();
    const DzVec3 a = box.getMin(), b = box.getMax();
    glEnable(GL_LIGHTING);
    glColor3f(0.7f, 0.7f, 0.7f);
    glBegin(GL_QUADS);
    const float faces[6][4][3] = {
        {{a.m_x, a.m_y, b.m_z}, {b.m_x, a.m_y, b.m_z}, {b.m_x, b.m_y, b.m_z}, {a.m_x, b.m_y, b.m_z}},
        {{b.m_x, a.m_y, a.m_z}, {a.m_x, a.m_y, a.m_z}, {a.m_x, b.m_y, a.m_z}, {b.m_x, b.m_y, a.m_z}},
        {{a.m_x, a.m_y, a.m_z}, {a.m_x, a.m_y, b.m_z}, {a.m_x, b.m_y, b.m_z}, {a.m_x, b.m_y, a.m_z}},
        {{b.m_x, a.m_y, b.m_z}, {b.m_x, a.m_y, a.m_z}, {b.m_x, b.m_y, a.m_z}, {b.m_x, b.m_y, b.m_z}},
        {{a.m_x, b.m_y, b.m_z}, {b.m_x, b.m_y, b.m_z}, {b.m_x, b.m_y, a.m_z}, {a.m_x, b.m_y, a.m_z}},
        {{a.m_x, a.m_y, a.m_z}, {b.m_x, a.m_y, a.m_z}, {b.m_x, a.m_y, b.m_z}, {a.m_x, a.m_y, b.m_z}}};
    const float normals[6][3] = {{0, 0, 1}, {0, 0, -1}, {-1, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, -1, 0}};
    for (int f = 0; f < 6; ++f) {
        glNormal3fv(normals[f]);
        for (int c = 0; c < 4; ++c)
            glVertex3fv(faces[f][c]);
    }
    glEnd();
}

void SceneView::drawCameraGizmo(const DzNode& node) {
    // A pyramid pointing down the camera's -Z, a fixed share of the view.
    const float size = std::max(m_distance * 0.03f, 10.0f);
    glPushMatrix();
    QMatrix4x4 world = node.getWSTransform();
    world.scale(size);
    glMultMatrixf(world.constData());
    glDisable(GL_LIGHTING);
    glColor3f(1.0f, 0.85f, 0.3f);
    const float tip[3] = {0, 0, 0};
    const float corners[4][3] = {{-0.6f, -0.4f, -1}, {0.6f, -0.4f, -1}, {0.6f, 0.4f, -1}, {-0.6f, 0.4f, -1}};
    glBegin(GL_LINES);
    for (int c = 0; c < 4; ++c) {
        glVertex3fv(tip);
        glVertex3fv(corners[c]);
        glVertex3fv(corners[c]);
        glVertex3fv(corners[(c + 1) % 4]);
    }
    glEnd();
    glEnable(GL_LIGHTING);
    glPopMatrix();
}

void SceneView::leaveSceneCamera() {
    if (!m_viewport || !m_viewport->getCamera())
        return;
    // Continue from where the scene camera looked.
    const DzCamera* camera = m_viewport->getCamera();
    const QVector3D eye = camera->getWSPos().toQVector3D();
    const QVector3D dir = camera->getWSDirection().toQVector3D();
    m_target = eye + dir * m_distance;
    m_pitch = float(std::asin(std::clamp(dir.y(), -1.0f, 1.0f)) * 180.0 / M_PI);
    m_yaw = float(std::atan2(-dir.x(), -dir.z()) * 180.0 / M_PI);
    m_viewport->setCamera(nullptr);
    emit navigated();
}

void SceneView::mousePressEvent(QMouseEvent* event) {
    m_lastPos = event->pos();
}

void SceneView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint delta = event->pos() - m_lastPos;
    m_lastPos = event->pos();
    if (!(event->modifiers() & Qt::AltModifier))
        return;
    leaveSceneCamera();
    if (event->buttons() & Qt::LeftButton) {
        m_yaw -= delta.x() * 0.4f;
        m_pitch = std::clamp(m_pitch - delta.y() * 0.4f, -89.0f, 89.0f);
    } else if (event->buttons() & (Qt::MiddleButton | Qt::RightButton)) {
        const QMatrix4x4 view = viewMatrix().inverted();
        const float perPixel = 2.0f * m_distance * std::tan(kOwnFov * float(M_PI) / 360.0f) /
                               std::max(1, height());
        m_target -= view.mapVector(QVector3D(delta.x(), -delta.y(), 0)) * perPixel;
    }
    update();
}

void SceneView::wheelEvent(QWheelEvent* event) {
    leaveSceneCamera();
    m_distance *= std::pow(0.999f, float(event->angleDelta().y()));
    m_distance = std::clamp(m_distance, 1.0f, 1.0e7f);
    update();
}

} // namespace morvane::host
