#include "color_print.h"
#include "noise/gradient.h"

#include <gtest/gtest.h>
#include <libnoise/exception.h>

#include <ostream>
#include <utility>

using noise::utils::Color;
using noise::utils::GradientColor;

// Points are kept sorted whatever the insertion order; outside the ends the
// end colours hold; between points every channel is interpolated and truncated.
TEST(GradientColor, SortedPointsClampedEndsAndTruncatedInterpolation) {
    GradientColor gradient;
    gradient.AddGradientPoint(3.0, Color(55, 1, 100, 1));
    gradient.AddGradientPoint(0.0, Color(0, 10, 255, 100));
    gradient.AddGradientPoint(2.0, Color(255, 21, 0, 201));
    EXPECT_EQ(gradient.GetColor(-100.0), Color(0, 10, 255, 100));
    EXPECT_EQ(gradient.GetColor(1e9), Color(55, 1, 100, 1));
    // 127.5, 15.5, 127.5, 150.5; then 63.75, 12.75, 191.25, 125.25.
    EXPECT_EQ(gradient.GetColor(1.0), Color(127, 15, 127, 150));
    EXPECT_EQ(gradient.GetColor(0.5), Color(63, 12, 191, 125));
    EXPECT_EQ(gradient.GetColor(2.5), Color(155, 11, 50, 101));

    EXPECT_THROW(gradient.AddGradientPoint(2.0, Color(9, 9, 9, 9)), noise::ExceptionInvalidParam);
    EXPECT_EQ(gradient.GetGradientPointCount(), 3);

    GradientColor single;
    single.AddGradientPoint(0.3, Color(5, 6, 7, 8));
    EXPECT_EQ(single.GetColor(-2.0), Color(5, 6, 7, 8));
    EXPECT_EQ(single.GetColor(2.0), Color(5, 6, 7, 8));
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
