#include "pipeline/fused_sampler.h"

#include "common/parallel_for.h"
#include "noise/noise_map_builder.h"
#include "noise/point_capture.h"
#include "noise/worker_cache.h"

#include <libnoise/module/modulebase.h>

#include <algorithm>

namespace morvane {

namespace {

// Rows are handed out in bands small enough to balance two cores on a
// 256-sample preview and large enough to keep the hand-out cheap.
constexpr std::size_t kRowsPerTask = 4;

} // namespace

void sampleFused(const FusedGraph& graph, const std::vector<double>& xs,
                 const std::vector<double>& zs, FusedMaps& maps, int threads) {
    const int width = int(xs.size());
    const int height = int(zs.size());
    for (noise::utils::NoiseMap* map : maps.stage)
        if (map)
            map->SetSize(width, height);
    if (width == 0 || height == 0)
        return;

    const bool nodes = maps.stage[1] || maps.stage[2] || maps.stage[3] || maps.stage[4] ||
                       maps.stage[5];
    const bool displaced = maps.stage[7] || maps.stage[8] || maps.stage[9];

    auto sampleRows = [&](std::size_t task, int worker) {
        const module::WorkerIndex::Scope scope(worker);
        const int rowEnd = int(std::min<std::size_t>((task + 1) * kRowsPerTask, zs.size()));
        for (int row = int(task * kRowsPerTask); row < rowEnd; ++row) {
            float* out[10] = {};
            for (int s = 1; s <= 9; ++s)
                out[s] = maps.stage[s] ? maps.stage[s]->GetRowPtr(row) : nullptr;
            const double z = zs[std::size_t(row)];
            for (int column = 0; column < width; ++column) {
                const double x = xs[std::size_t(column)];
                if (nodes) {
                    // Inputs first: the deformers then read them from the caches.
                    const double i1 = graph.inputs[0]->GetValue(x, 0.0, z);
                    const double i2 = graph.inputs[1]->GetValue(x, 0.0, z);
                    const double d1 = graph.deformers[0]->GetValue(x, 0.0, z);
                    const double d2 = graph.deformers[1]->GetValue(x, 0.0, z);
                    if (out[1])
                        out[1][column] = float(i1);
                    if (out[2])
                        out[2][column] = float(i2);
                    if (out[3])
                        out[3][column] = float(d1);
                    if (out[4])
                        out[4][column] = float(d2);
                    if (out[5])
                        out[5][column] = float(graph.control->GetValue(x, 0.0, z));
                }
                double qx = x, qy = 0.0, qz = z;
                if (graph.displacement) {
                    graph.displacement->GetValue(x, 0.0, z);
                    const module::PointCapture::Point q = graph.capture->last();
                    qx = q.x;
                    qy = q.y;
                    qz = q.z;
                }
                if (out[6])
                    out[6][column] = float(graph.combiner->GetValue(qx, qy, qz));
                if (displaced) {
                    if (out[7])
                        out[7][column] = float(graph.control->GetValue(qx, qy, qz));
                    if (out[8])
                        out[8][column] = float(graph.deformers[0]->GetValue(qx, qy, qz));
                    if (out[9])
                        out[9][column] = float(graph.deformers[1]->GetValue(qx, qy, qz));
                }
            }
        }
    };
    const std::size_t tasks = (zs.size() + kRowsPerTask - 1) / kRowsPerTask;
    if (threads <= 0)
        threads = noise::utils::NoiseMapBuilderPlane::DefaultThreadCount();
    threads = std::min(threads, module::WorkerIndex::kMaxWorkers);
    parallelFor(tasks, threads, sampleRows);
}

} // namespace morvane
