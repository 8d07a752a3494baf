#include "noise/generator_variants.h"

#include <libnoise/noisegen.h>

#include <cmath>

namespace morvane::module {

double RidgedMulti::GetValue(double x, double y, double z) const {
    return ridgedValue(x, y, z, noise::GradientCoherentNoise3D);
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
