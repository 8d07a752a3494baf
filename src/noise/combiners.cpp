#include "noise/combiners.h"

namespace morvane::module {

Multiply::Multiply() : noise::module::Module(2) {}

double Multiply::GetValue(double x, double y, double z) const {
    const double b = GetSourceModule(1).GetValue(x, y, z);
    const double a = GetSourceModule(0).GetValue(x, y, z);
    return (a + 1.0) * (b + 1.0) - 1.0;
}

Power::Power() : noise::module::Module(2) {}

double Power::GetValue(double x, double y, double z) const {
    const double a = GetSourceModule(0).GetValue(x, y, z);
    const double b = GetSourceModule(1).GetValue(x, y, z);
    return (a * a * a + b * b * b) * 0.5;
}

} // namespace morvane::module
