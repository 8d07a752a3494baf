#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace morvane {

// Runs task(index, worker) for index 0..count-1 on `threads` threads (the
// calling thread is worker 0, the others 1..threads-1), each thread taking
// the next index as it becomes free. The first exception thrown stops the
// hand-out and is rethrown on the calling thread once all have stopped.
template <typename Task> void parallelFor(std::size_t count, int threads, Task&& task) {
    threads = int(std::min<std::size_t>(std::size_t(std::max(threads, 1)), count));
    if (threads <= 1) {
        for (std::size_t i = 0; i < count; ++i)
            task(i, 0);
        return;
    }
    std::atomic<std::size_t> next{0};
    std::exception_ptr failure;
    std::mutex failureMutex;
    auto work = [&](int worker) {
        try {
            for (std::size_t i = next++; i < count; i = next++)
                task(i, worker);
        } catch (...) {
            const std::lock_guard<std::mutex> lock(failureMutex);
            if (!failure)
                failure = std::current_exception();
            next = count;
        }
    };
    std::vector<std::thread> pool;
    pool.reserve(std::size_t(threads - 1));
    for (int worker = 1; worker < threads; ++worker) {
        try {
            pool.emplace_back(work, worker);
        } catch (const std::system_error&) {
            // No room for another thread (address space, thread limit): the
            // ones started finish the work. Unwinding here would destroy
            // running threads, which ends the process.
            break;
        }
    }
    work(0);
    for (std::thread& thread : pool)
        thread.join();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace morvane
