#pragma once

#include <future>
#include <system_error>
#include <utility>

namespace morvane {

// Starts `task` on a thread of its own. When no thread can be started (no
// address space left for its stack, a thread limit), the task runs on the
// caller's thread at get() instead: slower, never a failure of its own.
template <typename Task> auto runBeside(Task&& task) {
    try {
        return std::async(std::launch::async, task);
    } catch (const std::system_error&) {
        return std::async(std::launch::deferred, std::forward<Task>(task));
    }
}

} // namespace morvane
