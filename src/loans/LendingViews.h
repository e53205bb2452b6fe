#pragma once

#include "loans/LoanBook.h"
#include "storage/CdRecords.h"

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

namespace velmora {

class Table;

// What the lending screens show of their tables: the screens hand over the
// table handles, and the filtering, ordering and reading happen here.

// The return screens list the lent items alone, from the first of them.
void showLentOnly(Table &items);
// Every item again, the filter of the lent items dropped: how a lending or
// return screen leaves its item table.
void showEveryItem(Table &items);

// Makes the lent item of this number the current one, where it is shown;
// false, nothing moved, where it is not.
bool moveToLentItem(ItemKind kind, Table &items, const QString &number);

// Every row of an archive in the order of the returns; none while it is
// closed.
std::vector<ArchiveRow> archiveRows(const Table &archive);

// Every lent item of the item table in number order; none while the table
// is closed.
std::vector<AwayItem> lentItemsByNumber(ItemKind kind, Table &items, const QDate &today);

// The CD title (TitulCD) of the current record of cd01.dbf or of the CD
// archive; none while the table is closed or has no current record.
std::optional<QString> currentCdTitle(const Table &table);

// Whether the loan start stored in sinceField of a record cannot be read
// as a date, so that a grid marks the row as the items-away screens do.
// False while the table is closed or lacks the field: painting must not
// throw.
bool loanStartUnreadableAt(const Table &items, int record, const QString &sinceField,
                           const QDate &today);

// Whether the item table has a current item that is at home, so it can be
// lent.
bool currentAtHome(const Table &items);

// The current CD title with its tracks as they stand in cd02.dbf, for the
// CD lending screen.
struct CdWithTracks
{
    CdTitle title; // empty without a current title
    std::vector<CdTrack> tracks;
    bool current = false; // a title was current and read
    // What the user is told when reading failed; a title read before its
    // tracks failed stays, without tracks.
    QString error;
};
// Reads the current title of `titles` and opens the tracks to read them.
CdWithTracks currentCdWithTracks(Table &titles, Table &tracks);

// How the CD lending screen leaves its tables: every title shown, the
// tracks closed.
void leaveCdLending(Table &titles, Table &tracks);

} // namespace velmora
