#include "recipe/recipe_keys.h"

#include <QHash>

#include <algorithm>
#include <climits>

namespace morvane {

int RecipeKey::clamp(int value) const {
    if (kind == KeyKind::Number || kind == KeyKind::NoiseSize)
        return std::clamp(value, minimum, maximum);
    return value;
}

namespace {

// Field accessors need to be plain function pointers, so the per-node keys
// are generated from templates on the node index.
template <int I> struct InputKeys {
    static InputNode& n(TerrainRecipe& r) { return r.inputs[I]; }
    static int* type(TerrainRecipe& r) { return &n(r).type; }
    static int* seed(TerrainRecipe& r) { return &n(r).seedNumber; }
    static int* frequency(TerrainRecipe& r) { return &n(r).frequency; }
    static int* lacunarity(TerrainRecipe& r) { return &n(r).lacunarity; }
    static int* quality(TerrainRecipe& r) { return &n(r).quality; }
    static int* octaves(TerrainRecipe& r) { return &n(r).octaves; }
    static int* persistence(TerrainRecipe& r) { return &n(r).persistence; }
    static int* displacement(TerrainRecipe& r) { return &n(r).displacement; }
    static QString* image(TerrainRecipe& r) { return &n(r).noiseImageFile; }
    static int* mfOffset(TerrainRecipe& r) { return &n(r).multiFractalOffset; }
    static int* mfGain(TerrainRecipe& r) { return &n(r).multiFractalGain; }
    static int* mfWeight(TerrainRecipe& r) { return &n(r).multiFractalWeight; }
    static int* aniso(TerrainRecipe& r) { return &n(r).gaborAnisotropic; }
};

template <int I> struct DeformerKeys {
    static DeformerNode& n(TerrainRecipe& r) { return r.deformers[I]; }
    static int* type(TerrainRecipe& r) { return &n(r).type; }
    static int* clampLow(TerrainRecipe& r) { return &n(r).clampLow; }
    static int* clampHigh(TerrainRecipe& r) { return &n(r).clampHigh; }
    static int* curve(TerrainRecipe& r) { return &n(r).curve; }
    static int* exponent(TerrainRecipe& r) { return &n(r).exponent; }
    static int* scaleBiasLow(TerrainRecipe& r) { return &n(r).scaleBiasLow; }
    static int* scaleBiasHigh(TerrainRecipe& r) { return &n(r).scaleBiasHigh; }
    static int* terrace(TerrainRecipe& r) { return &n(r).terrace; }
};

int* noiseSize(TerrainRecipe& r) { return &r.noiseSize; }

std::vector<RecipeKey> makeKeys() {
    std::vector<RecipeKey> keys;
    auto num = [&](const QString& name, KeyKind kind, int lo, int hi, int def,
                   int* (*field)(TerrainRecipe&), int index = 0) {
        keys.push_back(RecipeKey{name, kind, lo, hi, def, field, nullptr, index});
    };
    auto text = [&](const QString& name, KeyKind kind, QString* (*field)(TerrainRecipe&),
                    int index = 0) {
        keys.push_back(RecipeKey{name, kind, 0, 0, 0, nullptr, field, index});
    };
    const int any = INT_MIN, anyMax = INT_MAX;

    num("noiseSize", KeyKind::NoiseSize, 1, 512, 4, noiseSize);
    num("startX", KeyKind::Number, -32, 32, 0, [](TerrainRecipe& r) { return &r.startX; });
    num("startY", KeyKind::Number, -32, 32, 0, [](TerrainRecipe& r) { return &r.startY; });
    text("gradient1", KeyKind::Gradient, [](TerrainRecipe& r) { return &r.gradient1; }, 0);
    text("gradient2", KeyKind::Gradient, [](TerrainRecipe& r) { return &r.gradient2; }, 1);

    auto addInput = [&](const QString& p, int i, auto keysOf) {
        using K = decltype(keysOf);
        num(p + "Type", KeyKind::Number, 0, 9, 0, K::type, i);
        num(p + "seedNumber", KeyKind::Member, any, anyMax, 0, K::seed, i);
        num(p + "frequency", KeyKind::Number, 1, 100, 10, K::frequency, i);
        num(p + "lacunarity", KeyKind::Number, 15, 50, 15, K::lacunarity, i);
        num(p + "quality", KeyKind::Number, 1, 3, 2, K::quality, i);
        num(p + "octaves", KeyKind::Number, 1, 30, 4, K::octaves, i);
        num(p + "persistence", KeyKind::Number, 0, 10, 5, K::persistence, i);
        num(p + "displacement", KeyKind::Number, 1, 100, 1, K::displacement, i);
        text(p + "NoiseImageFile", KeyKind::ImageFile, K::image, i);
        num(p + "MultiFractalOffset", KeyKind::Number, -100, 100, 100, K::mfOffset, i);
        num(p + "MultiFractalGain", KeyKind::Number, -200, 200, 200, K::mfGain, i);
        num(p + "MultiFractalWeight", KeyKind::Number, 0, 100, 100, K::mfWeight, i);
        num(p + "GaborAnisotropic", KeyKind::CheckState, 0, 2, 0, K::aniso, i);
    };
    addInput("I1", 0, InputKeys<0>{});
    addInput("I2", 1, InputKeys<1>{});

    auto addDeformer = [&](const QString& p, int i, auto keysOf) {
        using K = decltype(keysOf);
        num(p + "Type", KeyKind::Number, 0, 7, 1, K::type, i);
        num(p + "ClampLow", KeyKind::Number, -100, 100, -100, K::clampLow, i);
        num(p + "ClampHigh", KeyKind::Number, -100, 100, 100, K::clampHigh, i);
        num(p + "Curve", KeyKind::Member, any, anyMax, 0, K::curve, i);
        num(p + "Exponent", KeyKind::Number, 1, 100, 1, K::exponent, i);
        num(p + "RoundEdge", KeyKind::NoiseSize, 1, 512, 4, noiseSize, i);
        num(p + "ScaleBiasLow", KeyKind::Number, -100, 100, 10, K::scaleBiasLow, i);
        num(p + "ScaleBiasHigh", KeyKind::Number, -500, 500, 0, K::scaleBiasHigh, i);
        num(p + "Terrace", KeyKind::Member, any, anyMax, 0, K::terrace, i);
    };
    addDeformer("D1", 0, DeformerKeys<0>{});
    addDeformer("D2", 1, DeformerKeys<1>{});

    using R = TerrainRecipe;
    num("C1TerrainType", KeyKind::Number, 0, 6, 0, [](R& r) { return &r.combiner.terrainType; });
    num("C1NoiseType", KeyKind::Number, 0, 9, 0, [](R& r) { return &r.combiner.noiseType; });
    num("C1seedNumber", KeyKind::Member, any, anyMax, 1,
        [](R& r) { return &r.combiner.seedNumber; });
    num("C1frequency", KeyKind::Number, 1, 160, 10, [](R& r) { return &r.combiner.frequency; });
    num("C1lacunarity", KeyKind::Number, 1, 50, 20, [](R& r) { return &r.combiner.lacunarity; });
    num("C1quality", KeyKind::Number, 1, 3, 2, [](R& r) { return &r.combiner.quality; });
    num("C1octaves", KeyKind::Number, 1, 30, 4, [](R& r) { return &r.combiner.octaves; });
    num("C1persistence", KeyKind::Number, 0, 10, 5, [](R& r) { return &r.combiner.persistence; });
    num("C1displacement", KeyKind::Number, 1, 100, 1,
        [](R& r) { return &r.combiner.displacement; });
    num("C1falloff", KeyKind::Number, -100, 100, 0, [](R& r) { return &r.combiner.falloff; });
    text("C1NoiseImageFile", KeyKind::ImageFile, [](R& r) { return &r.combiner.noiseImageFile; });
    num("T1frequency", KeyKind::Number, -100, 100, 0, [](R& r) { return &r.turbulence.frequency; });
    num("T1power", KeyKind::Number, 0, 250, 0, [](R& r) { return &r.turbulence.power; });
    num("T1roughness", KeyKind::Number, 1, 30, 1, [](R& r) { return &r.turbulence.roughness; });
    num("T1seed", KeyKind::Member, any, anyMax, 0, [](R& r) { return &r.turbulence.seed; });
    num("erosionType", KeyKind::Number, 0, 4, 0, [](R& r) { return &r.erosion.type; });
    num("erosionIterations", KeyKind::Number, 0, 1000, 0,
        [](R& r) { return &r.erosion.iterations; });
    num("erosionRain", KeyKind::Number, 1, 100, 1, [](R& r) { return &r.erosion.rain; });
    num("erosionSolubility", KeyKind::Number, 1, 100, 1,
        [](R& r) { return &r.erosion.solubility; });
    num("erosionEvaporation", KeyKind::Number, 1, 150, 90,
        [](R& r) { return &r.erosion.evaporation; });
    num("erosionCapacity", KeyKind::Number, 1, 100, 1, [](R& r) { return &r.erosion.capacity; });
    return keys;
}

} // namespace

const std::vector<RecipeKey>& recipeKeys() {
    static const std::vector<RecipeKey> keys = makeKeys();
    return keys;
}

const RecipeKey* findRecipeKey(const QString& name) {
    static const QHash<QString, const RecipeKey*> byName = [] {
        QHash<QString, const RecipeKey*> map;
        for (const RecipeKey& key : recipeKeys())
            map.insert(key.name, &key);
        return map;
    }();
    return byName.value(name, nullptr);
}

} // namespace morvane
