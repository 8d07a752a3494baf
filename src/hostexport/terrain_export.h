#pragma once

#include <QString>

#include <functional>

namespace noise::utils {
template <typename T> class Raster;
using NoiseMap = Raster<float>;
} // namespace noise::utils

namespace morvane {

class GenerationDriver;
struct TerrainArrays;

struct TerrainExportRequest {
    QString groupName = QStringLiteral("my Terrain 1");
    int textureSize = 512;  // the final texture's side
    int normalMapSize = 0;  // 0: no normal map
    int bumpSlider = 1000;
    QString outputDir;      // empty: the maps folder
    // Called with the final map right after the texture evaluation.
    std::function<void(const noise::utils::NoiseMap&)> onTextureMap;
};

struct TerrainExportResult {
    bool ok = false;
    QString error;          // why it failed, for an "Error" box
    QString objFile;
    QString textureFile;
    QString normalMapFile;  // empty without a normal map
};

// A group name becomes file names in the output folder: no separators, no
// "." or "..", not empty. Returns the reason when it is refused.
QString checkGroupName(const QString& groupName);

// Writes the terrain for the host: "<group>.obj" from the full terrain
// arrays, "<group>.jpg" (the final texture re-evaluated at the texture
// size) and, when a size is chosen, "NormalMap_<group>.jpg".
TerrainExportResult exportTerrain(GenerationDriver& driver, const TerrainArrays& arrays,
                                  const TerrainExportRequest& request);

} // namespace morvane
