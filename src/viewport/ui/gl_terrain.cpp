// GLTerrain set-up: construction, the GL context's initialisation, the
// projection, and the slots of the viewport's tool panel (camera speed,
// light, navigation proxy, focus).

#include "viewport/ui/gl_terrain.h"

#include "pipeline/pipeline_paths.h"
#include "pipeline/pipeline_state.h"
#include "props/obj_model.h"
#include "viewport/ui/viewport_gl.h"
#include "viewport/viewport_state.h"

#include <QDir>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace morvane {

namespace {

constexpr int kWidth = 760;
constexpr int kHeight = 560; // 760 on Windows; this build is not
constexpr int kRedrawMilliseconds = 60;

QString degrees(int value) {
    return QString::number(value) + QChar(0x00B0);
}

double radians(int degrees) {
    return double(degrees) * M_PI / 180.0;
}

} // namespace

GLTerrain::GLTerrain(const QGLFormat& format, const ViewportContext& context, QWidget* parent)
    : QGLWidget(format, parent), m_context(context), m_gl(std::make_unique<Gl>()) {
    m_lastImageFolder = context.paths.dataDir;
    setAutoBufferSwap(true);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setFixedSize(kWidth, kHeight);
}

GLTerrain::~GLTerrain() {
    if (m_gl->initialized) {
        makeCurrent();
        if (m_gl->arrayBuffer)
            glDeleteBuffers(1, &m_gl->arrayBuffer);
        if (m_gl->elementBuffer)
            glDeleteBuffers(1, &m_gl->elementBuffer);
        for (GLuint texture : {m_gl->referenceTexture, m_gl->maskTexture, m_gl->thumbnailTexture})
            if (texture)
                deleteTexture(texture);
        if (m_gl->terrainList)
            glDeleteLists(m_gl->terrainList, 1);
        m_gl->propLists.deleteAll(false);
        if (m_gl->quadric)
            gluDeleteQuadric(m_gl->quadric);
        m_gl->shader.reset();
        doneCurrent();
    }
}

QSize GLTerrain::sizeHint() const {
    return QSize(kWidth, kHeight);
}

PropDisplayLists& GLTerrain::propLists() {
    return m_gl->propLists;
}

int GLTerrain::terrainSize() const {
    return m_context.pipeline.finalStage.terrainSize();
}

void GLTerrain::initializeGL() {
    if (m_context.viewport.useVBO)
        createTerrainBuffers();

    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    retainHeapForRenderer(reinterpret_cast<const char*>(glGetString(GL_RENDERER)));

    m_redrawTimer = new QTimer(this);
    connect(m_redrawTimer, &QTimer::timeout, this, &GLTerrain::updateGL);
    m_redrawTimer->start(kRedrawMilliseconds);

    setUpSky();

    // The shader program is linked so that it is there, but never bound:
    // a missing or broken file changes nothing.
    const QString shaders =
        m_context.paths.pluginDir + QDir::separator() + "shaders" + QDir::separator();
    m_gl->shader = std::make_unique<QGLShaderProgram>(context());
    m_gl->shader->addShaderFromSourceFile(QGLShader::Vertex, shaders + "terrain.vert");
    m_gl->shader->addShaderFromSourceFile(QGLShader::Fragment, shaders + "terrain.frag");
    m_gl->shader->link();

    m_gl->shaderInUse = false;
    glClearColor(192.0f / 255.0f, 220.0f / 255.0f, 252.0f / 255.0f, 1.0f);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glDisable(GL_TEXTURE_2D);

    m_camera.yaw = m_camera.pitch = m_camera.roll = 0.0f;
    m_navigation = NavigationPosition{};

    m_gl->quadric = gluNewQuadric();
    m_gl->initialized = true;
    compilePendingTerrainList();
    if (!m_gl->thumbnailImage.isNull())
        setPropThumbnail(m_gl->thumbnailImage);
}

void GLTerrain::applyProjection() {
    const int w = width();
    const int h = std::max(1, height());
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(kFieldOfView, double(w) / double(h), kNearPlane, m_farPlane);
    glMatrixMode(GL_MODELVIEW);
}

void GLTerrain::resizeGL(int, int) {
    applyProjection();
}

void GLTerrain::setFarPlane(double farPlane) {
    m_farPlane = farPlane;
    if (m_gl->initialized) {
        makeCurrent();
        applyProjection();
    }
}

void GLTerrain::glCameraSpeedSliderReleased(int value) {
    m_cameraSpeed = float(value);
    emit cameraSpeedLabelChanged(QStringLiteral("camera speed: ") + QString::number(value));
    setGLFocus();
}

void GLTerrain::glLightPitchSliderReleased(int pitch) {
    const auto y = GLfloat(std::sin(radians(pitch)));
    m_gl->light.light0Position[1] = y;
    m_gl->light.light1Position[1] = y;
    emit lightPitchLabelChanged(QStringLiteral("openGL light pitch: ") + degrees(pitch));
    setGLFocus();
}

void GLTerrain::glLightAzimuthSliderReleased(int azimuth) {
    // Only x and z change: the vector is not re-normalised.
    m_gl->light.light0Position[0] = GLfloat(std::sin(radians(azimuth)));
    m_gl->light.light0Position[2] = GLfloat(std::cos(radians(azimuth)));
    emit lightAzimuthLabelChanged(QStringLiteral("openGL light azimuth: ") + degrees(azimuth));
    setGLFocus();
}

void GLTerrain::glLightIntensitySliderReleased(int intensity) {
    const GLfloat value = GLfloat(intensity) * 0.01f;
    for (int i = 0; i < 3; ++i)
        m_gl->light.diffuse[i] = value;
    emit lightIntensityLabelChanged(QStringLiteral("openGL light intensity: ") +
                                    QString::number(intensity) + '%');
    setGLFocus();
}

void GLTerrain::switchBoundingAll() {
    m_context.viewport.proxyOption = !m_context.viewport.proxyOption;
    emit boundingAllChanged(m_context.viewport.proxyOption);
}

void GLTerrain::setGLFocus() {
    setFocus(Qt::OtherFocusReason);
}

void GLTerrain::focusTerrainGL() {
    setFocus(Qt::OtherFocusReason);
}

} // namespace morvane
