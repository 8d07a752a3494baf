#pragma once

#include "recipe/node_types.h"

namespace morvane {

struct TerrainRecipe;

// Which input (and control-noise) controls a noise type shows.
struct InputControls {
    bool frequency = false;
    bool lacunarity = false;
    bool quality = false;
    bool octaves = false;
    bool persistence = false;
    bool displacement = false;
    bool multiFractalFrame = false; // offset, gain, weight
    bool gaborFrame = false;        // anisotropy
};
InputControls inputControlsFor(InputType type);

// Which deformer controls a deformer type shows.
struct DeformerControls {
    bool clampBounds = false;
    bool curvePresets = false;
    bool exponent = false;
    bool scaleBias = false;
    bool terracePresets = false;
};
DeformerControls deformerControlsFor(DeformerType type);

// Blend and Select read the control noise; the others leave its controls
// disabled and greyed.
bool combinerUsesControlNoise(CombinerType type);

// What an input type does to the evaluation window (noiseSize, startX,
// startY): "Flat" zeroes the start and locks all three, "Image" also forces
// the size to 4; other types unlock them, keeping their values.
enum class WindowPin { Free, Flat, Image };
WindowPin windowPinFor(InputType type);
// Applies the pin of `type` to the recipe's window; returns whether the
// window controls stay enabled.
bool applyWindowPin(TerrainRecipe& recipe, InputType type);

// Erosion controls: iterations for any type but "no erosion", the four
// hydraulic amounts only for "hydraulics".
struct ErosionControls {
    bool iterations = false;
    bool hydraulicAmounts = false;
};
ErosionControls erosionControlsFor(ErosionType type);

} // namespace morvane
