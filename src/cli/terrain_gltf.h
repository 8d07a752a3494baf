#pragma once

#include <QString>

namespace morvane {

struct TerrainArrays;
struct TerrainExportResult;

// The exported terrain as one textured glTF node (1 scene unit = 1 m): the
// full grid with its normals, the texture as base colour and, when one was
// written, the normal map. False with the reason in `error`.
bool writeTerrainGltf(const TerrainArrays& arrays, const TerrainExportResult& exported,
                      const QString& groupName, const QString& path, QString* error);

} // namespace morvane
