#include "storage/FieldValues.h"

#include "engine/Table.h"

namespace velmora {

QStringList visibleValues(const Table &table, const QString &field)
{
    const int f = table.requireField(field);
    QStringList values;
    const std::vector<int> records = table.visibleRecords();
    values.reserve(qsizetype(records.size()));
    for (const int rec : records)
        values << table.asStringAt(rec, f);
    return values;
}

QString currentValue(const Table &table, const QString &field)
{
    return table.recordNumber() >= 0 ? table.asString(table.requireField(field)) : QString();
}

} // namespace velmora
