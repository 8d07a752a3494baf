#pragma once

#include <cstddef>

namespace morvane {

// Writes `value` as printf's "%g" would (6 significant digits, the shorter
// of fixed and exponent notation, no trailing zeros) without printf's
// per-call cost. Returns the number of characters written; `out` needs
// room for 32.
std::size_t formatG(double value, char* out);

} // namespace morvane
