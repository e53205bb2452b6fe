// The lending screens on the full catalogue: 99,999 cassettes of which
// 20,000 are lent, and an archive of 200,000 finished loans by 3,000
// people. Each screen is opened as the menu opens it, up to its first
// paint. The rows carry x_cat, their time over `cat archiv.dbf` in the
// same run.

#include "BenchApp.h"
#include "Catalogue.h"
#include "lending/AwayScreen.h"
#include "lending/HistoryScreen.h"
#include "lending/LoanCharts.h"
#include "storage/DateText.h"
#include "storage/LoanRecords.h"

#include <QApplication>
#include <QFile>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>

using namespace velmora;
using namespace velmora::bench;

namespace {

constexpr int kArchiveRows = 200000;
constexpr int kPeople = 3000;

QDir lendingDir()
{
    QDir d(workDir().filePath(QStringLiteral("lending")));
    QDir().mkpath(d.path());
    return d;
}

QString lendingPath(const char *name)
{
    return lendingDir().filePath(QLatin1String(name));
}

QString person(int i)
{
    return QStringLiteral("Čtenář %1").arg(i % kPeople, 4, 10, QLatin1Char('0'));
}

// The shared catalogue with every fifth cassette lent, some long ago, and
// an archive of returns spread over all cassettes and people.
void fillLending()
{
    ensureCatalogue();
    for (const QString &f : Table::existingFiles(dataPath())) {
        const QString target = lendingDir().filePath(QFileInfo(f).fileName());
        QFile::remove(target);
        QFile::copy(f, target);
    }
    Table data;
    data.setPath(lendingPath("data.dbf"));
    data.open(Table::Mode::Exclusive);
    data.beginBatch();
    const LoanColumns loan(data);
    const QDate today = QDate::currentDate();
    int i = 0;
    for (data.first(); !data.eof(); data.next(), ++i) {
        const bool lent = i % 5 == 0;
        data.edit();
        loan.write(data, {lent, lent ? person(i) : QString(),
                          lent ? shortDate(today.addDays(-(i % 40))) : QString(), 14});
        data.post();
    }
    data.endBatch();
    data.close();

    const TableSchema s = schema::cassetteArchive();
    Table::create(lendingPath("archiv.dbf"), s.fields, s.tags);
    Table archive;
    archive.setPath(lendingPath("archiv.dbf"));
    archive.open(Table::Mode::Exclusive);
    archive.beginBatch();
    const ArchiveColumns columns(archive);
    for (int r = 0; r < kArchiveRows; ++r) {
        archive.append();
        columns.write(archive, {QStringLiteral("E 240"),
                                QStringLiteral("%1").arg(1 + (r * 7919) % kCassettes, 5, 10,
                                                         QLatin1Char('0')),
                                QString(), person(r * 31), QStringLiteral("01.02.2002"),
                                QStringLiteral("Vrácení: 10.02.2002")});
        archive.post();
    }
    archive.endBatch();
    archive.close();
}

void ensureLending()
{
    if (!QFile::exists(lendingPath("archiv.dbf")))
        fillLending();
}

double catMs()
{
    static const double median = [] {
        ensureLending();
        return catMedianMs(lendingPath("archiv.dbf"));
    }();
    return median;
}

TTitul &window()
{
    static TTitul *w = [] {
        ensureLending();
        auto *t = windowOver(lendingDir());
        t->settings().storedSystemCode = QStringLiteral("1");
        return t;
    }();
    return *w;
}

// Opens a table as the menu's guard does, then the screen up to its first
// paint, and closes both.
template <typename Screen> void openScreen(benchmark::State &state, Table &table, bool lentOnly)
{
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (lentOnly) {
            table.setFilter(QStringLiteral("Pujceno=True"));
            table.setFiltered(true);
        }
        table.open();
        {
            Screen screen(window().session(), &window());
            screen.show();
            QApplication::processEvents();
            screen.close();
        }
        table.setFiltered(false);
        table.setFilter(QString());
        table.close();
        total += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                     .count();
    }
    if (state.iterations() > 0 && catMs() > 0)
        state.counters["x_cat"] = total / double(state.iterations()) / catMs();
    state.counters["cat_ms"] = catMs();
}

void BM_CatArchive(benchmark::State &state)
{
    for (auto _ : state)
        state.SetIterationTime(catMs() / 1000.0);
}

void BM_OpenCassettesAway(benchmark::State &state)
{
    Table &t = window().tables().Table1;
    t.setIndex(QStringLiteral("cislo"));
    openScreen<TZobrazeni_zapujcek>(state, t, true);
}

void BM_OpenPersonHistory(benchmark::State &state)
{
    openScreen<TSledovani_podle_osoby>(state, window().tables().Table2, false);
}

void BM_OpenCassetteHistory(benchmark::State &state)
{
    openScreen<TSledovani_kazety>(state, window().tables().Table2, false);
}

void BM_OpenChartByPerson(benchmark::State &state)
{
    openScreen<TZobraz_archiv_vk_dografu2>(state, window().tables().Table2, false);
}

void BM_OpenChartByNumber(benchmark::State &state)
{
    openScreen<TZobraz_archiv_vk_dografu>(state, window().tables().Table2, false);
}

} // namespace

BENCHMARK(BM_CatArchive)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenCassettesAway)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_OpenPersonHistory)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_OpenCassetteHistory)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_OpenChartByPerson)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_OpenChartByNumber)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

int main(int argc, char **argv)
{
    return runWidgetBenchmarks(argc, argv);
}
