// Textures and the custom terrain: the reference and mask image dialogs,
// the check boxes that choose what the terrain shows, and the display list
// of an imported OBJ terrain.

#include "common/event_log.h"
#include "common/picture_reader.h"
#include "common/progress_sink.h"
#include "common/user_prompts.h"
#include "pipeline/pipeline_state.h"
#include "props/ui/obj_draw.h"
#include "props/obj_model.h"
#include "viewport/ui/gl_terrain.h"
#include "viewport/ui/viewport_gl.h"

#include <QFileInfo>
#include <QImage>

namespace morvane {

namespace {

constexpr int kTerrainDrawMode = 22; // smooth, texture, material

} // namespace

QString GLTerrain::chooseImage() {
    const QString file = m_context.prompts.chooseOpenFile(
        QStringLiteral("Open image"), m_lastImageFolder, QStringLiteral("Images (*.jpg *.bmp)"));
    if (file.isEmpty()) {
        m_context.prompts.warn(QStringLiteral("Error"), QStringLiteral("no image selected"));
        return QString();
    }
    m_lastImageFolder = QFileInfo(file).absolutePath();
    return file;
}

GLuint GLTerrain::replaceTexture(GLuint old, const QImage& image) {
    if (old)
        deleteTexture(old);
    return image.isNull() ? 0 : bindTexture(image, GL_TEXTURE_2D, GL_RGBA);
}

// An image that cannot be read leaves the texture, the check boxes and the
// status line as they were, rather than announcing a texture that is not
// there; the status line says which file failed. Null: nothing to load.
QImage GLTerrain::chooseReadableImage() {
    const QString file = chooseImage();
    if (file.isEmpty())
        return {};
    QString reason;
    const QImage image = readPicture(file, &reason);
    if (image.isNull())
        m_context.progress.setStatusText(QStringLiteral("cannot read image ") + file +
                                         QStringLiteral(": ") + reason);
    return image;
}

void GLTerrain::loadReferenceTerrainTexture() {
    const QImage image = chooseReadableImage();
    if (image.isNull())
        return;
    makeCurrent();
    m_gl->referenceImage = image;
    m_gl->referenceTexture = replaceTexture(m_gl->referenceTexture, image);
    m_referenceOn = true;
    emit referenceTextureLoaded();
    m_context.progress.setStatusText(QStringLiteral("reference texture loaded"));
}

void GLTerrain::loadMaskTerrainTexture() {
    const QImage image = chooseReadableImage();
    if (image.isNull())
        return;
    makeCurrent();
    m_maskImage = image;
    m_gl->maskTexture = replaceTexture(m_gl->maskTexture, image);
    m_maskOn = true;
    m_maskDisplay = true;
    emit maskTextureLoaded();
    m_context.progress.setStatusText(QStringLiteral("mask texture loaded, width:") +
                                     QString::number(image.width()));
}

void GLTerrain::setReferenceTextureOnOffCheckBox(int state) {
    m_referenceOn = state != 0;
}

void GLTerrain::setMaskTextureOnOffCheckBox(int state) {
    m_maskOn = state != 0;
}

void GLTerrain::setmaskTextureDisplayOnOffCheckBox(int state) {
    m_maskDisplay = state != 0;
    if (!m_maskDisplay && m_context.pipeline.customTerrainLoaded && m_maskOn)
        m_context.prompts.warn(
            QStringLiteral("Error"),
            QStringLiteral("Hiding the mask when using a .obj file will actually disable the "
                           "mask itself!"));
}

int GLTerrain::setCustomTerrain(std::unique_ptr<ObjModel> model, float scalePercent) {
    discardCustomTerrain();
    if (!model)
        return 0;
    m_customTerrain = std::move(model);
    m_customTerrainScale = scalePercent;
    m_gl->terrainListPending = true;
    compilePendingTerrainList();
    return int(m_customTerrain->triangles.size());
}

void GLTerrain::compilePendingTerrainList() {
    // A list needs the context; a terrain installed before it exists is
    // compiled by initializeGL.
    if (!m_gl->terrainListPending || !m_gl->initialized || !m_customTerrain)
        return;
    makeCurrent();
    m_gl->terrainList = compileTerrainList(*m_customTerrain, kTerrainDrawMode, m_context.log);
    m_gl->terrainListPending = false;
}

void GLTerrain::discardCustomTerrain() {
    if (m_gl->terrainList && m_gl->initialized) {
        makeCurrent();
        glDeleteLists(m_gl->terrainList, 1);
    }
    m_gl->terrainList = 0;
    m_gl->terrainListPending = false;
    m_customTerrain.reset();
}

} // namespace morvane
