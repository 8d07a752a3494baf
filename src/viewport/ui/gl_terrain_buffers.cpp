// The terrain's buffer objects: one array buffer with four blocks
// (positions, normals, colours, texture coordinates) and one element buffer.
// They are sized from the terrain they are given, not once for all: a
// terrain built before the context exists, or a larger one later, is
// uploaded into buffers grown to fit it.

#include "pipeline/pipeline_state.h"
#include "viewport/ui/gl_terrain.h"
#include "viewport/ui/viewport_gl.h"
#include "viewport/viewport_state.h"

namespace morvane {

namespace {

void subData(GLenum target, GLsizeiptr offset, const std::vector<float>& data, GLsizeiptr bytes) {
    // A malformed set (arrays shorter than the grid) must not be read past.
    const GLsizeiptr available = GLsizeiptr(data.size() * sizeof(float));
    if (bytes > 0 && available >= bytes)
        glBufferSubData(target, offset, bytes, data.data());
}

} // namespace

void GLTerrain::createTerrainBuffers() {
    if (!m_gl->arrayBuffer)
        glGenBuffers(1, &m_gl->arrayBuffer);
    if (!m_gl->elementBuffer)
        glGenBuffers(1, &m_gl->elementBuffer);
    fillTerrainBuffers();
}

void GLTerrain::fillTerrainBuffers() {
    const TerrainArrays& terrain = m_context.pipeline.terrain;
    const TerrainBufferLayout layout{GLsizeiptr(terrain.vertexCount())};
    const GLsizeiptr indexBytes = GLsizeiptr(terrain.indices.size() * sizeof(std::uint32_t));

    glBindBuffer(GL_ARRAY_BUFFER, m_gl->arrayBuffer);
    if (layout.total() > m_gl->arrayCapacity || m_gl->arrayCapacity == 0) {
        glBufferData(GL_ARRAY_BUFFER, layout.total(), nullptr, GL_DYNAMIC_DRAW);
        m_gl->arrayCapacity = layout.total();
    }
    subData(GL_ARRAY_BUFFER, layout.positions(), terrain.vertices, 12 * layout.vertexCount);
    subData(GL_ARRAY_BUFFER, layout.normals(), terrain.normals, 12 * layout.vertexCount);
    subData(GL_ARRAY_BUFFER, layout.colours(), terrain.terrainColors, 12 * layout.vertexCount);
    subData(GL_ARRAY_BUFFER, layout.texCoords(), terrain.texCoords, 8 * layout.vertexCount);
    glBindBuffer(GL_ARRAY_BUFFER, 0);

    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, m_gl->elementBuffer);
    if (indexBytes > m_gl->elementCapacity || m_gl->elementCapacity == 0) {
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, indexBytes, terrain.indices.data(), GL_DYNAMIC_DRAW);
        m_gl->elementCapacity = indexBytes;
    } else if (indexBytes > 0) {
        glBufferSubData(GL_ELEMENT_ARRAY_BUFFER, 0, indexBytes, terrain.indices.data());
    }
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);

    m_gl->bufferedVertices = terrain.vertexCount();
    m_gl->bufferedIndices = terrain.indexCount();
}

bool GLTerrain::buffersHoldTerrain() const {
    const TerrainArrays& terrain = m_context.pipeline.terrain;
    return m_gl->arrayBuffer && m_gl->elementBuffer &&
           m_gl->bufferedVertices == terrain.vertexCount() &&
           m_gl->bufferedIndices == terrain.indexCount();
}

void GLTerrain::uploadTerrainBuffers() {
    // Before the context exists initializeGL uploads whatever terrain there
    // is. Buffers made earlier are kept current even while use-VBO is off, so
    // switching it on never draws an old terrain.
    if (!m_gl->initialized || (!m_context.viewport.useVBO && !m_gl->arrayBuffer))
        return;
    makeCurrent();
    createTerrainBuffers();
}

void GLTerrain::uploadPositionsAndNormals() {
    if (!m_gl->initialized || (!m_context.viewport.useVBO && !m_gl->arrayBuffer))
        return;
    makeCurrent();
    if (!buffersHoldTerrain()) {
        createTerrainBuffers();
        return;
    }
    const TerrainArrays& terrain = m_context.pipeline.terrain;
    const TerrainBufferLayout layout{GLsizeiptr(terrain.vertexCount())};
    glBindBuffer(GL_ARRAY_BUFFER, m_gl->arrayBuffer);
    subData(GL_ARRAY_BUFFER, layout.positions(), terrain.vertices, 12 * layout.vertexCount);
    subData(GL_ARRAY_BUFFER, layout.normals(), terrain.normals, 12 * layout.vertexCount);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

} // namespace morvane
