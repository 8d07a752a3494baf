// The scene as a frame draws it and as the picking pass draws it: view
// transform and light, the terrain (custom OBJ list, client arrays, buffer
// objects or the decimated proxy) and the painted items.

#include "pipeline/pipeline_state.h"
#include "viewport/ui/gl_terrain.h"
#include "viewport/ui/viewport_gl.h"
#include "viewport/viewport_state.h"

#include <vector>

namespace morvane {

namespace {

constexpr float kItemScale = 0.024384f; // prop units to scene units

const GLvoid* bufferOffset(GLsizeiptr bytes) {
    return reinterpret_cast<const GLvoid*>(bytes);
}

void disableTerrainArrays() {
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}

} // namespace

void GLTerrain::paintGL() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    drawScene(Pass::Normal);
}

void GLTerrain::applyLights() {
    const ViewportLight& light = m_gl->light;
    glMaterialfv(GL_FRONT, GL_SPECULAR, light.materialSpecular.data());
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
    glMaterialf(GL_FRONT, GL_SHININESS, light.materialShininess);
    for (GLenum id : {GL_LIGHT0, GL_LIGHT1}) {
        glLightfv(id, GL_AMBIENT, light.ambient.data());
        glLightfv(id, GL_DIFFUSE, light.diffuse.data());
        glLightfv(id, GL_SPECULAR, light.specular.data());
    }
    glLightfv(GL_LIGHT0, GL_POSITION, light.light0Position.data());
    glLightfv(GL_LIGHT1, GL_POSITION, light.light1Position.data());
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glDisable(GL_LIGHT1);
}

void GLTerrain::drawScene(Pass pass) {
    const ViewportState& view = m_context.viewport;
    const PipelineState& pipeline = m_context.pipeline;

    // The drawn position is the one of the previous frame; the navigation
    // position is copied in afterwards, so a move shows from the next frame.
    glTranslatef(-m_camera.position[0], -m_camera.position[1], -m_camera.position[2]);
    glRotatef(m_camera.roll, 0.0f, 0.0f, 1.0f);
    glRotatef(m_camera.pitch, 1.0f, 0.0f, 0.0f);
    glRotatef(m_camera.yaw, 0.0f, 1.0f, 0.0f);
    applyLights();
    m_camera.position = {float(m_navigation.panX), float(m_navigation.panY),
                         float(m_navigation.distance)};

    // The dome holds no names: the picking pass can do without it.
    if (view.mode == GLMode::SkyDome && pass == Pass::Normal)
        drawSkyDome(m_navigation.panY);

    glInitNames();
    if (pipeline.terrainExists) {
        const bool bound = m_gl->shaderInUse && m_gl->shader && m_gl->shader->bind();
        if (view.mode != GLMode::SkyDome && pass == Pass::Normal)
            drawTerrain();
        if (bound)
            m_gl->shader->release();
    }

    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    if (pipeline.terrainExists && view.mode != GLMode::SkyDome)
        drawItems();

    if (pass == Pass::Normal) {
        const bool generated = pipeline.terrainExists && !pipeline.customTerrainLoaded;
        if (generated && ((view.mode == GLMode::Paint && view.shiftHeld) ||
                          (view.mode == GLMode::Terrain && !view.altHeld)))
            drawBrush();
        drawGizmo();
        if (view.mode == GLMode::Paint && !view.currentProp.path.isEmpty())
            drawThumbnail();
    }
}

void GLTerrain::drawTerrain() {
    const ViewportState& view = m_context.viewport;
    const PipelineState& pipeline = m_context.pipeline;
    glDisable(GL_CULL_FACE);
    glPushName(0);
    if (pipeline.customTerrainLoaded) {
        drawCustomTerrain();
    } else if (view.proxyActive) {
        drawTerrainFromArrays(pipeline.decimatedTerrain);
    } else if (view.useVBO) {
        if (!buffersHoldTerrain())
            createTerrainBuffers();
        drawTerrainFromBuffers();
    } else {
        drawTerrainFromArrays(pipeline.terrain);
    }
    glPopName();
    glEnable(GL_CULL_FACE);
}

