#pragma once

#include "noise/image.h"

#include <ostream>

// Lets gtest print colours as (r,g,b,a) in failed comparisons.
namespace noise::utils {
inline void PrintTo(const Color& c, std::ostream* os) {
    *os << '(' << int(c.red) << ',' << int(c.green) << ',' << int(c.blue) << ',' << int(c.alpha)
        << ')';
}
} // namespace noise::utils
