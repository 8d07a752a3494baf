// Terrain array builds as "TERRAFORM !" runs them: the full 512 x 512 set and
// the decimated 128 x 128 one from a 512 x 512 Perlin map, the texture
// picture read from a JPEG each time (argument 1) or missing (argument 0,
// which leaves the geometry alone). Reported as ms per build.

#include "common/event_log.h"
#include "noise/generator_variants.h"
#include "noise/jpeg_writer.h"
#include "noise/noise_map_builder.h"
#include "noise/renderer_image.h"
#include "pipeline/terrain_arrays.h"
#include "bench_main.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

namespace {

using namespace morvane;

constexpr int kSide = 512;

struct Input {
    noise::utils::NoiseMap map;
    QTemporaryDir dir;
    TerrainBuildParams params;

    Input() {
        morvane::module::Perlin perlin;
        perlin.SetOctaveCount(8);
        noise::utils::NoiseMapBuilderPlane builder;
        builder.SetSourceModule(perlin);
        builder.SetDestNoiseMap(map);
        builder.SetDestSize(kSide, kSide);
        builder.SetBounds(0.0, 4.0, 0.0, 4.0);
        builder.Build();

        noise::utils::Image image;
        noise::utils::RendererImage renderer;
        renderer.SetSourceNoiseMap(map);
        renderer.SetDestImage(image);
        renderer.ClearGradient();
        renderer.AddGradientPoint(-1.0, {20, 60, 160, 255});
        renderer.AddGradientPoint(0.0, {200, 190, 120, 255});
        renderer.AddGradientPoint(0.5, {60, 140, 50, 255});
        renderer.AddGradientPoint(1.0, {250, 250, 250, 255});
        renderer.Render();
        params.terrainSize = 100;
        params.heightLow = 0;
        params.heightUp = 15;
        params.texturePicture = dir.filePath("TFFnoisePreview.jpg");
        noise::utils::JpegWriter writer;
        writer.SetSourceImage(image);
        writer.SetDestFilename(params.texturePicture);
        writer.WriteDestFile();
    }
};

Input& input() {
    static Input shared;
    return shared;
}

template <TerrainArrays (*Build)(const noise::utils::NoiseMap&, const TerrainBuildParams&,
                                 EventLog&)>
void BM_Build(benchmark::State& state) {
    Input& in = input();
    if (!QFile::exists(in.params.texturePicture)) {
        state.SkipWithError("texture picture not written");
        return;
    }
    TerrainBuildParams params = in.params;
    if (state.range(0) == 0)
        params.texturePicture = in.dir.filePath("absent.jpg");
    NullEventLog log;
    for (auto _ : state) {
        TerrainArrays arrays = Build(in.map, params, log);
        benchmark::DoNotOptimize(arrays.normals.data());
    }
}

void BM_FullArrays(benchmark::State& state) {
    BM_Build<buildTerrainArrays>(state);
}
void BM_DecimatedArrays(benchmark::State& state) {
    BM_Build<buildDecimatedTerrainArrays>(state);
}

} // namespace

BENCHMARK(BM_FullArrays)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DecimatedArrays)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
    return runBenchmarksIn<QCoreApplication>(argc, argv);
}
