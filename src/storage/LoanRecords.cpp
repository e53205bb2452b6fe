#include "storage/LoanRecords.h"

#include "engine/Table.h"

namespace velmora {
namespace {

int firstOf(const Table &t, const QString &a, const QString &b)
{
    return t.fieldIndex(a) >= 0 ? t.fieldIndex(a) : t.requireField(b);
}

} // namespace

ArchiveColumns::ArchiveColumns(const Table &t)
    : type(firstOf(t, QStringLiteral("t_kazety"), QStringLiteral("t_cd"))),
      number(firstOf(t, QStringLiteral("cislo"), QStringLiteral("cislocd"))),
      title(t.fieldIndex(QStringLiteral("TitulCD"))),
      borrower(t.requireField(QStringLiteral("komu"))),
      since(t.requireField(QStringLiteral("od_kdy"))), note(t.requireField(QStringLiteral("pozn")))
{
}

ArchiveRow ArchiveColumns::read(const Table &t) const
{
    return {t.asString(type),     t.asString(number), title >= 0 ? t.asString(title) : QString(),
            t.asString(borrower), t.asString(since),  t.asString(note)};
}

ArchiveRow ArchiveColumns::readAt(const Table &t, int rec) const
{
    return {t.asStringAt(rec, type),
            t.asStringAt(rec, number),
            title >= 0 ? t.asStringAt(rec, title) : QString(),
            t.asStringAt(rec, borrower),
            t.asStringAt(rec, since),
            t.asStringAt(rec, note)};
}

void ArchiveColumns::write(Table &t, const ArchiveRow &row) const
{
    t.setString(type, row.type);
    t.setString(number, row.number);
    if (title >= 0)
        t.setString(title, row.title);
    t.setString(borrower, row.borrower);
    t.setString(since, row.since);
    t.setString(note, row.note);
}

std::vector<ArchiveRow> readArchive(const Table &t)
{
    const ArchiveColumns columns(t);
    std::vector<ArchiveRow> rows;
    const std::vector<int> records = t.visibleRecords();
    rows.reserve(records.size());
    for (int rec : records)
        rows.push_back(columns.readAt(t, rec));
    return rows;
}

} // namespace velmora
