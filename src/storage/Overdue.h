#pragma once

#include "storage/Records.h"

#include <QDate>

#include <functional>

namespace velmora {

class Table;

// Where a loan stands on a day. A loan start that does not read as a date
// (typed freely in an older release, or by another program) cannot be
// judged: such a loan is neither in term nor overdue. It is shown with its
// stored text and announced beside the overdue ones, so that one bad
// record neither hides a debt nor keeps the lists of lent items shut.
enum class LoanTerm
{
    AtHome,
    InTerm,
    Overdue,
    Unreadable
};

LoanTerm loanTerm(const Loan &loan, const QDate &today);

// A lent item is overdue when the whole days from its loan start to today
// exceed its loan length.
inline bool isOverdue(const Loan &loan, const QDate &today)
{
    return loanTerm(loan, today) == LoanTerm::Overdue;
}

// The overdue items over the whole table: cassettes, or CD titles whose
// loan fields carry the same names capitalised (the engine matches names
// regardless of case). The table must be open.
int countOverdue(Table &table, const QDate &today);

// What the reminders announce over the whole table: the overdue loans and
// the loans whose start cannot be read.
struct LoanCheck
{
    int overdue = 0;
    int unreadable = 0;
    int announced() const { return overdue + unreadable; }
};
LoanCheck checkLoans(Table &table, const QDate &today);

// The same, telling after each record how far it has come (records done,
// records in all, the check so far), so that a window can show its gauges.
using LoanCheckProgress = std::function<void(int done, int count, const LoanCheck &check)>;
LoanCheck checkLoans(Table &table, const QDate &today, const LoanCheckProgress &progress);

} // namespace velmora
