#include "noise/combiners.h"
#include "noise/generator_variants.h"
#include "noise/round_edge.h"

#include <gtest/gtest.h>
#include <libnoise/module/const.h>
#include <libnoise/module/perlin.h>
#include <libnoise/module/ridgedmulti.h>
#include <libnoise/module/turbulence.h>
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
    for (double t : {0.0, 1.3, 3.7, 4.0}) {
        EXPECT_NEAR(edge.GetValue(0.0, -1.0, t), 0.0, 1e-6) << t;
        EXPECT_NEAR(edge.GetValue(4.0, 5.0, t), 0.0, 1e-6) << t;
        EXPECT_NEAR(edge.GetValue(t, 0.0, 0.0), 0.0, 1e-6) << t;
        EXPECT_NEAR(edge.GetValue(t, 0.0, 4.0), 0.0, 1e-6) << t;
    }
    // Centre: sin(90 deg)^6 = 1; at (1, 1): sin(45 deg)^6 = 1/8; between:
    // sin(22.5)^3 sin(90)^3.
    EXPECT_NEAR(edge.GetValue(2.0, 3.0, 2.0), 0.8, 1e-9);
    EXPECT_NEAR(edge.GetValue(3.0, 0.0, 1.0), 0.1, 1e-7);
    const double s = std::sin(3.14159265358979323846 / 8.0);
    EXPECT_NEAR(edge.GetValue(0.5, 0.0, 2.0), 0.8 * s * s * s, 1e-7);

    // Outside the tile the sines change sign; the result must not, even for
    // a negative source.
    source.SetConstValue(-0.7);
    EXPECT_NEAR(edge.GetValue(1.0, 0.0, 1.0), 0.7 * 0.125, 1e-7);
    for (const Point& p : samplePoints())
        ASSERT_GE(edge.GetValue(p.x, p.y, p.z), 0.0) << p.x << "," << p.z;
    EXPECT_GT(edge.GetValue(5.0, 0.0, 1.0), 0.0);

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
    } cases[] = {{-1.0, 0.5, -1.0, -0.4375}, {0.0, 0.0, 0.0, 0.0},   {1.0, 1.0, 3.0, 1.0},
                 {0.5, -0.5, -0.25, 0.0},    {0.5, 0.0, 0.5, 0.0625}, {1.0, -1.0, -1.0, 0.0},
                 {2.0, 0.5, 3.5, 4.0625}};
    for (const auto& c : cases) {
        a.SetConstValue(c.a);
        b.SetConstValue(c.b);
        EXPECT_DOUBLE_EQ(multiply.GetValue(0.3, 0.2, 0.1), c.product) << c.a << " * " << c.b;
        EXPECT_DOUBLE_EQ(power.GetValue(1.0, 2.0, 3.0), c.power) << c.a << ", " << c.b;
    }
}

TEST(Cylinders, SinglePrecisionCosineAlongX) {
    morvane::module::Cylinders cylinders;
    // 3.14 instead of pi stretches the period to 1.0005072 / frequency.
    const double period = 2.0 * 3.14159265358979323846 / (2.0 * 3.14);
    for (double frequency : {2.5, 1.0}) {
        cylinders.SetFrequency(frequency);
        const double p = period / frequency;
        EXPECT_NEAR(cylinders.GetValue(p / 2.0, 0.0, 0.0), -1.0, 1e-6);
        EXPECT_NEAR(cylinders.GetValue(p / 4.0, 3.0, -4.0), 0.0, 1e-6);
        EXPECT_NEAR(cylinders.GetValue(10.0 * p, 0.0, 0.0), 1.0, 1e-5);
    }
    // At x = 0.5 a true period of 1 would give exactly -1.
    EXPECT_GT(cylinders.GetValue(0.5, 0.0, 0.0), -1.0);
    for (double x : {0.0, 0.37, -2.45})
        EXPECT_EQ(cylinders.GetValue(x, 5.0, -9.0), std::cos(float(x * 3.14 * 2.0))) << x;
}

TEST(Checkerboard, AlternatingUnitCubesScaledByFrequency) {
    morvane::module::Checkerboard board;
    const struct {
        double frequency, x, y, z, expected;
    } cases[] = {{1, 0.5, 0.5, 0.5, 1.0},  {1, 1.5, 0.5, 0.5, -1.0},  {1, 1.5, 1.5, 0.5, 1.0},
                 {1, 1.5, 1.5, 1.5, -1.0}, {1, -0.5, 0.5, 0.5, -1.0}, {1, -0.5, -0.5, 0.5, 1.0},
                 {1, -1.5, 0.2, 0.2, 1.0}, {1, 2.0, 0.0, 0.0, 1.0},   {1, 0.999, 0.0, 3.2, -1.0},
                 {2, 0.6, 0.0, 0.0, -1.0}, {2, 0.6, 0.6, 0.0, 1.0},   {2, -0.1, 0.0, 0.0, -1.0}};
    for (const auto& c : cases) {
        board.SetFrequency(c.frequency);
        EXPECT_EQ(board.GetValue(c.x, c.y, c.z), c.expected)
            << c.x << "," << c.y << "," << c.z << " frequency " << c.frequency;
    }
}

