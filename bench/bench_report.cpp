// The report pane with 50,000 lines: filled in line mode and in document
// mode (the RTF built and assigned), each up to the laid-out document.

#include "BenchApp.h"
#include "printing/ReportPane.h"
#include "printing/ReportPrint.h"
#include "writer/ReportText.h"
#include "writer/RtfDocument.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTextDocument>
#include <benchmark/benchmark.h>

using namespace velmora;

namespace {

constexpr int kLines = 50000;
const QString kRow = QStringLiteral("     %-30s  %-20s  %-8s  %-4s ");

// A cassette list: a blue number line and four red film lines per cassette.
QString row(int i)
{
    return report::format(kRow, {QStringLiteral("Film číslo %1 – Žluťoučký kůň").arg(i),
                                 QStringLiteral("Komedie"), report::timeText(i % 300),
                                 QStringLiteral("SP")});
}

QString numberLine(int i)
{
    return QStringLiteral("     Číslo kazety: %1").arg(i / 5 + 1, 5, 10, QLatin1Char('0'));
}

void fillLineMode(ReportPane &pane)
{
    pane.beginBuild();
    for (int i = 0; i < kLines; ++i) {
        if (i % 5 == 0) {
            pane.setAttributes(report::kBlue, 10, true);
            pane.appendLine(numberLine(i));
        } else {
            pane.setAttributes(report::kRed, 8, false);
            pane.appendLine(row(i));
        }
    }
    pane.endBuild();
}

QByteArray buildDocument()
{
    rtf::Document doc;
    doc.reserve(kLines * 90);
    doc.header(rtf::kColourTableA,
               QStringLiteral("\\viewkind4\\uc1\\pard\\cf1\\b\\lang1029\\f0\\fs20"));
    for (int i = 0; i < kLines; ++i) {
        if (i % 5 == 0)
            doc.add(QStringLiteral("\\cf2\\b\\fs20 ") + numberLine(i) + QStringLiteral("\\par"));
        else
            doc.add(QStringLiteral("\\cf3\\b0\\fs16 ") + rtf::escape(row(i)) +
                    QStringLiteral("\\par"));
    }
    doc.close();
    return doc.bytes();
}

// A shown pane, settled as a report screen's pane is when it builds.
struct ShownPane
{
    ShownPane()
    {
        pane.resize(800, 600);
        pane.show();
        QApplication::processEvents();
    }
    ReportPane pane;
};

// Argument 0: until the pane answers again (the rest of the layout runs in
// steps between events); 1: up to the whole document laid out.
void finish(ReportPane &pane, benchmark::State &state)
{
    if (state.range(0) == 1)
        benchmark::DoNotOptimize(pane.document()->size());
}

void BM_LineMode50000(benchmark::State &state)
{
    ShownPane shown;
    for (auto _ : state) {
        fillLineMode(shown.pane);
        finish(shown.pane, state);
        state.PauseTiming();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["lines"] = shown.pane.lines().size();
}

void BM_DocumentMode50000(benchmark::State &state)
{
    ShownPane shown;
    for (auto _ : state) {
        shown.pane.beginBuild();
        shown.pane.setRtf(buildDocument());
        shown.pane.endBuild();
        finish(shown.pane, state);
        state.PauseTiming();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["lines"] = shown.pane.lines().size();
    state.counters["bytes"] = double(shown.pane.rtf().size());
}

void BM_RtfBuildOnly50000(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(buildDocument());
}

void BM_PdfOf50000Lines(benchmark::State &state)
{
    ReportPane pane;
    fillLineMode(pane);
    QTemporaryDir dir;
    for (auto _ : state)
        benchmark::DoNotOptimize(report::writePdf(*pane.document(), dir.filePath("r.pdf")));
}

} // namespace

BENCHMARK(BM_LineMode50000)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DocumentMode50000)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RtfBuildOnly50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PdfOf50000Lines)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char **argv)
{
    return velmora::bench::runWidgetBenchmarks(argc, argv);
}
