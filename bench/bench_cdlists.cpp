// The lists of CD titles on the catalogue of bench_cds (20,000 titles,
// 300,000 tracks): the whole list as the screen opens, the whole list with
// every option ticked (every track of every disc), the list from the middle
// title and the lent titles, each up to a pane that answers again, in both
// pane modes. The rows carry x_cat, their time over `cat cd02.dbf` in the
// same run.

#include "BenchApp.h"
#include "CdsCatalogue.h"
#include "printing/ReportPane.h"
#include "printing/Waiting.h"
#include "reports/CdFromScreen.h"
#include "reports/CdListScreen.h"
#include "writer/ReportWriter.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <benchmark/benchmark.h>
#include <chrono>

using namespace velmora;
using namespace velmora::bench;

namespace {

double catMs()
{
    static const double median = [] {
        ensureCds();
        return catMedianMs(cdPath("cd02.dbf"));
    }();
    return median;
}

TTitul &window()
{
    static TTitul *w = [] {
        ensureCds();
        return windowOver(cdDir());
    }();
    return *w;
}

// Argument 0: line mode; 1: document mode.
void setMode(benchmark::State &state)
{
    window().settings().storedSystemCode =
        state.range(0) == 0 ? QStringLiteral("1") : QStringLiteral("4");
    state.SetLabel(state.range(0) == 0 ? "line" : "document");
}

void figures(benchmark::State &state, double totalMs, const ReportPane &pane,
             const TWaiting_Form &waiting)
{
    if (state.iterations() > 0 && catMs() > 0)
        state.counters["x_cat"] = totalMs / double(state.iterations()) / catMs();
    state.counters["cat_ms"] = catMs();
    state.counters["lines"] = double(pane.lines().size());
    state.counters["gauge"] = double(waiting.position());
}

// cd01.dbf as the CD print menu opens it, for the life of a benchmark.
struct MenuTable
{
    MenuTable()
    {
        t.open();
        t.setIndex(QStringLiteral("cislocd"));
    }
    ~MenuTable()
    {
        t.setFiltered(false);
        t.close();
    }
    Table &t = window().tables().CD_Table1;
};

void BM_CatCd02(benchmark::State &state)
{
    for (auto _ : state)
        state.SetIterationTime(catMs() / 1000.0);
}

// The screen opened as the menu opens it: every title, no option.
void BM_OpenWholeList(benchmark::State &state)
{
    setMode(state);
    MenuTable menu;
    double total = 0;
    double lines = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        TTisk_CD_Seznamu screen(window().session(), &window());
        screen.show();
        QApplication::processEvents();
        total += msSince(start);
        lines = screen.pane()->lines().size();
        screen.close();
    }
    state.counters["x_cat"] = total / double(state.iterations()) / catMs();
    state.counters["cat_ms"] = catMs();
    state.counters["lines"] = lines;
}

// The whole list with all four options: the date, format and note ticked
// first, the click on the track option timed.
void BM_WholeListWithTracks(benchmark::State &state)
{
    setMode(state);
    MenuTable menu;
    TTisk_CD_Seznamu screen(window().session(), &window());
    screen.show();
    QApplication::processEvents();
    for (int n = 1; n <= 3; ++n)
        screen.option(n)->click();
    double total = 0;
    for (auto _ : state) {
        // From the list with the other three options, as the user goes.
        state.PauseTiming();
        if (screen.option(4)->isChecked())
            screen.option(4)->click();
        QApplication::processEvents();
        state.ResumeTiming();
        const auto start = Clock::now();
        screen.option(4)->click();
        QApplication::processEvents();
        total += msSince(start);
    }
    figures(state, total, *screen.pane(), *screen.waiting());
    screen.close();
}

// From the title in the middle to the last, with every option.
void BM_ListFromMiddleWithTracks(benchmark::State &state)
{
    setMode(state);
    MenuTable menu;
    const QString middle = QStringLiteral("%1").arg(kTitles / 2, 5, 10, QLatin1Char('0'));
    TTisk_04 screen(window().session(), middle, &window());
    screen.show();
    QApplication::processEvents();
    for (int n = 1; n <= 3; ++n)
        screen.option(n)->click();
    double total = 0;
    for (auto _ : state) {
        // From the list with the other three options, as the user goes.
        state.PauseTiming();
        if (screen.option(4)->isChecked())
            screen.option(4)->click();
        QApplication::processEvents();
        state.ResumeTiming();
        const auto start = Clock::now();
        screen.option(4)->click();
        QApplication::processEvents();
        total += msSince(start);
    }
    figures(state, total, *screen.pane(), *screen.waiting());
    screen.close();
}

// The parts of a build without a pane: cd02.dbf read into TitleTracks, and
// the whole document with every option written from it.
void BM_ReadTracks(benchmark::State &state)
{
    Table &tracks = window().tables().CD_Table2;
    tracks.open(Table::Mode::ReadOnly);
    tracks.setIndex(QStringLiteral("cislocd"));
    double total = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        const TitleTracks all(tracks);
        benchmark::DoNotOptimize(all.labelsOf(QStringLiteral("00001")));
        total += msSince(start);
    }
    state.counters["x_cat"] = total / double(state.iterations()) / catMs();
    tracks.close();
}

void BM_WholeListDocumentBytes(benchmark::State &state)
{
    MenuTable menu;
    Table &tracks = window().tables().CD_Table2;
    tracks.open(Table::Mode::ReadOnly);
    tracks.setIndex(QStringLiteral("cislocd"));
    const TitleTracks all(tracks);
    const std::vector<int> records = menu.t.visibleRecords();
    double total = 0;
    qsizetype bytes = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        bytes = report::documentOf([&](ReportWriter &w) {
                    writeCdList(w, CdListKind::All, menu.t, records, all, {true, true, true, true});
                }).size();
        total += msSince(start);
    }
    state.counters["x_cat"] = total / double(state.iterations()) / catMs();
    state.counters["bytes"] = double(bytes);
    tracks.close();
}

// The 2,000 lent titles.
void BM_LentList(benchmark::State &state)
{
    setMode(state);
    MenuTable menu;
    TTisk_CD_Seznamu screen(window().session(), &window());
    screen.show();
    QApplication::processEvents();
    double total = 0;
    for (auto _ : state) {
        screen.choice()->setCurrentIndex(0);
        const auto start = Clock::now();
        screen.choice()->setCurrentIndex(1);
        QApplication::processEvents();
        total += msSince(start);
    }
    figures(state, total, *screen.pane(), *screen.waiting());
    screen.close();
}

} // namespace

BENCHMARK(BM_CatCd02)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenWholeList)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_WholeListWithTracks)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ListFromMiddleWithTracks)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ReadTracks)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_WholeListDocumentBytes)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_LentList)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

int main(int argc, char **argv)
{
    return runWidgetBenchmarks(argc, argv);
}
