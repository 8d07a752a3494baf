#include "pipeline/terrain_arrays.h"
#include "props/terrain_cell.h"

#include <gtest/gtest.h>

#include <cmath>

namespace morvane {
namespace {

// A grid of side n and spacing s whose heights follow h(x, z).
template <typename Height>
TerrainArrays plane(int n, float s, Height h) {
    TerrainArrays t;
    t.gridSide = n;
    t.rowLength = n - 1;
    t.spacing = s;
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) {
            const float x = float(c) * s, z = float(r) * s;
            t.vertices.insert(t.vertices.end(), {x, h(x, z), z});
        }
    return t;
}

TEST(TerrainCellTest, OnlyPointsInsideTheGridHaveACell) {
    const TerrainArrays t = plane(5, 2.0f, [](float, float) { return 0.0f; });
    struct Row { float gx, gz; bool inside; int row, column; };
    const Row rows[] = {
        {0.0f, 0.0f, true, 0, 0},      {7.99f, 7.99f, true, 3, 3}, {3.0f, 5.0f, true, 2, 1},
        {8.0f, 1.0f, false, 0, 0},     // past the last column: no wrap onto the next row
        {1.0f, 8.0f, false, 0, 0},     // the last row of vertices starts no cell
        {-0.5f, 1.0f, false, 0, 0},    {1.0f, -0.01f, false, 0, 0},
        {NAN, 1.0f, false, 0, 0},      {1e30f, 1.0f, false, 0, 0},
    };
    for (const Row& row : rows) {
        const auto cell = terrainCellAt(t, row.gx, row.gz);
        ASSERT_EQ(cell.has_value(), row.inside) << row.gx << ", " << row.gz;
        if (cell) {
            EXPECT_EQ(cell->row, row.row);
            EXPECT_EQ(cell->column, row.column);
            EXPECT_EQ(cell->topLeft, row.row * 5 + row.column);
        }
    }
    EXPECT_FALSE(terrainCellAt(TerrainArrays{}, 0.0f, 0.0f));
}

TEST(TerrainCellTest, HeightAndNormalFollowAPlaneInBothTriangles) {
    // h = 0.5 x + 0.25 z: the normal is (-0.5, 1, -0.25) normalised everywhere.
    const TerrainArrays t = plane(4, 1.5f, [](float x, float z) { return 0.5f * x + 0.25f * z; });
    const float length = std::sqrt(0.25f + 1.0f + 0.0625f);
    for (const auto& [gx, gz] : {std::pair{0.3f, 1.2f}, std::pair{2.0f, 1.6f}, std::pair{4.4f, 0.1f}}) {
        const auto cell = terrainCellAt(t, gx, gz);
        ASSERT_TRUE(cell);
        const SurfaceSample s = surfaceAt(t, *cell);
        EXPECT_EQ(s.lowerLeft, cell->fz > cell->fx);
        EXPECT_NEAR(s.height, 0.5f * gx + 0.25f * gz, 1e-5f);
        EXPECT_NEAR(s.normal[0], -0.5f / length, 1e-6f);
        EXPECT_NEAR(s.normal[1], 1.0f / length, 1e-6f);
        EXPECT_NEAR(s.normal[2], -0.25f / length, 1e-6f);
    }
}

TEST(TerrainCellTest, TheDiagonalSplitsARidgedCell) {
    // Only the bottom-right corner is raised: the upper-right triangle
    // (top-left, top-right, bottom-right) slopes, and so does the lower-left.
    TerrainArrays t = plane(2, 1.0f, [](float, float) { return 0.0f; });
    t.vertices[3 * 3 + 1] = 1.0f;
    const SurfaceSample upper = surfaceAt(t, *terrainCellAt(t, 0.8f, 0.2f));
    const SurfaceSample lower = surfaceAt(t, *terrainCellAt(t, 0.2f, 0.8f));
    EXPECT_FALSE(upper.lowerLeft);
    EXPECT_TRUE(lower.lowerLeft);
    EXPECT_NEAR(upper.height, 0.2f, 1e-6f); // rises with z across that triangle
    EXPECT_NEAR(lower.height, 0.2f, 1e-6f); // rises with x across this one
    EXPECT_LT(upper.normal[2], 0.0f);
    EXPECT_NEAR(upper.normal[0], 0.0f, 1e-6f);
    EXPECT_LT(lower.normal[0], 0.0f);
    EXPECT_NEAR(lower.normal[2], 0.0f, 1e-6f);
}

} // namespace
} // namespace morvane
