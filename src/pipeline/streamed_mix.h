#pragma once

#include "pipeline/fused_sampler.h"
#include "pipeline/picture_jobs.h"

#include <vector>

namespace morvane {

// The final build of a two-gradient texture in bounded memory. Samples
// the final map (stage 6) whole into `finalMap` and the displaced control
// and deformers (stages 7, 8, 9) band by band straight into their
// pictures `mixPictures` (three jobs in that order, maps unused), in one
// shared pass as sampleFused() would; the final map and the three files
// come out the same. Only the final map is held at full size. Returns the
// pictures not written, as writeBandedPictures() does.
QStringList sampleFusedWithStreamedMix(const FusedGraph& graph, const std::vector<double>& xs,
                                       const std::vector<double>& zs,
                                       noise::utils::NoiseMap& finalMap,
                                       std::vector<PictureJob>& mixPictures, int threads);

} // namespace morvane
