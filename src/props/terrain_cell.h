#pragma once

#include <array>
#include <optional>

namespace morvane {

struct TerrainArrays;

// A cell of the terrain grid under a grid-space point (0 at the terrain's
// corner, terrain size at the far side). Every placement, drag, brush and
// re-seat goes through here, so none of them reads outside the grid: the row
// and the column are tested against the grid, not the linear cell index
// (which lets points past the last column wrap onto the next row and lets
// the last row's cells reach past the end of the vertex array).
struct TerrainCell {
    int row = 0;
    int column = 0;
    int topLeft = 0; // vertex index of the cell's top-left corner
    float fx = 0.0f; // position inside the cell, 0..1 along x
    float fz = 0.0f; // ... and along z
};

// The grid-space point of a world point: x and z are measured from the
// terrain centre, half the terrain size with integer division.
inline std::array<float, 2> gridPoint(int terrainSize, float worldX, float worldZ) {
    const int half = terrainSize / 2;
    return {float(half) + worldX, float(half) + worldZ};
}

// The cell holding (gx, gz), or none when the point is off the grid (or not
// a number).
std::optional<TerrainCell> terrainCellAt(const TerrainArrays& terrain, float gx, float gz);

// Height and unit normal of the terrain surface inside a cell. The cell is
// split along its top-left to bottom-right diagonal; the lower-left
// triangle (top-left, bottom-left, bottom-right) holds the points with
// fz > fx.
struct SurfaceSample {
    float height = 0.0f;
    std::array<float, 3> normal{0.0f, 1.0f, 0.0f};
    bool lowerLeft = false;
};
SurfaceSample surfaceAt(const TerrainArrays& terrain, const TerrainCell& cell);

// Divides by the length, taking a zero length as 1.
std::array<float, 3> normalised(const std::array<float, 3>& v);

} // namespace morvane
