#include "recipe/terrain_recipe.h"

#include "common/seed_source.h"

#include <tuple>

namespace morvane {

TerrainRecipe::TerrainRecipe() { inputs[1].imageSlot = 1; }

TerrainRecipe TerrainRecipe::startup(SeedSource& seeds) {
    TerrainRecipe recipe;
    // Panel construction order: INPUT 1, INPUT 2, DEFORMER 1, DEFORMER 2,
    // final stage. The deformers draw a seed they never use.
    recipe.inputs[0].seedNumber = seeds.drawSeed();
    recipe.inputs[1].seedNumber = seeds.drawSeed();
    seeds.drawSeed();
    seeds.drawSeed();
    recipe.turbulence.seed = seeds.drawSeed();
    return recipe;
}

namespace {
auto tie(const InputNode& n) {
    return std::tie(n.type, n.seedNumber, n.frequency, n.lacunarity, n.quality, n.octaves,
                    n.persistence, n.displacement, n.noiseImageFile, n.multiFractalOffset,
                    n.multiFractalGain, n.multiFractalWeight, n.gaborAnisotropic, n.imageSlot);
}
auto tie(const DeformerNode& n) {
    return std::tie(n.type, n.clampLow, n.clampHigh, n.curve, n.exponent, n.scaleBiasLow,
                    n.scaleBiasHigh, n.terrace);
}
auto tie(const CombinerNode& n) {
    return std::tie(n.terrainType, n.noiseType, n.seedNumber, n.frequency, n.lacunarity,
                    n.quality, n.octaves, n.persistence, n.displacement, n.falloff,
                    n.noiseImageFile);
}
auto tie(const TurbulenceNode& n) { return std::tie(n.frequency, n.power, n.roughness, n.seed); }
auto tie(const ErosionSettings& n) {
    return std::tie(n.type, n.iterations, n.rain, n.solubility, n.evaporation, n.capacity);
}
} // namespace

bool operator==(const InputNode& a, const InputNode& b) { return tie(a) == tie(b); }
bool operator==(const DeformerNode& a, const DeformerNode& b) { return tie(a) == tie(b); }
bool operator==(const CombinerNode& a, const CombinerNode& b) { return tie(a) == tie(b); }
bool operator==(const TurbulenceNode& a, const TurbulenceNode& b) { return tie(a) == tie(b); }
bool operator==(const ErosionSettings& a, const ErosionSettings& b) { return tie(a) == tie(b); }

bool operator==(const TerrainRecipe& a, const TerrainRecipe& b) {
    return a.noiseSize == b.noiseSize && a.startX == b.startX && a.startY == b.startY &&
           a.gradient1 == b.gradient1 && a.gradient2 == b.gradient2 && a.inputs == b.inputs &&
           a.deformers == b.deformers && a.combiner == b.combiner &&
           a.turbulence == b.turbulence && a.erosion == b.erosion;
}

} // namespace morvane
