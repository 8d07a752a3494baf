#include "color_print.h"
#include "noise/gradient.h"

#include <gtest/gtest.h>
#include <libnoise/exception.h>

#include <ostream>
#include <utility>

using noise::utils::Color;
using noise::utils::GradientColor;

TEST(GradientColor, EndsExactPointsSinglePointAndGreyRamp) {
    GradientColor gradient;
    const Color low(10, 20, 30, 40), mid(200, 100, 0, 255), high(1, 2, 3, 4);
    gradient.AddGradientPoint(-0.5, low);
    gradient.AddGradientPoint(0.25, mid);
    gradient.AddGradientPoint(0.75, high);
    const std::pair<double, Color> cases[] = {
        {-100.0, low}, {-0.5, low}, {0.25, mid}, {0.75, high}, {1e9, high}};
    for (const auto& [pos, colour] : cases)
        EXPECT_EQ(gradient.GetColor(pos), colour) << pos;

    // The grey ramp replaces every point.
    gradient.BuildGrayscaleGradient();
    ASSERT_EQ(gradient.GetGradientPointCount(), 2);
    EXPECT_EQ(gradient.GetColor(-1.0), Color(0, 0, 0, 255));
    EXPECT_EQ(gradient.GetColor(0.0), Color(127, 127, 127, 255));

    GradientColor single;
    single.AddGradientPoint(0.3, Color(5, 6, 7, 8));
    EXPECT_EQ(single.GetColor(-2.0), Color(5, 6, 7, 8));
    EXPECT_EQ(single.GetColor(2.0), Color(5, 6, 7, 8));
}

TEST(GradientColor, InterpolatesEveryChannelInTheRightSegmentAndTruncates) {
    GradientColor gradient;
    gradient.AddGradientPoint(0.0, Color(0, 10, 255, 100));
    gradient.AddGradientPoint(2.0, Color(255, 21, 0, 201));
    gradient.AddGradientPoint(3.0, Color(55, 1, 100, 1));
    // 127.5, 15.5, 127.5, 150.5; then 63.75, 12.75, 191.25, 125.25.
    EXPECT_EQ(gradient.GetColor(1.0), Color(127, 15, 127, 150));
    EXPECT_EQ(gradient.GetColor(0.5), Color(63, 12, 191, 125));
    EXPECT_EQ(gradient.GetColor(2.5), Color(155, 11, 50, 101));
}

// Rounding easily yields 199.99999 for a constant segment, which
// truncation would turn into a whole level darker.
TEST(GradientColor, ConstantSegmentKeepsItsColourEverywhere) {
    for (int level = 0; level < 256; ++level) {
        const auto c = std::uint8_t(level);
        GradientColor gradient;
        gradient.AddGradientPoint(-1.0, Color(c, c, c, c));
        gradient.AddGradientPoint(1.0, Color(c, c, c, c));
        for (int i = 0; i < 1000; ++i)
            ASSERT_EQ(gradient.GetColor(-1.0 + 2.0 * i / 1000.0), Color(c, c, c, c))
                << "level " << level << " at step " << i;
    }
}

TEST(GradientColor, PointsStaySortedAndUnique) {
    GradientColor gradient;
    for (const auto& p : {std::make_pair(0.5, 3), {-1.0, 1}, {1.0, 4}, {0.0, 2}, {-3.0, 0}})
        gradient.AddGradientPoint(p.first, Color(std::uint8_t(p.second), 0, 0, 255));
    ASSERT_EQ(gradient.GetGradientPointCount(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(gradient.GetGradientPoints()[std::size_t(i)].color.red, i);
    EXPECT_EQ(gradient.GetColor(0.25), Color(2, 0, 0, 255));
    EXPECT_EQ(gradient.GetColor(0.75), Color(3, 0, 0, 255));

    EXPECT_THROW(gradient.AddGradientPoint(0.5, Color(9, 9, 9, 9)), noise::ExceptionInvalidParam);
    EXPECT_THROW(gradient.AddGradientPoint(-3.0, Color(9, 9, 9, 9)), noise::ExceptionInvalidParam);
    EXPECT_EQ(gradient.GetGradientPointCount(), 5);
}
