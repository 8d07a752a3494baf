#pragma once

#include <libnoise/module/modulebase.h>

#include <array>

namespace morvane::module {

// Index of the sampling worker running on this thread: 0 on every thread
// that is not a builder worker. The plane builder sets it for its workers
// so per-worker state needs no locks.
class WorkerIndex {
public:
    static constexpr int kMaxWorkers = 64;
    static int current() { return s_index; }

    // Sets the index for the life of the scope (on this thread only).
    class Scope {
    public:
        explicit Scope(int index) : m_previous(s_index) { s_index = index; }
        ~Scope() { s_index = m_previous; }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        int m_previous;
    };

private:
    static thread_local int s_index;
};

// Remembers its source's value at the last point asked, like libnoise's
// Cache, but with one memory per builder worker, so a module chain can be
// sampled from several threads at once. (libnoise's Cache keeps a single
// memory in mutable members and gives wrong values when shared.)
class Cache : public noise::module::Module {
public:
    Cache();

    int GetSourceModuleCount() const override { return 1; }
    double GetValue(double x, double y, double z) const override;
    void SetSourceModule(int index, const noise::module::Module& sourceModule) override;

private:
    struct alignas(64) Entry {
        double x = 0.0;
        double y = 0.0;
        double z = 0.0;
        double value = 0.0;
        bool valid = false;
    };
    mutable std::array<Entry, WorkerIndex::kMaxWorkers> m_entries;
};

} // namespace morvane::module
