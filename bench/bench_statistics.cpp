// The statistics and database information screens on the full catalogues:
// 99,999 cassettes, and 20,000 CD titles with 300,000 tracks (made by
// bench_cds in cds/ under the bench directory, or here when missing). Each
// screen is opened as the menu opens it, up to its first paint, beside
// `cat data.dbf` of the same run.

#include "BenchApp.h"
#include "Catalogue.h"
#include "search/DatabaseInfo.h"
#include "search/StatisticsScreen.h"

#include <QApplication>
#include <QFile>
#include <benchmark/benchmark.h>
#include <chrono>

using namespace velmora;
using namespace velmora::bench;

namespace {

// The cassette catalogue with the CD tables of bench_cds beside it, as one
// data directory.
TTitul &window()
{
    static TTitul *w = [] {
        ensureCatalogue();
        const QDir cds(workDir().filePath(QStringLiteral("cds")));
        QDir dir(workDir().filePath(QStringLiteral("statistics")));
        QDir().mkpath(dir.path());
        for (const QString &f : Table::existingFiles(dataPath()))
            QFile::link(f, dir.filePath(QFileInfo(f).fileName()));
        for (const char *name : {"cd01.dbf", "cd02.dbf"})
            if (QFile::exists(cds.filePath(QLatin1String(name))))
                QFile::link(cds.filePath(QLatin1String(name)), dir.filePath(QLatin1String(name)));
        auto *t = windowOver(dir);
        t->settings().storedSystemCode = QStringLiteral("1");
        return t;
    }();
    return *w;
}

template <typename Screen> void openScreen(benchmark::State &state)
{
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        {
            Screen screen(window().session(), &window());
            screen.show();
            QApplication::processEvents();
            screen.close();
        }
        total += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                     .count();
    }
    if (state.iterations() > 0 && catalogueCatMs() > 0)
        state.counters["x_cat"] = total / double(state.iterations()) / catalogueCatMs();
    state.counters["cat_ms"] = catalogueCatMs();
}

void BM_CatData(benchmark::State &state)
{
    for (auto _ : state)
        state.SetIterationTime(catalogueCatMs() / 1000.0);
}

void BM_OpenCassetteStatistics(benchmark::State &state)
{
    openScreen<TStatistika>(state);
}

void BM_OpenCdStatistics(benchmark::State &state)
{
    openScreen<TStatistikaCD>(state);
}

void BM_OpenCassetteDatabaseInfo(benchmark::State &state)
{
    openScreen<TInf_databaze>(state);
}

void BM_OpenCdDatabaseInfo(benchmark::State &state)
{
    openScreen<TInf_databazecd>(state);
}

} // namespace

BENCHMARK(BM_CatData)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenCassetteStatistics)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_OpenCdStatistics)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_OpenCassetteDatabaseInfo)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_OpenCdDatabaseInfo)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

int main(int argc, char **argv)
{
    return runWidgetBenchmarks(argc, argv);
}
