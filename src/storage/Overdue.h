#pragma once

#include <QDate>
#include <QString>

namespace velmora {

class Table;

// A lent item is overdue when the whole days from its loan date to today
// exceed its loan length. A loan date that cannot be read throws DbError.
bool isOverdue(bool lent, const QString &loanDate, int loanDays, const QDate &today);

// The overdue items over the whole table (cassettes: pujceno, od_kdy,
// delka_pujc; CD titles: the same names capitalised, which the engine
// matches regardless of case). The table must be open.
bool isOverdueRecord(const Table &table, const QDate &today);
int countOverdue(Table &table, const QDate &today);

} // namespace velmora
