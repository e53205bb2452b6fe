#pragma once

// Filtering and sorting the overview's rows, as the user types and clicks.

#include "overview/CatalogueOverview.h"

#include <QStringView>
#include <vector>

namespace velmora {

// What the filter asks: a text found in any cell, case aside, and with
// ignoreAccents diacritics too ("sakali" finds "Šakalí"); lentOnly keeps
// the rows of lent items.
struct OverviewFilter
{
    QString text;
    bool ignoreAccents = true;
    bool lentOnly = false;

    // Every row this filter keeps is kept by `wider` too, so a search for
    // this one need only look at the rows `wider` kept.
    bool narrows(const OverviewFilter &wider) const;
};

// The rows (indexes into rows) among `among` that the filter keeps, in the
// order of `among`.
std::vector<int> filterRows(const OverviewRows &rows, int stateColumn, const OverviewFilter &filter,
                            const std::vector<int> &among);
// Every row index, in the stored order.
std::vector<int> allRows(const OverviewRows &rows);

// Sorts the row indexes by a column: texts in Czech order, numbers,
// lengths and dates by value; rows that compare equal keep their order.
void sortRows(const OverviewRows &rows, int column, ColumnOrder order, bool ascending,
              std::vector<int> &indexes);

// A text folded as the filter compares it: small letters, and without
// diacritics where asked.
QString foldForFilter(QStringView text, bool ignoreAccents);

} // namespace velmora
