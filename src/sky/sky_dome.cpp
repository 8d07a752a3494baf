#include "sky/sky_dome.h"

#include "common/random_source.h"
#include "sky/sky_model.h"
#include "sky/sky_tables.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace morvane {

namespace {

constexpr double kPi = 3.14159265358979323846;
// The last segment would sit on the first one's azimuth.
constexpr double kAzimuthWrap = 357.1875;

double radians(double degrees) {
    return degrees * kPi / 180.0;
}

} // namespace

std::vector<StarPoint> placeStars(int population, double radius, RandomSource& random) {
    std::vector<StarPoint> stars;
    stars.reserve(std::size_t(std::max(population, 0)));
    const int reach = int(std::min(std::trunc(std::max(radius, 0.0)), double(INT_MAX / 2)));
    for (int k = 0; k < population; ++k) {
        int a = 0;
        int b = 0;
        do {
            a = random.between(-reach, reach);
            b = random.between(-reach, reach);
        } while (double(a) * a + double(b) * b > radius * radius);
        const int side = random.between(-100, 100) < 0 ? -1 : 1;
        const int size = random.between(0, 100);

        StarPoint star;
        star.x = float(a);
        star.z = float(b);
        if (radius > 0.0) {
            const double u = a / radius;
            const double v = b / radius;
            // Rounding can put a star on the rim a hair past 1.
            const double out = std::min(1.0, std::sqrt(u * u + v * v));
            star.y = float(std::sin(std::acos(out)) * radius * side);
        }
        star.sizeClass = size <= 80 ? 2 : size <= 96 ? 3 : 4;
        stars.push_back(star);
    }
    return stars;
}

void rebuildSkyDome(SkyDome& dome, const SkyParameters& parameters, const SunLight& sun,
                    double radius, RandomSource* newStars) {
    dome.radius = radius;
    if (newStars)
        dome.stars = placeStars(parameters.starPopulation, radius, *newStars);

    const SinCosTables& tables = SinCosTables::instance();
    const SkyModel model(parameters, sun);
    const std::size_t count = std::size_t(SkyDome::kRings) * SkyDome::kSegments;
    dome.positions.resize(count);
    dome.colours.resize(count);
    for (int i = 0; i < SkyDome::kRings; ++i) {
        const double step = i * SkyDome::kRingStep;
        const double theta = radians(90.0 - step);
        const double ringRadius = tables.cos(theta) * radius;
        const double height = tables.sin(theta) * radius;
        for (int j = 0; j < SkyDome::kSegments; ++j) {
            const double azimuth = j * SkyDome::kSegmentStep;
            const double phi = radians(azimuth >= kAzimuthWrap ? 0.0 : azimuth);
            const std::size_t at = std::size_t(i * SkyDome::kSegments + j);
            dome.positions[at] = {float(tables.sin(phi) * ringRadius), float(height),
                                  float(tables.cos(phi) * ringRadius)};
            const SkyRgb c = model.colour(90.0 - step, azimuth);
            dome.colours[at] = {float(c.red), float(c.green), float(c.blue)};
        }
        dome.ringWeights[std::size_t(i)] = float(1.0 - std::exp(-0.025 * step));
    }
}

float ringBrightness(float weight, double height) {
    return float(1.0 - (1.0 - std::exp(-height / 10000.0)) * weight);
}

} // namespace morvane
