#pragma once

namespace morvane {

struct PipelineState;

// The erosion step that ends an evaluation when erosion is set.
class TerrainEroder {
public:
    virtual ~TerrainEroder() = default;
    virtual void erodeTerrain(PipelineState& state) = 0;
};

class NullTerrainEroder : public TerrainEroder {
public:
    void erodeTerrain(PipelineState&) override {}
};

} // namespace morvane
