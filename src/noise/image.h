#pragma once

#include "noise/raster.h"

#include <cstdint>

namespace noise::utils {

struct Color {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t alpha = 0;

    constexpr Color() = default;
    constexpr Color(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a)
        : red(r), green(g), blue(b), alpha(a) {}
    friend constexpr bool operator==(const Color& a, const Color& b) {
        return a.red == b.red && a.green == b.green && a.blue == b.blue && a.alpha == b.alpha;
    }
    friend constexpr bool operator!=(const Color& a, const Color& b) { return !(a == b); }
};

using Image = Raster<Color>;

} // namespace noise::utils
