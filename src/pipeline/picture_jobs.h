#pragma once

#include "noise/renderer_image.h"

#include <QString>

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
// would leave; a file that cannot be written is left as it was.
void writePictures(std::vector<PictureJob>& jobs, int threads);

// Renders one job and writes its JPEG, its rows coloured on `rowThreads`
// threads; returns whether the file was written.
bool writePicture(PictureJob& job, int rowThreads = 1);

} // namespace morvane
