#include "storage/Records.h"

#include "engine/Table.h"

namespace velmora {
namespace {

int column(const Table &t, const char *stem, int slot)
{
    return t.requireField(QLatin1String(stem) + QString::number(slot + 1));
}

} // namespace

LoanColumns::LoanColumns(const Table &t)
    : lent(t.requireField(QStringLiteral("pujceno"))),
      borrower(t.requireField(QStringLiteral("komu"))),
      since(t.requireField(QStringLiteral("od_kdy"))),
      days(t.requireField(QStringLiteral("delka_pujc")))
{
}

Loan LoanColumns::read(const Table &t) const
{
    return {t.asBoolean(lent), t.asString(borrower), t.asString(since), t.asInteger(days)};
}

void LoanColumns::write(Table &t, const Loan &loan) const
{
    t.setBoolean(lent, loan.lent);
    t.setString(borrower, loan.borrower);
    t.setString(since, loan.since);
    t.setInteger(days, loan.days);
}

bool LoanColumns::lentAt(const Table &t, int physical) const
{
    return t.asStringAt(physical, lent) == QLatin1String("True");
}

CassetteColumns::CassetteColumns(const Table &t)
    : type(t.requireField(QStringLiteral("t_kazety"))),
      number(t.requireField(QStringLiteral("cislo"))), note(t.requireField(QStringLiteral("pozn"))),
      loan(t)
{
    for (int n = 0; n < kCassetteSlots; ++n)
        recordings[size_t(n)] = {
            column(t, "film", n),   column(t, "zanr", n),   column(t, "ry", n),
            column(t, "cas", n),    column(t, "zdroj", n),  column(t, "datum", n),
            column(t, "S_Time", n), column(t, "E_Time", n), column(t, "P_film", n)};
}

CassetteRecord CassetteColumns::read(const Table &t) const
{
    CassetteRecord r;
    r.type = t.asString(type);
    r.number = t.asString(number);
    for (int n = 0; n < kCassetteSlots; ++n) {
        const Slot &c = recordings[size_t(n)];
        CassetteSlot &s = r.recordings[size_t(n)];
        s.title = t.asString(c.title);
        s.genre = t.asString(c.genre);
        s.speed = t.asString(c.speed);
        s.length = t.asInteger(c.length);
        s.source = t.asString(c.source);
        s.date = t.asDate(c.date);
        s.start = t.asInteger(c.start);
        s.end = t.asInteger(c.end);
        s.note = t.asString(c.note);
    }
    r.loan = loan.read(t);
    r.note = t.asString(note);
    return r;
}

void CassetteColumns::writeContent(Table &t, const CassetteRecord &r) const
{
    t.setString(type, r.type);
    for (int n = 0; n < kCassetteSlots; ++n) {
        const Slot &c = recordings[size_t(n)];
        const CassetteSlot &s = r.recordings[size_t(n)];
        t.setString(c.title, s.title);
        t.setString(c.genre, s.genre);
        t.setString(c.speed, s.speed);
        t.setInteger(c.length, s.length);
        t.setString(c.source, s.source);
        if (s.date.isValid())
            t.setDate(c.date, s.date);
        else
            t.clearField(c.date);
        t.setInteger(c.start, s.start);
        t.setInteger(c.end, s.end);
        t.setString(c.note, s.note);
    }
    t.setString(note, r.note);
}

void CassetteColumns::writeNew(Table &t, const CassetteRecord &r) const
{
    t.setString(number, r.number);
    writeContent(t, r);
    t.setBoolean(loan.lent, false);
}

CassetteRecord readCassette(const Table &table)
{
    return CassetteColumns(table).read(table);
}

QStringList readUserList(Table &list)
{
    QStringList rows;
    list.open();
    try {
        for (list.first(); !list.eof(); list.next())
            rows << list.asString(0);
    } catch (...) {
        list.close();
        throw;
    }
    list.close();
    return rows;
}

} // namespace velmora
