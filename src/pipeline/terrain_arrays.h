#pragma once

#include "noise/noise_map.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace morvane {

class EventLog;

// One renderable triangle grid of the terrain: D x D vertices, row-major,
// vertex k = D x r + c; rows run along +z, columns along +x, y is up.
struct TerrainArrays {
    int gridSide = 0;    // D
    int rowLength = 0;   // D - 1 cells per side
    float spacing = 0.0f;
    float heightMinimum = 0.0f;
    float heightScale = 0.0f;
    std::vector<float> vertices;       // D^2 x (x, y, z)
    std::vector<float> normals;        // D^2 x (x, y, z)
    std::vector<float> texCoords;      // D^2 x (u, v)
    std::vector<float> terrainColors;  // D^2 x (r, g, b) in 0..1
    std::vector<float> textureColors;  // D^2 x (1, 1, 1)
    std::vector<std::uint32_t> indices; // 6 x (D - 1)^2

    int indexCount() const { return int(indices.size()); }
    int vertexCount() const { return gridSide * gridSide; }
    bool empty() const { return gridSide == 0; }
};

// What a terrain build reads besides the height map.
struct TerrainBuildParams {
    int terrainSize = 100; // S, scene units
    int heightLow = 0;     // the lowest sample lies here
    int heightUp = 10;     // the highest sample lies here
    QString texturePicture; // "TFFnoisePreview.jpg" of the maps folder
};

// The full set (512 x 512) from a 512 x 512 final map; logs
// "building terrain arrays\n".
TerrainArrays buildTerrainArrays(const noise::utils::NoiseMap& map,
                                 const TerrainBuildParams& params, EventLog& log);
// The decimated set (128 x 128, every fourth sample); logs
// "build decimated terrain arrays\n".
TerrainArrays buildDecimatedTerrainArrays(const noise::utils::NoiseMap& map,
                                          const TerrainBuildParams& params, EventLog& log);

} // namespace morvane
