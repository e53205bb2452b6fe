#pragma once

// For the benchmarks of screens: the main window over a data directory of
// generated tables, and a main that runs the benchmarks offscreen.

#include "core/MainWindow.h"
#include "storage/Paths.h"
#include "storage/Storage.h"

#include <QApplication>
#include <QDir>
#include <benchmark/benchmark.h>

namespace velmora::bench {

// A main window whose tables are those of dir; missing ones are created.
inline TTitul *windowOver(const QDir &dir)
{
    Paths::setDataDir(dir.absolutePath() + QLatin1Char('/'));
    auto *t = new TTitul;
    Storage::prepareDirectories();
    Storage::prepareTables(t->tables());
    return t;
}

inline int runWidgetBenchmarks(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace velmora::bench
