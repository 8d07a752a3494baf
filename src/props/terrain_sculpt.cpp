#include "props/terrain_sculpt.h"

#include "pipeline/terrain_arrays.h"
#include "props/terrain_cell.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace morvane {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kDecimationStep = 4;

bool usable(const TerrainArrays& t) {
    const std::size_t floats = std::size_t(t.gridSide) * std::size_t(t.gridSide) * 3;
    return t.gridSide >= 2 && t.vertices.size() >= floats && t.normals.size() >= floats;
}

// What every vertex of one brush event shares.
struct Stroke {
    float nx = 0.0f, ny = 1.0f, nz = 0.0f; // unit normal of the cell under the point
    float intensity = 0.0f;
    float blend = 0.0f;
    float floor = 0.0f;
    bool clampToFloor = true;
    bool lower = false;
    double angleStep = 0.0;
};

// Both brush paths move a vertex through here, so they agree bit for bit.
inline void moveVertex(float* v, const Stroke& s, double sinRow, double sinColumn) {
    const double product = sinRow * sinColumn;
    double f = product * product * product;
    if (s.lower)
        f = -f;
    const float weight = float(f);
    v[0] += s.nx * s.intensity * weight * s.blend;
    v[1] += s.ny * s.intensity * weight;
    v[2] += s.nz * s.intensity * weight * s.blend;
    if (s.clampToFloor && v[1] < s.floor)
        v[1] = s.floor;
}

struct BrushStart {
    BrushWindow window;
    Stroke stroke;
};

// The cell under the point, its normal and the window; nothing when the
// point is off the grid or the settings leave no brush.
bool startBrush(const TerrainArrays& t, const SculptSettings& settings, float worldX,
                float worldZ, BrushStart& out) {
    if (!usable(t) || settings.terrainSize < 1)
        return false;
    const auto [gx, gz] = gridPoint(settings.terrainSize, worldX, worldZ);
    const std::optional<TerrainCell> cell = terrainCellAt(t, gx, gz);
    if (!cell)
        return false;
    const SurfaceSample sample = surfaceAt(t, *cell);
    out.window = brushWindow(t, settings, cell->row, cell->column);
    Stroke& s = out.stroke;
    s.nx = sample.normal[0];
    s.ny = sample.normal[1];
    s.nz = sample.normal[2];
    s.intensity = float(settings.intensity) * 0.0625f;
    s.blend = float(settings.normalBlend) * 0.01f;
    s.floor = float(settings.lowElevation);
    s.clampToFloor = !settings.belowZero;
    s.lower = settings.lower;
    s.angleStep = kPi / double(out.window.side);
    return true;
}

// Rows (or columns) of the window that lie on the grid, as window offsets.
std::pair<long long, long long> onGrid(long long first, long long side, int n) {
    const long long begin = std::max(0LL, -first);
    const long long end = std::min(side, (long long)n - first);
    return {begin, std::max(begin, end)};
}

inline void cellNormal(const float* vertices, std::size_t rowFloats, std::size_t at, float* out) {
    const float* p0 = vertices + at;
    const float* p1 = p0 + 3;
    const float* p2 = p0 + rowFloats;
    const float ax = p0[0] - p1[0], ay = p0[1] - p1[1], az = p0[2] - p1[2];
    const float bx = p2[0] - p1[0], by = p2[1] - p1[1], bz = p2[2] - p1[2];
    const float nx = ay * bz - az * by;
    const float ny = az * bx - ax * bz;
    const float nz = ax * by - ay * bx;
    float length = std::sqrt(nx * nx + ny * ny + nz * nz);
    if (length == 0.0f)
        length = 1.0f;
    out[0] = nx / length;
    out[1] = ny / length;
    out[2] = nz / length;
}

// Normals of rows [r0, r1] and columns [c0, c1], both inside 0..n-2, and
// the edge copies those rows and columns feed.
void normalsOver(TerrainArrays& t, int r0, int r1, int c0, int c1) {
    const int n = t.gridSide;
    const std::size_t rowFloats = 3 * std::size_t(n);
    const float* p = t.vertices.data();
    float* normals = t.normals.data();
    for (int r = r0; r <= r1; ++r) {
        const std::size_t rowStart = rowFloats * std::size_t(r);
        for (int c = c0; c <= c1; ++c) {
            const std::size_t at = rowStart + 3 * std::size_t(c);
            cellNormal(p, rowFloats, at, normals + at);
        }
        if (c1 == n - 2)
            std::copy_n(normals + rowStart + 3 * std::size_t(n - 2), 3,
                        normals + rowStart + 3 * std::size_t(n - 1));
    }
    if (r1 == n - 2) {
        const int lastColumn = c1 == n - 2 ? n - 1 : c1;
        float* lastRow = normals + rowFloats * std::size_t(n - 1);
        std::copy(lastRow - rowFloats + 3 * std::size_t(c0),
                  lastRow - rowFloats + 3 * std::size_t(lastColumn + 1),
                  lastRow + 3 * std::size_t(c0));
    }
}

} // namespace

void GridRegion::include(const GridRegion& other) {
    if (other.empty())
        return;
    if (empty()) {
        *this = other;
        return;
    }
    firstRow = std::min(firstRow, other.firstRow);
    lastRow = std::max(lastRow, other.lastRow);
    firstColumn = std::min(firstColumn, other.firstColumn);
    lastColumn = std::max(lastColumn, other.lastColumn);
}

