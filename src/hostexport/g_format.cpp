#include "hostexport/g_format.h"

#include <charconv>
#include <cstdio>

namespace morvane {

std::size_t formatG(double value, char* out) {
    // to_chars with the general format and a precision is defined as
    // printf's %.*g, and is several times faster.
    const auto result = std::to_chars(out, out + 32, value, std::chars_format::general, 6);
    if (result.ec == std::errc())
        return std::size_t(result.ptr - out);
    return std::size_t(std::snprintf(out, 32, "%g", value));
}

} // namespace morvane
