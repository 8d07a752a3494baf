// What is drawn over the scene in a normal frame: the brush sphere, the
// orientation gizmo and the selected prop's thumbnail.

#include "viewport/ui/gl_terrain.h"
#include "viewport/ui/viewport_gl.h"
#include "viewport/viewport_state.h"

namespace morvane {

void GLTerrain::drawBrush() {
    const ViewportState& view = m_context.viewport;
    glDisable(GL_LIGHTING);
    glDepthMask(GL_FALSE);
    glEnable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0.2f, 1.0f, 0.2f, 0.25f);
    glPushMatrix();
    glTranslatef(view.brushCentre[0], view.brushCentre[1], view.brushCentre[2]);
    if (m_gl->quadric)
        gluSphere(m_gl->quadric, double(view.brushDiameter) * 0.5, 16, 16);
    glPopMatrix();
    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
}

void GLTerrain::drawGizmo() {
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glDisable(GL_BLEND);
    // Pushed so that the view transform is still there after the frame:
    // the surface point is unprojected with it.
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(-11.0f, -11.0f, -30.0f);
    glRotatef(m_camera.roll, 0.0f, 0.0f, 1.0f);
    glRotatef(m_camera.pitch, 1.0f, 0.0f, 0.0f);
    glRotatef(m_camera.yaw, 0.0f, 1.0f, 0.0f);
    glPointSize(6.0f);
    glLineWidth(2.0f);

    struct Axis {
        GLfloat tip[3];
        GLfloat colour[3];
    };
    const Axis axes[] = {
        {{0.0f, 1.0f, 0.0f}, {1.0f, 0.0f, 0.0f}},
        {{1.0f, 0.0f, 0.0f}, {0.2627451f, 0.7254902f, 0.2627451f}},
        {{0.0f, 0.0f, -1.0f}, {0.0f, 0.0f, 1.0f}},
    };
    glBegin(GL_POINTS);
    glColor3f(1.0f, 1.0f, 1.0f);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glEnd();
    glBegin(GL_LINES);
    for (const Axis& axis : axes) {
        glColor3f(1.0f, 1.0f, 1.0f);
        glVertex3f(0.0f, 0.0f, 0.0f);
        glColor3fv(axis.colour);
        glVertex3fv(axis.tip);
    }
    glEnd();
    glBegin(GL_POINTS);
    for (const Axis& axis : axes) {
        glColor3fv(axis.colour);
        glVertex3fv(axis.tip);
    }
    glEnd();
    glPopMatrix();
    glEnable(GL_DEPTH_TEST);
}

void GLTerrain::drawThumbnail() {
    glDisable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(11.0f, -12.0f, -30.0f);
    glColor3f(0.0f, 0.0f, 0.0f);
    glBegin(GL_QUADS);
    glVertex2f(-0.05f, -0.05f);
    glVertex2f(1.05f, -0.05f);
    glVertex2f(1.05f, 1.05f);
    glVertex2f(-0.05f, 1.05f);
    glEnd();
    if (m_gl->thumbnailTexture) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, m_gl->thumbnailTexture);
    }
    glColor3f(1.0f, 1.0f, 1.0f);
    glBegin(GL_QUADS);
    const GLfloat corners[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (const auto& corner : corners) {
        glTexCoord2fv(corner);
        glVertex2fv(corner);
    }
    glEnd();
    glDisable(GL_TEXTURE_2D);
    glPopMatrix();
    glEnable(GL_DEPTH_TEST);
}

void GLTerrain::setPropThumbnail(const QImage& image) {
    m_gl->thumbnailImage = image;
    if (!m_gl->initialized)
        return; // bound once the context exists
    makeCurrent();
    m_gl->thumbnailTexture = replaceTexture(m_gl->thumbnailTexture, image);
}

} // namespace morvane
