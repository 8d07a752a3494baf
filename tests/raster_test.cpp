#include "color_print.h"
#include "noise/image.h"
#include "noise/noise_map.h"

#include <gtest/gtest.h>
#include <libnoise/exception.h>

#include <ostream>
#include <random>
#include <vector>

using noise::utils::Color;
using noise::utils::Image;
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
    EXPECT_EQ(map.GetValue(5, 0), 0.0f);
    EXPECT_EQ(map.GetValue(0, -1), 0.0f);
    map.SetBorderValue(-7.5f);
    for (const auto& p : {std::make_pair(5, 0), {-1, 1}, {2, 3}})
        EXPECT_EQ(map.GetValue(p.first, p.second), -7.5f) << p.first << "," << p.second;
    EXPECT_EQ(map.GetValue(4, 2), 1.0f);

    const std::vector<float> before = snapshot(map);
    for (const auto& p : {std::make_pair(5, 0), {7, 1}, {-1, 1}, {0, 3}, {0, -1}, {-3, 2}})
        map.SetValue(p.first, p.second, 99.0f);
    EXPECT_EQ(snapshot(map), before);

    Image image(5, 2);
    image.GetRowPtr(0)[5] = Color(9, 9, 9, 9);
    image.SetBorderValue(Color(1, 2, 3, 4));
    EXPECT_EQ(image.GetValue(5, 0), Color(1, 2, 3, 4));
}

TEST(Raster, SideLimitsAndZeroSides) {
    NoiseMap map(2, 2);
    for (const auto& size : {std::make_pair(32768, 1), {1, 32768}, {-1, 1}, {1, -1}})
        EXPECT_THROW(map.SetSize(size.first, size.second), noise::ExceptionInvalidParam)
            << size.first << "x" << size.second;

    ASSERT_NO_THROW(map.SetSize(32767, 2));
    EXPECT_EQ(map.GetStride(), 32768);
    map.SetValue(32766, 1, 6.0f);
    EXPECT_EQ(map.GetValue(32766, 1), 6.0f);
    EXPECT_EQ(map.GetValue(32767, 1), 0.0f);
    ASSERT_NO_THROW(map.SetSize(1, 32767));
    map.SetValue(0, 32766, 2.0f);
    EXPECT_EQ(map.GetValue(0, 32766), 2.0f);

    map.SetBorderValue(0.25f);
    for (const auto& size : {std::make_pair(0, 10), {10, 0}}) {
        map.SetSize(4, 4);
        map.SetSize(size.first, size.second);
        EXPECT_EQ(map.GetWidth() + map.GetHeight() + map.GetStride(), 0);
        EXPECT_TRUE(map.IsEmpty());
        EXPECT_EQ(map.GetRowPtr(0), nullptr);
        map.SetValue(0, 0, 1.0f); // must not crash on the empty map
        EXPECT_EQ(map.GetValue(0, 0), 0.25f);
    }
}

TEST(Raster, ShrinkingKeepsTheBufferGrowingReallocates) {
    NoiseMap map(100, 80);
    const auto memUsed = map.GetMemUsed();
    const float* row0 = map.GetRowPtr(0);
    map.SetSize(10, 7);
    map.SetSize(100, 80);
    EXPECT_EQ(map.GetMemUsed(), memUsed);
    EXPECT_EQ(map.GetRowPtr(0), row0);
    map.SetSize(200, 160);
    EXPECT_GT(map.GetMemUsed(), memUsed);
    map.Clear(2.0f);
    EXPECT_EQ(map.GetValue(199, 159), 2.0f);
}

TEST(Raster, CopiesAndMovesAreIndependent) {
    NoiseMap original(7, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            original.SetValue(x, y, float(y * 10 + x));
    original.SetBorderValue(-3.0f);
    NoiseMap copy(original);
    original.SetValue(3, 2, 1000.0f);
    copy.SetValue(4, 4, -1000.0f);
    EXPECT_EQ(copy.GetValue(3, 2), 23.0f);
    EXPECT_EQ(original.GetValue(4, 4), 44.0f);
    EXPECT_EQ(copy.GetValue(7, 0), -3.0f);

    // Assignment into a larger raster takes over the other's size.
    NoiseMap assigned(50, 50);
    assigned = original;
    EXPECT_EQ(assigned.GetWidth(), 7);
    EXPECT_EQ(assigned.GetValue(7, 0), -3.0f);
    original.SetValue(0, 0, 55.0f);
    EXPECT_EQ(assigned.GetValue(0, 0), 0.0f);

    // A moved-from raster is empty, and reusing it allocates again instead
    // of writing through a null buffer.
    NoiseMap moved(std::move(assigned));
    EXPECT_EQ(moved.GetValue(3, 2), 1000.0f);
    EXPECT_TRUE(assigned.IsEmpty());
    assigned.SetSize(4, 4);
    ASSERT_NE(assigned.GetRowPtr(3), nullptr);
    assigned.GetRowPtr(3)[3] = 1.0f;
    EXPECT_EQ(assigned.GetValue(3, 3), 1.0f);
    copy = std::move(moved);
    EXPECT_EQ(copy.GetValue(3, 2), 1000.0f);
    EXPECT_TRUE(moved.IsEmpty());
}

// Rows lie the width rounded up to four apart. Under the sanitizer build
// this also catches any size whose buffer is smaller than stride * height.
TEST(Raster, StrideAndRandomResizesStayInBounds) {
    NoiseMap map;
    const int widths[] = {1, 4, 5, 9, 1001}, strides[] = {4, 4, 8, 12, 1004};
    for (int i = 0; i < 5; ++i) {
        map.SetSize(widths[i], 3);
        EXPECT_EQ(map.GetStride(), strides[i]) << "width " << widths[i];
        EXPECT_EQ(map.GetRowPtr(1) - map.GetRowPtr(0), strides[i]);
    }

    std::mt19937 random(20240611u);
    std::uniform_int_distribution<int> side(0, 300);
    Image image;
    for (int round = 0; round < 60; ++round) {
        const int width = side(random), height = side(random);
        map.SetSize(width, height);
        image.SetSize(width, height);
        if (width == 0 || height == 0) {
            ASSERT_TRUE(map.IsEmpty());
            continue;
        }
        ASSERT_EQ(map.GetStride(), (width + 3) / 4 * 4);
        for (int y = 0; y < height; ++y) {
            float* row = map.GetRowPtr(y);
            Color* colors = image.GetRowPtr(y);
            ASSERT_TRUE(row && colors);
            for (int x = 0; x < map.GetStride(); ++x) {
                row[x] = float(y * 1000 + x);
                colors[x] = Color(std::uint8_t(x), std::uint8_t(y), 0, 255);
            }
        }
        ASSERT_EQ(map.GetRowPtr(height), nullptr);
        ASSERT_EQ(map.GetValue(width - 1, height - 1), float((height - 1) * 1000 + width - 1));
        ASSERT_EQ(map.GetValue(width / 2, height / 3), float((height / 3) * 1000 + width / 2));
        ASSERT_EQ(image.GetValue(width - 1, 0), Color(std::uint8_t(width - 1), 0, 0, 255));
    }
}
