// The overview of the whole cassette catalogue on 99,999 cassettes
// (499,995 recordings): the rows built, the window opened as the menu opens
// it up to its first paint, the filter as a user types a title (narrowing),
// a fresh filter from all rows and the "Jen půjčené" box, the sort by the
// title column in Czech order, and the memory of the rows against the text
// they show; each time beside `cat` of data.dbf and data.dbt of the run.

#include "BenchApp.h"
#include "Catalogue.h"
#include "browsing/OverviewModel.h"
#include "browsing/OverviewWindow.h"
#include "overview/CatalogueOverview.h"
#include "storage/Records.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <filesystem>
#include <malloc.h>
#include <memory>

using namespace velmora;
using namespace velmora::bench;

namespace {

// The cassette catalogue as a data directory of its own, so the CD tables
// the main window creates stay out of the generated one.
TTitul &window()
{
    static TTitul *w = [] {
        ensureCatalogue();
        QDir dir(workDir().filePath(QStringLiteral("overview")));
        QDir().mkpath(dir.path());
        // Hard links: tables opened read-only are not read through symbolic
        // ones.
        for (const QString &f : Table::existingFiles(dataPath())) {
            const QString to = dir.filePath(QFileInfo(f).fileName());
            std::error_code error;
            if (!QFile::exists(to))
                std::filesystem::create_hard_link(f.toStdString(), to.toStdString(), error);
        }
        return windowOver(dir);
    }();
    return *w;
}

double catBoth()
{
    return catalogueCatMs(true);
}

void compare(benchmark::State &state, double totalMs)
{
    state.counters["cat_ms"] = catBoth();
    if (state.iterations() > 0 && catBoth() > 0)
        state.counters["x_cat"] = totalMs / double(state.iterations()) / catBoth();
}

// One model over every row, unfiltered and unsorted, as the window opens.
OverviewModel &model()
{
    static OverviewModel *m = [] {
        auto *om = new OverviewModel(OverviewKind::Cassettes);
        om->setRows(
            catalogueOverview(OverviewKind::Cassettes, window().tables(), QDate::currentDate()));
        return om;
    }();
    return *m;
}

void BM_CatDataAndMemos(benchmark::State &state)
{
    for (auto _ : state)
        state.SetIterationTime(catBoth() / 1000.0);
    state.counters["cat_dbf_ms"] = catalogueCatMs();
}

void BM_BuildRows(benchmark::State &state)
{
    TTitul &w = window();
    catBoth();
    double total = 0;
    int rows = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        const OverviewRows r =
            catalogueOverview(OverviewKind::Cassettes, w.tables(), QDate::currentDate());
        total += msSince(start);
        rows = r.rowCount();
    }
    compare(state, total);
    state.counters["rows"] = rows;
}

// Where the building's time goes: the fields the rows show read from
// data.dbf as texts, every record, without building any row.
void BM_ReadShownFields(benchmark::State &state)
{
    catBoth();
    Table t;
    t.setPath(window().tables().Table1.path());
    t.open(Table::Mode::ReadOnly);
    const CassetteColumns c(t);
    double total = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        qsizetype chars = 0;
        for (const int rec : t.visibleRecords()) {
            for (const int f : {c.number, c.type, c.loan.lent, c.loan.days})
                chars += t.asStringAt(rec, f).size();
            for (const CassetteColumns::Slot &f : c.recordings)
                for (const int g :
                     {f.title, f.genre, f.speed, f.length, f.source, f.date, f.start, f.end})
                    chars += t.asStringAt(rec, g).size();
        }
        benchmark::DoNotOptimize(chars);
        total += msSince(start);
    }
    compare(state, total);
}

// The window as the menu command shows it: rows built, the model filled
// and the grid painted once.
void BM_OpenWindow(benchmark::State &state)
{
    TTitul &w = window();
    catBoth();
    double total = 0;
    int rows = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        {
            TPrehled screen(OverviewKind::Cassettes, w.session(), {}, &w);
            screen.show();
            QApplication::processEvents();
            rows = screen.model()->rowCount();
            total += msSince(start);
            screen.close();
        }
    }
    compare(state, total);
    state.counters["rows"] = rows;
}

