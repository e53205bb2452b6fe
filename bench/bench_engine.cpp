// The table engine on a catalogue of 99,999 cassettes with every slot and
// note filled: open with the number tag, full scan, locate, batch append,
// and beside them `cat` and Python's dbfread reading the same files. The
// comparisons run first; the rows after them carry their ratios to them
// (x_cat: our time over cat's, dbfread_x: dbfread's time over ours).

#include "Catalogue.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <malloc.h>
#include <vector>

using namespace velmora;
using namespace velmora::bench;

namespace {

// Whole programs, timed by the wall clock; returns milliseconds.
double runOnce(const QString &command)
{
    const QByteArray cmd = command.toLocal8Bit();
    const auto start = Clock::now();
    if (std::system(cmd.constData()) != 0)
        return -1;
    return msSince(start);
}

QString catBoth()
{
    return QStringLiteral("cat %1 %2 > /dev/null")
        .arg(quoted(dataPath()), quoted(workDir().filePath("data.dbt")));
}

QString catData()
{
    return QStringLiteral("cat %1 > /dev/null").arg(quoted(dataPath()));
}

QString dbfread()
{
    return QStringLiteral(
               "/usr/bin/python3 -c \"import sys; from dbfread import DBF; "
               "n = sum(1 for r in DBF(sys.argv[1], encoding='cp1250') for v in r.values()); "
               "\" %1")
        .arg(quoted(dataPath()));
}

// The times of the comparison programs in this run, median of those taken.
struct Reference
{
    QString command;
    int runs;
    std::vector<double> samples;

    double median()
    {
        while (int(samples.size()) < runs) {
            const double ms = runOnce(command);
            if (ms < 0)
                return 0;
            samples.push_back(ms);
        }
        std::vector<double> sorted = samples;
        std::sort(sorted.begin(), sorted.end());
        return sorted[sorted.size() / 2];
    }
};

Reference &catOfBoth()
{
    static Reference r{catBoth(), 5, {}};
    return r;
}

Reference &catOfData()
{
    static Reference r{catData(), 5, {}};
    return r;
}

Reference &dbfreadScan()
{
    static Reference r{dbfread(), 1, {}};
    return r;
}

void BM_CatOfTheFiles(benchmark::State &state, Reference &(*which)())
{
    ensureCatalogue();
    for (auto _ : state) {
        const double ms = runOnce(which().command);
        if (ms < 0) {
            state.SkipWithError("command failed");
            break;
        }
        which().samples.push_back(ms);
        state.SetIterationTime(ms / 1000.0);
    }
}

void BM_DbfreadFullScan(benchmark::State &state)
{
    BM_CatOfTheFiles(state, dbfreadScan);
}

// Sets the ratio counters of a row from its own mean time per iteration.
void compare(benchmark::State &state, double ms, Reference &against, bool withDbfread)
{
    if (state.iterations() == 0)
        return;
    const double per = ms / double(state.iterations());
    if (const double ref = against.median(); ref > 0)
        state.counters["x_cat"] = per / ref;
    if (withDbfread)
        if (const double ref = dbfreadScan().median(); ref > 0)
            state.counters["dbfread_x"] = ref / per;
}

// Heap in use (malloc'ed and mapped blocks) and resident set, in MB.
double heapMb()
{
    const struct mallinfo2 m = mallinfo2();
    return double(m.uordblks + m.hblkhd) / (1024.0 * 1024.0);
}

void BM_OpenWithNumberTag(benchmark::State &state)
{
    ensureCatalogue();
    double heap = 0, peak = 0, timed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        resetPeakResident();
        const double heapBefore = heapMb(), residentBefore = statusMb("VmRSS");
        state.ResumeTiming();
        const auto start = Clock::now();
        Table t;
        t.setPath(dataPath());
        t.setIndex(QStringLiteral("cislo"));
        t.open(Table::Mode::ReadOnly);
        benchmark::DoNotOptimize(t.asString("cislo"));
        timed += msSince(start);
        // What the open table holds: chunks of the file and the tag, not
        // a copy of the 66 MB of records.
        state.PauseTiming();
        heap = std::max(heap, heapMb() - heapBefore);
        peak = std::max(peak, statusMb("VmHWM") - residentBefore);
        state.ResumeTiming();
    }
    compare(state, timed, catOfData(), false);
    state.counters["heap_MB"] = heap;
    state.counters["peak_rss_MB"] = peak;
}

void BM_FullScanEveryField(benchmark::State &state)
{
    ensureCatalogue();
    Table t;
    t.setPath(dataPath());
    t.open(Table::Mode::ReadOnly);
    const int fields = t.fieldCount();
    const auto start = Clock::now();
    for (auto _ : state) {
        qsizetype chars = 0;
        for (t.first(); !t.eof(); t.next())
            for (int f = 0; f < fields; ++f)
                chars += t.asString(f).size();
        benchmark::DoNotOptimize(chars);
    }
    compare(state, msSince(start), catOfBoth(), true);
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
    const auto start = Clock::now();
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
    compare(state, msSince(start), catOfBoth(), true);
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

} // namespace

// The comparisons first, so that the rows after them see their times.
BENCHMARK_CAPTURE(BM_CatOfTheFiles, data_dbf, catOfData)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CatOfTheFiles, data_dbf_and_dbt, catOfBoth)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DbfreadFullScan)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenWithNumberTag)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullScanEveryField)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullScanTypedFields)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LocateNumber)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AppendBatchOf1000)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    return runCoreBenchmarks(argc, argv);
}
