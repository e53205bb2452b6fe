#pragma once

// CD titles and tracks written straight into cd01.dbf and cd02.dbf, field by
// field by name, as another program would write them: independent of the
// program's own column code, so the rules and screens are tested against
// rows they did not make.

#include "engine/Table.h"
#include "storage/CdRecords.h"
#include "storage/Paths.h"

#include <QList>

namespace velmora::test {

// Fills the title record being appended or edited, its loan included.
inline void setCdTitleFields(Table &t, const CdTitle &c)
{
    t.setString(QStringLiteral("T_cd"), c.size);
    t.setString(QStringLiteral("Cislocd"), c.number);
    t.setString(QStringLiteral("TitulCD"), c.title);
    t.setString(QStringLiteral("Artist"), c.artist);
    t.setString(QStringLiteral("Porizeno"), c.acquired);
    t.setString(QStringLiteral("Format"), c.format);
    t.setBoolean(QStringLiteral("Pujceno"), c.loan.lent);
    t.setString(QStringLiteral("Komu"), c.loan.borrower);
    t.setString(QStringLiteral("Od_kdy"), c.loan.since);
    t.setInteger(QStringLiteral("Delka_pujc"), c.loan.days);
    t.setString(QStringLiteral("PoznCD"), c.note);
}

// Fills the track record being appended or edited.
inline void setCdTrackFields(Table &t, const CdTrack &k)
{
    t.setString(QStringLiteral("Cislocd"), k.number);
    t.setString(QStringLiteral("Oznaceni"), k.label);
    t.setInteger(QStringLiteral("TrackNum"), k.track);
    t.setString(QStringLiteral("Track"), k.title);
    t.setInteger(QStringLiteral("Lenght"), k.seconds);
    t.setString(QStringLiteral("Styl"), k.style);
    t.setString(QStringLiteral("Artist"), k.artist);
}

// Appends the titles to a table file (cd01.dbf of the data directory
// unless another path is given).
inline void appendCdTitles(const QList<CdTitle> &titles,
                           const QString &path = Paths::dataFile(QStringLiteral("cd01.dbf")))
{
    Table t;
    t.setPath(path);
    t.open();
    for (const CdTitle &c : titles) {
        t.append();
        setCdTitleFields(t, c);
        t.post();
    }
    t.close();
}

inline void appendCdTitle(const CdTitle &c,
                          const QString &path = Paths::dataFile(QStringLiteral("cd01.dbf")))
{
    appendCdTitles({c}, path);
}

// Appends the tracks to a table file (cd02.dbf of the data directory
// unless another path is given).
inline void appendCdTracks(const QList<CdTrack> &tracks,
                           const QString &path = Paths::dataFile(QStringLiteral("cd02.dbf")))
{
    Table t;
    t.setPath(path);
    t.open();
    for (const CdTrack &k : tracks) {
        t.append();
        setCdTrackFields(t, k);
        t.post();
    }
    t.close();
}

// A title with only its number and name, the rest left empty.
inline CdTitle cdTitle(const QString &number, const QString &title = QString())
{
    CdTitle c;
    c.number = number;
    c.title = title;
    return c;
}

} // namespace velmora::test
