#pragma once

#include "sky/sky_dome.h"
#include "sky/sky_parameters.h"

#include <QImage>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

namespace morvane {

class RandomSource;

// The sky as a square equirectangular picture: row 0 the zenith, row N/2
// the horizon, column c the azimuth c x 360 / N; stars (when the sun is low
// enough) at random places, sized by the dome's star list.
struct SkyMapInput {
    SkyParameters parameters;
    SunLight sun;
    std::vector<StarPoint> stars; // only their size classes and count matter
    int side = 0;
};

struct SkyMapOptions {
    int threads = 0;     // 0: every core
    int bandRows = 64;   // rows a worker takes at a time
    // Bytes the map may take; 0: the memory the system has available. A
    // map that would need more is refused rather than left to the
    // out-of-memory killer (allocations over-commit and do not fail).
    std::uint64_t memoryLimit = 0;
    // Called on the calling thread while the workers run: bands finished
    // of all bands.
    std::function<void(int done, int total)> onProgress;
};

struct SkyMapResult {
    QImage image; // Format_RGB32; null on failure
    QString error;
    bool ok() const { return !image.isNull(); }
};

// On all cores; the sky rows in parallel, the stars' random numbers drawn
// first in the definition's order and painted band by band where stars
// are. Peak memory is the picture plus a band per worker. Equal bit for bit
// to renderSkyMapPlain.
SkyMapResult renderSkyMap(const SkyMapInput& input, RandomSource& random,
                          const SkyMapOptions& options = {});

// The definition: every pixel in row order, then a full star layer, a full
// alpha layer and their source-over composition on the sky with QPainter.
// Needs three full-size pictures; for tests and benchmarks.
QImage renderSkyMapPlain(const SkyMapInput& input, RandomSource& random);

// The memory the system can give without swapping (MemAvailable), or 0
// when it cannot be told.
std::uint64_t availableMemory();

// Whether stars are painted into the map at all.
bool skyMapHasStars(const SkyMapInput& input);

} // namespace morvane
