#include "session/UserLists.h"

#include "engine/Collation.h"
#include "engine/DbError.h"
#include "engine/Table.h"
#include "storage/Paths.h"
#include "storage/Records.h"

#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <algorithm>
#include <cstdio>

namespace velmora::userlists {

void open(Table &table)
{
    if (!table.isOpen())
        table.open();
}

void close(Table &table)
{
    table.close();
}

int count(const Table &table)
{
    return table.isOpen() ? table.recordCount() : 0;
}

void setSorted(Table &table, UserList list, bool sorted)
{
    if (table.isOpen())
        table.setIndex(sorted ? schema::userList(list).tags.value(0) : QString());
}

void add(Table &table, const QString &text)
{
    table.append();
    table.setString(0, text);
    table.post();
}

void removeCurrent(Table &table)
{
    if (!table.isEmpty() && !table.eof())
        table.deleteRecord();
}

void reset(Table &table, UserList list)
{
    const TableSchema schema = schema::userList(list);
    const QString live = Paths::dataFile(schema.fileName);
    const QString fresh = live + QStringLiteral(".new");
    table.close();
    Table::deleteFiles(fresh); // a leftover of an interrupted reset
    {
        Table t;
        t.setPath(fresh);
        t.create(schema.fields, schema.tags);
        t.open(Table::Mode::Exclusive);
        for (const QString &row : schema::defaultRows(list))
            add(t, row);
        t.close();
    }
    // rename(2) replaces the list in one step; QFile::rename would not
    // overwrite it.
    if (std::rename(QFile::encodeName(fresh).constData(), QFile::encodeName(live).constData()) !=
        0) {
        QFile::remove(fresh);
        table.open();
        throw DbError(QObject::tr("Seznam nelze nahradit: %1").arg(live));
    }
    // An index file of the old list would describe rows that are gone.
    QFile::remove(Table::indexPath(live));
    table.setPath(live);
    table.open();
}

QStringList sortedRows(Table &table)
{
    QStringList rows = readUserList(table);
    std::stable_sort(rows.begin(), rows.end(),
                     [](const QString &a, const QString &b) { return czechCompare(a, b) < 0; });
    return rows;
}

} // namespace velmora::userlists
