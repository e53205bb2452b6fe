#pragma once

// Sample CD titles and discs written into cd01.dbf and cd02.dbf by CdRows,
// and the tracks read back through the engine and through dbfread.

#include "CdRows.h"
#include "TestEnv.h"
#include "engine/Table.h"
#include "storage/CdRecords.h"
#include "storage/Paths.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QStringList>
#include <gtest/gtest.h>

namespace velmora::test {

// A title of CD size 700 with a note "pozn <number>".
inline void addTitle(const QString &number, const QString &title, const QString &artist = {},
                     const Loan &loan = {})
{
    CdTitle r;
    r.size = QStringLiteral("700");
    r.number = number;
    r.title = title;
    r.artist = artist;
    r.acquired = QStringLiteral("01.02.2002");
    r.format = QStringLiteral("Originální CD");
    r.loan = loan;
    r.note = QStringLiteral("pozn ") + number;
    appendCdTitle(r);
}

// Tracks n = 1..count of a disc, "<number>/<label>/<n>", n * 10 seconds.
inline void addDisc(const QString &number, const QString &label, int count)
{
    QList<CdTrack> tracks;
    for (int n = 1; n <= count; ++n)
        tracks.append({number, label, n, number + '/' + label + '/' + QString::number(n), n * 10,
                       QStringLiteral("Pop"), QStringLiteral("Zpěvák")});
    appendCdTracks(tracks);
}

// The tracks stored under a number, by the engine, as "label/n/title/seconds".
inline QStringList storedTracks(const QString &number)
{
    Table t;
    t.setPath(Paths::dataFile(QStringLiteral("cd02.dbf")));
    t.open(Table::Mode::ReadOnly);
    QStringList out;
    const CdTrackColumns c(t);
    for (t.first(); !t.eof(); t.next()) {
        const CdTrack r = c.read(t);
        if (r.number == number)
            out << QStringLiteral("%1/%2/%3/%4")
                       .arg(r.label)
                       .arg(r.track)
                       .arg(r.title)
                       .arg(r.seconds);
    }
    out.sort();
    return out;
}

// Every track of a number through dbfread, as the fields given
// joined by "/", sorted.
inline QStringList dbfreadTrackFields(const QString &number, const QStringList &fields)
{
    QStringList picked;
    for (const QString &f : fields)
        picked << QStringLiteral("('' if r['%1'] is None else str(r['%1']))").arg(f);
    const QString script =
        QStringLiteral("import sys, json\nfrom dbfread import DBF\n"
                       "print(json.dumps(['/'.join([%1]) for r in DBF(sys.argv[1], "
                       "encoding='cp1250') if r['CISLOCD'] == sys.argv[2]], "
                       "ensure_ascii=False))")
            .arg(picked.join(QStringLiteral(", ")));
    int rc = -1;
    const QString out = runProgram(
        QStringLiteral("/usr/bin/python3"),
        {QStringLiteral("-c"), script, Paths::dataFile(QStringLiteral("cd02.dbf")), number}, &rc);
    EXPECT_EQ(rc, 0) << out.toStdString();
    QStringList rows;
    for (const QJsonValue &v : QJsonDocument::fromJson(out.toUtf8()).array())
        rows << v.toString();
    rows.sort();
    return rows;
}

// The same through dbfread, deleted records left out as it does, as
// "label/n/title/seconds".
inline QStringList dbfreadTracks(const QString &number)
{
    return dbfreadTrackFields(number, {"OZNACENI", "TRACKNUM", "TRACK", "LENGHT"});
}

// Every track of a number through dbfread as "label/n/artist/style".
inline QStringList dbfreadArtistsAndStyles(const QString &number)
{
    return dbfreadTrackFields(number, {"OZNACENI", "TRACKNUM", "ARTIST", "STYL"});
}

inline int titleCount()
{
    Table t;
    t.setPath(Paths::dataFile(QStringLiteral("cd01.dbf")));
    t.open(Table::Mode::ReadOnly);
    return t.recordCount();
}

} // namespace velmora::test
