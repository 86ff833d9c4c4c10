#pragma once

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QTemporaryDir>

// Runs the registered benchmarks in a headless application (unless QT_QPA_PLATFORM says
// otherwise), with the settings in a scratch folder: the windows start as on a first start,
// whatever the user's settings say. The benchmark library ignores flags it does not know.
// beforeExit runs while the application still exists: windows made by the benchmarks go
// there, not with the statics after it.
inline int runQtBenchmarks(int argc, char **argv, void (*beforeExit)() = nullptr)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (beforeExit)
        beforeExit();
    return 0;
}
