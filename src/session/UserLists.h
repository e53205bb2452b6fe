#pragma once

#include "storage/Schemas.h"

#include <QStringList>

class QString;

namespace velmora {

class Table;

// The changes the user-list screens make to a list table. Catalogue records
// keep the chosen text itself, so no change here reaches them.
namespace userlists {

// Opens the list table for the screen when it is not open yet. Throws
// DbError.
void open(Table &table);
void close(Table &table);
// The rows of the list; none while the table could not be opened.
int count(const Table &table);
// Shows the rows in the list's own order, or in the order they were added;
// a table that could not be opened stays as it is.
void setSorted(Table &table, UserList list, bool sorted);

// Appends a row with text as typed; the table is open.
void add(Table &table, const QString &text);
// Deletes the current row, when there is one.
void removeCurrent(Table &table);
// Puts the list back to its default rows in their order. The new table is
// built under another name beside the list and then renamed over it, so a
// failure leaves the list as it was. The table is open again afterwards.
// Throws DbError.
void reset(Table &table, UserList list);

// The rows of a list table in the Czech alphabetical order, equal texts in
// their stored order, as the genre choices offer them. Opens and closes the
// table. Throws DbError.
QStringList sortedRows(Table &table);

} // namespace userlists
} // namespace velmora
