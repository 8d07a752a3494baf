// Terrain OBJ text at 512 x 512 (the fast writer against the same text
// through an iostream, the plain way) and the normal-map render at 4096.

#include "common/event_log.h"
#include "hostexport/terrain_obj_writer.h"
#include "noise/generator_variants.h"
#include "noise/image.h"
#include "noise/noise_map_builder.h"
#include "noise/renderer_normal_map.h"
#include "pipeline/terrain_arrays.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <fstream>
#include <sstream>

namespace {

using namespace morvane;

TerrainArrays makeTerrain() {
    morvane::module::Perlin perlin;
    noise::utils::NoiseMap map;
    noise::utils::NoiseMapBuilderPlane builder;
    builder.SetSourceModule(perlin);
    builder.SetDestNoiseMap(map);
    builder.SetDestSize(512, 512);
    builder.SetBounds(0, 4, 0, 4);
    builder.Build();
    TerrainBuildParams params;
    params.terrainSize = 100;
    params.heightUp = 15;
    NullEventLog log;
    return buildTerrainArrays(map, params, log);
}

const TerrainArrays& terrain() {
    static const TerrainArrays arrays = makeTerrain();
    return arrays;
}

// The straightforward writer: a default-formatted stream, line by line.
std::string plainObjText(const TerrainArrays& arrays) {
    std::ostringstream out;
    const int side = arrays.gridSide;
    for (int k = 0; k < side * side; ++k)
        out << "v " << arrays.vertices[std::size_t(k) * 3] << ' '
            << arrays.vertices[std::size_t(k) * 3 + 1] << ' '
            << arrays.vertices[std::size_t(k) * 3 + 2] << '\n';
    for (int row = 0; row < side; ++row)
        for (int column = 0; column < side; ++column)
            out << "vt " << float(column) / float(side - 1) << ' '
                << 1.0 - double(float(row) / float(side - 1)) << '\n';
    for (int row = 0; row < side - 1; ++row)
        for (int column = 0; column < side - 1; ++column) {
            const int a = row * side + column + 1, b = (row + 1) * side + column + 1;
            out << "f " << a << '/' << a << ' ' << b << '/' << b << ' ' << b + 1 << '/' << b + 1
                << ' ' << a + 1 << '/' << a + 1 << '\n';
        }
    return out.str();
}

void BM_ObjTextPlainStream(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(plainObjText(terrain()));
    state.SetItemsProcessed(state.iterations() * (262144 + 262144 + 261121));
}

void BM_ObjTextFast(benchmark::State& state) {
    // The two must agree, or the comparison means nothing.
    if (terrainObjText(terrain()).toStdString() != plainObjText(terrain())) {
        state.SkipWithError("fast and plain OBJ text differ");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(terrainObjText(terrain()));
    state.SetItemsProcessed(state.iterations() * (262144 + 262144 + 261121));
}

void BM_ObjFileWrite(benchmark::State& state) {
    QTemporaryDir dir;
    const QString file = dir.filePath("terrain.obj");
    for (auto _ : state)
        benchmark::DoNotOptimize(writeTerrainObj(terrain(), file));
}

void BM_NormalMap4096(benchmark::State& state) {
    morvane::module::Perlin perlin;
    noise::utils::NoiseMap map;
    noise::utils::NoiseMapBuilderPlane builder;
    builder.SetSourceModule(perlin);
    builder.SetDestNoiseMap(map);
    builder.SetDestSize(4096, 4096);
    builder.SetBounds(0, 4, 0, 4);
    builder.Build();
    noise::utils::Image image;
    image.SetSize(4096, 4096);
    noise::utils::RendererNormalMap renderer;
    renderer.SetSourceNoiseMap(map);
    renderer.SetDestImage(image);
    renderer.SetBumpHeight(80.0);
    for (auto _ : state)
        renderer.Render();
    state.SetItemsProcessed(state.iterations() * 4096 * 4096);
}

} // namespace

BENCHMARK(BM_ObjTextPlainStream)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ObjTextFast)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ObjFileWrite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_NormalMap4096)->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
