#include "noise/round_edge.h"

#include <cmath>

namespace morvane::module {

RoundEdge::RoundEdge() : noise::module::Module(1) {}

double RoundEdge::GetValue(double x, double y, double z) const {
    // The degree-to-radian factor is truncated on purpose: existing terrains
    // were made with it.
    const double k = (180.0 / m_edgeLength) * 0.017453292;
    const double s = std::sin(k * x) * std::sin(k * z);
    return std::fabs(GetSourceModule(0).GetValue(x, y, z) * s * s * s);
}

} // namespace morvane::module
