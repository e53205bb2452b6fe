// The sorted lists on the full catalogues: every film of 99,999 cassettes
// (about 500,000) and every song of the CD tables of bench_cds (300,000),
// linked into sorted/ under the bench directory. Measured: the menu command
// up to the shown screen whose pane answers again (work table made and
// filled, list written under the progress window), in line mode (argument
// 1) and document mode (4); the copy into the work table; the sorting (the
// order's tag built over the filled work table). Beside `cat` of the
// source table of the same run; cpu_ms is the processor time of the menu
// figures, which a busy shared machine does not stretch.

#include "BenchApp.h"
#include "Catalogue.h"
#include "app/Screens.h"
#include "listing/SortedReports.h"
#include "platform/Dialogs.h"
#include "session/Commands.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <benchmark/benchmark.h>
#include <chrono>
#include <ctime>

using namespace velmora;
using namespace velmora::bench;

namespace {

// This process's processor time, which other work on a shared machine does
// not stretch.
double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1000.0 + double(t.tv_nsec) / 1e6;
}

QDir sortedDir()
{
    QDir d(workDir().filePath(QStringLiteral("sorted")));
    QDir().mkpath(d.path());
    return d;
}

QString cdTracksPath()
{
    return workDir().filePath(QStringLiteral("cds/cd02.dbf"));
}

double catMs(const QString &path)
{
    static QHash<QString, double> medians;
    if (!medians.contains(path))
        medians[path] = catMedianMs(path);
    return medians[path];
}

// The cassette catalogue and the CD tables of bench_cds as one data
// directory, under a main window with every screen registered.
TTitul &window()
{
    static TTitul *w = [] {
        ensureCatalogue();
        const QDir dir = sortedDir();
        const QDir cds(workDir().filePath(QStringLiteral("cds")));
        for (const QString &f : Table::existingFiles(dataPath()))
            QFile::link(f, dir.filePath(QFileInfo(f).fileName()));
        for (const char *name : {"cd01.dbf", "cd02.dbf"})
            if (QFile::exists(cds.filePath(QLatin1String(name))))
                QFile::link(cds.filePath(QLatin1String(name)), dir.filePath(QLatin1String(name)));
        TTitul *t = windowOver(dir);
        registerScreens(*t);
        return t;
    }();
    return *w;
}

// Stands in for the user: the screen is shown, the events after its
// preparation are handled (the pane answers), the moment is taken and the
// screen closed with its close button's action.
class Answers : public Answerer
{
public:
    bool answer(MessageKind, const QString &, const QString &text) override
    {
        messages << text;
        return true;
    }
    int screen(QDialog &d) override
    {
        d.show();
        QApplication::processEvents();
        answered = Clock::now();
        answeredCpu = cpuMs();
        d.reject();
        QApplication::processEvents();
        return d.result();
    }
    Clock::time_point answered;
    double answeredCpu = 0;
    QStringList messages;
};

void fromMenu(benchmark::State &state, const char *action, TTitul::Section section,
              const QString &source)
{
    if (!QFile::exists(source)) {
        state.SkipWithError("catalogue missing; run bench_cds first");
        return;
    }
    TTitul &w = window();
    w.settings().storedSystemCode = QString::number(state.range(0));
    const MenuEntry *entry = w.entryFor(QLatin1String(action), section);
    Answers answers;
    dialogs::setAnswerer(&answers);
    double total = 0, cpu = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        const double startCpu = cpuMs();
        w.runEntry(*entry);
        const double ms =
            std::chrono::duration<double, std::milli>(answers.answered - start).count();
        state.SetIterationTime(ms / 1000.0);
        total += ms;
        cpu += answers.answeredCpu - startCpu;
    }
    dialogs::setAnswerer(nullptr);
    if (!answers.messages.isEmpty())
        state.SkipWithError(answers.messages.first().toUtf8().constData());
    if (state.iterations() > 0 && catMs(source) > 0)
        state.counters["x_cat"] = total / double(state.iterations()) / catMs(source);
    state.counters["cat_ms"] = catMs(source);
    if (state.iterations() > 0)
        state.counters["cpu_ms"] = cpu / double(state.iterations());
}

void BM_CatData(benchmark::State &state)
{
    ensureCatalogue();
    for (auto _ : state)
        state.SetIterationTime(catMs(dataPath()) / 1000.0);
}

void BM_CatTracks(benchmark::State &state)
{
    for (auto _ : state)
        state.SetIterationTime(catMs(cdTracksPath()) / 1000.0);
}

void BM_FilmListFromMenu(benchmark::State &state)
{
    fromMenu(state, "printing.cassetteSorted", TTitul::Cassettes, dataPath());
}

void BM_SongListFromMenu(benchmark::State &state)
{
    fromMenu(state, "printing.cdTracksSorted", TTitul::Cds, cdTracksPath());
}

// The copy into the work table (argument 0) or the sorting of the filled
// work table by its first order (argument 1).
void workTable(benchmark::State &state, bool films)
{
    const QString source = films ? dataPath() : cdTracksPath();
    if (!QFile::exists(source)) {
        state.SkipWithError("catalogue missing; run bench_cds first");
        return;
    }
    ensureCatalogue();
    Table catalogue;
    catalogue.setPath(source);
    catalogue.open(Table::Mode::ReadOnly);
    catalogue.setIndex(films ? QStringLiteral("cislo") : QStringLiteral("cislocd"));
    Table work;
    const auto fill = [&] {
        if (films) {
            createSortedTable(work, sortedWorkPath(), sortedFilmFields(), sortedFilmTags());
            return copyFilms(catalogue, work);
        }
        createSortedTable(work, sortedWorkPath(), sortedTrackFields(), sortedTrackTags());
        return copyTracks(catalogue, work);
    };
    int rows = 0;
    if (state.range(0) == 0) {
        for (auto _ : state)
            rows = fill();
    } else {
        rows = fill();
        for (auto _ : state) {
            state.PauseTiming();
            work.close();
            work.setIndex(QString());
            work.open();
            state.ResumeTiming();
            work.setIndex(films ? QStringLiteral("film") : QStringLiteral("track"));
            work.first();
        }
    }
    removeSortedTable(work);
    state.counters["rows"] = rows;
    state.counters["cat_ms"] = catMs(source);
}

void BM_FilmWorkTable(benchmark::State &state)
{
    workTable(state, true);
}

void BM_SongWorkTable(benchmark::State &state)
{
    workTable(state, false);
}

} // namespace

BENCHMARK(BM_CatData)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CatTracks)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilmWorkTable)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_SongWorkTable)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_FilmListFromMenu)
    ->Arg(1)
    ->Arg(4)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_SongListFromMenu)
    ->Arg(1)
    ->Arg(4)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

int main(int argc, char **argv)
{
    return runWidgetBenchmarks(argc, argv);
}
