// Cassette labels on the full catalogue of 99,999 cassettes: the sheet
// screen opened as the menu opens it (both lists of every number), and a
// PDF of 200 sheets saved through its button: 1,130 cassettes from the
// first, 113 sheets of face labels and 87 of spine labels. Beside `cat
// data.dbf` of the same run.

#include "BenchApp.h"
#include "Catalogue.h"
#include "platform/Dialogs.h"
#include "reports/LabelsScreen.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <benchmark/benchmark.h>
#include <chrono>

using namespace velmora;
using namespace velmora::bench;

namespace {

constexpr int kCassettesFor200Sheets = 1130; // 113 + 87 sheets

// Stands in for the user at the file dialog.
class SaveTo : public Answerer
{
public:
    bool answer(MessageKind, const QString &, const QString &text) override
    {
        qWarning("%s", qPrintable(text));
        return true;
    }
    int screen(QDialog &) override { return 0; }
    QString saveFileName(const QString &, const QString &, const QString &) override
    {
        return file;
    }
    QString file = workDir().filePath(QStringLiteral("labels/etikety.pdf"));
};

// The catalogue linked into labels/ under the bench directory, data.dbf
// open in number order as the menu leaves it for the screen.
TTitul &window()
{
    static TTitul *w = [] {
        ensureCatalogue();
        QDir dir(workDir().filePath(QStringLiteral("labels")));
        QDir().mkpath(dir.path());
        for (const QString &f : Table::existingFiles(dataPath()))
            QFile::link(f, dir.filePath(QFileInfo(f).fileName()));
        auto *t = windowOver(dir);
        t->tables().Table1.open(Table::Mode::ReadOnly);
        t->tables().Table1.setIndex(QStringLiteral("cislo"));
        return t;
    }();
    return *w;
}

void report(benchmark::State &state, double totalMs)
{
    if (state.iterations() > 0 && catalogueCatMs() > 0)
        state.counters["x_cat"] = totalMs / double(state.iterations()) / catalogueCatMs();
    state.counters["cat_ms"] = catalogueCatMs();
}

void BM_CatData(benchmark::State &state)
{
    for (auto _ : state)
        state.SetIterationTime(catalogueCatMs() / 1000.0);
}

void BM_OpenSheetScreen(benchmark::State &state)
{
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        {
            TVice_Etiket screen(window().session(), &window());
            screen.show();
            QApplication::processEvents();
            screen.close();
        }
        total += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                     .count();
    }
    report(state, total);
}

void BM_Pdf200Sheets(benchmark::State &state)
{
    SaveTo user;
    dialogs::setAnswerer(&user);
    TVice_Etiket screen(window().session(), &window());
    screen.show();
    QApplication::processEvents();
    auto *max = screen.findChild<QComboBox *>(QStringLiteral("Max_VK"));
    max->setCurrentIndex(kCassettesFor200Sheets - 1);
    const QString estimate = screen.findChild<QLabel *>(QStringLiteral("Label8"))->text();
    if (estimate != QStringLiteral("Potřebujete k vytištění: 200 x A4 !"))
        state.SkipWithError(qPrintable(estimate));
    auto *pdf = screen.findChild<QPushButton *>(QStringLiteral("Ulozit_PDF"));
    double total = 0;
    for (auto _ : state) {
        QFile::remove(user.file);
        const auto start = std::chrono::steady_clock::now();
        pdf->click();
        total += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                     .count();
    }
    state.counters["pdf_MB"] = double(QFile(user.file).size()) / (1024.0 * 1024.0);
    report(state, total);
    screen.close();
    dialogs::setAnswerer(nullptr);
}

} // namespace

BENCHMARK(BM_CatData)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenSheetScreen)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Pdf200Sheets)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

int main(int argc, char **argv)
{
    return runWidgetBenchmarks(argc, argv);
}
