// The cassette screens on a catalogue of 99,999 cassettes: the number walk
// of the new cassette screen, and opening the edit and browse screens as the
// main window does it, up to the shown screen.

#include "BenchApp.h"
#include "Catalogue.h"
#include "cassettes/BrowseCassette.h"
#include "cassettes/EditCassette.h"
#include "catalogue/CassetteRules.h"
#include "core/MainWindow.h"
#include "storage/Paths.h"
#include "storage/Storage.h"

#include <QApplication>
#include <benchmark/benchmark.h>

using namespace velmora;
using namespace velmora::bench;

namespace {

void BM_NextFreeNumbers(benchmark::State &state)
{
    ensureCatalogue();
    Table t;
    t.setPath(dataPath());
    t.setIndex(QStringLiteral("cislo"));
    t.open(Table::Mode::ReadOnly);
    for (auto _ : state)
        benchmark::DoNotOptimize(NextFreeNumbers(t, QStringLiteral("cislo")));
}

// The main window over the benchmark's data directory; its tables are the
// generated catalogue and empty user lists.
TTitul &window()
{
    static TTitul *w = [] {
        ensureCatalogue();
        return windowOver(workDir());
    }();
    return *w;
}

// As a menu command does it: open data.dbf with the number tag, create the
// screen and show it, up to its first paint.
template <typename Screen> void openScreen(benchmark::State &state)
{
    TTitul &w = window();
    Table &t = w.tables().Table1;
    for (auto _ : state) {
        t.open();
        t.setIndex(QStringLiteral("cislo"));
        {
            Screen screen(w.session(), &w);
            screen.show();
            QApplication::processEvents();
            screen.close();
        }
        t.close();
    }
}

void BM_OpenEditScreen(benchmark::State &state)
{
    openScreen<TUprav_kazetu>(state);
}

void BM_OpenBrowseScreen(benchmark::State &state)
{
    openScreen<TProhlizej_kazetu>(state);
}

} // namespace

BENCHMARK(BM_NextFreeNumbers)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenEditScreen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenBrowseScreen)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    return velmora::bench::runWidgetBenchmarks(argc, argv);
}
