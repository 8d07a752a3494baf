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

// Normal colour from the drops towards the right and upper neighbours,
// both already scaled by the bump height.
Color expectedNormal(double dropRight, double dropUp) {
    const double d = std::sqrt(dropRight * dropRight + dropUp * dropUp + 1.0);
    auto channel = [](double n) { return std::uint8_t(std::floor((n + 1.0) * 127.5)); };
    return Color(channel(dropRight / d), channel(dropUp / d), channel(1.0 / d), 0);
}

} // namespace

TEST(RendererNormalMap, RejectsIncompleteSetup) {
    NoiseMap empty;
    Image image(4, 4);
    RendererNormalMap noSource, emptySource;
    noSource.SetDestImage(image);
    EXPECT_THROW(noSource.Render(), noise::ExceptionInvalidParam);
    emptySource.SetSourceNoiseMap(empty);
    emptySource.SetDestImage(image);
    EXPECT_THROW(emptySource.Render(), noise::ExceptionInvalidParam);
}

// The last column and row have no right or upper neighbour and use the
// point itself. The destination keeps its size: a larger one is left alone
// beyond the source.
TEST(RendererNormalMap, NormalsFromNeighboursAndTheCallersDestinationSize) {
    const int width = 5, height = 4;
    NoiseMap map(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            map.SetValue(x, y, 0.3f * float(x * x) - 0.2f * float(y) + 0.1f * float(x * y));
    Image image(width, height);
    RendererNormalMap renderer;
    renderer.SetSourceNoiseMap(map);
    renderer.SetDestImage(image);
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

    const Color marker(1, 2, 3, 4);
    Image large(9, 7);
    large.Clear(marker);
    renderer.SetDestImage(large);
    renderer.Render();
    EXPECT_EQ(large.GetValue(3, 2), image.GetValue(3, 2));
    EXPECT_EQ(large.GetValue(width, 0), marker);
    EXPECT_EQ(large.GetValue(8, 6), marker);
}
