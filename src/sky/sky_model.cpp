// Preetham's analytic daylight: sun transmittance, Perez distribution,
// zenith values and xyY to RGB, followed by this system's tone mapping,
// horizon fade and colour gains.

#include "sky/sky_model.h"

#include <algorithm>
#include <cmath>

namespace morvane {

namespace {

constexpr double kPi = 3.14159265358979323846;
// The dome's ring spacing: directions just above the horizon take the
// colour one ring higher, so the horizon ring is not the darkest.
constexpr double kElevationLift = 360.0 / 127.0;

double radians(double degrees) {
    return degrees * kPi / 180.0;
}

// NaN (a zero gain times an overflowed value) gives 0, like anything below
// the range; infinities clamp like any other value.
double unitClamp(double value) {
    if (!(value > 0.0))
        return 0.0;
    return value < 1.0 ? value : 1.0;
}

PerezCoefficients scaled(PerezCoefficients c, const SkyParameters& p) {
    c.A *= 1.0 + p.horizonLuminance;
    c.B *= 1.0 + p.horizonDarkness;
    c.C *= 1.0 + p.solarRegionIntensity;
    c.D *= 1.0 + p.solarRegionWidth;
    c.E *= 1.0 + p.backscatterLight;
    return c;
}

double nonZero(double value) {
    return value == 0.0 ? 0.001 : value;
}

// The two factors of the Perez function: the gradient toward the horizon
// and the glow around the sun.
double perezGradient(const PerezCoefficients& c, double theta) {
    return 1.0 + c.A * std::exp(c.B / nonZero(std::cos(theta)));
}

double perezCircumsolar(const PerezCoefficients& c, double gamma) {
    const double cosGamma = std::cos(gamma);
    return 1.0 + c.C * std::exp(c.D * gamma) + c.E * cosGamma * cosGamma;
}

} // namespace

SunLight computeSun(const SkyParameters& p) {
    const double zenithDegrees = 90.0 - p.sunPitch;
    const double zenith = radians(zenithDegrees);
    const double mass =
        1.0 / (std::cos(zenith) + 0.15 * std::pow(93.885 - zenithDegrees, -1.253));
    const double beta = 0.04608366 * p.turbidity - 0.04586026;
    auto transmittance = [&](double lambda) {
        return std::exp(-mass * beta * std::pow(lambda, -1.3)) *
               std::exp(-mass * 0.008735 * std::pow(lambda, -4.08));
    };
    SunLight sun;
    sun.red = transmittance(0.65);
    sun.green = transmittance(0.57);
    sun.blue = transmittance(0.475);
    sun.intensity =
        std::sqrt((sun.red * sun.red + sun.green * sun.green + sun.blue * sun.blue) / 3.0);
    return sun;
}

PerezSet perezCoefficients(const SkyParameters& p) {
    const double T = p.turbidity;
    PerezSet set;
    set.luminance = scaled({0.17872 * T - 1.463, 0.42749 - 0.3554 * T, 5.32505 - 0.02266 * T,
                            0.12064 * T - 2.57705, 0.37027 - 0.06696 * T},
                           p);
    set.x = scaled({-0.01925 * T - 0.25922, 0.00081 - 0.06651 * T, 0.21247 - 0.00041 * T,
                    -0.06409 * T - 0.89887, 0.04517 - 0.00325 * T},
                   p);
    set.y = scaled({-0.01669 * T - 0.26078, 0.00921 - 0.09495 * T, 0.21023 - 0.00792 * T,
                    -0.04405 * T - 1.65369, 0.05291 - 0.01092 * T},
                   p);
    return set;
}

double perezFunction(const PerezCoefficients& c, double theta, double gamma) {
    return perezGradient(c, theta) * perezCircumsolar(c, gamma);
}

ZenithValues zenithValues(double T, double s) {
    const double s2 = s * s;
    const double s3 = s2 * s;
    ZenithValues z;
    z.x = T * T * (0.00166 * s3 - 0.00375 * s2 + 0.00209 * s) +
          T * (-0.02903 * s3 + 0.06377 * s2 - 0.03203 * s + 0.00394) +
          (0.11693 * s3 - 0.21196 * s2 + 0.06052 * s + 0.25886);
    z.y = T * T * (0.00275 * s3 - 0.0061 * s2 + 0.00317 * s) +
          T * (-0.04214 * s3 + 0.0897 * s2 - 0.04153 * s + 0.00516) +
          (0.15346 * s3 - 0.26756 * s2 + 0.0667 * s + 0.26688);
    const double chi = (4.0 / 9.0 - T / 120.0) * (kPi - 2.0 * s);
    z.Y = 1000.0 * ((4.0453 * T - 4.971) * std::tan(chi) - 0.2155 * T + 2.4192);
    return z;
}

SkyRgb toneMap(double r, double g, double b) {
    const double high = std::max({r, g, b});
    const double low = std::min({r, g, b});
    double saturation = 0.0;
    double hue = 0.0;
    if (high != 0.0) {
        saturation = (high - low) / high;
        const double range = high - low;
        // A zero range means no hue; skipping it keeps 0/0 out of the hue.
        if (range != 0.0) {
            if (r == high)
                hue = (g - b) / range;
            else if (g == high)
                hue = 2.0 + (b - r) / range;
            else
                hue = 4.0 + (r - g) / range;
            hue *= 60.0;
            if (hue < 0.0)
                hue += 360.0;
        }
    }
    const double value = 1.0 - std::exp(-0.001 * high);
    if (saturation == 0.0)
        return {value, value, value};

    // The hue is finite for finite inputs; an overflowed colour must still
    // not reach the integer sector below.
    const double sector = std::isfinite(hue) ? hue / 60.0 : 0.0;
    const double whole = std::floor(sector);
    const double f = sector - whole;
    const double p = value * (1.0 - saturation);
    const double q = value * (1.0 - saturation * f);
    const double t = value * (1.0 - saturation * (1.0 - f));
    // A hue of exactly 360 (a tiny negative hue plus 360) is sector 0.
    switch (int(whole) % 6) {
    case 0:
        return {value, t, p};
    case 1:
        return {q, value, p};
    case 2:
        return {p, value, t};
    case 3:
        return {p, q, value};
    case 4:
        return {t, p, value};
    default:
        return {value, p, q};
    }
}

SkyModel::SkyModel(const SkyParameters& parameters, const SunLight& sun)
    : m_parameters(parameters), m_sun(sun), m_perez(perezCoefficients(parameters)) {
    m_sunZenith = radians(90.0 - parameters.sunPitch);
    m_sunAzimuth = radians(parameters.sunAzimuth);
    m_sinSunZenith = std::sin(m_sunZenith);
    m_cosSunZenith = std::cos(m_sunZenith);
    m_zenith = zenithValues(parameters.turbidity, m_sunZenith);
    m_denominatorY = nonZero(perezFunction(m_perez.luminance, 0.0, m_sunZenith));
    m_denominatorX = nonZero(perezFunction(m_perez.x, 0.0, m_sunZenith));
    m_denominatorYc = nonZero(perezFunction(m_perez.y, 0.0, m_sunZenith));
}

SkyModel::ElevationTerms SkyModel::elevationTerms(double elevation) const {
    ElevationTerms terms;
    if (elevation < 0.0) {
        const double c = std::cos(radians(elevation));
        terms.fade = c * c;
    }
    const double lifted = std::min(90.0, std::max(0.0, elevation) + kElevationLift);
    const double theta = radians(90.0 - lifted);
    terms.sinTheta = std::sin(theta);
    terms.cosTheta = std::cos(theta);
    terms.gradientY = perezGradient(m_perez.luminance, theta);
    terms.gradientX = perezGradient(m_perez.x, theta);
    terms.gradientYc = perezGradient(m_perez.y, theta);
    return terms;
}

double SkyModel::azimuthTerm(double azimuth) const {
    return std::cos(m_sunAzimuth - radians(azimuth));
}

SkyRgb SkyModel::colour(double elevation, double azimuth) const {
    return colour(elevationTerms(elevation), azimuthTerm(azimuth));
}

SkyRgb SkyModel::colour(const ElevationTerms& row, double azimuthTerm) const {
    const double cosGamma =
        row.sinTheta * m_sinSunZenith * azimuthTerm + row.cosTheta * m_cosSunZenith;
    double gamma;
    if (cosGamma > 1.0)
        gamma = 0.0;
    else if (cosGamma < -1.0)
        gamma = kPi;
    else
        gamma = std::acos(cosGamma);

    const double Y =
        m_zenith.Y * (row.gradientY * perezCircumsolar(m_perez.luminance, gamma)) / m_denominatorY;
    const double x =
        m_zenith.x * (row.gradientX * perezCircumsolar(m_perez.x, gamma)) / m_denominatorX;
    const double y = nonZero(m_zenith.y * (row.gradientYc * perezCircumsolar(m_perez.y, gamma)) /
                             m_denominatorYc);

    const double X = x / y * Y;
    const double Z = (1.0 - x - y) * Y / y;
    const double R = 3.240479 * X - 1.53715 * Y - 0.49853 * Z;
    const double G = -0.969256 * X + 1.875991 * Y + 0.041556 * Z;
    const double B = 0.055648 * X - 0.204043 * Y + 1.057311 * Z;

    const SkyRgb mapped = toneMap(R, G, B);
    const double light = m_sun.intensity * row.fade;
    return {unitClamp((light * mapped.red + 0.1) * m_parameters.redGain),
            unitClamp(light * mapped.green * m_parameters.greenGain + 0.075),
            unitClamp(light * mapped.blue * m_parameters.blueGain)};
}

} // namespace morvane
