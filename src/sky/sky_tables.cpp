#include "sky/sky_tables.h"

#include <cmath>
#include <cstdint>

namespace morvane {

SinCosTables::SinCosTables() {
    for (int i = 0; i < kSize; ++i) {
        const double angle = double(i) * 2.0 * 3.14159265358979323846 / kSize;
        m_sin[std::size_t(i)] = std::sin(angle);
        m_cos[std::size_t(i)] = std::cos(angle);
    }
}

const SinCosTables& SinCosTables::instance() {
    static const SinCosTables tables;
    return tables;
}

int SinCosTables::index(double radians) {
    const double steps = std::trunc(radians * kStepsPerRadian);
    // Through a 64-bit integer so any angle a caller can reach wraps
    // instead of overflowing; a non-finite angle reads entry 0.
    if (!(std::fabs(steps) < 9.0e18))
        return 0;
    return int(std::uint64_t(std::int64_t(steps)) & std::uint64_t(kSize - 1));
}

} // namespace morvane
