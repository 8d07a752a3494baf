#include "props/terrain_cell.h"

#include "pipeline/terrain_arrays.h"

#include <cmath>

namespace morvane {

std::optional<TerrainCell> terrainCellAt(const TerrainArrays& terrain, float gx, float gz) {
    const int n = terrain.gridSide;
    const float s = terrain.spacing;
    if (n < 2 || !(s > 0.0f) || terrain.vertices.size() < std::size_t(n) * n * 3)
        return std::nullopt;
    const float columnF = gx / s;
    const float rowF = gz / s;
    // The negated test also refuses NaN.
    if (!(columnF >= 0.0f && rowF >= 0.0f && columnF < float(n - 1) && rowF < float(n - 1)))
        return std::nullopt;
    TerrainCell cell;
    cell.column = int(columnF);
    cell.row = int(rowF);
    cell.topLeft = cell.row * n + cell.column;
    cell.fx = (gx - float(cell.column) * s) / s;
    cell.fz = (gz - float(cell.row) * s) / s;
    return cell;
}

SurfaceSample surfaceAt(const TerrainArrays& terrain, const TerrainCell& cell) {
    const int n = terrain.gridSide;
    const float s = terrain.spacing;
    const int tl = cell.topLeft;
    const int tr = tl + 1;
    const int bl = tl + n;
    const int br = bl + 1;
    const auto height = [&](int vertex) { return terrain.vertices[std::size_t(vertex) * 3 + 1]; };
    const float hTL = height(tl), hTR = height(tr), hBL = height(bl), hBR = height(br);
    const float fx = cell.fx, fz = cell.fz;

    SurfaceSample sample;
    sample.lowerLeft = fz > fx;
    if (sample.lowerLeft) {
        sample.height = hTL + fx * (hBR - hBL) + fz * (hBL - hTL);
        sample.normal = normalised({s * (hBL - hBR), s * s, -s * (hBL - hTL)});
    } else {
        sample.height = hTR + (fx - 1.0f) * (hTR - hTL) + fz * (hBR - hTR);
        sample.normal = normalised({s * (hTL - hTR), s * s, -s * (hBR - hTR)});
    }
    return sample;
}

std::array<float, 3> normalised(const std::array<float, 3>& v) {
    float length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (length == 0.0f)
        length = 1.0f;
    return {v[0] / length, v[1] / length, v[2] / length};
}

} // namespace morvane
