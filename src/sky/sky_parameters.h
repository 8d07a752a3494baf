#pragma once

namespace morvane {

// The user's sky: Preetham's turbidity and sun position, the five
// multipliers on the Perez coefficients (each applied as 1 + value), the
// colour gains and the star field. Start values are the sky panel's.
struct SkyParameters {
    double turbidity = 2.0;
    double sunPitch = 60.0;  // degrees above the horizon
    double sunAzimuth = 0.0; // degrees
    double horizonLuminance = 0.0;     // hA, on A
    double horizonDarkness = 0.0;      // hB, on B
    double solarRegionIntensity = 1.5; // hC, on C
    double solarRegionWidth = 0.0;     // hD, on D
    double backscatterLight = 0.0;     // hE, on E
    double redGain = 1.3;
    double greenGain = 1.3;
    double blueGain = 1.2;
    int starIntensity = 100; // percent
    int starPopulation = 3000;

    // Stars show only while the sun is this low or lower.
    static constexpr double kStarsMaxSunPitch = 20.0;
    bool starsVisible() const { return sunPitch <= kStarsMaxSunPitch && starPopulation >= 1; }
};

// Transmittance of direct sunlight through the atmosphere, per channel,
// and its root-mean-square intensity.
struct SunLight {
    double red = 0.0;
    double green = 0.0;
    double blue = 0.0;
    double intensity = 0.0;
};

} // namespace morvane
