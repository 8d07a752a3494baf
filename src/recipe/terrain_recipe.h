#pragma once

#include <QString>

#include <array>

namespace morvane {

class SeedSource;

// The integers of one noise input (keys I1..., I2...) and its panel state.
struct InputNode {
    int type = 0; // InputType index
    int seedNumber = 0;
    int frequency = 10;   // x 0.1
    int lacunarity = 15;  // x 0.1
    int quality = 2;      // 1 fast, 2 standard, 3 best
    int octaves = 4;
    int persistence = 5;  // x 0.1
    int displacement = 1; // x 0.1 (x 0.01 as Gabor bandwidth)
    QString noiseImageFile;
    int multiFractalOffset = 100; // x 0.01
    int multiFractalGain = 200;   // x 0.01
    int multiFractalWeight = 100; // x 0.01
    int gaborAnisotropic = 0;     // check state: 0 or 2
    int imageSlot = 0;            // 0 for INPUT 1, 1 for INPUT 2; not stored in presets
};

// Keys D1..., D2... (the Round Edge parameter is the noise size).
struct DeformerNode {
    int type = 1; // DeformerType index, "Clamp"
    int clampLow = -100;
    int clampHigh = 100;
    int curve = 0; // profile number, 0 = none
    int exponent = 1;
    int scaleBiasLow = 10; // scale x 0.1
    int scaleBiasHigh = 0; // bias x 0.01
    int terrace = 0;       // profile number, 0 = none
};

// Keys C1...: the combiner and its control noise.
struct CombinerNode {
    int terrainType = 0; // CombinerType index
    int noiseType = 0;   // InputType index of the control noise
    int seedNumber = 1;
    int frequency = 10;
    int lacunarity = 20;
    int quality = 2;
    int octaves = 4;
    int persistence = 5;
    int displacement = 1;
    int falloff = 0; // x 0.01
    QString noiseImageFile;
};

// Keys T1...
struct TurbulenceNode {
    int frequency = 0; // x 0.01
    int power = 0;     // x 0.01; applied only above 0
    int roughness = 1;
    int seed = 0;
};

// Keys erosion...
struct ErosionSettings {
    int type = 0; // ErosionType index
    int iterations = 0;
    int rain = 1;
    int solubility = 1;
    int evaporation = 90;
    int capacity = 1;
};

// The whole recipe of the fixed noise graph, as the integers the controls
// hold; scaling to module values happens in the evaluation.
struct TerrainRecipe {
    static constexpr const char* kDefaultGradient = "australia 2.bmp";
    static constexpr const char* kHeightGradient = "black and white.bmp";

    int noiseSize = 4;
    int startX = 0;
    int startY = 0;
    // The texture gradients (file names in the gradients folder).
    QString gradient1 = kDefaultGradient;
    QString gradient2 = kDefaultGradient;
    std::array<InputNode, 2> inputs;
    std::array<DeformerNode, 2> deformers;
    CombinerNode combiner;
    TurbulenceNode turbulence;
    ErosionSettings erosion;

    TerrainRecipe();

    // The start-up recipe: defaults, seeds drawn as the panels draw them
    // (each input, each deformer, the turbulence; the combiner starts at 1).
    static TerrainRecipe startup(SeedSource& seeds);
};

bool operator==(const InputNode& a, const InputNode& b);
bool operator==(const DeformerNode& a, const DeformerNode& b);
bool operator==(const CombinerNode& a, const CombinerNode& b);
bool operator==(const TurbulenceNode& a, const TurbulenceNode& b);
bool operator==(const ErosionSettings& a, const ErosionSettings& b);
bool operator==(const TerrainRecipe& a, const TerrainRecipe& b);
inline bool operator!=(const TerrainRecipe& a, const TerrainRecipe& b) { return !(a == b); }

} // namespace morvane
