#pragma once

namespace morvane {

struct TerrainArrays;

// What one brush event reads from the populate and final-stage controls.
struct SculptSettings {
    int intensity = 5;      // `glEcoInstancesSpinBox`, x 0.0625
    int brushDiameter = 1;  // `glEcoDiameterSlider`, scene units
    int normalBlend = 20;   // `glPerpVsNormalSlider`, 0 = straight up, 100 = along the normal
    int lowElevation = 0;   // `FFTerrainElevationLowSpinBox`: the floor while belowZero is off
    bool belowZero = false; // the deform-below-zero flag
    bool lower = false;     // Shift held: the brush digs instead of raising
    int terrainSize = 100;  // scene units across the terrain
};

// An inclusive rectangle of grid vertices; empty when lastRow < firstRow.
struct GridRegion {
    int firstRow = 0;
    int lastRow = -1;
    int firstColumn = 0;
    int lastColumn = -1;

    bool empty() const { return lastRow < firstRow || lastColumn < firstColumn; }
    void include(const GridRegion& other);
};

// The brush's grid radius, window side and the first row and column of
// its window for a cell; used by both brush paths and by tests.
struct BrushWindow {
    long long radius = 0; // R, grid cells
    long long side = 0;   // w = 2 (R + 1) vertices
    long long firstRow = 0;
    long long firstColumn = 0;
};
BrushWindow brushWindow(const TerrainArrays& terrain, const SculptSettings& settings, int cellRow,
                        int cellColumn);

// One brush event at the world point (x, z) of the surface under the
// cursor: raises (or lowers) the vertices in a square window around the
// point's cell along the cell's normal, weighted by (sin sin)^3 so the
// window's rim stays put. Vertices whose row or column falls outside the
// grid are skipped (the window does not wrap). Returns the vertices it
// visited; empty when the point is off the grid.
GridRegion deformTerrain(TerrainArrays& terrain, const SculptSettings& settings, float worldX,
                         float worldZ);
// The same brush visiting every vertex of the window and testing each
// against the grid: the definition the fast path is held to.
GridRegion deformTerrainPlain(TerrainArrays& terrain, const SculptSettings& settings,
                              float worldX, float worldZ);

// Vertex normals from the positions: for each vertex P with its right
// neighbour R and lower neighbour D, (P - R) x (D - R) normalised. The last
// column and row repeat the normals beside them, as the terrain build does,
// so a brush at the edge leaves no stale edge normals behind.
void recomputeNormals(TerrainArrays& terrain);
// Only the normals that depend on the vertices of `moved`: the same values
// as the full pass, bit for bit.
void recomputeNormals(TerrainArrays& terrain, const GridRegion& moved);

// The decimated set follows the full one: its vertex (i, j) is the full
// vertex (4i, 4j), normals likewise.
void refreshDecimated(const TerrainArrays& full, TerrainArrays& decimated);

// A whole brush event: deformation, the normals it affects and the
// decimated refresh. Returns the vertices the brush visited.
GridRegion sculptTerrain(TerrainArrays& full, TerrainArrays& decimated,
                         const SculptSettings& settings, float worldX, float worldZ);

} // namespace morvane
