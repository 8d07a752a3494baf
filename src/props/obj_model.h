#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace morvane {

class Notifier;

struct ObjTriangle {
    std::array<std::uint32_t, 3> vertices{};  // 1-based indices
    std::array<std::uint32_t, 3> normals{};   // 0 = none
    std::array<std::uint32_t, 3> texcoords{}; // 0 = none
    std::uint32_t facetNormal = 0;
};

struct ObjGroup {
    QString name;
    std::vector<std::uint32_t> triangles; // indices into ObjModel::triangles
    int material = 0;
};

// Geometry of one OBJ file. Arrays are 1-based as in the file: entry 0 is
// unused, so a face index can be used directly.
struct ObjModel {
    QString path;
    QString materialLibrary;
    std::vector<std::array<float, 3>> vertices;
    std::vector<std::array<float, 3>> normals;
    std::vector<std::array<float, 2>> texcoords;
    std::vector<std::array<float, 3>> facetNormals;
    std::vector<ObjTriangle> triangles;
    std::vector<ObjGroup> groups; // newest first, "default" last
    std::vector<std::array<float, 3>> smoothedNormals; // per vertex, 0-based

    std::size_t vertexCount() const { return vertices.empty() ? 0 : vertices.size() - 1; }
};

// What the last read left behind: the bounding box and triangle count the
// painted items copy, and whether the file opened.
struct ObjFacts {
    std::array<float, 3> boxMin{2147483648.0f, 2147483648.0f, 2147483648.0f};
    std::array<float, 3> boxMax{-2147483648.0f, -2147483648.0f, -2147483648.0f};
    int propTriangleCount = 0;
    bool loaded = false;
};

// Draw-mode bits.
enum ObjDrawMode : int {
    kObjFlat = 1,
    kObjSmooth = 2,
    kObjTexture = 4,
    kObjColour = 8,
    kObjMaterial = 16
};

// Reads an OBJ file (two passes). Unreadable file: "Error" box "Error
// loading file: <path>", facts.loaded = false, null. Messages the reader
// prints (unknown tokens, missing materials, dropped faces) are appended to
// `console`. Faces whose indices fall outside the arrays are dropped.
std::unique_ptr<ObjModel> readObjModel(const QString& path, ObjFacts& facts, Notifier& notifier,
                                       QStringList& console);

// The same two passes on the file's bytes already in memory; `path` only
// names the model.
std::unique_ptr<ObjModel> readObjModelText(const QByteArray& bytes, const QString& path,
                                           ObjFacts& facts, QStringList& console);

void computeFacetNormals(ObjModel& model);
void computeVertexNormals(ObjModel& model, float angleDegrees);
// The mode with the bits the model cannot honour removed; each correction
// appends its warning line to `warnings` when given.
int correctDrawMode(const ObjModel& model, int mode, QStringList* warnings = nullptr);

} // namespace morvane
