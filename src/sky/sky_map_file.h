#pragma once

#include "sky/sky_map.h"

#include <QString>

namespace morvane {

class Notifier;
class ProgressSink;
class RandomSource;

// The map's file name for a terrain (group) name.
QString skyMapFileName(const QString& groupName);

// Writes the map atomically: ".png" (any case) losslessly, anything else
// as JPEG of quality 100. A failed write keeps the previous file.
// `reason` (when given) receives why a write failed.
bool saveSkyMap(const QImage& map, const QString& path, QString* reason = nullptr);

// Maps from this side on show a progress bar on the busy overlay.
constexpr int kSkyMapProgressSide = 2048;

// The busy overlay's text for a map that is `done` of `total` bands along.
QString skyMapProgressText(int done, int total);

// Renders the map on all cores and writes it to `path`, with the status
// texts "computing sky dome map... please wait" and "sky dome map
// generated". A map that cannot be had (memory) or written is reported to
// the notifier as an "Error" and leaves the previous file in place.
// Returns whether the file was written.
bool generateSkyMapFile(const SkyMapInput& input, RandomSource& random, const QString& path,
                        ProgressSink& progress, Notifier& notifier,
                        const SkyMapOptions& options = {});

} // namespace morvane
