#pragma once

#include "noise/noise_map.h"

#include <QImage>
#include <QString>

namespace morvane {

// The height map as 16-bit grey spanning its full range (lowest 0, highest
// 65535; a flat map is all 0), map row 0 as the bottom line like every
// picture of the pipeline.
QImage heightmap16(const noise::utils::NoiseMap& map);
// Saves heightmap16() as PNG; false when it cannot be written, `reason`
// (when given) then saying why.
bool writeHeightmap16(const noise::utils::NoiseMap& map, const QString& path,
                      QString* reason = nullptr);

} // namespace morvane
