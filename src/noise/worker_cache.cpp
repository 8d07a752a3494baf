#include "noise/worker_cache.h"

namespace morvane::module {

thread_local int WorkerIndex::s_index = 0;

Cache::Cache() : noise::module::Module(1) {}

double Cache::GetValue(double x, double y, double z) const {
    Entry& entry = m_entries[std::size_t(WorkerIndex::current())];
    if (!entry.valid || x != entry.x || y != entry.y || z != entry.z) {
        entry.value = GetSourceModule(0).GetValue(x, y, z);
        entry.x = x;
        entry.y = y;
        entry.z = z;
        entry.valid = true;
    }
    return entry.value;
}

void Cache::SetSourceModule(int index, const noise::module::Module& sourceModule) {
    noise::module::Module::SetSourceModule(index, sourceModule);
    for (Entry& entry : m_entries)
        entry.valid = false;
}

} // namespace morvane::module
