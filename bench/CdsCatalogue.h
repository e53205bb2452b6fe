#pragma once

// The CD catalogue the benchmarks measure: 20,000 titles and 300,000
// tracks in cds/ under the bench directory, generated when missing. The
// title with the highest number, which every screen shows first, is the
// largest: 16 discs of 40 tracks.

#include "Catalogue.h"
#include "catalogue/CdRules.h"
#include "storage/CdRecords.h"

namespace velmora::bench {

constexpr int kTitles = 20000;
constexpr int kTracks = 300000;
constexpr int kLargestDiscs = 16;
constexpr int kLargestPerDisc = 40;

inline QDir cdDir()
{
    QDir d(workDir().filePath(QStringLiteral("cds")));
    QDir().mkpath(d.path());
    return d;
}

inline QString cdPath(const char *name)
{
    return cdDir().filePath(QLatin1String(name));
}

inline void fillCds()
{
    const TableSchema titles = schema::cdTitles();
    const TableSchema tracks = schema::cdTracks();
    Table::create(cdPath("cd01.dbf"), titles.fields, titles.tags);
    Table::create(cdPath("cd02.dbf"), tracks.fields, tracks.tags);
    Table t1, t2;
    t1.setPath(cdPath("cd01.dbf"));
    t2.setPath(cdPath("cd02.dbf"));
    t1.open(Table::Mode::Exclusive);
    t2.open(Table::Mode::Exclusive);
    t1.beginBatch();
    t2.beginBatch();
    const CdTitleColumns c1(t1);
    const CdTrackColumns c2(t2);
    const int largest = kLargestDiscs * kLargestPerDisc;
    const int perTitle = (kTracks - largest) / (kTitles - 1); // 14 or so
    int written = 0;
    for (int i = 1; i <= kTitles; ++i) {
        CdTitle title;
        title.size = QStringLiteral("700");
        title.number = QStringLiteral("%1").arg(i, 5, 10, QLatin1Char('0'));
        title.title = QStringLiteral("Album číslo %1").arg(i);
        title.artist = QStringLiteral("Interpret %1").arg(i % 700);
        title.acquired = QStringLiteral("01.02.2002");
        title.format = QStringLiteral("Originální CD");
        title.loan = {i % 10 == 0, i % 10 == 0 ? QStringLiteral("Šťastný") : QString(),
                      QStringLiteral("01.03.2002"), 14};
        t1.append();
        c1.writeNew(t1, title);
        c1.loan.write(t1, title.loan);
        t1.post();
        const bool last = i == kTitles;
        const int discs = last ? kLargestDiscs : 1 + i % 2;
        const int count =
            last ? largest : (i < kTitles - 1 ? perTitle : kTracks - written - largest);
        for (int n = 0; n < count; ++n) {
            const int disc = 1 + n * discs / count;
            t2.append();
            c2.write(t2, {title.number, discLabel(disc), 1 + n % (count / discs + 1),
                          QStringLiteral("Skladba %1 z alba %2").arg(n + 1).arg(i),
                          120 + (n * 37) % 300, QStringLiteral("Pop"),
                          QStringLiteral("Zpěvák %1").arg(n % 40)});
            t2.post();
            ++written;
        }
    }
    t1.endBatch();
    t2.endBatch();
}

inline void ensureCds()
{
    if (!QFile::exists(cdPath("cd02.dbf")))
        fillCds();
}

} // namespace velmora::bench
