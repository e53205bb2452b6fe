#pragma once

#include "engine/Table.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace velmora {

// The persistent tables: file name, fields in order and index tags.
struct TableSchema
{
    QString fileName;
    QList<FieldDef> fields;
    QStringList tags;
};

enum class UserList
{
    Genres,
    Sources,
    CdFormats,
    CdStyles
};

namespace schema {

TableSchema cassettes();       // data.dbf
TableSchema cassetteArchive(); // archiv.dbf
TableSchema cdTitles();        // cd01.dbf
TableSchema cdTracks();        // cd02.dbf
TableSchema cdArchive();       // archivcd.dbf
TableSchema userList(UserList list);

// The rows a user list starts with (and is reset to), in their order.
QStringList defaultRows(UserList list);

} // namespace schema
} // namespace velmora
