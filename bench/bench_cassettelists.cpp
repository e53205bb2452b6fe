// The list of every cassette over the catalogue of 99,999 cassettes, as the
// print menu opens it, until the pane answers again, in both modes, beside
// `cat data.dbf` of the same run.

#include "BenchApp.h"
#include "Catalogue.h"
#include "printing/ReportPane.h"
#include "reports/CassetteListScreen.h"

#include <QApplication>
#include <QTextDocument>
#include <benchmark/benchmark.h>
#include <chrono>

using namespace velmora;
using namespace velmora::bench;

namespace {

TTitul &window()
{
    static TTitul *w = [] {
        ensureCatalogue();
        return windowOver(workDir());
    }();
    return *w;
}

void BM_CatData(benchmark::State &state)
{
    for (auto _ : state)
        state.SetIterationTime(catalogueCatMs() / 1000.0);
}

// Argument: Setup_OS, 1 line mode, 4 document mode.
void BM_ListOfEveryCassette(benchmark::State &state)
{
    TTitul &w = window();
    w.settings().storedSystemCode = QString::number(state.range(0));
    Table &t = w.tables().Table1;
    double total = 0;
    int lines = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        t.open();
        t.setIndex(QStringLiteral("cislo"));
        {
            TTisk screen(w.session(), &w);
            screen.show();
            QApplication::processEvents();
            const double ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count();
            state.SetIterationTime(ms / 1000.0);
            total += ms;
            lines = int(screen.pane()->lines().size());
            screen.close();
        }
        t.close();
    }
    state.counters["lines"] = lines;
    if (state.iterations() > 0 && catalogueCatMs() > 0)
        state.counters["x_cat"] = total / double(state.iterations()) / catalogueCatMs();
    state.counters["cat_ms"] = catalogueCatMs();
}

} // namespace

BENCHMARK(BM_CatData)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListOfEveryCassette)
    ->Arg(1)
    ->Arg(4)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

int main(int argc, char **argv)
{
    return velmora::bench::runWidgetBenchmarks(argc, argv);
}
