#pragma once

#include "storage/Records.h"

#include <QDate>

namespace velmora {

class Table;

// Where a loan stands on a day. A loan start that does not read as a date
// (typed freely in an older release) cannot be judged: such a loan is
// shown as it is and never counted as overdue, so that one bad record
// cannot keep the reminders and the lists of lent items from opening.
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

} // namespace velmora
