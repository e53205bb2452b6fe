#pragma once

#include <QString>
#include <vector>

namespace velmora {

class Table;

// A finished loan as the archive keeps it: archiv.dbf for cassettes,
// archivcd.dbf for CD titles (which also keeps the title).
struct ArchiveRow
{
    QString type;     // t_kazety / t_cd
    QString number;   // cislo / cislocd
    QString title;    // TitulCD; empty in the cassette archive
    QString borrower; // komu
    QString since;    // od_kdy, the loan start as it was stored
    QString note;     // pozn: "Vrácení: " and the return date
};

// The fields of either archive, resolved once; the title is -1 where the
// archive has none. A missing field throws DbError naming it.
class ArchiveColumns
{
public:
    explicit ArchiveColumns(const Table &table);

    ArchiveRow read(const Table &table) const;
    ArchiveRow readAt(const Table &table, int physical) const;
    // Fills the record being appended or edited.
    void write(Table &table, const ArchiveRow &row) const;

    int type, number, title, borrower, since, note;
};

// Every visible row of an open archive in its active order, which without
// an index is the order of the returns; the current record stays.
std::vector<ArchiveRow> readArchive(const Table &table);

} // namespace velmora
