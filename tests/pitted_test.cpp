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
    EXPECT_EQ(Pitted::Morton(0, 0), 0u);
    EXPECT_EQ(Pitted::Morton(1, 0), 1u);
    EXPECT_EQ(Pitted::Morton(0, 1), 2u);
    EXPECT_EQ(Pitted::Morton(1, 1), 3u);
    EXPECT_EQ(Pitted::Morton(2, 0), 4u);
    EXPECT_EQ(Pitted::Morton(3, 5), 39u); // 0b100111
    EXPECT_EQ(Pitted::Morton(0xFFFF, 0), 0x55555555u);
    EXPECT_EQ(Pitted::Morton(0, 0xFFFF), 0xAAAAAAAAu);
    EXPECT_EQ(Pitted::Morton(0x1234, 0), 0x01040510u);
}

TEST(Pitted, IsDeterministic) {
    Pitted first, second;
    for (Pitted* p : {&first, &second}) {
        p->SetFrequency(0.8);
        p->SetRandomOffset(4242);
    }
    const auto a = grid(first);
    EXPECT_EQ(grid(first), a);
    EXPECT_EQ(grid(second), a);
    EXPECT_EQ(cellValues(first, 3, -2), cellValues(second, 3, -2));
}

// A zero seed would leave the generator stuck at zero and the cell empty, so
// it is replaced by 1; the seed is Morton code plus offset, wrapping.
TEST(Pitted, CellSeedRule) {
    Pitted offset0, offset1, offsetMax;
    offset0.SetRandomOffset(0);
    offset1.SetRandomOffset(1);
    offsetMax.SetRandomOffset(0xFFFFFFFFu);

    const auto origin = cellValues(offset0, 0, 0); // Morton 0 -> seed 1
    int nonZero = 0;
    for (float v : origin) {
        ASSERT_TRUE(std::isfinite(v));
        nonZero += v != 0.0f;
    }
    EXPECT_GT(nonZero, 0);

    EXPECT_EQ(cellValues(offset0, 1, 0), origin);    // Morton 1 -> seed 1
    EXPECT_EQ(cellValues(offset1, 0, 0), origin);    // 0 + 1 -> seed 1
    EXPECT_EQ(cellValues(offsetMax, 1, 0), origin);  // 1 + 0xFFFFFFFF wraps to 0 -> 1
    // The wrap works for any code: 3 + 0xFFFFFFFF = 2, Morton(0, 1).
    EXPECT_EQ(cellValues(offsetMax, 1, 1), cellValues(offset0, 0, 1));
    // And different seeds do give different cells.
    EXPECT_NE(cellValues(offset0, 0, 1), origin);
    EXPECT_NE(cellValues(offset1, 1, 0), origin);
}

TEST(Pitted, OffsetChangesTheMap) {
    Pitted a, b;
    b.SetRandomOffset(12345);
    const auto valuesA = grid(a);
    const auto valuesB = grid(b);
    int differing = 0;
    for (std::size_t i = 0; i < valuesA.size(); ++i)
        differing += valuesA[i] != valuesB[i];
    EXPECT_GT(differing, int(valuesA.size()) / 2);
}

TEST(Pitted, IgnoresY) {
    Pitted pitted;
    pitted.SetFrequency(1.7);
    for (int i = 0; i < 20; ++i) {
        const double x = -2.0 + 0.31 * i, z = 1.0 - 0.23 * i;
        const double value = pitted.GetValue(x, 0.0, z);
        for (double y : {-100.0, -0.5, 0.25, 3.0, 1e6})
            ASSERT_EQ(pitted.GetValue(x, y, z), value) << x << "," << y << "," << z;
    }
}

TEST(Pitted, BuildsAFiniteNonFlatMap) {
    for (double frequency : {0.25, 1.0, 3.0}) {
        Pitted pitted;
        pitted.SetFrequency(frequency);
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