TEST(GeneratorVariants, PerlinAndTurbulenceDefaultToSeed11) {
    morvane::module::Perlin perlin;
    noise::module::Perlin reference, unseeded;
    reference.SetSeed(11);
    morvane::module::Turbulence turbulence;
    noise::module::Turbulence turbulenceReference;
    turbulence.SetSourceModule(0, unseeded);
    turbulenceReference.SetSourceModule(0, unseeded);
    turbulenceReference.SetSeed(11);
    int differing = 0;
    for (const Point& p : samplePoints()) {
        ASSERT_EQ(perlin.GetValue(p.x, p.y, p.z), reference.GetValue(p.x, p.y, p.z));
        ASSERT_EQ(turbulence.GetValue(p.x, p.y, p.z), turbulenceReference.GetValue(p.x, p.y, p.z));
        differing += unseeded.GetValue(p.x, p.y, p.z) != reference.GetValue(p.x, p.y, p.z);
    }
    EXPECT_GT(differing, 0); // the seed matters at these points
}

// Equal to libnoise for its settings (the extra ones are checked by hand below).
TEST(RidgedMultiVariant, DefaultsEqualLibnoiseAndZeroWeightSilences) {
    const auto points = samplePoints();
    morvane::module::RidgedMulti ridged;
    noise::module::RidgedMulti reference;
    auto differing = [&](const noise::module::Module& module,
                         const noise::module::Module& against) {
        int count = 0;
        for (const Point& p : points)
            count += module.GetValue(p.x, p.y, p.z) != against.GetValue(p.x, p.y, p.z);
        return count;
    };
    EXPECT_EQ(differing(ridged, reference), 0);
    noise::module::RidgedMulti* const both[] = {&ridged, &reference};
    for (int seed : {0, 123456, -5})
        for (int octaves : {1, 6, 12})
            for (double lacunarity : {2.2, 1.7}) {
                for (noise::module::RidgedMulti* m : both) {
                    m->SetSeed(seed);
                    m->SetOctaveCount(octaves);
                    m->SetLacunarity(lacunarity);
                    m->SetFrequency(0.37);
                }
                ASSERT_EQ(differing(ridged, reference), 0)
                    << "seed " << seed << " octaves " << octaves << " lacunarity " << lacunarity;
            }

    // Weight 0 silences the first octave and, through the gain, all others.
    morvane::module::RidgedMulti silent;
    silent.SetWeight(0.0);
    for (const Point& p : points)
        ASSERT_EQ(silent.GetValue(p.x, p.y, p.z), -1.0);
}

// Octaves written out by hand from the gradient noise itself.
TEST(RidgedMultiVariant, OctavesComputedByHand) {
    const double offset = 0.85, gain = 1.6, weight = 0.7, frequency = 1.3, lacunarity = 2.1;
    const int seed = 77;
    morvane::module::RidgedMulti ridged;
    ridged.SetSeed(seed);
    ridged.SetFrequency(frequency);
    ridged.SetLacunarity(lacunarity);
    ridged.SetOffset(offset);
    ridged.SetGain(gain);
    ridged.SetWeight(weight);

    auto signal = [&](double x, double y, double z, int octaveSeed, double octaveWeight) {
        const double n = std::fabs(noise::GradientCoherentNoise3D(
            noise::MakeInt32Range(x), noise::MakeInt32Range(y), noise::MakeInt32Range(z),
            octaveSeed, noise::QUALITY_STD));
        return (offset - n) * (offset - n) * octaveWeight;
    };
    for (const Point& p : samplePoints()) {
        const double x = p.x * frequency, y = p.y * frequency, z = p.z * frequency;
        const double signal0 = signal(x, y, z, seed, weight);
        ridged.SetOctaveCount(1);
        EXPECT_NEAR(ridged.GetValue(p.x, p.y, p.z), signal0 * 1.25 - 1.0, 1e-12);

        // Second octave: lacunarity-scaled point, next seed, weighted by the
        // clamped gain times the first signal, octave weight 1/lacunarity.
        const double signal1 = signal(x * lacunarity, y * lacunarity, z * lacunarity, seed + 1,
                                      std::clamp(signal0 * gain, 0.0, 1.0));
        ridged.SetOctaveCount(2);
        EXPECT_NEAR(ridged.GetValue(p.x, p.y, p.z),
                    (signal0 + signal1 / lacunarity) * 1.25 - 1.0, 1e-12);
    }
}
