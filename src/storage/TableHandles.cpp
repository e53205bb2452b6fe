#include "storage/TableHandles.h"

namespace velmora {

TableHandles::TableHandles(QObject *parent) : QObject(parent)
{
    // The cassette table compares filter strings without regard to case.
    Table1.setCaseInsensitiveFilter(true);
}

Table &TableHandles::userList(int number)
{
    switch (number) {
    case 1:
        return Users_01;
    case 2:
        return Users_02;
    case 3:
        return Users_03;
    default:
        return Users_04;
    }
}

QList<Table *> TableHandles::all()
{
    return {&Table1,   &Table2,   &CD_Table1, &CD_Table2,  &CD_Archiv,   &Users_01,
            &Users_02, &Users_03, &Users_04,  &Temp_Table, &Temp_Table2, &Nova_Table1};
}

Table *TableHandles::byName(const QString &handleName)
{
    for (Table *t : all())
        if (t->handleName() == handleName)
            return t;
    return nullptr;
}

void TableHandles::closeAll()
{
    for (Table *t : all())
        t->close();
}

} // namespace velmora
