#pragma once

#include "noise/noise_map.h"

#include <vector>

namespace noise::module {
class Module;
}
namespace morvane::module {
class PointCapture;
}

namespace morvane {

// The module chains of one evaluation, shared by all its stages. Inputs,
// deformers and control sit behind per-worker caches, so a stage that asks
// for a value another stage already computed at the same point gets it
// without recomputing.
struct FusedGraph {
    const noise::module::Module* inputs[2] = {nullptr, nullptr};
    const noise::module::Module* deformers[2] = {nullptr, nullptr};
    const noise::module::Module* control = nullptr;
    const noise::module::Module* combiner = nullptr;
    // A Turbulence over `capture`, or nullptr without turbulence: asking it
    // for a sample leaves the displaced point in `capture`.
    const noise::module::Module* displacement = nullptr;
    const morvane::module::PointCapture* capture = nullptr;
};

// The maps a pass fills; a null map is not computed. Stage numbers as in
// the log: 1, 2 inputs, 3, 4 deformers, 5 control, 6 final, 7 displaced
// control, 8, 9 displaced deformers.
struct FusedMaps {
    noise::utils::NoiseMap* stage[10] = {};
};

// Samples every wanted stage at each point of the xs x zs grid in one pass
// over the points, on `threads` threads (0: every core). Each map ends up
// exactly as a builder sampling that stage's own module chain would leave
// it; the chains must be free of picture modules (their loads at the
// origin depend on the order of the stages).
void sampleFused(const FusedGraph& graph, const std::vector<double>& xs,
                 const std::vector<double>& zs, FusedMaps& maps, int threads);

} // namespace morvane