// The time of every keystroke as a user types `text` into the filter box
// from an empty one: each filter narrows the one before.
std::vector<double> typeInto(OverviewModel &m, const QString &text, bool lentOnly)
{
    std::vector<double> times;
    for (qsizetype n = 1; n <= text.size(); ++n) {
        const auto start = Clock::now();
        m.setFilter({text.left(n), true, lentOnly});
        times.push_back(msSince(start));
    }
    return times;
}

void typing(benchmark::State &state, const QString &text, bool lentOnly)
{
    OverviewModel &m = model();
    catBoth();
    std::vector<double> all;
    double first = 0;
    int shown = 0;
    for (auto _ : state) {
        state.PauseTiming();
        m.setFilter({QString(), true, lentOnly});
        state.ResumeTiming();
        const std::vector<double> t = typeInto(m, text, lentOnly);
        all.insert(all.end(), t.begin(), t.end());
        first = t.front();
        shown = m.rowCount();
    }
    m.setFilter({});
    state.counters["keystroke_median_ms"] = median(all);
    state.counters["keystroke_max_ms"] = *std::max_element(all.begin(), all.end());
    state.counters["first_key_ms"] = first;
    state.counters["shown"] = shown;
    state.counters["cat_ms"] = catBoth();
    if (catBoth() > 0)
        state.counters["x_cat"] = median(all) / catBoth();
}

// A title of the generated catalogue: its first thirteen keystrokes keep
// every row, the worst a narrowing filter meets.
void BM_TypeTitle(benchmark::State &state)
{
    typing(state, QStringLiteral("příběh číslo 4711"), false);
}

// Typed without diacritics, as the box finds "Šakalí" too; "s" keeps
// most rows, the rest keep none.
void BM_TypeSakali(benchmark::State &state)
{
    typing(state, QStringLiteral("sakali"), false);
}

void BM_TypeTitleLentOnly(benchmark::State &state)
{
    typing(state, QStringLiteral("příběh číslo 4711"), true);
}

// The same title typed into the shown window's filter box: the model
// filtered, the status line set and the grid painted again per keystroke.
void BM_TypeTitleInWindow(benchmark::State &state)
{
    TTitul &w = window();
    catBoth();
    TPrehled screen(OverviewKind::Cassettes, w.session(), {}, &w);
    screen.show();
    QApplication::processEvents();
    const QString text = QStringLiteral("příběh číslo 4711");
    std::vector<double> all;
    for (auto _ : state) {
        state.PauseTiming();
        screen.filterBox()->clear();
        QApplication::processEvents();
        state.ResumeTiming();
        for (qsizetype n = 1; n <= text.size(); ++n) {
            const auto start = Clock::now();
            screen.filterBox()->setText(text.left(n));
            QApplication::processEvents();
            all.push_back(msSince(start));
        }
    }
    screen.close();
    state.counters["keystroke_median_ms"] = median(all);
    state.counters["keystroke_max_ms"] = *std::max_element(all.begin(), all.end());
    state.counters["cat_ms"] = catBoth();
}

// Filters that do not narrow each other: each searches all rows again.
void BM_FreshFilter(benchmark::State &state)
{
    OverviewModel &m = model();
    catBoth();
    const QString texts[] = {QStringLiteral("číslo 4711"), QStringLiteral("číslo 4712")};
    std::vector<double> times;
    int i = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        m.setFilter({texts[i++ % 2], true, false});
        times.push_back(msSince(start));
    }
    m.setFilter({});
    state.counters["keystroke_median_ms"] = median(times);
    state.counters["cat_ms"] = catBoth();
    if (catBoth() > 0)
        state.counters["x_cat"] = median(times) / catBoth();
}

