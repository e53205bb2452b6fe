#pragma once

// The backup sets of the two catalogues: which live file each member of a
// set copies, in their order, and the status file that marks a set as made
// whole by a given version.

#include "storage/StagedSet.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

namespace velmora::backup {

enum class Set
{
    Cassettes,
    Cds,
};

struct Member
{
    QString stored; // name in the set, "data.zal"
    QString live;   // name in the data directory, "data.dbf"
    bool optional;  // index files: our tables carry none
    bool table;     // a dBASE table, checked by opening it
};

// The members in the order of the copies; the status file is not one.
const QList<Member> &members(Set set);
// "info.txt" / "infocd.txt".
QString statusFileName(Set set);
// The set in dir as one replaced whole: its members, its manifest, and the
// status file as the marker that is written last.
staged::SetFiles setFiles(Set set, const QString &dir);

// The status file: six lines in code page 1250 with CR LF.
QByteArray statusBytes(const QDateTime &moment, const QString &version);

struct Status
{
    bool exists = false;
    QString date; // as shown: up to 28 characters from the 18th on
    QString time;
    QString version; // line 4, at most 28 characters; empty when the file has fewer lines
    // Why a status file that stands there was not read (a pipe, a link,
    // unreadable); the set then counts as having none.
    QString problem;
};
Status readStatus(const QString &dir, Set set);
// The values of a status file's bytes; exists is left to the caller.
Status parseStatus(const QByteArray &bytes);
// The most characters of a value that are shown.
inline constexpr int kStatusValueLength = 28;

// A status file is six short lines; no more than this is read of one, so a
// damaged or foreign file on a medium costs no time or memory.
inline constexpr qint64 kStatusFileLimit = 64 * 1024;

// The file of dir whose name equals name without regard to case; empty
// when there is none. Sets made on other systems differ in case.
QString findInDir(const QString &dir, const QString &name);

} // namespace velmora::backup
