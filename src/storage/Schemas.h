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

// The persistent table stored under fileName ("data.dbf", "Users_za.nrv"),
// compared without regard to case; nullptr for any other name.
const TableSchema *byFileName(const QString &fileName);

// The name a file of the intermediate generation is kept under while the
// format upgrade replaces it: "data.dbf" becomes "data.zanr12.dbf".
QString upgradeKeptName(const QString &fileName);

// Empty when the table at path has the fields of ours (names and types, in
// their order) and holds every record its header claims; otherwise why not,
// naming the file. Widths are not compared: the previous release's genres
// were narrower. records receives the count of records.
QString layoutProblem(const QString &path, const TableSchema &ours, int *records = nullptr);

// Empty when every memo the records of the table at path point to lies in
// the memo file beside it (a table and a memo file of different backups or
// exports do not); otherwise why not, or why the table does not open.
QString memoProblem(const QString &path);

} // namespace schema
} // namespace velmora
