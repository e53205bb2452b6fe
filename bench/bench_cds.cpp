// The CD screens on a catalogue of 20,000 titles and 300,000 tracks: each
// screen opened as the menu opens it, an edited title of 40 tracks saved,
// and the track list of the largest disc written in both pane modes. The
// rows carry x_cat, their time over `cat cd02.dbf` in the same run.

#include "BenchApp.h"
#include "CdsCatalogue.h"
#include "catalogue/CdCatalogue.h"
#include "catalogue/CdRules.h"
#include "catalogue/TrackListReport.h"
#include "cds/DeleteCdTitle.h"
#include "cds/EditCdTitle.h"
#include "cds/NewCdTitle.h"
#include "cds/ShowCdTitles.h"
#include "finding/SongSearch.h"
#include "printing/PaneWriter.h"
#include "printing/ReportPane.h"
#include "search/SongSearchScreen.h"

#include <QApplication>
#include <algorithm>
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

void ratio(benchmark::State &state, double totalMs)
{
    if (state.iterations() > 0 && catMs() > 0)
        state.counters["x_cat"] = totalMs / double(state.iterations()) / catMs();
    state.counters["cat_ms"] = catMs();
}

TTitul &window()
{
    static TTitul *w = [] {
        ensureCds();
        return windowOver(cdDir());
    }();
    return *w;
}

// As the CD menu does it: cd01.dbf open for the screens that need data,
// the screen created and shown up to its first paint.
template <typename Screen> void openScreen(benchmark::State &state, bool opensTable)
{
    TTitul &w = window();
    Table &t = w.tables().CD_Table1;
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (opensTable)
            t.open();
        {
            Screen screen(w.session(), &w);
            screen.show();
            QApplication::processEvents();
            screen.close();
        }
        t.setFiltered(false);
        t.close();
        total += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                     .count();
    }
    ratio(state, total);
}

void BM_CatCd02(benchmark::State &state)
{
    for (auto _ : state)
        state.SetIterationTime(catMs() / 1000.0);
}

void BM_OpenNewTitleScreen(benchmark::State &state)
{
    openScreen<TNovy_CD_disk>(state, false);
}

void BM_OpenEditTitleScreen(benchmark::State &state)
{
    openScreen<TOpravit_CD_disk>(state, true);
}

void BM_OpenShowScreen(benchmark::State &state)
{
    openScreen<TZobrazit_CD_Data>(state, true);
}

void BM_OpenDeleteScreen(benchmark::State &state)
{
    openScreen<TZrusit_CD>(state, true);
}

// Replacing the 40 tracks of a title and its record, as "Uložit změny" does.
void BM_SaveEditedTitleOf40Tracks(benchmark::State &state)
{
    TTitul &w = window();
    Table &titles = w.tables().CD_Table1;
    Table &tracks = w.tables().CD_Table2;
    titles.open();
    tracks.open();
    titles.setIndex(QStringLiteral("cislocd"));
    titles.locate(QStringLiteral("Cislocd"), QStringLiteral("10000"));
    CdTitle title = CdTitleColumns(titles).read(titles);
    std::vector<CdTrack> rows;
    for (int n = 1; n <= 40; ++n)
        rows.push_back({title.number, discLabel(1 + n / 21), n, QStringLiteral("Nová %1").arg(n),
                        200 + n, QStringLiteral("Rock"), QStringLiteral("Ona")});
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        saveEditedTitle(titles, tracks, title, rows);
        total += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                     .count();
    }
    ratio(state, total);
    titles.close();
    tracks.close();
}

// The show screen's pane for the largest disc of the largest title.
void trackList(benchmark::State &state, report::Mode mode)
{
    TTitul &w = window();
    Table &tracks = w.tables().CD_Table2;
    tracks.open(Table::Mode::ReadOnly);
    const QString number = QStringLiteral("%1").arg(kTitles, 5, 10, QLatin1Char('0'));
    ReportPane pane;
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const std::vector<CdTrack> all = titleTracks(tracks, number);
        const std::vector<CdTrack> disc = discTracks(all, discLabels(all).first());
        report::write(pane, mode, [&](ReportWriter &wr) { writeTrackList(wr, 1, disc); });
        total += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                     .count();
        state.counters["lines"] = double(pane.lines().size());
    }
    ratio(state, total);
    tracks.setFiltered(false);
    tracks.close();
}

void BM_TrackListLineMode(benchmark::State &state)
{
    trackList(state, report::Mode::Line);
}

void BM_TrackListDocumentMode(benchmark::State &state)
{
    trackList(state, report::Mode::Document);
}

// The song search as the CD menu opens it: its result table of 300,000
// tracks is built then.
void BM_OpenSongSearch(benchmark::State &state)
{
    openScreen<THledej_Skladbu>(state, true);
}

// The search proper over the result table of an open screen. Every track
// name holds "skladba" (300,000 rows pass, every title counted); "z alba
// 7" passes the tracks of 1,111 titles; "Zzz" none, the walk alone.
void songSearch(benchmark::State &state, const QString &text)
{
    TTitul &w = window();
    w.tables().CD_Table1.open();
    THledej_Skladbu screen(w.session(), &w);
    screen.show();
    QApplication::processEvents();
    size_t found = 0;
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const SongSearchResult r = runSongSearch(screen.rows(), {text, "*", "*"}, false);
        total += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                     .count();
        found = r.rows.size();
        benchmark::DoNotOptimize(found);
    }
    screen.close();
    w.tables().CD_Table1.close();
    state.counters["found"] = double(found);
    ratio(state, total);
}

void BM_SongSearchEveryTrack(benchmark::State &state)
{
    songSearch(state, QStringLiteral("skladba"));
}

void BM_SongSearchSomeTitles(benchmark::State &state)
{
    songSearch(state, QStringLiteral("z alba 7"));
}

void BM_SongSearchNothing(benchmark::State &state)
{
    songSearch(state, QStringLiteral("Zzz"));
}

} // namespace

BENCHMARK(BM_CatCd02)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenNewTitleScreen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenEditTitleScreen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenShowScreen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenDeleteScreen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveEditedTitleOf40Tracks)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TrackListLineMode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TrackListDocumentMode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenSongSearch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SongSearchEveryTrack)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SongSearchSomeTitles)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SongSearchNothing)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    return runWidgetBenchmarks(argc, argv);
}
