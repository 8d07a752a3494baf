#pragma once

#include <libnoise/module/checkerboard.h>
#include <libnoise/module/cylinders.h>
#include <libnoise/module/perlin.h>
#include <libnoise/module/ridgedmulti.h>
#include <libnoise/module/turbulence.h>
#include <libnoise/noisegen.h>

#include <cmath>

namespace morvane::module {

// libnoise's ridged multifractal with its fixed offset (1), gain (2) and
// initial weight (1) made parameters.
class RidgedMulti : public noise::module::RidgedMulti {
public:
    double GetValue(double x, double y, double z) const override;

    void SetOffset(double offset) { m_offset = offset; }
    void SetGain(double gain) { m_gain = gain; }
    void SetWeight(double weight) { m_weight = weight; }
    double GetOffset() const { return m_offset; }
    double GetGain() const { return m_gain; }
    double GetWeight() const { return m_weight; }

protected:
    // The octave loop over a gradient coherent noise `noise(x, y, z, seed,
    // quality)`: libnoise's own, or a faster one with the same bits.
    template <typename Noise> double ridgedValue(double x, double y, double z, Noise noise) const {
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
            double signal = noise(nx, ny, nz, seed, m_noiseQuality);
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

private:
    double m_offset = 1.0;
    double m_gain = 2.0;
    double m_weight = 1.0;
};

// Parallel ridges across x: cos(2 * 3.14 * frequency * x) in single precision.
class Cylinders : public noise::module::Module {
public:
    Cylinders();
    int GetSourceModuleCount() const override { return 0; }
    double GetValue(double x, double y, double z) const override;
    void SetFrequency(double frequency) { m_frequency = frequency; }
    double GetFrequency() const { return m_frequency; }

private:
    double m_frequency = 1.0;
};

// Unit cubes of alternating -1 and +1, scaled by a frequency.
class Checkerboard : public noise::module::Module {
public:
    Checkerboard();
    int GetSourceModuleCount() const override { return 0; }
    double GetValue(double x, double y, double z) const override;
    void SetFrequency(double frequency) { m_frequency = frequency; }
    double GetFrequency() const { return m_frequency; }

private:
    double m_frequency = 1.0;
};

// Perlin noise whose default seed is 11.
class Perlin : public noise::module::Perlin {
public:
    static constexpr int kDefaultSeed = 11;
    Perlin() { SetSeed(kDefaultSeed); }
};

// Turbulence whose distortion modules default to seeds 11, 12 and 13.
class Turbulence : public noise::module::Turbulence {
public:
    Turbulence() { SetSeed(Perlin::kDefaultSeed); }
};

} // namespace morvane::module
