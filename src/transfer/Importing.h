#pragma once

// Reading an exported catalogue, importing it into EXTERNI, replacing it by a
// newer export and removing it. An export comes from another person's
// medium: everything read from it is checked before anything is written,
// copies are made aside and verified, and the register changes only after
// the files did.

#include "transfer/ExchangeFiles.h"
#include "transfer/ExportInfo.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace velmora::exchange {

// What the manager shows of an export directory.
struct Candidate
{
    bool hasInfo = false; // the information file is there and reads
    ExportInfo info;
    QString problem; // why it cannot be imported; empty when it can
    int fields = -1; // of the main table; -1 when unread
    int records = -1;
    bool allowed = false;
};

Candidate inspect(Catalogue catalogue, const QString &exportDir);

// Empty when the table at path has the layout of our table (field names and
// types) and holds every record its header claims.
// ourTable names the table of our own ("data.dbf", "cd01.dbf", "cd02.dbf").
// records receives the count of records.
QString layoutProblem(const QString &path, const QString &ourTable, int *records = nullptr);

enum class ImportResult
{
    Imported,
    Replaced,
    NotNewer,
    Failed,
};

// Imports the export in exportDir whose information was read as info. When
// the owner's catalogue exists, replace decides (it is asked only then);
// false leaves everything as it was and gives Failed with no problem.
ImportResult importCatalogue(Catalogue catalogue, const QString &exportDir, const ExportInfo &info,
                             const std::function<bool()> &replace, const Progress &progress,
                             QString &problem);

// Removes an imported catalogue's table files and directory, and its
// register record. False with problem when the directory could not be
// removed; the record is removed all the same.
bool removeCatalogue(Catalogue catalogue, const RegisterEntry &entry, QString &problem);

// Leftovers of failed removals: records whose directory is missing, and
// directories of this kind without a record.
struct Leftovers
{
    QStringList recordsWithoutDirectory;  // owners
    QStringList directoriesWithoutRecord; // owners
    bool empty() const
    {
        return recordsWithoutDirectory.isEmpty() && directoriesWithoutRecord.isEmpty();
    }
};
Leftovers findLeftovers(Catalogue catalogue);
// Work directories of an import that never ended (the program was killed).
void discardStaleWork();
// Removes the records and the directories' table files and directories;
// another owner's record is never touched. Problems in problem.
void cleanLeftovers(Catalogue catalogue, const Leftovers &leftovers, QString &problem);

} // namespace velmora::exchange
