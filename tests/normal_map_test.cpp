#include "color_print.h"
#include "noise/renderer_normal_map.h"

#include <gtest/gtest.h>
#include <libnoise/exception.h>

#include <cmath>
#include <ostream>

using noise::utils::Color;
using noise::utils::Image;
using noise::utils::NoiseMap;
using noise::utils::RendererNormalMap;

namespace {

const Color kFlat(127, 127, 255, 0);

template <typename F> void fill(NoiseMap& map, F height) {
    for (int y = 0; y < map.GetHeight(); ++y)
        for (int x = 0; x < map.GetWidth(); ++x)
            map.SetValue(x, y, height(float(x), float(y)));
}

// Normal colour from the drops towards the right and upper neighbours,
// both already scaled by the bump height.
Color expectedNormal(double dropRight, double dropUp) {
    const double d = std::sqrt(dropRight * dropRight + dropUp * dropUp + 1.0);
    auto channel = [](double n) { return std::uint8_t(std::floor((n + 1.0) * 127.5)); };
    return Color(channel(dropRight / d), channel(dropUp / d), channel(1.0 / d), 0);
}

} // namespace

TEST(RendererNormalMap, RejectsIncompleteSetup) {
    NoiseMap map(4, 4), empty;
    Image image(4, 4);
    RendererNormalMap noSource, noDest, emptySource;
    noSource.SetDestImage(image);
    EXPECT_THROW(noSource.Render(), noise::ExceptionInvalidParam);
    noDest.SetSourceNoiseMap(map);
    EXPECT_THROW(noDest.Render(), noise::ExceptionInvalidParam);
    emptySource.SetSourceNoiseMap(empty);
    emptySource.SetDestImage(image);
    EXPECT_THROW(emptySource.Render(), noise::ExceptionInvalidParam);
}

TEST(RendererNormalMap, FlatRampAndCurvedSurfaces) {
    const int width = 5, height = 4;
    NoiseMap map(width, height);
    map.Clear(0.7f);
    Image image(width, height);
    RendererNormalMap renderer;
    renderer.SetSourceNoiseMap(map);
    renderer.SetDestImage(image);
    renderer.SetBumpHeight(3.0);
    renderer.Render();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            ASSERT_EQ(image.GetValue(x, y), kFlat) << x << "," << y;

    // Drop to the right -0.25 * 2 = -0.5, d = sqrt(1.25): red floor(70.48),
    // blue floor(241.54); the last column has no right neighbour: flat.
    fill(map, [](float x, float) { return 0.25f * x - 1.0f; });
    renderer.SetBumpHeight(2.0);
    renderer.Render();
    EXPECT_EQ(image.GetValue(0, 2), Color(70, 127, 241, 0));
    EXPECT_EQ(image.GetValue(width - 1, 2), kFlat);
    renderer.SetBumpHeight(0.0);
    renderer.Render();
    EXPECT_EQ(image.GetValue(2, 1), kFlat);

    fill(map, [](float x, float y) { return 0.3f * x * x - 0.2f * y + 0.1f * x * y; });
    renderer.SetBumpHeight(1.5);
    renderer.Render();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const double c = map.GetValue(x, y);
            const double r = x + 1 < width ? map.GetValue(x + 1, y) : c;
            const double u = y + 1 < height ? map.GetValue(x, y + 1) : c;
            ASSERT_EQ(image.GetValue(x, y), expectedNormal(1.5 * c - 1.5 * r, 1.5 * c - 1.5 * u))
                << x << "," << y;
        }
    // Rising to the right, falling upwards (into the next row).
    EXPECT_LT(image.GetValue(1, 1).red, 127);
    EXPECT_GT(image.GetValue(1, 1).green, 127);
}

TEST(RendererNormalMap, LeavesDestinationSizeToTheCaller) {
    const int width = 6, height = 5;
    NoiseMap map(width, height);
    fill(map, [](float x, float y) { return 0.2f * x + 0.15f * y * x; });
    RendererNormalMap renderer;
    renderer.SetSourceNoiseMap(map);
    Image full(width, height);
    renderer.SetDestImage(full);
    renderer.Render();

    // Smaller: only the covered points, computed with the source's own
    // neighbours (not treated as a border).
    Image small(3, 2);
    renderer.SetDestImage(small);
    renderer.Render();
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            ASSERT_EQ(small.GetValue(x, y), full.GetValue(x, y)) << x << "," << y;
    EXPECT_NE(small.GetValue(2, 1), kFlat);

    // Larger: points beyond the source stay as they were.
    const Color marker(1, 2, 3, 4);
    Image large(9, 7);
    large.Clear(marker);
    renderer.SetDestImage(large);
    renderer.Render();
    EXPECT_EQ(large.GetValue(3, 2), full.GetValue(3, 2));
    EXPECT_EQ(large.GetValue(width, 0), marker);
    EXPECT_EQ(large.GetValue(8, 6), marker);
}
