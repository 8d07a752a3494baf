#pragma once

#include "noise/raster.h"

namespace noise::utils {

// Float height raster; the border value (0 by default) answers reads outside.
using NoiseMap = Raster<float>;

} // namespace noise::utils
