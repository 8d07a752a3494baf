#pragma once

#include "pipeline/graph_evaluator.h"
#include "pipeline/terrain_eroder.h"

namespace morvane {

// The height picture's grey level of a normalised height: int(h x 255)
// clamped to 0..255 (NaN reads 0).
int erosionGreyLevel(float height);

// The erosion that ends an evaluation: normalises the final map into a
// working grid, runs the recipe's method, writes the map back (scaled by
// the former range, not shifted back) and rewrites "HFFnoisePreview.jpg".
class TerrainErosion : public TerrainEroder {
public:
    explicit TerrainErosion(const EvaluationContext& context) : m_context(context) {}
    void erodeTerrain(PipelineState& state) override;

private:
    EvaluationContext m_context;
};

} // namespace morvane
