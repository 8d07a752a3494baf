#include "noise/gradient.h"

#include <gtest/gtest.h>
#include <libnoise/exception.h>

using noise::utils::Color;
using noise::utils::GradientColor;

namespace {

testing::AssertionResult sameColor(const Color& actual, const Color& expected) {
    if (actual == expected)
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "got (" << int(actual.red) << "," << int(actual.green) << "," << int(actual.blue)
           << "," << int(actual.alpha) << "), expected (" << int(expected.red) << ","
           << int(expected.green) << "," << int(expected.blue) << "," << int(expected.alpha)
           << ")";
}

} // namespace

TEST(GradientColor, EndsAndExactPoints) {
    GradientColor gradient;
    const Color low(10, 20, 30, 40);
    const Color mid(200, 100, 0, 255);
    const Color high(1, 2, 3, 4);
    gradient.AddGradientPoint(-0.5, low);
    gradient.AddGradientPoint(0.25, mid);
    gradient.AddGradientPoint(0.75, high);

    EXPECT_TRUE(sameColor(gradient.GetColor(-100.0), low));
    EXPECT_TRUE(sameColor(gradient.GetColor(-0.5000001), low));
    EXPECT_TRUE(sameColor(gradient.GetColor(-0.5), low));
    EXPECT_TRUE(sameColor(gradient.GetColor(0.25), mid));
    EXPECT_TRUE(sameColor(gradient.GetColor(0.75), high));
    EXPECT_TRUE(sameColor(gradient.GetColor(0.7500001), high));
    EXPECT_TRUE(sameColor(gradient.GetColor(1e9), high));
}

TEST(GradientColor, SinglePointColoursEverything) {
    GradientColor gradient;
    gradient.AddGradientPoint(0.3, Color(5, 6, 7, 8));
    EXPECT_TRUE(sameColor(gradient.GetColor(-2.0), Color(5, 6, 7, 8)));
    EXPECT_TRUE(sameColor(gradient.GetColor(0.3), Color(5, 6, 7, 8)));
    EXPECT_TRUE(sameColor(gradient.GetColor(2.0), Color(5, 6, 7, 8)));
}

TEST(GradientColor, InterpolatesEveryChannelAndTruncates) {
    GradientColor gradient;
    gradient.AddGradientPoint(0.0, Color(0, 10, 255, 100));
    gradient.AddGradientPoint(2.0, Color(255, 21, 0, 201));

    // Halfway: (0+255)/2 = 127.5 -> 127, (10+21)/2 = 15.5 -> 15,
    // (255+0)/2 -> 127, (100+201)/2 = 150.5 -> 150.
    EXPECT_TRUE(sameColor(gradient.GetColor(1.0), Color(127, 15, 127, 150)));

    // A quarter of the way: 63.75 -> 63, 12.75 -> 12, 191.25 -> 191,
    // 125.25 -> 125.
    EXPECT_TRUE(sameColor(gradient.GetColor(0.5), Color(63, 12, 191, 125)));

    // Three quarters: 191.25, 18.25, 63.75, 175.75.
    EXPECT_TRUE(sameColor(gradient.GetColor(1.5), Color(191, 18, 63, 175)));
}

TEST(GradientColor, InterpolatesWithinTheRightSegment) {
    GradientColor gradient;
    gradient.AddGradientPoint(-1.0, Color(0, 0, 0, 255));
    gradient.AddGradientPoint(0.0, Color(100, 100, 100, 255));
    gradient.AddGradientPoint(1.0, Color(200, 0, 50, 255));

    // Segment [-1, 0]: 0..100; segment [0, 1]: from (100,100,100) on.
    EXPECT_TRUE(sameColor(gradient.GetColor(-0.5), Color(50, 50, 50, 255)));
    EXPECT_TRUE(sameColor(gradient.GetColor(0.5), Color(150, 50, 75, 255)));
    EXPECT_TRUE(sameColor(gradient.GetColor(0.25), Color(125, 75, 87, 255)));
}

// Double or float rounding easily yields 199.99999 for a constant segment,
// which truncation would turn into a whole level darker.
TEST(GradientColor, ConstantSegmentKeepsItsColourEverywhere) {
    for (int level = 0; level < 256; ++level) {
        const auto c = std::uint8_t(level);
        GradientColor gradient;
        gradient.AddGradientPoint(-1.0, Color(c, c, c, c));
        gradient.AddGradientPoint(1.0, Color(c, c, c, c));
        for (int i = 0; i < 1000; ++i) {
            const double pos = -1.0 + 2.0 * i / 1000.0;
            ASSERT_TRUE(sameColor(gradient.GetColor(pos), Color(c, c, c, c)))
                << "level " << level << " at " << pos;
        }
    }
}

TEST(GradientColor, PointsStaySortedAndUnique) {
    GradientColor gradient;
    gradient.AddGradientPoint(0.5, Color(3, 0, 0, 255));
    gradient.AddGradientPoint(-1.0, Color(1, 0, 0, 255));
    gradient.AddGradientPoint(1.0, Color(4, 0, 0, 255));
    gradient.AddGradientPoint(0.0, Color(2, 0, 0, 255));
    gradient.AddGradientPoint(-3.0, Color(0, 0, 0, 255));

    ASSERT_EQ(gradient.GetGradientPointCount(), 5);
    const double expected[] = {-3.0, -1.0, 0.0, 0.5, 1.0};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(gradient.GetGradientPoints()[std::size_t(i)].pos, expected[i]);
        EXPECT_EQ(gradient.GetGradientPoints()[std::size_t(i)].color.red, i);
    }
    // Sorted order is what makes lookup pick the right neighbours.
    EXPECT_TRUE(sameColor(gradient.GetColor(0.25), Color(2, 0, 0, 255)));
    EXPECT_TRUE(sameColor(gradient.GetColor(0.75), Color(3, 0, 0, 255)));

    EXPECT_THROW(gradient.AddGradientPoint(0.5, Color(9, 9, 9, 9)), noise::ExceptionInvalidParam);
    EXPECT_THROW(gradient.AddGradientPoint(-3.0, Color(9, 9, 9, 9)),
                 noise::ExceptionInvalidParam);
    EXPECT_EQ(gradient.GetGradientPointCount(), 5);
    EXPECT_TRUE(sameColor(gradient.GetColor(0.5), Color(3, 0, 0, 255)));
}

TEST(GradientColor, GrayscaleGradient) {
    GradientColor gradient;
    gradient.AddGradientPoint(0.0, Color(1, 2, 3, 4));
    gradient.BuildGrayscaleGradient();
    ASSERT_EQ(gradient.GetGradientPointCount(), 2);
    EXPECT_TRUE(sameColor(gradient.GetColor(-1.0), Color(0, 0, 0, 255)));
    EXPECT_TRUE(sameColor(gradient.GetColor(1.0), Color(255, 255, 255, 255)));
    EXPECT_TRUE(sameColor(gradient.GetColor(0.0), Color(127, 127, 127, 255)));
}
