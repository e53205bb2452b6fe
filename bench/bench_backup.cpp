// Backup and verified restore of the cassette set with the catalogue of
// 99,999 cassettes (data.dbf with its memos, about 325 MB with the rest of
// the set), beside `cat` of the same files in the same run. The restore
// includes the safety copy of the live files it makes first.

#include "Catalogue.h"
#include "storage/Backup.h"
#include "storage/Paths.h"
#include "storage/Restore.h"
#include "storage/Storage.h"
#include "storage/TableHandles.h"

#include <QDateTime>
#include <QDir>
#include <benchmark/benchmark.h>

using namespace velmora;
using namespace velmora::bench;

namespace {

QString medium()
{
    return mediumDir(QStringLiteral("backup-medium"));
}

void prepare()
{
    useCatalogueAsData();
    // The rest of the set as a first start makes it: the archive, the lists
    // and the notes beside the generated cassettes.
    Storage::prepareDirectories();
    TableHandles handles;
    Storage::prepareTables(handles);
    QDir().mkpath(Paths::zalohaDir());
}

void removeSafetyCopies()
{
    const QDir zaloha(Paths::zalohaDir());
    for (const QString &d :
         zaloha.entryList({QStringLiteral("Pred_obnovou_*")}, QDir::Dirs | QDir::NoDotAndDotDot))
        QDir(zaloha.filePath(d)).removeRecursively();
}

void BM_CatDataAndMemos(benchmark::State &state)
{
    for (auto _ : state)
        state.SetIterationTime(catalogueCatMs(true) / 1000.0);
}

void BM_Backup(benchmark::State &state)
{
    prepare();
    int updates = 0;
    for (auto _ : state) {
        const QString problem =
            backup::makeBackup(backup::Set::Cassettes, medium(), QDateTime::currentDateTime(),
                               QStringLiteral("2002.A"), [&](double) { ++updates; });
        if (!problem.isEmpty())
            state.SkipWithError(problem.toUtf8().constData());
    }
    state.counters["progress_calls"] = updates / double(state.iterations());
    state.counters["cat_ms"] = catalogueCatMs(true);
}

void BM_Restore(benchmark::State &state)
{
    prepare();
    int updates = 0;
    for (auto _ : state) {
        state.PauseTiming();
        removeSafetyCopies();
        state.ResumeTiming();
        const backup::RestoreResult r =
            backup::restoreSet(backup::Set::Cassettes, medium(), QDateTime::currentDateTime(),
                               [&](double) { ++updates; });
        if (!r.problem.isEmpty())
            state.SkipWithError(r.problem.toUtf8().constData());
    }
    removeSafetyCopies();
    state.counters["progress_calls"] = updates / double(state.iterations());
    state.counters["cat_ms"] = catalogueCatMs(true);
}

} // namespace

BENCHMARK(BM_CatDataAndMemos)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Backup)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK(BM_Restore)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

int main(int argc, char **argv)
{
    return runCoreBenchmarks(argc, argv);
}
