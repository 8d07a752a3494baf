// Expected numbers come from an independent Python transcription of
// Preetham's formulas and the HSV tone mapping. Sun pitch 60, azimuth 0,
// start multipliers and gains unless a row says otherwise.

#include "sky/sky_model.h"
#include "sky/sky_tables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <utility>

namespace morvane {
namespace {

constexpr double kPi = 3.14159265358979323846;

SkyParameters skyWith(double turbidity, double pitch = 60.0, double azimuth = 0.0) {
    SkyParameters p;
    p.turbidity = turbidity;
    p.sunPitch = pitch;
    p.sunAzimuth = azimuth;
    return p;
}

SkyRgb colourOf(const SkyParameters& p, double elevation, double azimuth) {
    return SkyModel(p, computeSun(p)).colour(elevation, azimuth);
}

// Pairs of (actual, expected), each within `tolerance`.
void expectNear(std::initializer_list<std::pair<double, double>> pairs, double tolerance) {
    for (auto [actual, expected] : pairs)
        EXPECT_NEAR(actual, expected, tolerance);
}

TEST(SkyModel, ZenithPerezAndSunMatchThePublishedModel) {
    struct Row {
        double T;
        double zx, zy, zY;
        double A, B, C, D, E; // luminance coefficients, C already x 2.5 (hC 1.5)
        double F;             // F_Y(theta 40 degrees, gamma 0.7)
        double sunR, sunG, sunB, intensity;
    };
    const Row rows[] = {
        {2.0, 0.2514109904, 0.2559238382, 5886.743249, -1.10556, -0.28331, 13.199325, -2.33577,
         0.23635, 0.8767280951, 0.8590288594, 0.8099475961, 0.7041958283, 0.7936912612},
        {5.0, 0.2592606074, 0.2698231756, 18484.16668, -0.5694, -1.34951, 13.029375, -1.97385,
         0.03547, 3.873243901, 0.649749752, 0.5815927431, 0.4627900791, 0.5699706181},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.T);
        const ZenithValues z = zenithValues(r.T, 30.0 * kPi / 180.0);
        EXPECT_NEAR(z.Y, r.zY, 1e-5);
        const PerezSet perez = perezCoefficients(skyWith(r.T));
        const auto& l = perez.luminance;
        expectNear({{l.A, r.A}, {l.B, r.B}, {l.C, r.C}, {l.D, r.D}, {l.E, r.E}}, 1e-12);
        const SunLight sun = computeSun(skyWith(r.T));
        expectNear({{z.x, r.zx},
                    {z.y, r.zy},
                    {perezFunction(l, 40.0 * kPi / 180.0, 0.7), r.F},
                    {sun.red, r.sunR},
                    {sun.green, r.sunG},
                    {sun.blue, r.sunB},
                    {sun.intensity, r.intensity}},
                   1e-9);
    }
}

TEST(SkyModel, ColoursOfDirectionsMatchTheWorkedChain) {
    struct Row {
        double T, pitch, sunAzimuth, elevation, azimuth;
        double red, green, blue;
    };
    const Row rows[] = {
        {2.0, 60, 0, 45, 0, 0.7394534951, 0.8219614233, 0.9524295132},
        {2.0, 60, 0, -30, 45, 0.6808101047, 0.6440832025, 0.7143221196},
        {2.0, 60, 0, 0, 180, 0.6229994467, 0.7607634135, 0.9524255491},
        {5.0, 60, 0, 10, 90, 0.5032485874, 0.6214351055, 0.683935874},
        {3.0, 10, 90, 5, 100, 0.4176048193, 0.2709757834, 0.01904812296},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.T << " " << r.elevation << " " << r.azimuth);
        const SkyRgb c = colourOf(skyWith(r.T, r.pitch, r.sunAzimuth), r.elevation, r.azimuth);
        expectNear({{c.red, r.red}, {c.green, r.green}, {c.blue, r.blue}}, 1e-8);
    }
}

TEST(SkyModel, ToneMappingKeepsHueAndSaturation) {
    struct Row {
        double r, g, b;
        double outR, outG, outB;
    };
    const Row rows[] = {
        {1000, 500, 250, 0.632120558829, 0.316060279414, 0.158030139707},
        {300, 300, 300, 0.259181779318, 0.259181779318, 0.259181779318},
        {0, 0, 0, 0, 0, 0},
        // Negative luminance: the model's own result, dark once clamped.
        {-50, -100, -300, -0.051271096376, -0.102542192752, -0.307626578256},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.r << ", " << r.g << ", " << r.b);
        const SkyRgb c = toneMap(r.r, r.g, r.b);
        expectNear({{c.red, r.outR}, {c.green, r.outG}, {c.blue, r.outB}}, 1e-11);
    }
}

