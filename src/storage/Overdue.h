#pragma once

#include "storage/Records.h"

#include <QDate>

namespace velmora {

class Table;

// A lent item is overdue when the whole days from its loan start to today
// exceed its loan length. A loan start that cannot be read throws DbError.
bool isOverdue(const Loan &loan, const QDate &today);

// The overdue items over the whole table: cassettes, or CD titles whose
// loan fields carry the same names capitalised (the engine matches names
// regardless of case). The table must be open.
int countOverdue(Table &table, const QDate &today);

} // namespace velmora
