#pragma once

// The overview of a whole catalogue: one row per recording of every
// cassette (a cassette without recordings is one row of its own), or one
// row per track of every CD title (a title without tracks likewise), with
// the loan state of its item.

#include "overview/OverviewRows.h"

#include <QDate>
#include <QList>
#include <QString>

namespace velmora {

class TableHandles;

enum class OverviewKind
{
    Cassettes,
    Cds
};

// How a column compares when the user sorts by it.
enum class ColumnOrder
{
    Text,   // Czech order, as the sorted reports
    Number, // an integer, empty ones first
    Length, // minutes, or "m:ss" of a track
    Date    // dd.MM.yyyy
};

struct OverviewColumn
{
    QString title;
    ColumnOrder order;
};

// The columns of a kind, in their order.
const QList<OverviewColumn> &overviewColumns(OverviewKind kind);
// The column of the loan state ("doma", "půjčeno", "po termínu").
int stateColumn(OverviewKind kind);

// What the state column says of a loan on a day. A loan start that does
// not read as a date cannot be overdue and shows as lent.
QString loanStateText(bool lent, const QString &since, int days, const QDate &today);

// The rows of every record of data.dbf, in its stored order; or of every
// title of cd01.dbf in its stored order, each with its tracks from cd02.dbf
// in their stored order. The tables are read through handles of their own,
// read-only, so no screen's table moves or changes its order. Throws
// DbError when a table does not open or lacks a field.
OverviewRows catalogueOverview(OverviewKind kind, const TableHandles &tables, const QDate &today);

} // namespace velmora
