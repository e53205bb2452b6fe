#pragma once

#include "loans/LoanBook.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace velmora {

// One bar of a loan chart: an item number or a borrower, and the number of
// finished loans.
struct LoanBar
{
    QString label;
    int loans = 0;

    bool operator==(const LoanBar &) const = default;
};

// The numbers of an item table in ascending order, read through a handle
// of its own on the file at `path`.
QStringList catalogueNumbers(const QString &path, ItemKind kind);

// A bar for every number of the catalogue (also one never lent), in the
// catalogue's ascending order; archive rows of items no longer catalogued
// get none.
std::vector<LoanBar> loansPerItem(const QStringList &numbers, const std::vector<ArchiveRow> &rows);

// A bar for every borrower of the archive in the order of the borrower
// index; names are compared exactly, so a different case is another bar.
std::vector<LoanBar> loansPerBorrower(const std::vector<ArchiveRow> &rows);

} // namespace velmora
