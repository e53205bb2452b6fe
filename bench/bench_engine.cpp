// The table engine on a catalogue of 99,999 cassettes with every slot and
// note filled: open with the number tag, full scan, locate, batch append,
// and beside them `cat` and Python's dbfread reading the same files.

#include "Catalogue.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>

using namespace velmora;
using namespace velmora::bench;

namespace {

void BM_OpenWithNumberTag(benchmark::State &state)
{
    ensureCatalogue();
    for (auto _ : state) {
        Table t;
        t.setPath(dataPath());
        t.setIndex(QStringLiteral("cislo"));
        t.open(Table::Mode::ReadOnly);
        benchmark::DoNotOptimize(t.asString("cislo"));
    }
}

void BM_FullScanEveryField(benchmark::State &state)
{
    ensureCatalogue();
    Table t;
    t.setPath(dataPath());
    t.open(Table::Mode::ReadOnly);
    const int fields = t.fieldCount();
    for (auto _ : state) {
        qsizetype chars = 0;
        for (t.first(); !t.eof(); t.next())
            for (int f = 0; f < fields; ++f)
                chars += t.asString(f).size();
        benchmark::DoNotOptimize(chars);
    }
    state.counters["records"] = t.recordCount();
}

// Every field read with the accessor of its type, as screens and reports do.
void BM_FullScanTypedFields(benchmark::State &state)
{
    ensureCatalogue();
    Table t;
    t.setPath(dataPath());
    t.open(Table::Mode::ReadOnly);
    const QList<FieldDef> defs = t.fieldDefs();
    for (auto _ : state) {
        qint64 sum = 0;
        for (t.first(); !t.eof(); t.next())
            for (int f = 0; f < defs.size(); ++f)
                switch (defs[f].type) {
                case FieldType::Integer:
                    sum += t.asInteger(f);
                    break;
                case FieldType::Date:
                    sum += t.asDate(f).day();
                    break;
                case FieldType::Boolean:
                    sum += t.asBoolean(f);
                    break;
                default:
                    sum += t.asString(f).size();
                }
        benchmark::DoNotOptimize(sum);
    }
}

void BM_LocateNumber(benchmark::State &state)
{
    ensureCatalogue();
    Table t;
    t.setPath(dataPath());
    t.setIndex(QStringLiteral("cislo"));
    t.open(Table::Mode::ReadOnly);
    for (auto _ : state)
        benchmark::DoNotOptimize(t.locate(QStringLiteral("cislo"), QStringLiteral("99998")));
}

void BM_AppendBatchOf1000(benchmark::State &state)
{
    ensureCatalogue();
    for (auto _ : state) {
        state.PauseTiming();
        const QString copy = workDir().filePath(QStringLiteral("copy.dbf"));
        fillCatalogue(copy, 0);
        Table t;
        t.setPath(copy);
        t.setIndex(QStringLiteral("cislo"));
        t.open(Table::Mode::Exclusive);
        state.ResumeTiming();
        t.beginBatch();
        for (int i = 0; i < 1000; ++i) {
            t.append();
            t.setString("cislo", QString::number(i));
            t.setString("film1", QStringLiteral("Nový záznam"));
            t.setString("P_film1", QStringLiteral("Poznámka"));
            t.post();
        }
        t.endBatch();
    }
}

// Whole programs, timed by the wall clock.
void runCommand(benchmark::State &state, const QString &command)
{
    ensureCatalogue();
    const QByteArray cmd = command.toLocal8Bit();
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (std::system(cmd.constData()) != 0)
            state.SkipWithError("command failed");
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}

void BM_CatOfTheFiles(benchmark::State &state)
{
    runCommand(state, QStringLiteral("cat %1 %2 > /dev/null")
                          .arg(quoted(dataPath()), quoted(workDir().filePath("data.dbt"))));
}

void BM_DbfreadFullScan(benchmark::State &state)
{
    runCommand(state,
               QStringLiteral(
                   "/usr/bin/python3 -c \"import sys; from dbfread import DBF; "
                   "n = sum(1 for r in DBF(sys.argv[1], encoding='cp1250') for v in r.values()); "
                   "\" %1")
                   .arg(quoted(dataPath())));
}

} // namespace

BENCHMARK(BM_OpenWithNumberTag)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullScanEveryField)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullScanTypedFields)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LocateNumber)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AppendBatchOf1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CatOfTheFiles)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DbfreadFullScan)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