void GLTerrain::drawCustomTerrain() {
    if (m_referenceOn && m_gl->referenceTexture) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, m_gl->referenceTexture);
    } else if (m_maskDisplay && m_gl->maskTexture) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, m_gl->maskTexture);
    } else {
        glDisable(GL_TEXTURE_2D);
    }
    glColor3f(1.0f, 1.0f, 1.0f);
    glPushMatrix();
    const float scale = m_customTerrainScale * 0.01f;
    glScalef(scale, scale, scale);
    if (m_gl->terrainList)
        glCallList(m_gl->terrainList);
    glPopMatrix();
    glDisable(GL_TEXTURE_2D);
}

void GLTerrain::drawTerrainFromArrays(const TerrainArrays& arrays) {
    const std::size_t vertices = std::size_t(arrays.vertexCount());
    if (arrays.empty() || arrays.vertices.size() < 3 * vertices ||
        arrays.normals.size() < 3 * vertices || arrays.terrainColors.size() < 3 * vertices ||
        arrays.textureColors.size() < 3 * vertices || arrays.texCoords.size() < 2 * vertices)
        return;
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, arrays.vertices.data());
    glEnableClientState(GL_NORMAL_ARRAY);
    glNormalPointer(GL_FLOAT, 0, arrays.normals.data());

    GLuint texture = 0;
    if (m_referenceOn)
        texture = m_gl->referenceTexture;
    else if (m_maskDisplay)
        texture = m_gl->maskTexture;
    if (m_referenceOn || m_maskDisplay) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, texture);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, 0, arrays.texCoords.data());
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(3, GL_FLOAT, 0, arrays.textureColors.data());
    } else {
        glDisable(GL_TEXTURE_2D);
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(3, GL_FLOAT, 0, arrays.terrainColors.data());
    }
    glDrawElements(GL_TRIANGLES, arrays.indexCount(), GL_UNSIGNED_INT, arrays.indices.data());
    disableTerrainArrays();
    glDisable(GL_TEXTURE_2D);
}

void GLTerrain::drawTerrainFromBuffers() {
    const TerrainArrays& terrain = m_context.pipeline.terrain;
    const TerrainBufferLayout layout{GLsizeiptr(terrain.vertexCount())};
    glBindBuffer(GL_ARRAY_BUFFER, m_gl->arrayBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, m_gl->elementBuffer);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, bufferOffset(layout.positions()));
    glEnableClientState(GL_NORMAL_ARRAY);
    glNormalPointer(GL_FLOAT, 0, bufferOffset(layout.normals()));

    const bool textured = m_referenceOn || m_maskDisplay;
    if (textured) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, m_referenceOn ? m_gl->referenceTexture : m_gl->maskTexture);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, 0, bufferOffset(layout.texCoords()));
    } else {
        glDisable(GL_TEXTURE_2D);
    }
    // The buffer has no block of texture colours: the mask is tinted by the
    // terrain colours, the reference texture is not.
    if (!m_referenceOn) {
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(3, GL_FLOAT, 0, bufferOffset(layout.colours()));
    }
    glDrawElements(GL_TRIANGLES, terrain.indexCount(), GL_UNSIGNED_INT, bufferOffset(0));
    disableTerrainArrays();
    glDisable(GL_TEXTURE_2D);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

