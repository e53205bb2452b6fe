#pragma once

// Cassette rows written straight into a table, field by field by name, as
// another program would write them: independent of the program's own
// record writer, so the screens are tested against rows they did not make.

#include "engine/Table.h"
#include "storage/Paths.h"
#include "storage/Records.h"

#include <QList>

namespace velmora::test {

// Fills the record being appended or edited. A slot left as it was made
// is not written at all (its fields stay empty); dates only when valid.
inline void setCassetteFields(Table &t, const CassetteRecord &c)
{
    t.setString("t_kazety", c.type);
    t.setString("cislo", c.number);
    const CassetteSlot empty;
    for (int n = 0; n < kCassetteSlots; ++n) {
        const CassetteSlot &r = c.recordings[size_t(n)];
        if (r.title == empty.title && r.genre == empty.genre && r.speed == empty.speed &&
            r.length == 0 && r.source.isEmpty() && !r.date.isValid() && r.start == 0 &&
            r.end == 0 && r.note.isEmpty())
            continue;
        const QString s = QString::number(n + 1);
        t.setString("film" + s, r.title);
        t.setString("zanr" + s, r.genre);
        t.setString("ry" + s, r.speed);
        t.setInteger("cas" + s, r.length);
        t.setString("zdroj" + s, r.source);
        if (r.date.isValid())
            t.setDate("datum" + s, r.date);
        t.setInteger("S_Time" + s, r.start);
        t.setInteger("E_Time" + s, r.end);
        t.setString("P_film" + s, r.note);
    }
    t.setBoolean("pujceno", c.loan.lent);
    t.setString("komu", c.loan.borrower);
    t.setString("od_kdy", c.loan.since);
    t.setInteger("delka_pujc", c.loan.days);
    t.setString("pozn", c.note);
}

// Appends the cassettes to a table file (data.dbf of the data directory
// unless another path is given).
inline void appendCassettes(const QList<CassetteRecord> &cassettes,
                            const QString &path = Paths::dataFile(QStringLiteral("data.dbf")))
{
    Table t;
    t.setPath(path);
    t.open();
    for (const CassetteRecord &c : cassettes) {
        t.append();
        setCassetteFields(t, c);
        t.post();
    }
    t.close();
}

inline void appendCassette(const CassetteRecord &c,
                           const QString &path = Paths::dataFile(QStringLiteral("data.dbf")))
{
    appendCassettes({c}, path);
}

// A slot with a title, speed and stored length, the rest optional.
inline CassetteSlot slot(const QString &title, const QString &speed = QString(), int length = 0,
                         const QString &genre = QString())
{
    CassetteSlot s;
    s.title = title;
    s.speed = speed;
    s.length = length;
    s.genre = genre;
    return s;
}

} // namespace velmora::test
