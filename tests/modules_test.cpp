#include "noise/combiners.h"
#include "noise/generator_variants.h"
#include "noise/round_edge.h"

#include <gtest/gtest.h>
#include <libnoise/module/const.h>
#include <libnoise/noisegen.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

struct Point {
    double x, y, z;
};

std::vector<Point> samplePoints() {
    std::vector<Point> points = {{0.0, 0.0, 0.0}, {1234.567, -89.1, 4321.0}};
    for (int i = -3; i <= 3; ++i)
        for (int j = -2; j <= 2; ++j)
            for (int k = -2; k <= 2; ++k)
                points.push_back({i * 0.731 + 0.05, j * 1.37 - 0.3, k * 0.913 + 0.11});
    return points;
}

} // namespace

TEST(RoundEdge, FallsToZeroAtTheTileBorderAndNeverGoesNegative) {
    noise::module::Const source;
    source.SetConstValue(0.8);
    morvane::module::RoundEdge edge;
    edge.SetSourceModule(0, source);
    EXPECT_NEAR(edge.GetValue(0.0, -1.0, 1.3), 0.0, 1e-6);
    EXPECT_NEAR(edge.GetValue(1.3, 0.0, 4.0), 0.0, 1e-6);
    // Centre: sin(90 deg)^6 = 1; between: sin(22.5)^3 sin(90)^3.
    EXPECT_NEAR(edge.GetValue(2.0, 3.0, 2.0), 0.8, 1e-9);
    const double s = std::sin(3.14159265358979323846 / 8.0);
    EXPECT_NEAR(edge.GetValue(0.5, 0.0, 2.0), 0.8 * s * s * s, 1e-7);

    // Outside the tile the sines change sign; the result must not, even for
    // a negative source.
    source.SetConstValue(-0.7);
    EXPECT_NEAR(edge.GetValue(1.0, 0.0, 1.0), 0.7 * 0.125, 1e-7);
    for (const Point& p : samplePoints())
        ASSERT_GE(edge.GetValue(p.x, p.y, p.z), 0.0) << p.x << "," << p.z;

    edge.SetEdgeLength(10.0);
    EXPECT_NEAR(edge.GetValue(5.0, 0.0, 5.0), 0.7, 1e-9);
    EXPECT_NEAR(edge.GetValue(10.0, 0.0, 5.0), 0.0, 1e-6);
}

TEST(Combiners, MultiplyAsHeightsAndPowerAsMeanOfCubes) {
    noise::module::Const a, b;
    morvane::module::Multiply multiply;
    morvane::module::Power power;
    multiply.SetSourceModule(0, a);
    multiply.SetSourceModule(1, b);
    power.SetSourceModule(0, a);
    power.SetSourceModule(1, b);
    const struct {
        double a, b, product, power;
    } cases[] = {{-1.0, 0.5, -1.0, -0.4375}, {1.0, 1.0, 3.0, 1.0}, {0.5, -0.5, -0.25, 0.0}};
    for (const auto& c : cases) {
        a.SetConstValue(c.a);
        b.SetConstValue(c.b);
        EXPECT_DOUBLE_EQ(multiply.GetValue(0.3, 0.2, 0.1), c.product) << c.a << " * " << c.b;
        EXPECT_DOUBLE_EQ(power.GetValue(1.0, 2.0, 3.0), c.power) << c.a << ", " << c.b;
    }
}

// Floor, not truncation, decides the cube: -0.5 and 0.5 lie in different ones.
TEST(Checkerboard, AlternatingUnitCubesScaledByFrequency) {
    morvane::module::Checkerboard board;
    EXPECT_EQ(board.GetValue(0.5, 0.5, 0.5), 1.0);
    EXPECT_EQ(board.GetValue(-0.5, 0.5, 0.5), -1.0);
    EXPECT_EQ(board.GetValue(1.5, 1.5, 1.5), -1.0);
    board.SetFrequency(2.0);
    EXPECT_EQ(board.GetValue(0.6, 0.0, 0.0), -1.0);
}

// Two octaves written out by hand from the gradient noise itself: the second
// at the lacunarity-scaled point with the next seed, weighted by the clamped
// gain times the first signal, and added at 1/lacunarity. Weight 0 silences
// the first octave and, through the gain, all others.
TEST(RidgedMultiVariant, OctavesComputedByHandAndZeroWeightSilences) {
    const double offset = 0.85, gain = 1.6, weight = 0.7, lacunarity = 2.1;
    morvane::module::RidgedMulti ridged, silent;
    silent.SetWeight(0.0);
    ridged.SetSeed(77);
    ridged.SetLacunarity(lacunarity);
    ridged.SetOffset(offset);
    ridged.SetGain(gain);
    ridged.SetWeight(weight);
    ridged.SetOctaveCount(2);
    auto signal = [&](double x, double y, double z, int seed, double octaveWeight) {
        const double n = std::fabs(noise::GradientCoherentNoise3D(
            noise::MakeInt32Range(x), noise::MakeInt32Range(y), noise::MakeInt32Range(z), seed,
            noise::QUALITY_STD));
        return (offset - n) * (offset - n) * octaveWeight;
    };
    for (const Point& p : samplePoints()) {
        const double signal0 = signal(p.x, p.y, p.z, 77, weight);
        const double signal1 = signal(p.x * lacunarity, p.y * lacunarity, p.z * lacunarity, 78,
                                      std::clamp(signal0 * gain, 0.0, 1.0));
        ASSERT_NEAR(ridged.GetValue(p.x, p.y, p.z),
                    (signal0 + signal1 / lacunarity) * 1.25 - 1.0, 1e-12);
        ASSERT_EQ(silent.GetValue(p.x, p.y, p.z), -1.0);
    }
}
