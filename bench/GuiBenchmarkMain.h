#pragma once

// The main of benchmarks that need widgets: an application object (offscreen
// without a display), then the benchmarks.
#include <QApplication>
#include <benchmark/benchmark.h>

inline int runGuiBenchmarks(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
