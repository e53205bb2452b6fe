// The film search over imported catalogues: 20 owners with 10,000 cassettes
// each (1,000,000 films), registered in Source.dbf under EXTERNI of a data
// directory of its own (external-search/ under the bench directory). It measures
// opening the screen as the menu does (every catalogue read into the result
// table), the search proper for a word in every title and for one in none,
// and whole searches from the click to the filled pane in both modes. The
// rows carry cat_ms, `cat` of the 20 data.dbf files in the same run, and
// x_cat, their time over it.

#include "BenchApp.h"
#include "Catalogue.h"
#include "exchange/ExternalFilmSearchScreen.h"
#include "printing/ReportPane.h"
#include "transfer/ExchangeFiles.h"
#include "transfer/ExternalSearch.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>

using namespace velmora;
using namespace velmora::bench;
using namespace velmora::exchange;

namespace {

constexpr int kOwners = 20;
constexpr int kCassettesEach = 10000;

QDir externalDir()
{
    QDir dir = workDir();
    dir.mkpath(QStringLiteral("external-search"));
    dir.cd(QStringLiteral("external-search"));
    return dir;
}

QString owner(int i)
{
    return QStringLiteral("Vlastník %1").arg(i, 2, 10, QLatin1Char('0'));
}

// One catalogue is generated and copied to every owner; the register names
// them in order. Kept between runs in VELMORA_BENCH_DIR.
void ensureCatalogues()
{
    Paths::setDataDir(externalDir().absolutePath() + QLatin1Char('/'));
    QDir().mkpath(Paths::externiDir());
    if (registerExists(Catalogue::Cassettes))
        return;
    const QString first = catalogueDir(Catalogue::Cassettes, owner(1));
    QDir().mkpath(first);
    fillCatalogue(first + QStringLiteral("/data.dbf"), kCassettesEach);
    Table reg;
    reg.setPath(registerPath(Catalogue::Cassettes) + QStringLiteral(".new"));
    reg.create(registerFields());
    reg.open();
    for (int i = 1; i <= kOwners; ++i) {
        const QString dir = catalogueDir(Catalogue::Cassettes, owner(i));
        if (i > 1) {
            QDir().mkpath(dir);
            for (const QString &name : {QStringLiteral("data.dbf"), QStringLiteral("data.dbt")})
                QFile::copy(first + QLatin1Char('/') + name, dir + QLatin1Char('/') + name);
        }
        reg.append();
        reg.setString("Day", QStringLiteral("01.02.2002"));
        reg.setString("User", owner(i));
        reg.setString("ToSource", dir);
        reg.post();
    }
    reg.close();
    // The register last: a run stopped half way generates again.
    QFile::rename(reg.path(), registerPath(Catalogue::Cassettes));
}

// `cat` of the 20 record files the opening reads; median of five.
double catMs()
{
    static const double median = [] {
        ensureCatalogues();
        QString files;
        for (int i = 1; i <= kOwners; ++i)
            files += QLatin1Char(' ') +
                     quoted(catalogueTable(Catalogue::Cassettes, owner(i), "data.dbf"));
        const QByteArray cmd = (QStringLiteral("cat") + files + " > /dev/null").toLocal8Bit();
        std::vector<double> runs;
        for (int i = 0; i < 5; ++i) {
            const auto start = std::chrono::steady_clock::now();
            if (std::system(cmd.constData()) != 0)
                return 0.0;
            runs.push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count());
        }
        std::sort(runs.begin(), runs.end());
        return runs[2];
    }();
    return median;
}

void ratio(benchmark::State &state, double totalMs)
{
    if (state.iterations() > 0 && catMs() > 0)
        state.counters["x_cat"] = totalMs / double(state.iterations()) / catMs();
    state.counters["cat_ms"] = catMs();
}

double since(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

TTitul &window()
{
    static TTitul *w = [] {
        ensureCatalogues();
        return windowOver(externalDir());
    }();
    return *w;
}

// The screen as the command shows it.
struct OpenScreen
{
    OpenScreen() : w(window())
    {
        screen = std::make_unique<THledej_Ext_Data>(w.session(), &w);
        screen->show();
        QApplication::processEvents();
    }
    ~OpenScreen() { screen->close(); }
    void search(const QString &text)
    {
        screen->findChild<QLineEdit *>(QStringLiteral("Edit1"))->setText(text);
        screen->findChild<QPushButton *>(QStringLiteral("BitBtn2"))->click();
    }
    TTitul &w;
    std::unique_ptr<THledej_Ext_Data> screen;
};

void BM_CatCatalogues(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(catMs());
    state.counters["cat_ms"] = catMs();
}

// From the command to the shown screen: the register and the 20 tables read.
void BM_OpenExternalFilmSearch(benchmark::State &state)
{
    TTitul &w = window();
    double total = 0;
    int films = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        {
            THledej_Ext_Data screen(w.session(), &w);
            screen.show();
            QApplication::processEvents();
            films = int(screen.films().rows.size());
            screen.close();
        }
        total += since(start);
    }
    state.counters["films"] = films;
    ratio(state, total);
}

// The search proper over the result table. "číslo" is in every title: every
// row passes and every owner is collected; "Zzz" is in none.
void searchProper(benchmark::State &state, const QString &text)
{
    OpenScreen open;
    const ExternalFilms &films = open.screen->films();
    double total = 0;
    size_t found = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const ExternalSearchResult r = runExternalFilmSearch(films, {text, "*", "*", "*"}, false);
        total += since(start);
        found = r.rows.size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["found"] = double(found);
    ratio(state, total);
}

void BM_SearchEveryTitle(benchmark::State &state)
{
    searchProper(state, QStringLiteral("číslo"));
}

void BM_SearchNoTitle(benchmark::State &state)
{
    searchProper(state, QStringLiteral("Zzz"));
}

// A click on "Vyhledat !" up to a pane that answers again. Argument:
// Setup_OS, 1 line mode and 4 document mode.
void click(benchmark::State &state, const QString &text)
{
    OpenScreen open;
    open.w.settings().storedSystemCode = QString::number(state.range(0));
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        open.search(text);
        total += since(start);
        state.PauseTiming();
        // A changed text empties the pane, outside the figure.
        open.search(QString());
        QApplication::processEvents();
        state.ResumeTiming();
    }
    open.search(text);
    state.counters["lines"] = open.screen->pane()->lines().size();
    ratio(state, total);
}

// "číslo 12": 111 cassettes of each owner, 11,100 lines.
void BM_SearchClick11100Lines(benchmark::State &state)
{
    click(state, QStringLiteral("číslo 12"));
}

// "číslo 1": 1,111 cassettes of each owner, 111,100 lines.
void BM_SearchClick111100Lines(benchmark::State &state)
{
    click(state, QStringLiteral("číslo 1"));
}

void modes(benchmark::internal::Benchmark *b)
{
    b->ArgName("Setup_OS");
    for (const int os : {1, 4})
        b->Arg(os);
}

} // namespace

BENCHMARK(BM_CatCatalogues)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_OpenExternalFilmSearch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchEveryTitle)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchNoTitle)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchClick11100Lines)->Apply(modes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchClick111100Lines)->Apply(modes)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    return velmora::bench::runWidgetBenchmarks(argc, argv);
}
