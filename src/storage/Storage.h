#pragma once

#include "storage/Schemas.h"
#include "storage/TableHandles.h"

namespace velmora {

// Preparation of the data directory at every start. It only creates what is
// missing; existing files are never altered, except that a user list left
// without any row gets its default rows again.
class Storage
{
public:
    // The LANG, ZALOHA and EXTERNI directories, the two notes files and the
    // news file. Throws DbError when an empty notes file cannot be created.
    static void prepareDirectories();
    // The news file of this version, copied into the data directory from
    // beside the program (programDir) or from its installed shared data,
    // when it is missing or another there.
    static void prepareNews(const QString &programDir);
    // The nine tables, in their order; returns true when data.dbf has the
    // format of the previous release. Throws DbError at the first table that
    // cannot be created or opened; the tables after it stay unprepared.
    static bool prepareTables(TableHandles &handles);

    // Appends the default rows to a user-list table that holds none.
    static void fillUserList(Table &table, UserList list);
};

} // namespace velmora
