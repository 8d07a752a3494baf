#pragma once

#include "pipeline/module_arena.h"
#include "recipe/terrain_recipe.h"

namespace morvane {

// Builds the noise modules of the graph's nodes from the recipe's integers,
// keeping every parameter within what the modules accept.
class ModuleFactory {
public:
    // plainModules: the generators as libnoise computes them (and the Gabor
    // sum drawn afresh at every sample) instead of their faster equals: the
    // definitions those are held to.
    ModuleFactory(ModuleArena& arena, bool fullDetail, bool plainModules = false)
        : m_arena(arena), m_fullDetail(fullDetail), m_plainModules(plainModules) {}

    // An input's generator (stages 1 and 2), wrapped in a cache unless it is
    // a picture.
    const noise::module::Module& inputGenerator(const InputNode& input);
    // The combiner's control noise (stage 5): no cache, fixed MultiFractal
    // shape, plain Voronoi and CheckerBoard, isotropic Gabor, picture slot 0.
    const noise::module::Module& controlNoise(const CombinerNode& combiner);
    // A deformer over `source`, wrapped in a cache.
    const noise::module::Module& deformer(const DeformerNode& deformer, int noiseSize,
                                          const noise::module::Module& source);
    // The combiner over the two deformer results.
    const noise::module::Module& combiner(const CombinerNode& combiner,
                                          const noise::module::Module& first,
                                          const noise::module::Module& second,
                                          const noise::module::Module& control);
    // Turbulence over `source` when the recipe's power is above 0, else
    // `source` itself.
    const noise::module::Module& turbulence(const TurbulenceNode& turbulence,
                                            const noise::module::Module& source);

private:
    struct GeneratorParams {
        int type, seed, frequency, lacunarity, quality, octaves, persistence, displacement;
        QString imageFile;
        int imageSlot;
        int mfOffset, mfGain, mfWeight;
        bool anisotropic;
        bool control;
    };
    const noise::module::Module& generator(const GeneratorParams& p);
    const noise::module::Module& clamp(const DeformerNode& deformer,
                                       const noise::module::Module& source);
    int octaves(int value) const;
    template <typename Fractal> Fractal& fractal(Fractal& module, const GeneratorParams& p) const;

    ModuleArena& m_arena;
    bool m_fullDetail;
    bool m_plainModules;
};

} // namespace morvane
