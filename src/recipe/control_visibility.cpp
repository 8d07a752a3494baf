#include "recipe/control_visibility.h"

#include "recipe/terrain_recipe.h"

namespace morvane {

InputControls inputControlsFor(InputType type) {
    InputControls c;
    switch (type) {
    case InputType::Billow:
    case InputType::Perlin:
        c.frequency = c.lacunarity = c.quality = c.octaves = c.persistence = true;
        break;
    case InputType::CheckerBoard:
    case InputType::Cylinders:
    case InputType::Spheres:
        c.frequency = true;
        break;
    case InputType::MultiFractal:
        c.frequency = c.lacunarity = c.quality = c.octaves = c.multiFractalFrame = true;
        break;
    case InputType::GaborConvolution:
        c.frequency = c.persistence = c.displacement = c.gaborFrame = true;
        break;
    case InputType::Voronoi:
        c.frequency = c.displacement = true;
        break;
    case InputType::Flat:
    case InputType::Image:
        break;
    }
    return c;
}

DeformerControls deformerControlsFor(DeformerType type) {
    DeformerControls c;
    c.clampBounds = type == DeformerType::Clamp;
    c.curvePresets = type == DeformerType::Curve;
    c.exponent = type == DeformerType::Exponent;
    c.scaleBias = type == DeformerType::ScaleBias;
    c.terracePresets = type == DeformerType::Terrace;
    return c;
}

bool combinerUsesControlNoise(CombinerType type) {
    return type == CombinerType::Blend || type == CombinerType::Select;
}

WindowPin windowPinFor(InputType type) {
    if (type == InputType::Flat)
        return WindowPin::Flat;
    if (type == InputType::Image)
        return WindowPin::Image;
    return WindowPin::Free;
}

bool applyWindowPin(TerrainRecipe& recipe, InputType type) {
    switch (windowPinFor(type)) {
    case WindowPin::Image:
        recipe.noiseSize = 4;
        [[fallthrough]];
    case WindowPin::Flat:
        recipe.startX = 0;
        recipe.startY = 0;
        return false;
    case WindowPin::Free:
        break;
    }
    return true;
}

ErosionControls erosionControlsFor(ErosionType type) {
    ErosionControls c;
    c.iterations = type != ErosionType::None;
    c.hydraulicAmounts = type == ErosionType::Hydraulics;
    return c;
}

} // namespace morvane
