#include "noise/generator_variants.h"

#include <libnoise/noisegen.h>

#include <cmath>

namespace morvane::module {

double RidgedMulti::GetValue(double x, double y, double z) const {
    x *= m_frequency;
    y *= m_frequency;
    z *= m_frequency;

    double value = 0.0;
    double weight = m_weight;
    for (int octave = 0; octave < m_octaveCount; ++octave) {
        const double nx = noise::MakeInt32Range(x);
        const double ny = noise::MakeInt32Range(y);
        const double nz = noise::MakeInt32Range(z);
        // Wraps for seeds near the int limit instead of overflowing.
        const int seed = int((unsigned(m_seed) + unsigned(octave)) & 0x7fffffffu);
        double signal = noise::GradientCoherentNoise3D(nx, ny, nz, seed, m_noiseQuality);
        signal = m_offset - std::fabs(signal);
        signal *= signal;
        signal *= weight;
        weight = signal * m_gain;
        if (weight > 1.0)
            weight = 1.0;
        if (weight < 0.0)
            weight = 0.0;
        value += signal * m_pSpectralWeights[octave];
        x *= m_lacunarity;
        y *= m_lacunarity;
        z *= m_lacunarity;
    }
    return value * 1.25 - 1.0;
}

Cylinders::Cylinders() : noise::module::Module(0) {}

double Cylinders::GetValue(double x, double /*y*/, double /*z*/) const {
    const float argument = float(x * m_frequency * 3.14 * 2.0);
    return double(std::cos(argument));
}

Checkerboard::Checkerboard() : noise::module::Module(0) {}

double Checkerboard::GetValue(double x, double y, double z) const {
    const int ix = int(std::floor(noise::MakeInt32Range(x * m_frequency)));
    const int iy = int(std::floor(noise::MakeInt32Range(y * m_frequency)));
    const int iz = int(std::floor(noise::MakeInt32Range(z * m_frequency)));
    return ((ix ^ iy ^ iz) & 1) ? -1.0 : 1.0;
}

} // namespace morvane::module
