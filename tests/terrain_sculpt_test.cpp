#include "edit_fixture.h"

#include "common/event_log.h"
#include "common/random_source.h"
#include "noise/noise_map.h"
#include "props/terrain_sculpt.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace morvane {
namespace {

using testing::cellCentre;
using testing::flatTerrain;
using testing::gridTerrain;
using testing::heightAt;
using testing::sameBits;

std::array<int, 4> bounds(const GridRegion& g) {
    return {g.firstRow, g.lastRow, g.firstColumn, g.lastColumn};
}

// Spacing 1; diameter 4 over cell (16, 16) gives a 10 x 10 window from vertex (12, 12).
struct MiddleBrush {
    static constexpr int kSide = 33;
    static constexpr int kSize = 32;
    static constexpr int kFirst = 12;
    static constexpr int kWindow = 10;
    SculptSettings settings;
    MiddleBrush() {
        settings.intensity = 16;
        settings.brushDiameter = 4;
        settings.normalBlend = 0;
        settings.terrainSize = kSize;
    }
    GridRegion apply(TerrainArrays& t) const {
        const auto [x, z] = cellCentre(t, kSize, 16, 16);
        return deformTerrain(t, settings, x, z);
    }
};

TEST(TerrainSculptTest, BrushWeightIsZeroOnTheWindowRimAndLargestInItsMiddle) {
    const MiddleBrush brush;
    TerrainArrays t = flatTerrain(MiddleBrush::kSide, MiddleBrush::kSize);
    constexpr int first = MiddleBrush::kFirst, last = first + MiddleBrush::kWindow - 1;
    EXPECT_EQ(bounds(brush.apply(t)), (std::array<int, 4>{first, last, first, last}));

    float highest = -1.0f;
    int highestRow = -1, highestColumn = -1;
    for (int r = 0; r < MiddleBrush::kSide; ++r)
        for (int c = 0; c < MiddleBrush::kSide; ++c) {
            const float h = heightAt(t, r, c);
            const bool inWindow = r >= first && r <= last && c >= first && c <= last;
            if (!inWindow || r == first || c == first) {
                EXPECT_EQ(h, 0.0f) << r << ", " << c;
            }
            if (h > highest) {
                highest = h;
                highestRow = r;
                highestColumn = c;
            }
            if (inWindow) { // (sin sin)^3 is symmetric in row and column
                EXPECT_EQ(h, heightAt(t, c, r));
            }
        }
    EXPECT_EQ(highestRow, 17);
    EXPECT_EQ(highestColumn, 17);
    EXPECT_NEAR(highest, 1.0f, 1e-6f);
}

TEST(TerrainSculptTest, ShiftLowersAndTheLowElevationIsAFloorUnlessBelowZeroIsOn) {
    struct Row {
        float start;
        bool lower, belowZero;
        int floor;
        float middle; // height of the window's middle vertex afterwards
        float rim;    // ... and of its first vertex, whose weight is 0
    };
    const Row rows[] = {
        {0.0f, true, false, 0, 0.0f, 0.0f},    // lowering stops at the floor
        {0.0f, true, true, 0, -1.0f, 0.0f},    // ... unless below zero is allowed
        {3.0f, true, false, 0, 2.0f, 3.0f},    // lowering above the floor
        {-5.0f, false, false, 0, 0.0f, 0.0f},  // the whole window is lifted to the floor
        {-5.0f, false, true, 0, -4.0f, -5.0f}, // ... but not with below zero on
        {0.0f, true, false, -3, -1.0f, 0.0f},  // a lower floor lets it dig
    };
    for (const Row& row : rows) {
        MiddleBrush brush;
        brush.settings.lower = row.lower;
        brush.settings.belowZero = row.belowZero;
        brush.settings.lowElevation = row.floor;
        TerrainArrays t = flatTerrain(MiddleBrush::kSide, MiddleBrush::kSize, row.start);
        brush.apply(t);
        SCOPED_TRACE(::testing::Message() << row.start << " " << row.lower << " " << row.floor);
        EXPECT_NEAR(heightAt(t, 17, 17), row.middle, 1e-6f);
        EXPECT_EQ(heightAt(t, 12, 12), row.rim);
        EXPECT_EQ(heightAt(t, 0, 0), row.start); // outside the window
    }
}

TEST(TerrainSculptTest, NormalBlendZeroMovesVerticesOnlyVertically) {
    const auto slope = [](float gx, float gz) { return 0.5f * gx + 0.25f * gz; };
    const TerrainArrays before = gridTerrain(MiddleBrush::kSide, MiddleBrush::kSize, slope);
    for (const int blend : {0, 100}) {
        MiddleBrush brush;
        brush.settings.normalBlend = blend;
        TerrainArrays t = before;
        brush.apply(t);
        bool movedAcross = false, movedUp = false;
        for (std::size_t v = 0; v < t.vertices.size(); v += 3) {
            movedAcross |= t.vertices[v] != before.vertices[v] ||
                           t.vertices[v + 2] != before.vertices[v + 2];
            movedUp |= t.vertices[v + 1] > before.vertices[v + 1];
        }
        EXPECT_TRUE(movedUp) << blend;
        EXPECT_EQ(movedAcross, blend != 0) << blend;
    }
}

TEST(TerrainSculptTest, OffTheGridNothingChanges) {
    MiddleBrush brush;
    const TerrainArrays before = flatTerrain(MiddleBrush::kSide, MiddleBrush::kSize);
    for (const auto& [x, z] : {std::pair{-16.5f, 0.0f}, std::pair{0.0f, 16.0f},
                               std::pair{NAN, 0.0f}, std::pair{1e30f, -1e30f}}) {
        TerrainArrays t = before;
        EXPECT_TRUE(deformTerrain(t, brush.settings, x, z).empty());
        EXPECT_TRUE(sameBits(t.vertices, before.vertices));
    }
    TerrainArrays t = before;
    brush.settings.terrainSize = 0;
    EXPECT_TRUE(deformTerrain(t, brush.settings, 0.0f, 0.0f).empty());
}

// Fast path equals plain at edges and corners; nothing outside the window moves
// (no wrapping onto the opposite side or the next row).
TEST(TerrainSculptTest, BrushesAtEdgesAndCornersStayInsideTheGrid) {
    constexpr int n = 17, size = 16;
    const TerrainArrays before =
        gridTerrain(n, size, [](float gx, float gz) { return std::sin(gx) + std::cos(gz); });
    const int edges[] = {0, 1, 8, 14, 15};
    for (const int diameter : {1, 3, 6, 40})
        for (const int row : edges)
            for (const int column : edges) {
                SCOPED_TRACE(::testing::Message() << diameter << " at " << row << ", " << column);
                SculptSettings s;
                s.intensity = 40;
                s.brushDiameter = diameter;
                s.normalBlend = 60;
                s.belowZero = true;
                s.terrainSize = size;
                const auto [x, z] = cellCentre(before, size, row, column);
                TerrainArrays fast = before, plain = before;
                EXPECT_EQ(bounds(deformTerrain(fast, s, x, z)),
                          bounds(deformTerrainPlain(plain, s, x, z)));
                ASSERT_TRUE(sameBits(fast.vertices, plain.vertices));
                const BrushWindow w = brushWindow(before, s, row, column);
                for (int r = 0; r < n; ++r)
                    for (int c = 0; c < n; ++c)
                        if (r < w.firstRow || r >= w.firstRow + w.side || c < w.firstColumn ||
                            c >= w.firstColumn + w.side) {
                            ASSERT_EQ(heightAt(fast, r, c), heightAt(before, r, c)) << r << ',' << c;
                        }
            }
}

TEST(TerrainSculptTest, RegionNormalsEqualTheFullPassBitForBit) {
    for (const int n : {9, 64}) { // one grid of 4k + 1 vertices, one not
        const int size = 50;
        TerrainArrays region = gridTerrain(
            n, size, [](float gx, float gz) { return 3.0f * std::sin(gx * 0.3f) * gz * 0.1f; });
        TerrainArrays full = region;
        TerrainArrays decimated = testing::decimatedOf(region);
        SequenceRandomSource random{std::uint32_t(n)};
        for (int event = 0; event < 60; ++event) {
            SculptSettings s;
            s.intensity = random.between(1, 200);
            s.brushDiameter = random.between(1, size);
            s.normalBlend = random.between(0, 100);
            s.lower = random.between(0, 1) == 1;
            s.belowZero = random.between(0, 1) == 1;
            s.terrainSize = size;
            const int row = random.between(0, n - 2), column = random.between(0, n - 2);
            const auto [x, z] = cellCentre(region, size, row, column);
            sculptTerrain(region, decimated, s, x, z);
            deformTerrain(full, s, x, z);
            recomputeNormals(full);
            ASSERT_TRUE(sameBits(region.vertices, full.vertices)) << n << " event " << event;
            ASSERT_TRUE(sameBits(region.normals, full.normals)) << n << " event " << event;
        }
        // The decimated set follows the full one at every fourth vertex.
        for (int i = 0; i < decimated.gridSide; ++i)
            for (int j = 0; j < decimated.gridSide; ++j)
                for (int k = 0; k < 3; ++k) {
                    const std::size_t from = (std::size_t(4 * i) * n + 4 * j) * 3 + k;
                    const std::size_t to = (std::size_t(i) * decimated.gridSide + j) * 3 + k;
                    ASSERT_EQ(decimated.vertices[to], full.vertices[from]);
                    ASSERT_EQ(decimated.normals[to], full.normals[from]);
                }
    }
}

TEST(TerrainSculptTest, TheFullPassReproducesTheNormalsOfATerrainBuild) {
    noise::utils::NoiseMap map(512, 512);
    for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 512; ++x)
            map.SetValue(x, y, std::sin(float(x) * 0.05f) * std::cos(float(y) * 0.03f));
    TerrainBuildParams params;
    params.terrainSize = 300;
    params.heightUp = 40;
    NullEventLog log;
    TerrainArrays built = buildTerrainArrays(map, params, log);
    const std::vector<float> normals = built.normals;
    std::fill(built.normals.begin(), built.normals.end(), 0.0f);
    recomputeNormals(built);
    EXPECT_TRUE(sameBits(built.normals, normals));
}

} // namespace
} // namespace morvane
