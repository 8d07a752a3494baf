#include "pipeline/picture_jobs.h"

#include "common/parallel_for.h"
#include "noise/jpeg_stream_writer.h"
#include "noise/noise_map_builder.h"
#include "noise/row_colourer.h"

#include <libnoise/exception.h>

namespace morvane {

bool writePicture(PictureJob& job, int rowThreads) {
    using namespace noise::utils;
    if (!job.map || job.map->IsEmpty() || job.renderer.GetGradient().GetGradientPointCount() < 2)
        throw noise::ExceptionInvalidParam();
    const RowColourer colourer(job.renderer);
    const NoiseMap& map = *job.map;
    const int height = map.GetHeight();
    // Rows go to the encoder as they are coloured, top of the picture
    // (the map's last row) first: no full-size picture is ever held.
    return WriteJpegRows(job.file, map.GetWidth(), height, rowThreads,
                         [&](int row, Color* colors) {
                             colourer.colourRow(map, height - 1 - row, colors);
                         });
}

void writePictures(std::vector<PictureJob>& jobs, int threads) {
    if (threads <= 0)
        threads = noise::utils::NoiseMapBuilderPlane::DefaultThreadCount();
    // Many pictures keep every core busy one picture per thread; a few big
    // ones (an export) also split their rows, so the larger one does not
    // finish alone on one core.
    const int rowThreads = jobs.size() >= std::size_t(2 * threads) ? 1 : threads;
    parallelFor(jobs.size(), threads,
                [&](std::size_t i, int) { writePicture(jobs[i], rowThreads); });
}

} // namespace morvane
