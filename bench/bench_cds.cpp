// The CD screens on a catalogue of 20,000 titles and 300,000 tracks: each
// screen opened as the menu opens it, an edited title of 40 tracks saved,
// and the track list of the largest disc written in both pane modes. The
// rows carry x_cat, their time over `cat cd02.dbf` in the same run.

#include "BenchApp.h"
#include "Catalogue.h"
#include "cds/CdCatalogue.h"
#include "cds/CdRules.h"
#include "cds/DeleteCdTitle.h"
#include "cds/EditCdTitle.h"
#include "cds/NewCdTitle.h"
#include "cds/ShowCdTitles.h"
#include "cds/TrackListReport.h"
#include "printing/ReportPane.h"
#include "printing/ReportWriter.h"
#include "search/SongSearch.h"
#include "search/SongSearchScreen.h"
#include "storage/CdRecords.h"

#include <QApplication>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>

using namespace velmora;
using namespace velmora::bench;

namespace {

constexpr int kTitles = 20000;
constexpr int kTracks = 300000;
// The title with the highest number, which every screen shows first, is
// the largest: 16 discs of 40 tracks.
constexpr int kLargestDiscs = 16;
constexpr int kLargestPerDisc = 40;

QDir cdDir()
{
    QDir d(workDir().filePath(QStringLiteral("cds")));
    QDir().mkpath(d.path());
    return d;
}

QString cdPath(const char *name)
{
    return cdDir().filePath(QLatin1String(name));
}

void fillCds()
{
    const TableSchema titles = schema::cdTitles();
    const TableSchema tracks = schema::cdTracks();
    Table::create(cdPath("cd01.dbf"), titles.fields, titles.tags);
    Table::create(cdPath("cd02.dbf"), tracks.fields, tracks.tags);
    Table t1, t2;
    t1.setPath(cdPath("cd01.dbf"));
    t2.setPath(cdPath("cd02.dbf"));
    t1.open(Table::Mode::Exclusive);
    t2.open(Table::Mode::Exclusive);
    t1.beginBatch();
    t2.beginBatch();
    const CdTitleColumns c1(t1);
    const CdTrackColumns c2(t2);
    const int largest = kLargestDiscs * kLargestPerDisc;
    const int perTitle = (kTracks - largest) / (kTitles - 1); // 14 or so
    int written = 0;
    for (int i = 1; i <= kTitles; ++i) {
        CdTitle title;
        title.size = QStringLiteral("700");
        title.number = QStringLiteral("%1").arg(i, 5, 10, QLatin1Char('0'));
        title.title = QStringLiteral("Album číslo %1").arg(i);
        title.artist = QStringLiteral("Interpret %1").arg(i % 700);
        title.acquired = QStringLiteral("01.02.2002");
        title.format = QStringLiteral("Originální CD");
        title.loan = {i % 10 == 0, i % 10 == 0 ? QStringLiteral("Šťastný") : QString(),
                      QStringLiteral("01.03.2002"), 14};
        t1.append();
        c1.writeNew(t1, title);
        c1.loan.write(t1, title.loan);
        t1.post();
        const bool last = i == kTitles;
        const int discs = last ? kLargestDiscs : 1 + i % 2;
        const int count =
            last ? largest : (i < kTitles - 1 ? perTitle : kTracks - written - largest);
        for (int n = 0; n < count; ++n) {
            const int disc = 1 + n * discs / count;
            t2.append();
            c2.write(t2, {title.number, discLabel(disc), 1 + n % (count / discs + 1),
                          QStringLiteral("Skladba %1 z alba %2").arg(n + 1).arg(i),
                          120 + (n * 37) % 300, QStringLiteral("Pop"),
                          QStringLiteral("Zpěvák %1").arg(n % 40)});
            t2.post();
            ++written;
        }
    }
    t1.endBatch();
    t2.endBatch();
}

void ensureCds()
{
    if (!QFile::exists(cdPath("cd02.dbf")))
        fillCds();
}

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