BrushWindow brushWindow(const TerrainArrays& terrain, const SculptSettings& settings, int cellRow,
                        int cellColumn) {
    BrushWindow w;
    // The grid side stands for the 512 of the full terrain: the radius in
    // cells grows with the grid's resolution. In 64 bits: the diameter
    // slider follows the terrain size, which may reach seven digits.
    if (settings.terrainSize >= 1 && settings.brushDiameter > 0)
        w.radius = (long long)settings.brushDiameter * terrain.gridSide / settings.terrainSize;
    w.side = (w.radius + 1) * 2;
    w.firstRow = cellRow - w.radius;
    w.firstColumn = cellColumn - w.radius;
    return w;
}

GridRegion deformTerrainPlain(TerrainArrays& terrain, const SculptSettings& settings,
                              float worldX, float worldZ) {
    BrushStart start;
    if (!startBrush(terrain, settings, worldX, worldZ, start))
        return {};
    const BrushWindow& w = start.window;
    const int n = terrain.gridSide;
    GridRegion visited;
    for (long long i = 0; i < w.side; ++i)
        for (long long j = 0; j < w.side; ++j) {
            const long long row = w.firstRow + i;
            const long long column = w.firstColumn + j;
            if (row < 0 || row >= n || column < 0 || column >= n)
                continue;
            const std::size_t v = std::size_t(row) * std::size_t(n) + std::size_t(column);
            moveVertex(&terrain.vertices[3 * v], start.stroke,
                       std::sin(double(i) * start.stroke.angleStep),
                       std::sin(double(j) * start.stroke.angleStep));
            visited.include({int(row), int(row), int(column), int(column)});
        }
    return visited;
}

GridRegion deformTerrain(TerrainArrays& terrain, const SculptSettings& settings, float worldX,
                         float worldZ) {
    BrushStart start;
    if (!startBrush(terrain, settings, worldX, worldZ, start))
        return {};
    const BrushWindow& w = start.window;
    const int n = terrain.gridSide;
    const auto [iBegin, iEnd] = onGrid(w.firstRow, w.side, n);
    const auto [jBegin, jEnd] = onGrid(w.firstColumn, w.side, n);
    if (iBegin >= iEnd || jBegin >= jEnd)
        return {};
    // Only the window's rows and columns on the grid, their sines once.
    std::vector<double> columnSines(std::size_t(jEnd - jBegin));
    for (long long j = jBegin; j < jEnd; ++j)
        columnSines[std::size_t(j - jBegin)] = std::sin(double(j) * start.stroke.angleStep);
    float* vertices = terrain.vertices.data();
    for (long long i = iBegin; i < iEnd; ++i) {
        const double sinRow = std::sin(double(i) * start.stroke.angleStep);
        float* v = vertices + 3 * (std::size_t(w.firstRow + i) * std::size_t(n) +
                                   std::size_t(w.firstColumn + jBegin));
        for (std::size_t j = 0; j < columnSines.size(); ++j, v += 3)
            moveVertex(v, start.stroke, sinRow, columnSines[j]);
    }
    return {int(w.firstRow + iBegin), int(w.firstRow + iEnd - 1), int(w.firstColumn + jBegin),
            int(w.firstColumn + jEnd - 1)};
}

void recomputeNormals(TerrainArrays& terrain) {
    if (!usable(terrain))
        return;
    const int n = terrain.gridSide;
    normalsOver(terrain, 0, n - 2, 0, n - 2);
}

void recomputeNormals(TerrainArrays& terrain, const GridRegion& moved) {
    if (!usable(terrain) || moved.empty())
        return;
    const int n = terrain.gridSide;
    // A vertex feeds its own normal and those of its left and upper
    // neighbours.
    const int r0 = std::max(0, moved.firstRow - 1);
    const int r1 = std::min(n - 2, moved.lastRow);
    const int c0 = std::max(0, moved.firstColumn - 1);
    const int c1 = std::min(n - 2, moved.lastColumn);
    if (r0 > r1 || c0 > c1)
        return;
    normalsOver(terrain, r0, r1, c0, c1);
}

void refreshDecimated(const TerrainArrays& full, TerrainArrays& decimated) {
    if (!usable(full) || !usable(decimated))
        return;
    const int n = full.gridSide;
    const int m = std::min(decimated.gridSide, (n - 1) / kDecimationStep + 1);
    for (int i = 0; i < m; ++i)
        for (int j = 0; j < m; ++j) {
            const std::size_t from =
                3 * (std::size_t(kDecimationStep * i) * std::size_t(n) +
                     std::size_t(kDecimationStep * j));
            const std::size_t to = 3 * (std::size_t(i) * std::size_t(decimated.gridSide) +
                                        std::size_t(j));
            std::copy_n(&full.vertices[from], 3, &decimated.vertices[to]);
            std::copy_n(&full.normals[from], 3, &decimated.normals[to]);
        }
}

GridRegion sculptTerrain(TerrainArrays& full, TerrainArrays& decimated,
                         const SculptSettings& settings, float worldX, float worldZ) {
    const GridRegion moved = deformTerrain(full, settings, worldX, worldZ);
    if (moved.empty())
        return moved;
    recomputeNormals(full, moved);
    refreshDecimated(full, decimated);
    return moved;
}

} // namespace morvane
