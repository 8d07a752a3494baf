#pragma once

#include <benchmark/benchmark.h>

// The benchmark runner for benches that need a Qt application object (Qt
// finds its JPEG plug-in only once one exists; widgets need a QApplication).
// `App` is QCoreApplication or QApplication; `afterRun` tears down what must
// go before the application does.
template <typename App, typename AfterRun = void (*)()>
int runBenchmarksIn(int argc, char** argv, AfterRun afterRun = [] {}) {
    App app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    afterRun();
    return 0;
}