// Turbidity 0 with the sun overhead overflows the tone mapping to
// -infinity; a zero gain must not turn that into 0 x infinity = NaN.
TEST(SkyModel, ColoursStayFiniteAtTheExtremes) {
    ASSERT_TRUE(std::isinf(toneMap(-1e6, -2e6, -3e6).red));

    SkyParameters zeroGain = skyWith(0.0, 90.0);
    zeroGain.greenGain = 0.0;
    SkyParameters zeroFactors = skyWith(0.0, 45.0);
    zeroFactors.horizonLuminance = zeroFactors.horizonDarkness = -1.0;
    zeroFactors.solarRegionIntensity = zeroFactors.solarRegionWidth = -1.0;
    zeroFactors.backscatterLight = -1.0;
    SkyParameters allZeroGains = skyWith(0.0, 0.0);
    allZeroGains.redGain = allZeroGains.greenGain = allZeroGains.blueGain = 0.0;

    int sawGreenZero = 0;
    const SkyParameters cases[] = {zeroGain, zeroFactors, allZeroGains};
    for (const SkyParameters& p : cases) {
        const SkyModel model(p, computeSun(p));
        for (double elevation = -90.0; elevation <= 90.0; elevation += 7.5)
            for (double azimuth = 0.0; azimuth < 360.0; azimuth += 30.0) {
                const SkyRgb c = model.colour(elevation, azimuth);
                for (double channel : {c.red, c.green, c.blue}) // NaN fails both
                    ASSERT_TRUE(channel >= 0.0 && channel <= 1.0)
                        << channel << " at " << elevation << " " << azimuth;
                if (&p == &cases[0] && c.green == 0.0)
                    ++sawGreenZero;
            }
    }
    // Where the formulas overflow the green gain of 0 gives 0.
    EXPECT_GT(sawGreenZero, 0);
}

TEST(SkyModel, BelowTheHorizonDarkensWithCosineSquared) {
    SkyParameters p = skyWith(3.0, 40.0, 30.0);
    // Gains low enough that nothing clamps.
    p.redGain = p.greenGain = p.blueGain = 0.4;
    for (double azimuth : {0.0, 210.0}) {
        const SkyRgb horizon = colourOf(p, 0.0, azimuth);
        for (double depression : {10.0, 45.0, 80.0}) {
            SCOPED_TRACE(::testing::Message() << azimuth << " " << depression);
            const double k = std::pow(std::cos(depression * kPi / 180.0), 2.0);
            const SkyRgb below = colourOf(p, -depression, azimuth);
            expectNear({{below.red / 0.4 - 0.1, k * (horizon.red / 0.4 - 0.1)},
                        {below.green - 0.075, k * (horizon.green - 0.075)},
                        {below.blue, k * horizon.blue}},
                       1e-12);
        }
    }
    // Straight down only the red and green offsets are left.
    const SkyRgb down = colourOf(skyWith(2.0), -90.0, 0.0);
    expectNear({{down.red, 0.1 * 1.3}, {down.green, 0.075}, {down.blue, 0.0}}, 1e-12);
}

// Below turbidity ~1.64 the lower sky's luminance turns negative and
// tone-maps to black.
TEST(SkyModel, LowTurbidityGoesDarkBelow) {
    struct Row {
        double T, elevation;
        bool black;
    };
    const Row rows[] = {
        {1.6, 40, true}, {1.6, 60, false}, {1.5, 20, true}, {1.5, 40, false}, {2.0, 0, false},
    };
    for (const Row& r : rows) {
        const SkyRgb c = colourOf(skyWith(r.T), r.elevation, 90.0);
        const bool black = c.red == 0.0 && c.green == 0.0 && c.blue == 0.0;
        EXPECT_EQ(black, r.black) << r.T << " " << r.elevation;
    }
}

TEST(SkyTables, LookupTruncatesAndWraps) {
    struct Row {
        double radians;
        int index;
    };
    const Row rows[] = {
        {0.00153, 0},          // 0.997 steps
        {0.00154, 1},          // 1.004 steps
        {-0.001, 0},           // -0.65 truncates toward zero
        {-0.01, 4090},         // -6.5 -> -6 -> wraps
        {2.0 * kPi, 4095},     // 4095.99: just short of a turn
        {2.0 * kPi + 0.01, 6}, // 4102.5 -> 4102 -> 6
        {-4.0 * kPi, 1},       // -8191.99 -> -8191 -> 1
    };
    for (const Row& r : rows)
        EXPECT_EQ(SinCosTables::index(r.radians), r.index) << r.radians;

    const SinCosTables& t = SinCosTables::instance();
    EXPECT_NEAR(t.sin(-kPi / 2.0), -1.0, 1e-5);
    EXPECT_EQ(t.sin(-0.01), t.sinAt(4090));
    EXPECT_EQ(SinCosTables::index(std::nan("")), 0);
}

} // namespace
} // namespace morvane
