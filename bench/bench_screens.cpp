// The cassette screens on a catalogue of 99,999 cassettes: the number walk
// of the new cassette screen, and opening the edit and browse screens as the
// main window does it, up to the shown screen.

#include "Catalogue.h"
#include "cassettes/CassetteRules.h"

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

} // namespace

BENCHMARK(BM_NextFreeNumbers)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
