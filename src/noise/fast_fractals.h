#pragma once

#include "noise/generator_variants.h"

#include <libnoise/module/billow.h>

namespace morvane::module {

// The fractal generators with the same bits as their bases: each octave
// loop is its base's, compiled together with gradientCoherentNoise3D.

// libnoise's Perlin value at a point, for a module's settings.
double perlinValue(const noise::module::Perlin& settings, double x, double y, double z);

class FastPerlin : public Perlin {
public:
    double GetValue(double x, double y, double z) const override;
};

class FastBillow : public noise::module::Billow {
public:
    double GetValue(double x, double y, double z) const override;
};

class FastRidgedMulti : public RidgedMulti {
public:
    double GetValue(double x, double y, double z) const override;
};

// Turbulence whose three distortion noises are sampled by perlinValue.
class FastTurbulence : public Turbulence {
public:
    double GetValue(double x, double y, double z) const override;
};

} // namespace morvane::module
