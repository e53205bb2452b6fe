#include "storage/TableFiles.h"

#include "engine/Table.h"

namespace velmora {

int readOnlyRecordCount(const QString &path)
{
    Table t;
    t.setPath(path);
    t.open(Table::Mode::ReadOnly);
    const int count = t.recordCount();
    t.close();
    return count;
}

} // namespace velmora
