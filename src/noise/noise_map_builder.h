#pragma once

#include "noise/noise_map.h"

#include <cstddef>
#include <vector>

namespace noise::module {
class Module;
}
namespace morvane {
class ProgressSink;
}

namespace noise::utils {

class NoiseMapBuilder {
public:
    virtual ~NoiseMapBuilder() = default;

    virtual void Build() = 0;
    // Same as Build(), announcing "node N/9" through the progress sink first.
    virtual void Build(int node) = 0;

    void SetDestSize(int width, int height) {
        m_destWidth = width;
        m_destHeight = height;
    }
    void SetDestNoiseMap(NoiseMap& destNoiseMap) { m_destNoiseMap = &destNoiseMap; }
    void SetSourceModule(const noise::module::Module& module) { m_sourceModule = &module; }
    void SetProgressSink(morvane::ProgressSink* sink) { m_progress = sink; }

    int GetDestWidth() const { return m_destWidth; }
    int GetDestHeight() const { return m_destHeight; }

protected:
    int m_destWidth = 0;
    int m_destHeight = 0;
    NoiseMap* m_destNoiseMap = nullptr;
    const noise::module::Module* m_sourceModule = nullptr;
    morvane::ProgressSink* m_progress = nullptr;
};

// Samples a module over a rectangle of the x/z plane at y = 0.
class NoiseMapBuilderPlane : public NoiseMapBuilder {
public:
    void Build() override;
    void Build(int node) override;

    // Throws ExceptionInvalidParam unless lowerX < upperX and lowerZ < upperZ.
    void SetBounds(double lowerXBound, double upperXBound, double lowerZBound, double upperZBound);

    // Number of threads sampling the map: 0 (the default) uses every core,
    // 1 samples on the calling thread. The result is the same either way.
    void SetThreadCount(int threads) { m_threadCount = threads < 0 ? 0 : threads; }
    int GetThreadCount() const { return m_threadCount; }
    static int DefaultThreadCount();

    // The coordinates the builder samples along one axis: `count` values
    // from `lower` on, each the previous plus (upper - lower) / count.
    static std::vector<double> AxisSteps(double lower, double upper, int count);
    // Whether a build over these bounds would sample exactly (0, 0, 0).
    static bool SamplesOrigin(double lowerX, double upperX, double lowerZ, double upperZ,
                              int width, int height);
    // The progress texts of Build(int node), for callers that stand in for
    // a build.
    static void AnnounceNode(morvane::ProgressSink* sink, int node);
    static void AnnounceDone(morvane::ProgressSink* sink);

    double GetLowerXBound() const { return m_lowerXBound; }
    double GetUpperXBound() const { return m_upperXBound; }
    double GetLowerZBound() const { return m_lowerZBound; }
    double GetUpperZBound() const { return m_upperZBound; }

private:
    void checkAndSize();
    void sample();
    void sampleRange(std::size_t begin, std::size_t end, int worker) const;
    void sampleInParallel(std::size_t begin, std::size_t end, int threads) const;

    double m_lowerXBound = 0.0;
    double m_upperXBound = 0.0;
    double m_lowerZBound = 0.0;
    double m_upperZBound = 0.0;
    int m_threadCount = 0;
    // Coordinates of the current build's columns and rows.
    std::vector<double> m_xs;
    std::vector<double> m_zs;
};

} // namespace noise::utils
