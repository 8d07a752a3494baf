#pragma once

#include "pipeline/terrain_arrays.h"
#include "props/terrain_sculpt.h"
#include "viewport/item_record.h"

#include <cstring>
#include <vector>

namespace morvane::testing {

// A terrain of side n across `size` scene units, centred like the built
// one (x and z from -size/2), heights h(gx, gz) of the grid-space point,
// normals from the positions. Its decimated set takes every fourth vertex.
template <typename Height>
TerrainArrays gridTerrain(int n, int size, Height h) {
    TerrainArrays t;
    t.gridSide = n;
    t.rowLength = n - 1;
    t.spacing = float(size) / float(n - 1);
    const float half = float(size / 2);
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) {
            const float gx = float(c) * t.spacing, gz = float(r) * t.spacing;
            t.vertices.insert(t.vertices.end(), {gx - half, h(gx, gz), gz - half});
        }
    t.normals.assign(t.vertices.size(), 0.0f);
    recomputeNormals(t);
    return t;
}

inline TerrainArrays flatTerrain(int n, int size, float height = 0.0f) {
    return gridTerrain(n, size, [height](float, float) { return height; });
}

inline TerrainArrays decimatedOf(const TerrainArrays& full) {
    TerrainArrays d;
    d.gridSide = (full.gridSide - 1) / 4 + 1;
    d.rowLength = d.gridSide - 1;
    d.spacing = full.spacing * 4.0f;
    d.vertices.assign(std::size_t(d.gridSide) * d.gridSide * 3, 0.0f);
    d.normals = d.vertices;
    refreshDecimated(full, d);
    return d;
}

inline float heightAt(const TerrainArrays& t, int row, int column) {
    return t.vertices[(std::size_t(row) * t.gridSide + column) * 3 + 1];
}

inline bool sameBits(const std::vector<float>& a, const std::vector<float>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

// The world point over the middle of cell (row, column).
inline std::array<float, 2> cellCentre(const TerrainArrays& t, int size, int row, int column) {
    const float half = float(size / 2);
    return {(float(column) + 0.5f) * t.spacing - half, (float(row) + 0.5f) * t.spacing - half};
}

inline ItemRecord itemAt(float x, float y, float z, int number = 0) {
    ItemRecord item;
    item.itemNumber = number;
    item.position = {x, y, z};
    item.propFile = QStringLiteral("/props/rock.pp2");
    item.modelSlot = 1;
    item.triangleCount = 12;
    return item;
}

} // namespace morvane::testing
