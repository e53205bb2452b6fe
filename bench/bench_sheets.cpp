// The spreadsheet export of the whole cassette catalogue on 99,999
// cassettes (499,995 rows, one per recording): CSV and XLSX, beside `cat`
// of data.dbf and data.dbt and a full typed scan of the table (every
// record read through CassetteColumns, memos included), medians of the
// runs and their ratios.

#include "Catalogue.h"
#include "sheets/SheetExport.h"
#include "storage/Records.h"
#include "storage/TableHandles.h"

#include <QFileInfo>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <vector>

using namespace velmora;
using namespace velmora::bench;

namespace {

double catBoth()
{
    return catalogueCatMs(true);
}

double typedScanOnce()
{
    Table t;
    t.setPath(dataPath());
    t.open(Table::Mode::ReadOnly);
    const CassetteColumns c(t);
    const auto start = Clock::now();
    qsizetype chars = 0;
    for (const int rec : t.visibleRecords()) {
        t.moveToRecord(rec);
        const CassetteRecord r = c.read(t);
        for (const CassetteSlot &s : r.recordings)
            chars += s.title.size() + s.note.size();
    }
    benchmark::DoNotOptimize(chars);
    return msSince(start);
}

double typedScanMs()
{
    static const double ms = [] {
        std::vector<double> runs;
        for (int i = 0; i < 3; ++i)
            runs.push_back(typedScanOnce());
        return median(runs);
    }();
    return ms;
}

void figures(benchmark::State &state, std::vector<double> runs, double bytes, qint64 rows)
{
    const double m = median(runs);
    state.counters["median_ms"] = m;
    state.counters["cat_ms"] = catBoth();
    state.counters["scan_ms"] = typedScanMs();
    if (catBoth() > 0)
        state.counters["x_cat"] = m / catBoth();
    if (typedScanMs() > 0)
        state.counters["x_scan"] = m / typedScanMs();
    state.counters["rows"] = double(rows);
    state.counters["file_mb"] = bytes / 1048576.0;
}

void BM_CatDataAndMemos(benchmark::State &state)
{
    for (auto _ : state)
        state.SetIterationTime(catBoth() / 1000.0);
    state.counters["cat_dbf_ms"] = catalogueCatMs();
}

void BM_TypedScan(benchmark::State &state)
{
    std::vector<double> runs;
    for (auto _ : state) {
        runs.push_back(typedScanOnce());
        state.SetIterationTime(runs.back() / 1000.0);
    }
    figures(state, runs, 0, kCassettes);
}

void exportOf(benchmark::State &state, sheets::Format format)
{
    ensureCatalogue();
    catBoth();
    typedScanMs();
    TableHandles tables;
    tables.Table1.setPath(dataPath());
    const QString path = mediumDir(QStringLiteral("sheets")) +
                         (format == sheets::Format::Csv ? "/kazety.csv" : "/kazety.xlsx");
    std::vector<double> runs;
    qint64 rows = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        const sheets::ExportResult r = sheets::exportSheets(
            tables, {sheets::Sheet::Cassettes}, path, format, [](qint64, qint64) { return true; });
        runs.push_back(msSince(start));
        state.SetIterationTime(runs.back() / 1000.0);
        if (!r.ok)
            state.SkipWithError(r.error.toStdString().c_str());
        rows = r.rows;
    }
    figures(state, runs, double(QFileInfo(path).size()), rows);
}

void BM_ExportCsv(benchmark::State &state)
{
    exportOf(state, sheets::Format::Csv);
}

void BM_ExportXlsx(benchmark::State &state)
{
    exportOf(state, sheets::Format::Xlsx);
}

} // namespace

BENCHMARK(BM_CatDataAndMemos)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypedScan)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportCsv)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportXlsx)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    return runCoreBenchmarks(argc, argv);
}
