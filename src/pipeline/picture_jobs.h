#pragma once

#include "noise/renderer_image.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace morvane {

// One picture of an evaluation: a renderer set up with its gradient and
// light, the map it colours and the JPEG file it goes to.
struct PictureJob {
    noise::utils::RendererImage renderer;
    const noise::utils::NoiseMap* map = nullptr;
    QString file;
};

// Renders and writes every job, the jobs spread over `threads` threads
// (0: every core). Each file is the same as a serial render and write
// would leave; a file that cannot be written is left as it was. Returns
// one "FILE: reason" per picture not written, in job order.
QStringList writePictures(std::vector<PictureJob>& jobs, int threads);

// Renders one job and writes its JPEG, its rows coloured on `rowThreads`
// threads; returns whether the file was written, `reason` (when given)
// then receiving why not.
bool writePicture(PictureJob& job, int rowThreads = 1, QString* reason = nullptr);

// Fills one band of rows of every banded picture's map: `bands[j]` (one
// per job) receives `rows` rows of job j's map in picture order, band row
// i being the picture's row firstRow + i (the map's row height - 1 -
// firstRow - i); the callee sizes the bands.
using BandSampler =
    std::function<void(int firstRow, int rows, noise::utils::NoiseMap* const* bands)>;

// Pictures of width x height maps that are never held whole: the maps
// come band by band from `sample`, top of the picture first, and each band
// is coloured and encoded while the next is sampled, so only a few bands
// are ever held. The jobs' `map` is not used. Each file is the one
// writePictures() writes for the whole map; a file that cannot be written
// is left as it was (the other files are still written), and named in the
// returned "FILE: reason" list. An exception from `sample` leaves every
// file as it was and is rethrown.
QStringList writeBandedPictures(std::vector<PictureJob>& jobs, int width, int height,
                         const BandSampler& sample);

} // namespace morvane
