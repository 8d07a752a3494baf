#include "noise/fast_fractals.h"

#include "noise/fast_gradient.h"

#include <cmath>

namespace morvane::module {

// Each loop below is its base class's, operation for operation; only the
// noise call differs.

double perlinValue(const noise::module::Perlin& settings, double x, double y, double z) {
    const double frequency = settings.GetFrequency();
    const double lacunarity = settings.GetLacunarity();
    const double persistenceFactor = settings.GetPersistence();
    const noise::NoiseQuality quality = settings.GetNoiseQuality();
    const int octaves = settings.GetOctaveCount();
    const unsigned seed = unsigned(settings.GetSeed());
    double value = 0.0;
    double persistence = 1.0;
    x *= frequency;
    y *= frequency;
    z *= frequency;
    for (int octave = 0; octave < octaves; ++octave) {
        const double nx = noise::MakeInt32Range(x);
        const double ny = noise::MakeInt32Range(y);
        const double nz = noise::MakeInt32Range(z);
        const double signal =
            gradientCoherentNoise3D(nx, ny, nz, int(seed + unsigned(octave)), quality);
        value += signal * persistence;
        x *= lacunarity;
        y *= lacunarity;
        z *= lacunarity;
        persistence *= persistenceFactor;
    }
    return value;
}

double FastPerlin::GetValue(double x, double y, double z) const {
    return perlinValue(*this, x, y, z);
}

double FastBillow::GetValue(double x, double y, double z) const {
    double value = 0.0;
    double persistence = 1.0;
    x *= m_frequency;
    y *= m_frequency;
    z *= m_frequency;
    for (int octave = 0; octave < m_octaveCount; ++octave) {
        const double nx = noise::MakeInt32Range(x);
        const double ny = noise::MakeInt32Range(y);
        const double nz = noise::MakeInt32Range(z);
        const int seed = int(unsigned(m_seed) + unsigned(octave));
        double signal = gradientCoherentNoise3D(nx, ny, nz, seed, m_noiseQuality);
        signal = 2.0 * std::fabs(signal) - 1.0;
        value += signal * persistence;
        x *= m_lacunarity;
        y *= m_lacunarity;
        z *= m_lacunarity;
        persistence *= m_persistence;
    }
    value += 0.5;
    return value;
}

double FastRidgedMulti::GetValue(double x, double y, double z) const {
    return ridgedValue(x, y, z,
                       [](double nx, double ny, double nz, int seed, noise::NoiseQuality quality) {
                           return gradientCoherentNoise3D(nx, ny, nz, seed, quality);
                       });
}

// libnoise's offsets of the three distortion noises' sample points.
double FastTurbulence::GetValue(double x, double y, double z) const {
    const double x0 = x + (12414.0 / 65536.0);
    const double y0 = y + (65124.0 / 65536.0);
    const double z0 = z + (31337.0 / 65536.0);
    const double x1 = x + (26519.0 / 65536.0);
    const double y1 = y + (18128.0 / 65536.0);
    const double z1 = z + (60493.0 / 65536.0);
    const double x2 = x + (53820.0 / 65536.0);
    const double y2 = y + (11213.0 / 65536.0);
    const double z2 = z + (44845.0 / 65536.0);
    const double xDistort = x + (perlinValue(m_xDistortModule, x0, y0, z0) * m_power);
    const double yDistort = y + (perlinValue(m_yDistortModule, x1, y1, z1) * m_power);
    const double zDistort = z + (perlinValue(m_zDistortModule, x2, y2, z2) * m_power);
    return GetSourceModule(0).GetValue(xDistort, yDistort, zDistort);
}

} // namespace morvane::module
