#pragma once

#include "noise/noise_map.h"
#include "pipeline/terrain_arrays.h"
#include "recipe/final_stage_settings.h"
#include "recipe/terrain_recipe.h"

#include <array>

namespace morvane {

// The generation state one plug-in window owns: the recipe and final-stage
// settings the evaluation reads, the driver's flags and sizes, and the
// final height map the evaluation leaves for erosion, the terrain arrays
// and the normal map.
struct PipelineState {
    TerrainRecipe recipe;
    FinalStageSettings finalStage;

    bool automaticMode = true;
    bool finalFlag = false;
    int previewMapSize = 256;
    int previewPictureSize = 256;
    bool loading = false; // set while a preset loads: evaluations return at once
    bool terrainExists = false;
    bool customTerrainLoaded = false;
    bool stale = false;
    bool refreshButtonVisible = false;
    // Kept for the preview-style switch and the normal map; "smooth
    // terrain" no longer depends on it.
    bool smoothingFlag = true;

    noise::utils::NoiseMap finalHeightMap;

    // The terrain "TERRAFORM !" built: the full grid (drawn, painted, edited,
    // exported) and the decimated one drawn while the camera moves.
    TerrainArrays terrain;
    TerrainArrays decimatedTerrain;

    // Colours of gradient1, 2048 entries of red, green, blue (0..255), for
    // the viewport's custom terrains.
    std::array<std::array<float, 3>, 2048> colorGradient{};
};

} // namespace morvane
