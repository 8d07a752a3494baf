#pragma once

#include "sky/sky_parameters.h"

namespace morvane {

// Preetham's transmittance of direct sunlight for the sun's pitch and the
// turbidity.
SunLight computeSun(const SkyParameters& parameters);

// Perez distribution coefficients, already multiplied by (1 + h).
struct PerezCoefficients {
    double A = 0.0, B = 0.0, C = 0.0, D = 0.0, E = 0.0;
};

struct PerezSet {
    PerezCoefficients luminance; // Y
    PerezCoefficients x;
    PerezCoefficients y;
};

PerezSet perezCoefficients(const SkyParameters& parameters);

// F(theta, gamma), with a cos theta of 0 taken as 0.001.
double perezFunction(const PerezCoefficients& c, double theta, double gamma);

// Zenith chromaticity and luminance for a sun zenith angle in radians.
struct ZenithValues {
    double x = 0.0;
    double y = 0.0;
    double Y = 0.0;
};

ZenithValues zenithValues(double turbidity, double sunZenith);

struct SkyRgb {
    double red = 0.0;
    double green = 0.0;
    double blue = 0.0;
};

// The colour of a direction in the sky: everything that depends only on
// the parameters is worked out once, so a dome or a map costs one call per
// direction.
class SkyModel {
public:
    SkyModel(const SkyParameters& parameters, const SunLight& sun);

    // Elevation in degrees above the horizon (-90..90), azimuth in degrees.
    // Each channel is in 0..1 and never NaN.
    SkyRgb colour(double elevation, double azimuth) const;

    // What colour() works out from the elevation alone, and from the
    // azimuth alone: a map row computes the first once and a column table
    // of the second, with the same arithmetic and so the same colours.
    struct ElevationTerms {
        double fade = 1.0;
        double sinTheta = 0.0;
        double cosTheta = 0.0;
        double gradientY = 0.0; // 1 + A e^(B / cos theta), per channel
        double gradientX = 0.0;
        double gradientYc = 0.0;
    };
    ElevationTerms elevationTerms(double elevation) const;
    double azimuthTerm(double azimuth) const; // cos(sun azimuth - azimuth)
    SkyRgb colour(const ElevationTerms& row, double azimuthTerm) const;

private:
    SkyParameters m_parameters;
    SunLight m_sun;
    PerezSet m_perez;
    ZenithValues m_zenith;
    double m_sunZenith = 0.0;
    double m_sunAzimuth = 0.0;
    double m_sinSunZenith = 0.0;
    double m_cosSunZenith = 0.0;
    // F(0, theta_s) per channel, 0 replaced by 0.001.
    double m_denominatorY = 1.0;
    double m_denominatorX = 1.0;
    double m_denominatorYc = 1.0;
};

// Tone mapping through HSV: the value becomes 1 - exp(-0.001 max), hue and
// saturation stay. Exposed for tests.
SkyRgb toneMap(double red, double green, double blue);

} // namespace morvane
