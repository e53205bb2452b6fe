// The film search on a catalogue of 99,999 cassettes (499,995 films):
// opening the screen as the menu command does (the result table is built
// then), the search proper for a word in every title, and whole searches
// from the click to the filled pane in both modes, either until the pane
// answers again or up to the whole document laid out.

#include "BenchApp.h"
#include "Catalogue.h"
#include "core/MainWindow.h"
#include "finding/FilmSearch.h"
#include "printing/ReportPane.h"
#include "search/FilmSearchScreen.h"
#include "storage/Paths.h"
#include "storage/Storage.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTextDocument>
#include <benchmark/benchmark.h>
#include <memory>

using namespace velmora;
using namespace velmora::bench;

namespace {

// The main window over the benchmark's data directory; its tables are the
// generated catalogue and the default user lists.
TTitul &window()
{
    static TTitul *w = [] {
        ensureCatalogue();
        return windowOver(workDir());
    }();
    return *w;
}

// The screen as the command shows it, with data.dbf open in number order.
struct OpenScreen
{
    OpenScreen() : w(window())
    {
        w.tables().Table1.open();
        w.tables().Table1.setIndex(QStringLiteral("cislo"));
        screen = std::make_unique<THledej_film>(w.session(), &w);
        screen->show();
        QApplication::processEvents();
    }
    ~OpenScreen()
    {
        screen->close();
        screen.reset();
        w.tables().Table1.close();
    }
    void search(const QString &text)
    {
        screen->findChild<QLineEdit *>(QStringLiteral("Edit1"))->setText(text);
        screen->findChild<QPushButton *>(QStringLiteral("BitBtn2"))->click();
    }
    TTitul &w;
    std::unique_ptr<THledej_film> screen;
};

void BM_OpenFilmSearch(benchmark::State &state)
{
    TTitul &w = window();
    Table &t = w.tables().Table1;
    int films = 0;
    for (auto _ : state) {
        t.open();
        t.setIndex(QStringLiteral("cislo"));
        {
            THledej_film screen(w.session(), &w);
            screen.show();
            QApplication::processEvents();
            films = int(screen.rows().size());
            screen.close();
        }
        t.close();
    }
    state.counters["films"] = films;
}

// The result table alone, as the screen builds it when it opens.
void BM_BuildFilmRows(benchmark::State &state)
{
    TTitul &w = window();
    Table &t = w.tables().Table1;
    t.open();
    t.setIndex(QStringLiteral("cislo"));
    for (auto _ : state)
        benchmark::DoNotOptimize(buildFilmRows(t));
    t.close();
}

// The search proper over the result table: "číslo" is in every title, so
// every row passes and every cassette is collected.
void BM_SearchCommonWord(benchmark::State &state)
{
    OpenScreen open;
    const std::vector<FilmRow> &rows = open.screen->rows();
    size_t found = 0;
    for (auto _ : state) {
        const FilmSearchResult r =
            runFilmSearch(rows, {QStringLiteral("číslo"), "*", "*", "*"}, false);
        found = r.rows.size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["found"] = double(found);
}

// The same with a word in no title: the cost of the walk alone.
void BM_SearchRareWord(benchmark::State &state)
{
    OpenScreen open;
    const std::vector<FilmRow> &rows = open.screen->rows();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            runFilmSearch(rows, {QStringLiteral("Zzz"), "*", "*", "*"}, false));
}

// A click on "Vyhledat !" up to the filled pane. Arguments: Setup_OS ("1"
// line mode, "4" document mode) and 0 for the pane answering again (the
// rest of the layout runs in steps between events) or 1 for the whole
// document laid out.
void click(benchmark::State &state, const QString &text)
{
    OpenScreen open;
    open.w.settings().storedSystemCode = QString::number(state.range(0));
    for (auto _ : state) {
        open.search(text);
        if (state.range(1) == 1)
            benchmark::DoNotOptimize(open.screen->pane()->document()->size());
        state.PauseTiming();
        // A changed text empties the pane, outside the figure.
        open.search(QString());
        QApplication::processEvents();
        state.ResumeTiming();
    }
    open.search(text);
    state.counters["lines"] = open.screen->pane()->lines().size();
}

// "číslo 1" is in the titles of the cassettes 1, 10-19, 100-199 and so on:
// 11,111 cassettes, 55,555 lines.
void BM_SearchClick55555Lines(benchmark::State &state)
{
    click(state, QStringLiteral("číslo 1"));
}

// "číslo 12": 1,111 cassettes, 5,555 lines.
void BM_SearchClick5555Lines(benchmark::State &state)
{
    click(state, QStringLiteral("číslo 12"));
}

// "*": every film, 499,995 lines.
void BM_StarSearchClick(benchmark::State &state)
{
    click(state, QStringLiteral("*"));
}

void modes(benchmark::internal::Benchmark *b)
{
    b->ArgNames({"Setup_OS", "laid_out"});
    for (const int os : {1, 4})
        for (const int laid : {0, 1})
            b->Args({os, laid});
}

} // namespace

BENCHMARK(BM_OpenFilmSearch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildFilmRows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchCommonWord)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchRareWord)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchClick5555Lines)->Apply(modes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchClick55555Lines)->Apply(modes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StarSearchClick)->Apply(modes)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char **argv)
{
    return velmora::bench::runWidgetBenchmarks(argc, argv);
}
