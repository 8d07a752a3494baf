#pragma once

// The GL objects GLTerrain owns, shared by the files that implement it.
// Only included by those files: it pulls in the GL headers.

#include "props/ui/prop_display_lists.h"
#include "viewport/ui/gl_terrain.h"

#include <QGLShaderProgram>
#include <QImage>

#include <GL/gl.h>
#include <GL/glu.h>

#include <array>
#include <memory>

namespace morvane {

using GLVector4 = std::array<GLfloat, 4>;

// Light 0 is the one directional light; light 1 is defined but stays off.
struct ViewportLight {
    GLVector4 materialSpecular{0.2f, 0.2f, 0.2f, 1.0f};
    GLfloat materialShininess = 0.0f;
    GLVector4 ambient{0.0f, 0.0f, 0.0f, 1.0f};
    GLVector4 diffuse{1.0f, 1.0f, 1.0f, 1.0f};
    GLVector4 specular{0.35f, 0.35f, 0.35f, 1.0f};
    GLVector4 light0Position{0.5f, 1.0f, 0.5f, 0.0f};
    GLVector4 light1Position{-0.5f, 1.0f, -0.5f, 0.0f};
};

// The byte layout of the terrain's array buffer: four blocks for the n^2
// vertices of the full set.
struct TerrainBufferLayout {
    GLsizeiptr vertexCount = 0;

    GLsizeiptr positions() const { return 0; }
    GLsizeiptr normals() const { return 12 * vertexCount; }
    GLsizeiptr colours() const { return 24 * vertexCount; }
    GLsizeiptr texCoords() const { return 36 * vertexCount; }
    GLsizeiptr total() const { return 44 * vertexCount; }
};

struct GLTerrain::Gl {
    bool initialized = false; // initializeGL has run: the context exists

    GLuint arrayBuffer = 0;
    GLuint elementBuffer = 0;
    GLsizeiptr arrayCapacity = 0; // bytes the buffers were created with
    GLsizeiptr elementCapacity = 0;
    // What the buffers hold now; drawing from them needs both to match the
    // terrain.
    int bufferedVertices = -1;
    int bufferedIndices = -1;

    GLuint referenceTexture = 0;
    GLuint maskTexture = 0;
    GLuint thumbnailTexture = 0;
    QImage referenceImage;
    QImage thumbnailImage; // kept until the context exists

    GLuint terrainList = 0; // the custom terrain's display list
    bool terrainListPending = false;

    std::unique_ptr<QGLShaderProgram> shader;
    bool shaderInUse = false; // never set: drawing is fixed-function

    GLUquadric* quadric = nullptr;
    ViewportLight light;
    PropDisplayLists propLists;
};

// Free heap memory a software renderer may keep for the next frame: above
// llvmpipe's largest scene (36 MiB) with its bins and setup data.
constexpr int kRetainedHeapBytes = 128 * 1024 * 1024;

bool isSoftwareRenderer(const char* renderer);
// On a software renderer, stops the allocator from returning the freed heap
// top to the kernel after each frame. True when the setting was made.
bool retainHeapForRenderer(const char* renderer);

} // namespace morvane
