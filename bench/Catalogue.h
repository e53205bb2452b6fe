#pragma once

// The catalogue the benchmarks measure: 99,999 cassettes with all five
// recordings and their memo notes filled, generated once per run (or kept
// in VELMORA_BENCH_DIR between runs).

#include "engine/Table.h"
#include "storage/Paths.h"
#include "storage/Schemas.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <vector>

namespace velmora::bench {

constexpr int kCassettes = 99999;

using Clock = std::chrono::steady_clock;

inline double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The middle of the timings (the upper one of an even count); 0 for none.
inline double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// A line "Name:  N kB" of /proc/self/status, in MB.
inline double statusMb(const char *name)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray key = QByteArray(name) + ':';
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

// Starts a new peak of the resident set (Linux keeps one per process).
inline void resetPeakResident()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

// VELMORA_BENCH_DIR keeps the generated catalogue between runs.
inline QDir workDir()
{
    static QTemporaryDir temporary;
    const QString kept = qEnvironmentVariable("VELMORA_BENCH_DIR");
    if (!kept.isEmpty()) {
        QDir().mkpath(kept);
        return QDir(kept);
    }
    return QDir(temporary.path());
}

inline QString dataPath()
{
    return workDir().filePath(QStringLiteral("data.dbf"));
}

inline QString quoted(const QString &path)
{
    return QLatin1Char('\'') + path + QLatin1Char('\'');
}

// The median time of five runs of `cat` over a file, in milliseconds; the
// figure the benchmarks of screens are set against. 0 when cat fails.
inline double catMedianMs(const QString &path)
{
    std::vector<double> runs;
    const QByteArray cmd = QStringLiteral("cat %1 > /dev/null").arg(quoted(path)).toLocal8Bit();
    for (int i = 0; i < 5; ++i) {
        const auto start = std::chrono::steady_clock::now();
        if (std::system(cmd.constData()) != 0)
            return 0.0;
        runs.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

inline void fillCatalogue(const QString &path, int count)
{
    const TableSchema s = schema::cassettes();
    Table::create(path, s.fields, s.tags);
    Table t;
    t.setPath(path);
    t.open(Table::Mode::Exclusive);
    t.beginBatch();
    for (int i = 1; i <= count; ++i) {
        t.append();
        // Appended in reverse so the tag has real work to do.
        t.setString("cislo", QStringLiteral("%1").arg(count + 1 - i, 5, 10, QLatin1Char('0')));
        t.setString("t_kazety", QStringLiteral("E 240"));
        for (int n = 1; n <= 5; ++n) {
            const QString k = QString::number(n);
            t.setString("film" + k, QStringLiteral("Příběh číslo %1 / %2").arg(i).arg(n));
            t.setString("zanr" + k, QStringLiteral("Komedie"));
            t.setString("ry" + k, QStringLiteral("SP"));
            t.setInteger("cas" + k, 45);
            t.setString("zdroj" + k, QStringLiteral("ČT 1"));
            t.setDate("datum" + k, QDate(2001, 1 + i % 12, 1 + i % 28));
            t.setInteger("S_Time" + k, (n - 1) * 45);
            t.setInteger("E_Time" + k, n * 45);
            t.setString(
                "P_film" + k,
                QStringLiteral("Poznámka k záznamu %1 na kazetě %2, uložená v paměťovém souboru.")
                    .arg(n)
                    .arg(i));
        }
        t.setBoolean("pujceno", i % 10 == 0);
        t.setString("komu", i % 10 == 0 ? QStringLiteral("Šťastný") : QString());
        t.setInteger("delka_pujc", 14);
        t.setString("pozn", QStringLiteral("Kazeta %1").arg(i));
        t.post();
    }
    t.endBatch();
    t.close();
}

inline void ensureCatalogue()
{
    if (!QFile::exists(dataPath()))
        fillCatalogue(dataPath(), kCassettes);
}

// The median time of `cat` over the catalogue's data.dbf, with its memo
// file too when asked; measured once per run.
inline double catalogueCatMs(bool withMemos = false)
{
    static const double table = [] {
        ensureCatalogue();
        return catMedianMs(dataPath());
    }();
    if (!withMemos)
        return table;
    static const double memos = catMedianMs(workDir().filePath(QStringLiteral("data.dbt")));
    return table + memos;
}

// The generated catalogue as the program's data directory, as the functions
// of whole-catalogue work (backup, exchange) find it.
inline void useCatalogueAsData()
{
    ensureCatalogue();
    Paths::setDataDir(workDir().absolutePath() + QLatin1Char('/'));
}

// A directory beside the catalogue standing for a removable medium.
inline QString mediumDir(const QString &name)
{
    const QString dir = workDir().filePath(name);
    QDir().mkpath(dir);
    return dir;
}

// The main of the benchmarks that need no window system.
inline int runCoreBenchmarks(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace velmora::bench
