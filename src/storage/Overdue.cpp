#include "storage/Overdue.h"

#include "engine/DbError.h"
#include "engine/Table.h"
#include "storage/DateText.h"

#include <QCoreApplication>

namespace velmora {

bool isOverdue(bool lent, const QString &loanDate, int loanDays, const QDate &today)
{
    if (!lent)
        return false;
    const QDate from = parseShortDate(loanDate);
    if (!from.isValid())
        throw DbError(
            QCoreApplication::translate("Overdue", "'%1' není platné datum.").arg(loanDate));
    return from.daysTo(today) > loanDays;
}

bool isOverdueRecord(const Table &table, const QDate &today)
{
    return isOverdue(table.asBoolean(QStringLiteral("pujceno")),
                     table.asString(QStringLiteral("od_kdy")),
                     table.asInteger(QStringLiteral("delka_pujc")), today);
}

int countOverdue(Table &table, const QDate &today)
{
    int count = 0;
    for (table.first(); !table.eof(); table.next())
        if (isOverdueRecord(table, today))
            ++count;
    return count;
}

} // namespace velmora
