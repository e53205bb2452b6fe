#pragma once

#include <QStringList>

namespace velmora {

class Table;

// The field's value of every visible record, from the first in the table's
// current order, as a jump list offers them; the table does not move.
QStringList visibleValues(const Table &table, const QString &field);

// The field's value of the current record; a null string when the table
// has no current record.
QString currentValue(const Table &table, const QString &field);

} // namespace velmora
