#include "noise/pitted.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

using morvane::module::Pitted;

namespace {

// One cell's values over a 9x9 grid of points around it.
std::vector<float> cellValues(const Pitted& pitted, int ci, int cj) {
    std::vector<float> values;
    for (int i = 0; i <= 8; ++i)
        for (int j = 0; j <= 8; ++j)
            values.push_back(pitted.Cell(ci, cj, 0.25f * float(i) - 0.5f, 0.25f * float(j) - 0.5f));
    return values;
}

} // namespace

// A zero seed would leave the generator stuck at zero and the cell empty, so
// it is replaced by 1; the seed is Morton code plus offset, wrapping.
TEST(Pitted, CellSeedRule) {
    Pitted offset0, offset1, offsetMax;
    offset1.SetRandomOffset(1);
    offsetMax.SetRandomOffset(0xFFFFFFFFu);
    const auto origin = cellValues(offset0, 0, 0); // Morton 0 -> seed 1
    EXPECT_GT(std::count_if(origin.begin(), origin.end(), [](float v) { return v != 0.0f; }), 0);
    EXPECT_EQ(cellValues(offset0, 1, 0), origin);   // Morton 1 -> seed 1
    EXPECT_EQ(cellValues(offset1, 0, 0), origin);   // 0 + 1 -> seed 1
    EXPECT_EQ(cellValues(offsetMax, 1, 0), origin); // 1 + 0xFFFFFFFF wraps to 0 -> 1
    EXPECT_EQ(cellValues(offsetMax, 1, 1), cellValues(offset0, 0, 1)); // 3 - 1 = Morton(0, 1)
    EXPECT_NE(cellValues(offset0, 0, 1), origin);
}

TEST(Pitted, MapIsFiniteAndNotFlat) {
    const Pitted pitted;
    std::vector<double> values;
    for (int i = 0; i < 400; ++i)
        values.push_back(pitted.GetValue(-1.3 + 0.17 * (i % 20), 0.0, 0.4 + 0.13 * (i / 20)));
    for (double v : values)
        ASSERT_TRUE(std::isfinite(v));
    EXPECT_LT(*std::min_element(values.begin(), values.end()),
              *std::max_element(values.begin(), values.end()));
}
