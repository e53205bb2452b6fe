#include "storage/Overdue.h"

#include "engine/Table.h"
#include "storage/DateText.h"

namespace velmora {

LoanTerm loanTerm(const Loan &loan, const QDate &today)
{
    if (!loan.lent)
        return LoanTerm::AtHome;
    const QDate from = parseShortDate(loan.since);
    if (!from.isValid())
        return LoanTerm::Unreadable;
    return from.daysTo(today) > loan.days ? LoanTerm::Overdue : LoanTerm::InTerm;
}

int countOverdue(Table &table, const QDate &today)
{
    const LoanColumns loan(table);
    int count = 0;
    for (table.first(); !table.eof(); table.next())
        if (isOverdue(loan.read(table), today))
            ++count;
    return count;
}

LoanCheck checkLoans(Table &table, const QDate &today)
{
    return checkLoans(table, today, {});
}

LoanCheck checkLoans(Table &table, const QDate &today, const LoanCheckProgress &progress)
{
    const LoanColumns loan(table);
    const int count = progress ? table.recordCount() : 0;
    LoanCheck check;
    int done = 0;
    for (table.first(); !table.eof(); table.next()) {
        switch (loanTerm(loan.read(table), today)) {
        case LoanTerm::Overdue:
            ++check.overdue;
            break;
        case LoanTerm::Unreadable:
            ++check.unreadable;
            break;
        case LoanTerm::AtHome:
        case LoanTerm::InTerm:
            break;
        }
        if (progress)
            progress(++done, count, check);
    }
    return check;
}

} // namespace velmora
