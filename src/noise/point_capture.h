#pragma once

#include "noise/worker_cache.h"

#include <array>

namespace morvane::module {

// A source that remembers the point it was last asked for (one memory per
// builder worker) and answers 0. Put under a Turbulence, it yields the
// displaced point of a sample, so the displacement can be computed once and
// shared by every chain that is sampled at that point.
class PointCapture : public noise::module::Module {
public:
    struct Point {
        double x = 0.0;
        double y = 0.0;
        double z = 0.0;
    };

    PointCapture() : noise::module::Module(0) {}
    int GetSourceModuleCount() const override { return 0; }
    double GetValue(double x, double y, double z) const override {
        m_points[std::size_t(WorkerIndex::current())].point = Point{x, y, z};
        return 0.0;
    }
    // The point this thread's worker asked for last.
    Point last() const { return m_points[std::size_t(WorkerIndex::current())].point; }

private:
    struct alignas(64) Slot {
        Point point;
    };
    mutable std::array<Slot, WorkerIndex::kMaxWorkers> m_points;
};

} // namespace morvane::module
