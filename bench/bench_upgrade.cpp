// The format upgrade of a cassette catalogue of the intermediate generation
// (genres of 12 characters): 99,999 cassettes, every fifth with memo notes
// in two recordings, and the genre list. Each repetition starts from a
// fresh copy of the generated files (outside the timing) and runs the
// upgrade as the first activation does: originals kept aside, data.dbf and
// Users_za.nrv rebuilt and checked field by field, swapped in, kept copies
// removed. Beside `cat` of the two files of the same run.

#include "Catalogue.h"
#include "conversion/Conversion.h"
#include "conversion/FormatUpgrade.h"

#include <benchmark/benchmark.h>

using namespace velmora;
using namespace velmora::bench;

namespace {

QString sourceDir()
{
    return workDir().filePath(QStringLiteral("upgrade/source"));
}

void fillIntermediate(const QString &dir)
{
    QDir().mkpath(dir);
    TableSchema s = conversion::intermediateCassettes();
    s.tags = {QStringLiteral("cislo"), QStringLiteral("komu")};
    const QString path = dir + QStringLiteral("/data.dbf");
    Table::create(path, s.fields, s.tags);
    Table t;
    t.setPath(path);
    t.open(Table::Mode::Exclusive);
    t.beginBatch();
    for (int i = 1; i <= kCassettes; ++i) {
        t.append();
        t.setString("cislo", QStringLiteral("%1").arg(i, 5, 10, QLatin1Char('0')));
        t.setString("t_kazety", QStringLiteral("E 240"));
        for (int n = 1; n <= 5; ++n) {
            const QString k = QString::number(n);
            t.setString("film" + k, QStringLiteral("Příběh číslo %1 / %2").arg(i).arg(n));
            t.setString("zanr" + k,
                        n == 1 ? QStringLiteral("Psychologick") : QStringLiteral("Komedie"));
            t.setString("ry" + k, QStringLiteral("SP"));
            t.setInteger("cas" + k, 45);
            t.setString("zdroj" + k, QStringLiteral("ČT 1"));
            t.setDate("datum" + k, QDate(2001, 1 + i % 12, 1 + i % 28));
            t.setInteger("S_Time" + k, (n - 1) * 45);
            t.setInteger("E_Time" + k, n * 45);
            if (i % 5 == 0 && n <= 2)
                t.setString("P_film" + k,
                            QStringLiteral("Poznámka k záznamu %1 na kazetě %2.").arg(n).arg(i));
        }
        t.setBoolean("pujceno", i % 10 == 0);
        t.setString("komu", i % 10 == 0 ? QStringLiteral("Šťastný") : QString());
        t.setInteger("delka_pujc", 14);
        t.setString("pozn", QStringLiteral("Kazeta %1").arg(i));
        t.post();
    }
    t.endBatch();
    t.close();

    const QString list = dir + QStringLiteral("/Users_za.nrv");
    Table::create(list, {FieldDef::string(QStringLiteral("Zanr"), 12)}, {QStringLiteral("zanr")});
    Table g;
    g.setPath(list);
    g.open();
    for (const QString &genre : schema::defaultRows(UserList::Genres)) {
        g.append();
        g.setString("Zanr", genre.left(12));
        g.post();
    }
    g.close();
}

void ensureSource()
{
    if (!QFile::exists(sourceDir() + QStringLiteral("/data.dbf")))
        fillIntermediate(sourceDir());
}

double catMs()
{
    static const double median = [] {
        ensureSource();
        return catMedianMs(sourceDir() + QStringLiteral("/data.dbf")) +
               catMedianMs(sourceDir() + QStringLiteral("/data.dbt"));
    }();
    return median;
}

void BM_CatDataAndMemos(benchmark::State &state)
{
    for (auto _ : state)
        state.SetIterationTime(catMs() / 1000.0);
}

void BM_UpgradeFormat(benchmark::State &state)
{
    ensureSource();
    const QString data = workDir().filePath(QStringLiteral("upgrade/data"));
    const QString work = workDir().filePath(QStringLiteral("upgrade/work"));
    for (auto _ : state) {
        state.PauseTiming();
        QDir(data).removeRecursively();
        QDir().mkpath(data);
        QDir().mkpath(work);
        for (const char *name : {"data.dbf", "data.dbt", "Users_za.nrv"})
            QFile::copy(sourceDir() + '/' + name, data + '/' + name);
        state.ResumeTiming();
        const QString problem = upgrade::upgradeFormat(data, work);
        if (!problem.isEmpty())
            state.SkipWithError(problem.toUtf8().constData());
    }
    state.counters["cat_ms"] = catMs();
}

} // namespace

BENCHMARK(BM_CatDataAndMemos)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UpgradeFormat)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);

int main(int argc, char **argv)
{
    return runCoreBenchmarks(argc, argv);
}