void GLTerrain::drawItems() {
    const ViewportState& view = m_context.viewport;
    const bool custom = m_context.pipeline.customTerrainLoaded;
    const int count = int(view.items.size());

    // Index order, the selected item moved to the end.
    std::vector<int> order;
    order.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i)
        if (i + 1 != view.selectedItem)
            order.push_back(i);
    if (view.selectedItem >= 1 && view.selectedItem <= count)
        order.push_back(view.selectedItem - 1);

    for (int index : order) {
        const ItemRecord& item = view.items[std::size_t(index)];
        const bool selected = index + 1 == view.selectedItem;
        glPushMatrix();
        glDisable(GL_TEXTURE_2D);
        glTranslatef(item.position[0], item.position[1], item.position[2]);
        glRotatef(item.rotation[2], 0.0f, 0.0f, 1.0f);
        glRotatef(item.rotation[0], 1.0f, 0.0f, 0.0f);
        glRotatef(item.rotation[1], 0.0f, 1.0f, 0.0f);
        glScalef(item.scale[0] * kItemScale, item.scale[1] * kItemScale,
                 item.scale[2] * kItemScale);
        const std::array<float, 3> colour =
            selected ? std::array<float, 3>{1.0f, 0.0f, 0.0f} : item.colour;
        glColor4f(colour[0], colour[1], colour[2], selected ? 0.85f : 1.0f);
        glPushName(GLuint(index + 1));
        if (view.proxyActive) {
            glDisable(GL_LIGHTING);
            glDepthMask(GL_TRUE);
            drawItemBox(item, colour);
        } else {
            // While the left button drags an item, it must not hide what lies
            // behind it; on an OBJ terrain the others only stack on request.
            if (view.mouseDown && (view.mode == GLMode::Paint || view.mode == GLMode::Edit)) {
                if (selected)
                    glDepthMask(GL_FALSE);
                else if (custom)
                    glDepthMask(view.stacking ? GL_TRUE : GL_FALSE);
                else if (view.mode == GLMode::Edit)
                    glDepthMask(GL_TRUE);
            }
            glEnable(GL_LIGHTING);
            m_gl->propLists.call(item.modelSlot);
        }
        glPopName();
        glPopMatrix();
    }
    glDepthMask(GL_TRUE);
}

void GLTerrain::drawItemBox(const ItemRecord& item, const std::array<float, 3>& colour) {
    const float x0 = item.boxMin[0], y0 = item.boxMin[1], z0 = item.boxMin[2];
    const float x1 = item.boxMax[0], y1 = item.boxMax[1], z1 = item.boxMax[2];
    struct Face {
        GLfloat normal[3];
        GLfloat corners[4][3];
    };
    // Top, front, right, back, left; the bottom stays open.
    const Face faces[] = {
        {{0, 1, 0}, {{x0, y1, z0}, {x1, y1, z0}, {x1, y1, z1}, {x0, y1, z1}}},
        {{1, 0, 0}, {{x0, y0, z0}, {x1, y0, z0}, {x1, y1, z0}, {x0, y1, z0}}},
        {{0, 0, 1}, {{x1, y0, z0}, {x1, y0, z1}, {x1, y1, z1}, {x1, y1, z0}}},
        {{-1, 0, 0}, {{x1, y0, z1}, {x0, y0, z1}, {x0, y1, z1}, {x1, y1, z1}}},
        {{0, 0, -1}, {{x0, y0, z1}, {x0, y0, z0}, {x0, y1, z0}, {x0, y1, z1}}},
    };
    glEnable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_CULL_FACE);
    glColor4f(colour[0], colour[1], colour[2], 0.45f);
    glBegin(GL_QUADS);
    for (const Face& face : faces) {
        glNormal3fv(face.normal);
        for (const auto& corner : face.corners)
            glVertex3fv(corner);
    }
    glEnd();
    glColor4f(colour[0], colour[1], colour[2], 0.75f);
    for (const Face& face : faces) {
        glBegin(GL_LINE_LOOP);
        glNormal3fv(face.normal);
        for (const auto& corner : face.corners)
            glVertex3fv(corner);
        glEnd();
    }
    glDisable(GL_BLEND);
    glEnable(GL_CULL_FACE);
}

} // namespace morvane
