#include "pipeline/picture_jobs.h"

#include "common/parallel_for.h"
#include "noise/jpeg_stream_writer.h"
#include "noise/noise_map_builder.h"

#include <libnoise/exception.h>

namespace morvane {

bool writePicture(PictureJob& job) {
    using namespace noise::utils;
    if (!job.map || job.map->IsEmpty() || job.renderer.GetGradient().GetGradientPointCount() < 2)
        throw noise::ExceptionInvalidParam();
    job.renderer.SetSourceNoiseMap(*job.map);
    const int height = job.map->GetHeight();
    // Rows go to the encoder as they are coloured, top of the picture
    // (the map's last row) first: no full-size picture is ever held.
    return WriteJpegRows(job.file, job.map->GetWidth(), height, [&](int row, Color* colors) {
        job.renderer.RenderRow(height - 1 - row, colors);
    });
}

void writePictures(std::vector<PictureJob>& jobs, int threads) {
    if (threads <= 0)
        threads = noise::utils::NoiseMapBuilderPlane::DefaultThreadCount();
    parallelFor(jobs.size(), threads, [&](std::size_t i, int) { writePicture(jobs[i]); });
}

} // namespace morvane
