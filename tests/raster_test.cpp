#include "noise/noise_map.h"

#include <gtest/gtest.h>
#include <libnoise/exception.h>

#include <algorithm>
#include <random>
#include <vector>

using noise::utils::NoiseMap;

namespace {

// Every element of the buffer, padding included, row by row.
std::vector<float> snapshot(NoiseMap& map) {
    std::vector<float> all;
    for (int y = 0; y < map.GetHeight(); ++y)
        all.insert(all.end(), map.GetRowPtr(y), map.GetRowPtr(y) + map.GetStride());
    return all;
}

} // namespace

// Reads past the width must not see the padding, and writes there (or to
// a neighbouring row) must not land at all.
TEST(Raster, OutsideAccessUsesTheBorderValueAndIsIgnored) {
    NoiseMap map(5, 3);
    map.Clear(1.0f);
    for (int y = 0; y < 3; ++y)
        map.GetRowPtr(y)[5] = 42.0f;
    map.SetBorderValue(-7.5f);
    for (const auto& p : {std::make_pair(5, 0), {-1, 1}, {2, 3}})
        EXPECT_EQ(map.GetValue(p.first, p.second), -7.5f) << p.first << "," << p.second;
    EXPECT_EQ(map.GetValue(4, 2), 1.0f);

    const std::vector<float> before = snapshot(map);
    for (const auto& p : {std::make_pair(5, 0), {7, 1}, {-1, 1}, {0, 3}, {0, -1}, {-3, 2}})
        map.SetValue(p.first, p.second, 99.0f);
    EXPECT_EQ(snapshot(map), before);
}

TEST(Raster, SideLimitsAndZeroSides) {
    NoiseMap map(2, 2);
    for (const auto& size : {std::make_pair(32768, 1), {1, 32768}, {-1, 1}, {1, -1}})
        EXPECT_THROW(map.SetSize(size.first, size.second), noise::ExceptionInvalidParam)
            << size.first << "x" << size.second;

    map.SetBorderValue(0.25f);
    map.SetSize(10, 0);
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_EQ(map.GetRowPtr(0), nullptr);
    map.SetValue(0, 0, 1.0f); // must not crash on the empty map
    EXPECT_EQ(map.GetValue(0, 0), 0.25f);
}

// A moved-from raster is empty, and reusing it allocates again instead of
// writing through a null buffer; a copy owns its own buffer.
TEST(Raster, CopiesAreIndependentAndMovedFromRastersReusable) {
    NoiseMap original(7, 5);
    original.SetValue(3, 2, 23.0f);
    NoiseMap copy(50, 50);
    copy = original;
    original.SetValue(3, 2, 1000.0f);
    EXPECT_EQ(copy.GetWidth(), 7);
    EXPECT_EQ(copy.GetValue(3, 2), 23.0f);

    copy = std::move(original);
    EXPECT_EQ(copy.GetValue(3, 2), 1000.0f);
    EXPECT_TRUE(original.IsEmpty());
    original.SetSize(4, 4);
    ASSERT_NE(original.GetRowPtr(3), nullptr);
    original.GetRowPtr(3)[3] = 1.0f;
    EXPECT_EQ(original.GetValue(3, 3), 1.0f);
}

// Rows lie the width rounded up to four apart. Under the sanitizer build
// this also catches any size whose buffer is smaller than stride * height.
TEST(Raster, RandomResizesStayInBounds) {
    std::mt19937 random(20240611u);
    std::uniform_int_distribution<int> side(1, 300);
    NoiseMap map;
    for (int round = 0; round < 60; ++round) {
        const int width = side(random), height = side(random);
        map.SetSize(width, height);
        ASSERT_EQ(map.GetStride(), (width + 3) / 4 * 4);
        for (int y = 0; y < height; ++y)
            std::fill_n(map.GetRowPtr(y), map.GetStride(), float(y));
        ASSERT_EQ(map.GetRowPtr(height), nullptr);
        ASSERT_EQ(map.GetValue(width - 1, height - 1), float(height - 1));
    }
}
