#include "noise/noise_map_builder.h"

#include "common/parallel_for.h"
#include "common/progress_sink.h"
#include "noise/worker_cache.h"

#include <libnoise/exception.h>
#include <libnoise/module/modulebase.h>

#include <algorithm>
#include <thread>

namespace noise::utils {

namespace {

// Below this many samples threads cost more than they save.
constexpr std::size_t kMinParallelSamples = 4096;
// Workers take the map in chunks of this many samples.
constexpr std::size_t kChunkSamples = 1024;

} // namespace

int NoiseMapBuilderPlane::DefaultThreadCount() {
    const unsigned cores = std::thread::hardware_concurrency();
    return std::clamp(int(cores), 1, morvane::module::WorkerIndex::kMaxWorkers);
}

void NoiseMapBuilderPlane::SetBounds(double lowerXBound, double upperXBound, double lowerZBound,
                                     double upperZBound) {
    if (!(lowerXBound < upperXBound) || !(lowerZBound < upperZBound))
        throw noise::ExceptionInvalidParam();
    m_lowerXBound = lowerXBound;
    m_upperXBound = upperXBound;
    m_lowerZBound = lowerZBound;
    m_upperZBound = upperZBound;
}

void NoiseMapBuilderPlane::checkAndSize() {
    if (!(m_lowerXBound < m_upperXBound) || !(m_lowerZBound < m_upperZBound) || m_destWidth < 1 ||
        m_destHeight < 1 || !m_sourceModule || !m_destNoiseMap)
        throw noise::ExceptionInvalidParam();
    m_destNoiseMap->SetSize(m_destWidth, m_destHeight);
}

void NoiseMapBuilderPlane::sampleRange(std::size_t begin, std::size_t end, int worker) const {
    const morvane::module::WorkerIndex::Scope scope(worker);
    const noise::module::Module& module = *m_sourceModule;
    const std::size_t width = m_xs.size();
    for (std::size_t i = begin; i < end;) {
        const std::size_t row = i / width;
        std::size_t column = i % width;
        const std::size_t rowEnd = std::min(end, (row + 1) * width);
        float* dest = m_destNoiseMap->GetRowPtr(int(row));
        const double z = m_zs[row];
        for (; i < rowEnd; ++i, ++column)
            dest[column] = float(module.GetValue(m_xs[column], 0.0, z));
    }
}

void NoiseMapBuilderPlane::sampleInParallel(std::size_t begin, std::size_t end,
                                            int threads) const {
    if (begin >= end)
        return;
    const std::size_t chunks = (end - begin + kChunkSamples - 1) / kChunkSamples;
    threads = int(std::min<std::size_t>(std::size_t(threads), chunks));
    if (threads <= 1 || end - begin < kMinParallelSamples) {
        sampleRange(begin, end, morvane::module::WorkerIndex::current());
        return;
    }

    // Worker 0 is the calling thread; the others take indices 1.. so that
    // per-worker caches never share an entry.
    morvane::parallelFor(chunks, threads, [&](std::size_t chunk, int worker) {
        const std::size_t from = begin + chunk * kChunkSamples;
        sampleRange(from, std::min(end, from + kChunkSamples), worker);
    });
}

std::vector<double> NoiseMapBuilderPlane::AxisSteps(double lower, double upper, int count) {
    // Coordinates advance by repeated addition, as users' maps have always
    // been built; precomputing them keeps that rounding while leaving every
    // sample independent of the others.
    std::vector<double> steps(std::size_t(std::max(count, 0)));
    const double delta = (upper - lower) / count;
    double value = lower;
    for (double& step : steps) {
        step = value;
        value += delta;
    }
    return steps;
}

bool NoiseMapBuilderPlane::SamplesOrigin(double lowerX, double upperX, double lowerZ,
                                         double upperZ, int width, int height) {
    const std::vector<double> xs = AxisSteps(lowerX, upperX, width);
    const std::vector<double> zs = AxisSteps(lowerZ, upperZ, height);
    return std::find(xs.begin(), xs.end(), 0.0) != xs.end() &&
           std::find(zs.begin(), zs.end(), 0.0) != zs.end();
}

void NoiseMapBuilderPlane::AnnounceNode(morvane::ProgressSink* sink, int node) {
    if (!sink)
        return;
    const QString number = QString::number(node);
    sink->setBusyText(QStringLiteral("computing noise ... \n\nnode: ") + number +
                      QStringLiteral("/9"));
    sink->setStatusText(QStringLiteral("computing noise ... node: ") + number +
                        QStringLiteral("/9"));
    sink->processEvents();
}

void NoiseMapBuilderPlane::AnnounceDone(morvane::ProgressSink* sink) {
    if (sink)
        sink->setStatusText(QStringLiteral("noise maps generated"));
}

void NoiseMapBuilderPlane::sample() {
    m_xs = AxisSteps(m_lowerXBound, m_upperXBound, m_destWidth);
    m_zs = AxisSteps(m_lowerZBound, m_upperZBound, m_destHeight);

    const int threads = m_threadCount == 0 ? DefaultThreadCount() : m_threadCount;
    const std::size_t total = m_xs.size() * m_zs.size();

    // A picture module loads its file when asked for exactly (0, 0, 0). That
    // sample runs alone, after every sample before it and before every one
    // after it, as in a plain row-by-row loop.
    const auto zeroColumn = std::find(m_xs.begin(), m_xs.end(), 0.0);
    const auto zeroRow = std::find(m_zs.begin(), m_zs.end(), 0.0);
    if (zeroColumn != m_xs.end() && zeroRow != m_zs.end()) {
        const std::size_t origin = std::size_t(zeroRow - m_zs.begin()) * m_xs.size() +
                                   std::size_t(zeroColumn - m_xs.begin());
        sampleInParallel(0, origin, threads);
        sampleRange(origin, origin + 1, morvane::module::WorkerIndex::current());
        sampleInParallel(origin + 1, total, threads);
    } else {
        sampleInParallel(0, total, threads);
    }
}

void NoiseMapBuilderPlane::Build() {
    checkAndSize();
    sample();
}

void NoiseMapBuilderPlane::Build(int node) {
    checkAndSize();
    AnnounceNode(m_progress, node);
    sample();
    AnnounceDone(m_progress);
}

} // namespace noise::utils
