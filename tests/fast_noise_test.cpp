#include "noise/fast_fractals.h"
#include "noise/fast_gradient.h"
#include "noise/fast_voronoi.h"
#include "noise/pitted.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <thread>
#include <vector>

using morvane::module::FastBillow;
using morvane::module::FastPerlin;
using morvane::module::FastRidgedMulti;
using morvane::module::FastTurbulence;
using morvane::module::FastVoronoi;
using morvane::module::Pitted;

namespace {

struct Point {
    double x, y, z;
};

bool sameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Points a module meets: a row-major grid (as the map builders walk it, with
// turbulence-like jitter in y around 0), random points near and far from the
// origin, whole and half cell coordinates (cell borders at this frequency),
// and coordinates just inside the range the fast paths handle.
std::vector<Point> testPoints(double frequency, unsigned seed) {
    std::vector<Point> points;
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<double> near(-6.0, 6.0), far(-4.0e5, 4.0e5), jitter(-0.02, 0.02);
    for (int row = 0; row < 40; ++row)
        for (int column = 0; column < 60; ++column)
            points.push_back(
                {-2.0 + column * 0.07, row % 3 == 0 ? 0.0 : jitter(random), -1.0 + row * 0.09});
    for (int i = 0; i < 1500; ++i)
        points.push_back({near(random), i % 2 ? 0.0 : near(random), near(random)});
    for (int i = 0; i < 300; ++i)
        points.push_back({far(random), far(random), far(random)});
    for (int i = -4; i <= 4; ++i)
        for (int k = -4; k <= 4; ++k) {
            points.push_back({i / frequency, 0.0, k / frequency});
            points.push_back({(i + 0.5) / frequency, -0.5 / frequency, k / frequency});
            points.push_back({double(i), double(k), double(i * k)});
        }
    for (double c : {0.0, -0.0, 1.0e9, -1.0e9, 1073741823.0, -1073741823.0, 2.0e9, 1.0e12})
        points.push_back({c / frequency, 0.0, -c / frequency});
    return points;
}

struct VoronoiCase {
    int seed;
    double frequency;
    double displacement;
    bool distance;
};

// The settings the shipped presets and the control noise use, and a few more.
const VoronoiCase kVoronoiCases[] = {
    {15, 3.0, 0.3, true}, {1, 0.8, 0.1, true},      {5, 2.5, 0.1, true},
    {13, 6.0, 0.1, true}, {0, 1.0, 1.0, false},     {2, 0.3, 1.0, false},
    {-7, 1.0, 0.0, true}, {123456, 0.1, 2.0, true}, {2147483647, 1.5, 0.5, false},
};

// Counts the points where `fast` and `plain` (callables on a Point) part in
// any bit; the first three fail with their place.
template <typename Fast, typename Plain>
int mismatches(const std::vector<Point>& points, const Fast& fast, const Plain& plain) {
    int count = 0;
    for (const Point& p : points) {
        const double got = fast(p), expected = plain(p);
        if (!sameBits(got, expected) && ++count <= 3)
            ADD_FAILURE() << "at (" << p.x << ", " << p.y << ", " << p.z << "): " << got
                          << " instead of " << expected;
    }
    return count;
}

template <typename Module> auto valuesOf(const Module& m) {
    return [&m](const Point& p) { return m.GetValue(p.x, p.y, p.z); };
}

} // namespace

TEST(FastVoronoi, SameBitsAsLibnoiseForEverySetting) {
    for (const VoronoiCase& c : kVoronoiCases) {
        SCOPED_TRACE(testing::Message() << "seed " << c.seed << " frequency " << c.frequency);
        FastVoronoi fast;
        noise::module::Voronoi plain;
        for (noise::module::Voronoi* m : {static_cast<noise::module::Voronoi*>(&fast), &plain}) {
            m->SetSeed(c.seed);
            m->SetFrequency(c.frequency);
            m->SetDisplacement(c.displacement);
            m->EnableDistance(c.distance);
        }
        EXPECT_EQ(mismatches(testPoints(c.frequency, unsigned(c.seed)), valuesOf(fast),
                             valuesOf(plain)),
                  0);
    }
}

// The remembered blocks are shared by every module on a thread: modules with
// different seeds sampled in turn, and threads of their own, must not see
// each other's seed points.
TEST(FastVoronoi, InterleavedModulesAndThreadsKeepTheirOwnPoints) {
    FastVoronoi fast[2];
    noise::module::Voronoi plain[2];
    for (int i = 0; i < 2; ++i) {
        fast[i].SetSeed(i * 3);
        plain[i].SetSeed(i * 3);
        fast[i].EnableDistance(true);
        plain[i].EnableDistance(true);
    }
    const std::vector<Point> points = testPoints(1.0, 9);
    for (const Point& p : points) // in turn, point by point
        for (int i = 0; i < 2; ++i)
            EXPECT_EQ(mismatches({p}, valuesOf(fast[i]), valuesOf(plain[i])), 0);

    std::vector<double> values[2];
    std::vector<std::thread> threads;
    for (int i = 0; i < 2; ++i)
        threads.emplace_back([&, i] {
            for (const Point& p : points)
                values[i].push_back(fast[i].GetValue(p.x, p.y, p.z));
        });
    for (std::thread& t : threads)
        t.join();
    for (int i = 0; i < 2; ++i)
        for (std::size_t k = 0; k < points.size(); ++k)
            ASSERT_TRUE(
                sameBits(values[i][k], plain[i].GetValue(points[k].x, points[k].y, points[k].z)))
                << "thread " << i << " point " << k;
}

namespace {

struct PittedCase {
    std::uint32_t offset;
    double frequency;
    float bandwidth;
    float impulses;
    bool anisotropic;
};

// Presets' settings (gabor ripples, martian plains, the isotropic control),
// wrapping offsets, narrow and wide kernels, sparse, dense and no impulses.
const PittedCase kPittedCases[] = {
    {3, 1.0, 0.05f, 64.0f, true},
    {2, 0.8, 0.05f, 32.0f, false},
    {1, 1.0, 0.01f, 64.0f, false},
    {0xFFFFFFFFu, 0.5, 0.2f, 4.0f, false},
    {0, 2.0, 0.05f, 700.0f, true},
    {7, 0.3, 0.1f, 0.0f, false},
    {0x80000000u, 1.7, 0.03f, 128.0f, false},
};

} // namespace

TEST(FastPitted, SameBitsAsTheDirectSum) {
    for (const PittedCase& c : kPittedCases) {
        SCOPED_TRACE(testing::Message() << "offset " << c.offset << " impulses " << c.impulses);
        Pitted pitted;
        pitted.SetRandomOffset(c.offset);
        pitted.SetFrequency(c.frequency);
        pitted.SetBandwidth(c.bandwidth);
        pitted.SetImpulsesPerKernel(c.impulses);
        pitted.SetAnisotropic(c.anisotropic);
        EXPECT_EQ(mismatches(testPoints(c.frequency * 64.0 / pitted.KernelRadius(), c.offset),
                             valuesOf(pitted),
                             [&](const Point& p) { return pitted.PlainValue(p.x, p.y, p.z); }),
                  0);

        // Kernel space on and next to cell borders, where the left-out cells
        // lie exactly one cell away.
        const float r = pitted.KernelRadius();
        for (int i = -3; i <= 3; ++i)
            for (int k = -3; k <= 3; ++k)
                for (float nudge : {0.0f, 1e-4f, 0.5f, 0.9999f}) {
                    const float u = (float(i) + nudge) * r;
                    const float v = (float(k) + nudge * 0.5f) * r;
                    const float expected = pitted.Convolution(u, v);
                    const float got = pitted.FastConvolution(u, v);
                    ASSERT_EQ(std::memcmp(&got, &expected, sizeof got), 0)
                        << "(" << u << ", " << v << ")";
                }
        pitted.SetPlain(true);
        EXPECT_TRUE(sameBits(pitted.GetValue(0.3, 0.0, 0.7), pitted.PlainValue(0.3, 0.0, 0.7)));
    }
}

// The bit-interleaving cell code against a bit-by-bit loop.
TEST(FastPitted, MortonCodeInterleavesTheLow16Bits) {
    auto slow = [](int ci, int cj) {
        std::uint32_t code = 0;
        for (int bit = 0; bit < 16; ++bit) {
            code |= ((std::uint32_t(ci) >> bit) & 1u) << (2 * bit);
            code |= ((std::uint32_t(cj) >> bit) & 1u) << (2 * bit + 1);
        }
        return code;
    };
    for (int ci : {0, 1, -1, 2, 0x7FFF, 0xFFFF, 0x10000, -65536, 12345, INT32_MIN, INT32_MAX})
        for (int cj : {0, 1, -1, 3, 0xFFFF, 0x1ABCD, -2, INT32_MIN})
            EXPECT_EQ(Pitted::Morton(ci, cj), slow(ci, cj)) << ci << ", " << cj;
}

TEST(FastGradient, SameBitsAsLibnoiseForEveryQualityAndSeed) {
    const std::vector<Point> points = testPoints(1.0, 4);
    for (auto quality : {noise::QUALITY_FAST, noise::QUALITY_STD, noise::QUALITY_BEST})
        for (int seed : {0, 1, 11, -5, 1013, INT32_MAX, INT32_MIN}) {
            // The fractals hand over coordinates within the int range.
            auto gradient = [&](auto function) {
                return [=](const Point& p) {
                    return function(noise::MakeInt32Range(p.x), noise::MakeInt32Range(p.y),
                                    noise::MakeInt32Range(p.z), seed, quality);
                };
            };
            EXPECT_EQ(mismatches(points, gradient(morvane::module::gradientCoherentNoise3D),
                                 gradient(noise::GradientCoherentNoise3D)),
                      0)
                << "quality " << quality << " seed " << seed;
        }
}

namespace {

struct FractalCase {
    int octaves;
    noise::NoiseQuality quality;
    int seed;
    double frequency, lacunarity, persistence;
};

// Preview and full-detail octave counts (30 carries the coordinates far past
// the int range), every quality, seeds whose octave seeds wrap.
const FractalCase kFractalCases[] = {
    {6, noise::QUALITY_STD, 0, 1.0, 2.0, 0.5},   {30, noise::QUALITY_BEST, 11, 0.8, 2.0, 0.5},
    {1, noise::QUALITY_FAST, -3, 3.0, 1.5, 0.4}, {30, noise::QUALITY_STD, INT32_MAX, 2.0, 2.5, 0.6},
    {8, noise::QUALITY_BEST, 7, 0.3, 3.1, 0.9},
};

template <typename Plain, typename Fast, typename Setup>
void expectFractalMatches(const Setup& setup) {
    for (const FractalCase& c : kFractalCases) {
        Plain plain;
        Fast fast;
        setup(plain, c);
        setup(fast, c);
        EXPECT_EQ(mismatches(testPoints(c.frequency, unsigned(c.octaves)), valuesOf(fast),
                             valuesOf(plain)),
                  0)
            << "octaves " << c.octaves << " seed " << c.seed;
    }
}

template <typename Fractal> void setFractal(Fractal& m, const FractalCase& c) {
    m.SetOctaveCount(c.octaves);
    m.SetNoiseQuality(c.quality);
    m.SetSeed(c.seed);
    m.SetFrequency(c.frequency);
    m.SetLacunarity(c.lacunarity);
}

} // namespace

TEST(FastFractals, SameBitsAsTheLibraryModules) {
    auto perlinLike = [](auto& m, const FractalCase& c) {
        setFractal(m, c);
        m.SetPersistence(c.persistence);
    };
    expectFractalMatches<noise::module::Perlin, FastPerlin>(perlinLike);
    expectFractalMatches<noise::module::Billow, FastBillow>(perlinLike);
    expectFractalMatches<morvane::module::RidgedMulti, FastRidgedMulti>(
        [](auto& m, const FractalCase& c) {
            setFractal(m, c);
            m.SetOffset(c.persistence * 2.0);
            m.SetGain(c.lacunarity);
            m.SetWeight(c.persistence);
        });
}

// The distortion of the presets' turbulence (power, frequency, roughness up
// to full detail) over a source that shows every displaced point.
TEST(FastFractals, TurbulenceDisplacesByTheSameBits) {
    FastPerlin source;
    source.SetOctaveCount(3);
    const struct {
        int seed, roughness;
        double frequency, power;
    } cases[] = {{0, 1, 0.4, 0.12}, {5, 4, 0.8, 0.35}, {11, 30, 0.6, 0.2}, {-2, 2, 2.0, 1.0}};
    for (const auto& c : cases) {
        noise::module::Turbulence plain;
        FastTurbulence fast;
        for (noise::module::Turbulence* m :
             {&plain, static_cast<noise::module::Turbulence*>(&fast)}) {
            m->SetSourceModule(0, source);
            m->SetSeed(c.seed);
            m->SetRoughness(c.roughness);
            m->SetFrequency(c.frequency);
            m->SetPower(c.power);
        }
        EXPECT_EQ(mismatches(testPoints(c.frequency, unsigned(c.roughness)), valuesOf(fast),
                             valuesOf(plain)),
                  0)
            << "seed " << c.seed << " roughness " << c.roughness;
    }
}
