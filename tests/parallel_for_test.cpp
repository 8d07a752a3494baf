#include "common/parallel_for.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Every index once, whatever the number of threads that could be started.
bool everyIndexOnce(int threads) {
    std::vector<std::atomic<int>> runs(1000);
    morvane::parallelFor(runs.size(), threads, [&](std::size_t i, int) { ++runs[i]; });
    for (const auto& r : runs)
        if (r != 1)
            return false;
    return true;
}

TEST(ParallelForTest, EveryIndexRunsOnceAndTheFirstFailureReachesTheCaller) {
    for (int threads : {0, 1, 2, 7})
        EXPECT_TRUE(everyIndexOnce(threads)) << threads;
    EXPECT_THROW(morvane::parallelFor(100, 4,
                                      [](std::size_t i, int) {
                                          if (i == 50)
                                              throw std::runtime_error("stop");
                                      }),
                 std::runtime_error);
}

// Threads that cannot be started (no address space for their stacks) leave
// the work to those that could, instead of ending the process.
TEST(ParallelForTest, ThreadsThatCannotStartLeaveTheWorkToTheOthers) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer reserves more address space than any limit allows";
#else
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        struct rlimit usage {};
        getrlimit(RLIMIT_AS, &usage);
        // Room for the process as it is and two 8 MiB thread stacks.
        std::FILE* statm = std::fopen("/proc/self/statm", "r");
        unsigned long pages = 0;
        if (!statm || std::fscanf(statm, "%lu", &pages) != 1)
            _exit(2);
        usage.rlim_cur = pages * unsigned(sysconf(_SC_PAGESIZE)) + 20ul * 1024 * 1024;
        setrlimit(RLIMIT_AS, &usage);
        _exit(everyIndexOnce(64) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "the process ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
#endif
}

} // namespace
