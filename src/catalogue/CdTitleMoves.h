#pragma once

#include "catalogue/CassetteRules.h"

#include <QString>

namespace velmora {

class Table;

// The moves the CD title screens make over the open title and track tables
// (cd01.dbf, cd02.dbf), so that the screens only show what they find.

// Moves the titles, in number order, to the title with the highest number.
void moveToLastTitle(Table &titles);
// Moves the titles to the title of this number, or where byPrefix to the
// first whose number begins so (as a jump list finds it); false where there
// is none, the current title staying.
bool locateTitle(Table &titles, const QString &number, bool byPrefix = false);
// Opens the tracks to be read, where they are closed.
void openTracksToRead(Table &tracks);
// Opens a table of titles or tracks where it is closed, to be written.
void openWhereClosed(Table &table);
// The tracks about to be written: open, and not read-only.
void openTracksToWrite(Table &tracks);
// Leaves the track table as a screen found it: unfiltered and closed.
void closeTracks(Table &tracks);
// Closes the titles, and the tracks as closeTracks does.
void closeTitleTables(Table &titles, Table &tracks);

// The numbers offered to a new title: the titles opened where closed, in
// number order and unfiltered, since the offers must see every number in
// use, whatever a screen filtered.
FreeNumbers offerNewTitleNumbers(Table &titles);
// Whether any title is left once the titles are unfiltered (after a title
// has been deleted).
bool anyTitleLeft(Table &titles);

} // namespace velmora
