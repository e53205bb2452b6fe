#include "storage/Overdue.h"

#include "engine/DbError.h"
#include "engine/Table.h"
#include "storage/DateText.h"

#include <QCoreApplication>

namespace velmora {

bool isOverdue(const Loan &loan, const QDate &today)
{
    if (!loan.lent)
        return false;
    const QDate from = parseShortDate(loan.since);
    if (!from.isValid())
        throw DbError(
            QCoreApplication::translate("Overdue", "'%1' není platné datum.").arg(loan.since));
    return from.daysTo(today) > loan.days;
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

} // namespace velmora
