#include "noise/noise_map_builder.h"
#include "noise/pitted.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

using morvane::module::Pitted;

namespace {

struct CellPoint {
    float px, py;
};

std::vector<CellPoint> cellPoints() {
    std::vector<CellPoint> points;
    for (int i = 0; i <= 8; ++i)
        for (int j = 0; j <= 8; ++j)
            points.push_back({-0.5f + 0.25f * float(i), -0.5f + 0.25f * float(j)});
    return points;
}

std::vector<float> cellValues(const Pitted& pitted, int ci, int cj) {
    std::vector<float> values;
    for (const CellPoint& p : cellPoints())
        values.push_back(pitted.Cell(ci, cj, p.px, p.py));
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
    } cases[] = {{0, 0, 0u}, {1, 0, 1u}, {0, 1, 2u}, {2, 0, 4u}, {3, 5, 39u}, {0xFFFF, 0, 0x55555555u},
                 {0, 0xFFFF, 0xAAAAAAAAu}, {0x1234, 0, 0x01040510u}};
    for (const auto& c : cases)
        EXPECT_EQ(Pitted::Morton(c.x, c.y), c.code) << c.x << "," << c.y;
}

TEST(Pitted, DeterministicAndOffsetChangesTheMap) {
    Pitted first, second, other;
    for (Pitted* p : {&first, &second}) {
        p->SetFrequency(0.8);
        p->SetRandomOffset(4242);
    }
    other.SetFrequency(0.8);
    other.SetRandomOffset(12345);
    const auto a = grid(first);
    EXPECT_EQ(grid(first), a);
    EXPECT_EQ(grid(second), a);
    const auto b = grid(other);
    int differing = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        differing += a[i] != b[i];
    EXPECT_GT(differing, int(a.size()) / 2);
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

TEST(Pitted, BuildsAFiniteNonFlatMapIgnoringY) {
    for (double frequency : {0.25, 1.0, 3.0}) {
        Pitted pitted;
        pitted.SetFrequency(frequency);
        for (double y : {-100.0, 3.0, 1e6})
            ASSERT_EQ(pitted.GetValue(0.7, y, -1.1), pitted.GetValue(0.7, 0.0, -1.1)) << y;
        noise::utils::NoiseMap map;
        noise::utils::NoiseMapBuilderPlane builder;
        builder.SetSourceModule(pitted);
        builder.SetDestNoiseMap(map);
        builder.SetDestSize(64, 64);
        builder.SetBounds(0.0, 4.0, 0.0, 4.0);
        builder.Build();
        float lowest = map.GetValue(0, 0), highest = lowest;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                const float v = map.GetValue(x, y);
                ASSERT_TRUE(std::isfinite(v)) << x << "," << y << " frequency " << frequency;
                lowest = std::min(lowest, v);
                highest = std::max(highest, v);
            }
        EXPECT_LT(lowest, highest) << "frequency " << frequency;
    }
}
