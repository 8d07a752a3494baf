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

std::vector<double> grid(const Pitted& pitted) {
    std::vector<double> values;
    for (int i = 0; i < 24; ++i)
        for (int k = 0; k < 24; ++k)
            values.push_back(pitted.GetValue(-1.3 + 0.17 * i, 0.0, 0.4 + 0.13 * k));
    return values;
}

} // namespace

TEST(Pitted, MortonInterleavesBits) {
    const struct {
        std::uint32_t x, y, code;
    } cases[] = {{0, 0, 0u},  {1, 0, 1u},   {0, 1, 2u},   {2, 0, 4u},
                 {3, 5, 39u}, {0xFFFF, 0, 0x55555555u}, {0, 0xFFFF, 0xAAAAAAAAu},
                 {0x1234, 0, 0x01040510u}};
    for (const auto& c : cases)
        EXPECT_EQ(Pitted::Morton(c.x, c.y), c.code) << c.x << "," << c.y;
}

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

TEST(Pitted, DeterministicFiniteNonFlatIgnoringYAndOffsetChangesTheMap) {
    for (double frequency : {0.25, 0.8, 3.0}) {
        SCOPED_TRACE(testing::Message() << "frequency " << frequency);
        Pitted first, second, other;
        for (Pitted* p : {&first, &second, &other})
            p->SetFrequency(frequency);
        first.SetRandomOffset(4242);
        second.SetRandomOffset(4242);
        other.SetRandomOffset(12345);
        const auto a = grid(first), b = grid(other);
        EXPECT_EQ(grid(first), a);
        EXPECT_EQ(grid(second), a);
        int differing = 0;
        for (std::size_t i = 0; i < a.size(); ++i)
            differing += a[i] != b[i];
        EXPECT_GT(differing, int(a.size()) / 2);
        EXPECT_TRUE(std::all_of(a.begin(), a.end(), [](double v) { return std::isfinite(v); }));
        EXPECT_LT(*std::min_element(a.begin(), a.end()), *std::max_element(a.begin(), a.end()));
        for (double y : {-100.0, 3.0, 1e6})
            EXPECT_EQ(first.GetValue(0.7, y, -1.1), first.GetValue(0.7, 0.0, -1.1)) << y;
    }
}
