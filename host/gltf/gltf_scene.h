#pragma once

#include <QByteArray>
#include <QColor>
#include <QQuaternion>
#include <QString>
#include <QVector3D>

#include <vector>

namespace morvane::gltf {

// A scene as glTF sees it, in metres, free of any host or widget type, so
// the host and the command-line tool share one writer and one reader.

struct Primitive {
    std::vector<float> positions; // x, y, z per vertex
    std::vector<float> normals;   // unit length, one per vertex
    std::vector<float> uvs;       // u, v per vertex (glTF's v runs down); may be empty
    std::vector<quint32> indices; // triangles
    int material = -1;
};

struct Mesh {
    QString name;
    std::vector<Primitive> primitives;
};

// A picture: its file, or its bytes (PNG or JPEG) when it came embedded.
struct Texture {
    QString path;
    QByteArray data;
    QString mimeType;
    bool isEmpty() const { return path.isEmpty() && data.isEmpty(); }
};

struct Material {
    QString name;
    QColor baseColor = QColor(255, 255, 255);
    Texture baseColorTexture;
    Texture normalTexture;
    float metallic = 0.0f;
    float roughness = 0.8f;
    bool unlit = false; // drawn as it is (KHR_materials_unlit)
};

struct Camera {
    QString name;
    float yfov = 0.8f; // radians
    float aspectRatio = 1.5f;
    float znear = 0.05f; // metres
    float zfar = 100000.0f;
};

struct Node {
    QString name;
    QVector3D translation;
    QQuaternion rotation;
    QVector3D scale = QVector3D(1, 1, 1);
    int mesh = -1;
    int camera = -1;
    std::vector<int> children;
};

struct Scene {
    std::vector<Node> nodes;
    std::vector<int> roots;
    std::vector<Mesh> meshes;
    std::vector<Material> materials;
    std::vector<Camera> cameras;
};

} // namespace morvane::gltf
