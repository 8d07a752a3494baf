#include "pipeline/module_factory.h"

#include "noise/combiners.h"
#include "noise/fast_fractals.h"
#include "noise/fast_voronoi.h"
#include "noise/generator_variants.h"
#include "noise/noise_image.h"
#include "noise/pitted.h"
#include "noise/round_edge.h"
#include "noise/worker_cache.h"
#include "recipe/node_types.h"
#include "recipe/profiles.h"

#include <libnoise/module/abs.h>
#include <libnoise/module/add.h>
#include <libnoise/module/billow.h>
#include <libnoise/module/blend.h>
#include <libnoise/module/clamp.h>
#include <libnoise/module/const.h>
#include <libnoise/module/curve.h>
#include <libnoise/module/exponent.h>
#include <libnoise/module/invert.h>
#include <libnoise/module/max.h>
#include <libnoise/module/min.h>
#include <libnoise/module/scalebias.h>
#include <libnoise/module/select.h>
#include <libnoise/module/spheres.h>
#include <libnoise/module/terrace.h>
#include <libnoise/module/voronoi.h>

#include <algorithm>
#include <cmath>

namespace morvane {

namespace nm = noise::module;

namespace {

constexpr int kMaxOctaves = 30;

noise::NoiseQuality quality(int value) {
    switch (std::clamp(value, 1, 3)) {
    case 1:
        return noise::QUALITY_FAST;
    case 3:
        return noise::QUALITY_BEST;
    default:
        return noise::QUALITY_STD;
    }
}

} // namespace

int ModuleFactory::octaves(int value) const {
    return m_fullDetail ? kMaxOctaves : std::clamp(value, 1, kMaxOctaves);
}

// Billow and Perlin take the same fractal parameters.
template <typename Fractal>
Fractal& ModuleFactory::fractal(Fractal& m, const GeneratorParams& p) const {
    m.SetSeed(p.seed);
    m.SetFrequency(p.frequency * 0.1);
    m.SetLacunarity(p.lacunarity * 0.1);
    m.SetNoiseQuality(quality(p.quality));
    m.SetOctaveCount(octaves(p.octaves));
    m.SetPersistence(p.persistence * 0.1);
    return m;
}

const nm::Module& ModuleFactory::generator(const GeneratorParams& p) {
    const double f = p.frequency * 0.1;
    const double l = p.lacunarity * 0.1;
    const double persistence = p.persistence * 0.1;
    const double d = p.displacement * 0.1;

    nm::Module* made = nullptr;
    switch (inputTypeAt(p.type)) {
    case InputType::Flat:
        made = &m_arena.make<nm::Const>();
        static_cast<nm::Const*>(made)->SetConstValue(0.0);
        break;
    case InputType::Billow:
        made = &fractal(m_plainModules ? m_arena.make<nm::Billow>()
                                       : m_arena.make<module::FastBillow>(),
                        p);
        break;
    case InputType::CheckerBoard: {
        auto& m = m_arena.make<module::Checkerboard>();
        if (!p.control)
            m.SetFrequency(f);
        made = &m;
        break;
    }
    case InputType::Cylinders: {
        auto& m = m_arena.make<module::Cylinders>();
        m.SetFrequency(f);
        made = &m;
        break;
    }
    case InputType::MultiFractal: {
        auto& m = m_plainModules ? m_arena.make<module::RidgedMulti>()
                                 : m_arena.make<module::FastRidgedMulti>();
        m.SetSeed(p.seed);
        m.SetFrequency(f);
        m.SetLacunarity(l); // recomputes the spectral weights
        m.SetNoiseQuality(quality(p.quality));
        m.SetOctaveCount(octaves(p.octaves));
        m.SetOffset(p.control ? 1.0 : p.mfOffset * 0.01);
        m.SetGain(p.control ? 2.0 : p.mfGain * 0.01);
        m.SetWeight(p.control ? 1.0 : p.mfWeight * 0.01);
        made = &m;
        break;
    }
    case InputType::Perlin:
        made = &fractal(m_plainModules ? m_arena.make<module::Perlin>()
                                       : m_arena.make<module::FastPerlin>(),
                        p);
        break;
    case InputType::GaborConvolution: {
        auto& m = m_arena.make<module::Pitted>();
        m.SetFrequency(f);
        m.SetRandomOffset(std::uint32_t(p.seed));
        m.SetBandwidth(float(p.displacement) * 0.01f);
        const float pf = float(persistence);
        m.SetImpulsesPerKernel(4.0f * std::pow(2.0f, pf * 10.0f - 1.0f));
        m.SetAnisotropic(!p.control && p.anisotropic);
        m.SetPlain(m_plainModules);
        made = &m;
        break;
    }
    case InputType::Spheres: {
        auto& m = m_arena.make<nm::Spheres>();
        m.SetFrequency(f);
        made = &m;
        break;
    }
    case InputType::Voronoi: {
        auto& m = m_plainModules ? m_arena.make<nm::Voronoi>()
                                 : m_arena.make<module::FastVoronoi>();
        m.SetSeed(p.seed);
        m.SetFrequency(f);
        if (!p.control) {
            m.SetDisplacement(d);
            m.EnableDistance(true);
        }
        made = &m;
        break;
    }
    case InputType::Image: {
        auto& m = m_arena.make<module::NoiseImage>();
        m.SetFileName(p.imageFile);
        m.SetSlot(p.imageSlot);
        return m; // pictures are sampled without a cache
    }
    }
    if (p.control)
        return *made;
    auto& cache = m_arena.make<module::Cache>();
    cache.SetSourceModule(0, *made);
    return cache;
}

const nm::Module& ModuleFactory::inputGenerator(const InputNode& input) {
    return generator(GeneratorParams{input.type, input.seedNumber, input.frequency,
                                     input.lacunarity, input.quality, input.octaves,
                                     input.persistence, input.displacement,
                                     input.noiseImageFile, input.imageSlot,
                                     input.multiFractalOffset, input.multiFractalGain,
                                     input.multiFractalWeight, input.gaborAnisotropic != 0,
                                     false});
}

const nm::Module& ModuleFactory::controlNoise(const CombinerNode& c) {
    return generator(GeneratorParams{c.noiseType, c.seedNumber, c.frequency, c.lacunarity,
                                     c.quality, c.octaves, c.persistence, c.displacement,
                                     c.noiseImageFile, 0, 100, 200, 100, false, true});
}

// libnoise's Clamp asserts lower < upper and aborts the process otherwise,
// while the two spin boxes let the user cross them: the bounds are put in
// order, and equal bounds clamp everything to that one value.
const nm::Module& ModuleFactory::clamp(const DeformerNode& deformer, const nm::Module& source) {
    const double low = std::min(deformer.clampLow, deformer.clampHigh);
    const double high = std::max(deformer.clampLow, deformer.clampHigh);
    if (low == high) {
        auto& constant = m_arena.make<nm::Const>();
        constant.SetConstValue(low);
        return constant;
    }
    auto& m = m_arena.make<nm::Clamp>();
    m.SetSourceModule(0, source);
    m.SetBounds(low, high);
    return m;
}

const nm::Module& ModuleFactory::deformer(const DeformerNode& node, int noiseSize,
                                          const nm::Module& source) {
    const nm::Module* made = nullptr;
    switch (deformerTypeAt(node.type)) {
    case DeformerType::Abs: {
        auto& m = m_arena.make<nm::Abs>();
        m.SetSourceModule(0, source);
        made = &m;
        break;
    }
    case DeformerType::Clamp:
        made = &clamp(node, source);
        break;
    case DeformerType::Curve: {
        const auto& points = curveProfile(node.curve);
        if (points.empty()) { // profile 0 or a number no table has
            made = &clamp(node, source);
            break;
        }
        auto& m = m_arena.make<nm::Curve>();
        m.SetSourceModule(0, source);
        for (const CurvePoint& point : points)
            m.AddControlPoint(point.first, point.second);
        made = &m;
        break;
    }
    case DeformerType::Exponent: {
        if (node.exponent == 0) {
            made = &clamp(node, source);
            break;
        }
        auto& m = m_arena.make<nm::Exponent>();
        m.SetSourceModule(0, source);
        m.SetExponent(double(node.exponent));
        made = &m;
        break;
    }
    case DeformerType::Invert: {
        auto& m = m_arena.make<nm::Invert>();
        m.SetSourceModule(0, source);
        made = &m;
        break;
    }
    case DeformerType::RoundEdge: {
        auto& m = m_arena.make<module::RoundEdge>();
        m.SetSourceModule(0, source);
        m.SetEdgeLength(double(std::max(1, noiseSize)));
        made = &m;
        break;
    }
    case DeformerType::ScaleBias: {
        auto& m = m_arena.make<nm::ScaleBias>();
        m.SetSourceModule(0, source);
        m.SetScale(node.scaleBiasLow * 0.1);
        m.SetBias(node.scaleBiasHigh * 0.01);
        made = &m;
        break;
    }
    case DeformerType::Terrace: {
        const auto& points = terraceProfile(node.terrace);
        if (points.empty()) {
            made = &clamp(node, source);
            break;
        }
        auto& m = m_arena.make<nm::Terrace>();
        m.SetSourceModule(0, source);
        for (double point : points)
            m.AddControlPoint(point);
        made = &m;
        break;
    }
    }
    auto& cache = m_arena.make<module::Cache>();
    cache.SetSourceModule(0, *made);
    return cache;
}

const nm::Module& ModuleFactory::combiner(const CombinerNode& node, const nm::Module& first,
                                          const nm::Module& second, const nm::Module& control) {
    nm::Module* made = nullptr;
    switch (combinerTypeAt(node.terrainType)) {
    case CombinerType::Add:
        made = &m_arena.make<nm::Add>();
        break;
    case CombinerType::Max:
        made = &m_arena.make<nm::Max>();
        break;
    case CombinerType::Min:
        made = &m_arena.make<nm::Min>();
        break;
    case CombinerType::Multiply:
        made = &m_arena.make<module::Multiply>();
        break;
    case CombinerType::Pow:
        made = &m_arena.make<module::Power>();
        break;
    case CombinerType::Blend: {
        auto& m = m_arena.make<nm::Blend>();
        m.SetControlModule(control);
        made = &m;
        break;
    }
    case CombinerType::Select: {
        auto& m = m_arena.make<nm::Select>();
        m.SetControlModule(control);
        m.SetBounds(0.0, 1000.0);
        m.SetEdgeFalloff(node.falloff * 0.01);
        made = &m;
        break;
    }
    }
    made->SetSourceModule(0, first);
    made->SetSourceModule(1, second);
    return *made;
}

const nm::Module& ModuleFactory::turbulence(const TurbulenceNode& node, const nm::Module& source) {
    const double power = node.power * 0.01;
    if (!(power > 0.0))
        return source;
    auto& m = m_plainModules ? m_arena.make<module::Turbulence>()
                             : m_arena.make<module::FastTurbulence>();
    m.SetSourceModule(0, source);
    m.SetFrequency(node.frequency * 0.01);
    m.SetPower(power);
    m.SetRoughness(std::clamp(node.roughness, 1, kMaxOctaves));
    m.SetSeed(node.seed);
    return m;
}

} // namespace morvane
