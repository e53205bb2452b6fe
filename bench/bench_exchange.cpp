// The exchange of the cassette catalogue of 99,999 cassettes (data.dbf with
// its memos, about 310 MB): the export onto a medium directory and the
// import of that export into EXTERNI, each with every copy verified, beside
// `cat` of the two files of the same run.

#include "Catalogue.h"
#include "storage/Paths.h"
#include "transfer/ExportInfo.h"
#include "transfer/Exporting.h"
#include "transfer/Importing.h"

#include <QDateTime>
#include <QDir>
#include <benchmark/benchmark.h>
#include <chrono>

using namespace velmora;
using namespace velmora::bench;

namespace {

QString medium()
{
    return mediumDir(QStringLiteral("exchange-medium"));
}

void prepare()
{
    useCatalogueAsData();
    QDir().mkpath(Paths::externiDir());
}

void BM_CatDataAndMemos(benchmark::State &state)
{
    for (auto _ : state)
        state.SetIterationTime(catalogueCatMs(true) / 1000.0);
}

void BM_Export(benchmark::State &state)
{
    prepare();
    int updates = 0;
    for (auto _ : state) {
        const QString problem = exchange::exportCatalogue(
            exchange::Catalogue::Cassettes, medium(), QStringLiteral("Bench"),
            QDateTime::currentDateTime(), [&](double) { ++updates; });
        if (!problem.isEmpty())
            state.SkipWithError(problem.toUtf8().constData());
    }
    state.counters["progress_calls"] = updates / double(state.iterations());
    state.counters["cat_ms"] = catalogueCatMs(true);
}

// Each import replaces the one before: the register's date is set back
// first (outside the timing) so that the export counts as newer.
void BM_Import(benchmark::State &state)
{
    prepare();
    exchange::ExportInfo info;
    QString problem;
    if (!exchange::readInfoFile(medium() + QStringLiteral("/Export.evk"), info, problem)) {
        state.SkipWithError(problem.toUtf8().constData());
        return;
    }
    int updates = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QDir(exchange::catalogueDir(exchange::Catalogue::Cassettes, QStringLiteral("Bench")))
            .removeRecursively();
        QFile::remove(exchange::registerPath(exchange::Catalogue::Cassettes));
        state.ResumeTiming();
        const auto result = exchange::importCatalogue(
            exchange::Catalogue::Cassettes, medium(), info, [] { return true; },
            [&](double) { ++updates; }, problem);
        if (result != exchange::ImportResult::Imported)
            state.SkipWithError(problem.toUtf8().constData());
    }
    state.counters["progress_calls"] = updates / double(state.iterations());
    state.counters["cat_ms"] = catalogueCatMs(true);
}

} // namespace

BENCHMARK(BM_CatDataAndMemos)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Export)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Import)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char **argv)
{
    return runCoreBenchmarks(argc, argv);
}
