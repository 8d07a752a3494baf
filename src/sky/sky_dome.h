#pragma once

#include "sky/sky_parameters.h"

#include <array>
#include <vector>

namespace morvane {

class RandomSource;

// A star of the dome: a point on the sphere (either half) and its size
// class, 2, 3 or 4, which also sizes it on the sky map.
struct StarPoint {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    int sizeClass = 2;
};

// The sphere drawn around the terrain in SKY DOME mode: 128 rings from the
// zenith down to just above the nadir, 128 segments each, with a sky
// colour per vertex and a darkening weight per ring.
struct SkyDome {
    static constexpr int kRings = 128;
    static constexpr int kSegments = 128;
    static constexpr double kRingStep = 1.40625;    // degrees of elevation
    static constexpr double kSegmentStep = 2.8125;  // degrees of azimuth

    double radius = 50.0;
    std::vector<std::array<float, 3>> positions; // ring * kSegments + segment
    std::vector<std::array<float, 3>> colours;
    std::array<float, kRings> ringWeights{};
    std::vector<StarPoint> stars;

    const std::array<float, 3>& position(int ring, int segment) const {
        return positions[std::size_t(ring * kSegments + segment)];
    }
    const std::array<float, 3>& colour(int ring, int segment) const {
        return colours[std::size_t(ring * kSegments + segment)];
    }
};

// Rebuilds positions, colours and ring weights for `radius`; with a random
// source, also a new star list of the parameters' population. Without one
// the stars keep their places.
void rebuildSkyDome(SkyDome& dome, const SkyParameters& parameters, const SunLight& sun,
                    double radius, RandomSource* newStars);

// Stars spread evenly over the disc of the radius and lifted onto the
// sphere, above or below the horizon at random.
std::vector<StarPoint> placeStars(int population, double radius, RandomSource& random);

// How bright ring weights leave a ring when the camera is at `height`:
// 1 at the ground, darker the higher the camera and the lower the ring.
float ringBrightness(float weight, double height);

} // namespace morvane