// A backspace at the end of a typed title: a wider filter, from all rows.
void BM_Backspace(benchmark::State &state)
{
    OverviewModel &m = model();
    catBoth();
    std::vector<double> times;
    int shown = 0;
    for (auto _ : state) {
        state.PauseTiming();
        m.setFilter({QStringLiteral("příběh číslo 4711"), true, false});
        state.ResumeTiming();
        const auto start = Clock::now();
        m.setFilter({QStringLiteral("příběh číslo 471"), true, false});
        times.push_back(msSince(start));
        shown = m.rowCount();
    }
    m.setFilter({});
    state.counters["keystroke_median_ms"] = median(times);
    state.counters["shown"] = shown;
    state.counters["cat_ms"] = catBoth();
}

// "Jen půjčené" ticked over all rows, and unticked again (a wider filter,
// from all rows).
void BM_LentOnlyBox(benchmark::State &state)
{
    OverviewModel &m = model();
    catBoth();
    std::vector<double> ticks, unticks;
    int shown = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        m.setFilter({QString(), true, true});
        ticks.push_back(msSince(start));
        shown = m.rowCount();
        start = Clock::now();
        m.setFilter({QString(), true, false});
        unticks.push_back(msSince(start));
    }
    state.counters["tick_median_ms"] = median(ticks);
    state.counters["untick_median_ms"] = median(unticks);
    state.counters["shown"] = shown;
    state.counters["cat_ms"] = catBoth();
}

// A click on the title header after the rows were sorted by number.
void BM_SortByTitle(benchmark::State &state)
{
    OverviewModel &m = model();
    catBoth();
    double total = 0, peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        m.sort(0);
        // What the sorts before freed goes back to the system, so the rise
        // of the resident set is this sort's own.
        malloc_trim(0);
        resetPeakResident();
        const double before = statusMb("VmRSS");
        state.ResumeTiming();
        const auto start = Clock::now();
        m.sort(3);
        total += msSince(start);
        state.PauseTiming();
        peak = std::max(peak, statusMb("VmHWM") - before);
        state.ResumeTiming();
    }
    compare(state, total);
    state.counters["peak_rss_rise_MB"] = peak;
    state.counters["rows"] = m.rowCount();
}

// What the rows take against the text they show, in UTF-8 and UTF-16.
void BM_ModelMemory(benchmark::State &state)
{
    const OverviewRows &rows = model().rows();
    // The shown text measured cell by cell as the grid shows it, not by
    // the store's own count.
    qsizetype utf8 = 0;
    qsizetype units = 0;
    for (auto _ : state) {
        utf8 = 0;
        units = 0;
        for (int r = 0; r < rows.rowCount(); ++r)
            for (int c = 0; c < rows.columnCount(); ++c) {
                const QString cell = rows.cell(r, c);
                units += cell.size();
                utf8 += cell.toUtf8().size();
            }
    }
    const double mb = 1024.0 * 1024.0;
    const double memory = double(rows.memoryBytes());
    const double utf16 = double(units) * 2;
    state.counters["memory_MB"] = memory / mb;
    state.counters["shown_index_MB"] = double(model().rowCount()) * sizeof(int) / mb;
    state.counters["text_utf8_MB"] = double(utf8) / mb;
    state.counters["text_utf16_MB"] = utf16 / mb;
    state.counters["x_utf8"] = memory / double(utf8);
    state.counters["x_utf16"] = memory / utf16;
    state.counters["rows"] = rows.rowCount();
}

} // namespace

BENCHMARK(BM_CatDataAndMemos)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildRows)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_ReadShownFields)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_OpenWindow)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_TypeTitle)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_TypeSakali)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_TypeTitleLentOnly)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_TypeTitleInWindow)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_FreshFilter)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Backspace)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_LentOnlyBox)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_SortByTitle)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ModelMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char **argv)
{
    // The window keeps its size and columns in the settings: in a directory
    // of the run, never the user's own.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config.path());
    return runWidgetBenchmarks(argc, argv);
}
