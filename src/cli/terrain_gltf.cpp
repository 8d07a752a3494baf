#include "terrain_gltf.h"

#include "gltf_writer.h"
#include "hostexport/terrain_export.h"
#include "pipeline/terrain_arrays.h"

#include <QVector3D>

namespace morvane {

bool writeTerrainGltf(const TerrainArrays& arrays, const TerrainExportResult& exported,
                      const QString& groupName, const QString& path, QString* error) {
    const int side = arrays.gridSide;
    if (side < 2 || arrays.vertices.size() != size_t(side) * size_t(side) * 3) {
        if (error)
            *error = QStringLiteral("no terrain to write");
        return false;
    }
    gltf::Primitive ground;
    ground.positions = arrays.vertices;
    ground.indices.assign(arrays.indices.begin(), arrays.indices.end());
    ground.normals.reserve(ground.positions.size());
    for (size_t i = 0; i + 2 < ground.positions.size(); i += 3) {
        QVector3D n = arrays.normals.size() == ground.positions.size()
                          ? QVector3D(arrays.normals[i], arrays.normals[i + 1], arrays.normals[i + 2])
                          : QVector3D();
        n = n.isNull() ? QVector3D(0, 1, 0) : n.normalized();
        ground.normals.insert(ground.normals.end(), {n.x(), n.y(), n.z()});
    }
    // The OBJ export's texture coordinates, with glTF's v from the top.
    for (int row = 0; row < side; ++row)
        for (int column = 0; column < side; ++column)
            ground.uvs.insert(ground.uvs.end(),
                              {float(column) / float(side - 1), float(row) / float(side - 1)});
    ground.material = 0;

    gltf::Scene scene;
    gltf::Material material;
    material.name = groupName + QStringLiteral(" Default");
    material.baseColorTexture.path = exported.textureFile;
    material.normalTexture.path = exported.normalMapFile;
    scene.materials.push_back(material);
    scene.meshes.push_back({groupName, {ground}});
    gltf::Node node;
    node.name = groupName;
    node.mesh = 0;
    scene.nodes.push_back(node);
    scene.roots.push_back(0);
    return gltf::writeGltf(scene, path, error);
}

} // namespace morvane
