#pragma once

#include "storage/Schemas.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace velmora::conversion {

// The cassette number of the 2001.A generation made five characters long:
// "7" becomes "00007", "42" "00042", "123" "00123". Blanks around the
// stored value are dropped first (an old number kept right-aligned as " 7"
// is still 7); a value of any other length is taken as it is.
QString zeroFilled(const QString &stored);

// The name a file of the 2001.A generation is kept under beside the new
// one: "data.dbf" becomes "data.2001.A.dbf", "archiv.dbt" "archiv.2001.A.dbt".
QString keptName(const QString &fileName);

// data.dbf as the conversion writes it: the current fields with genres of
// 12 characters and only the cislo tag. The format upgrade widens it.
TableSchema intermediateCassettes();
// The converted loan archive (nvtemp2.dbf), the fields of archiv.dbf.
TableSchema convertedArchive();

// The records of a table counted by walking it from the first to the last.
int walkCount(const QString &path);

// The files of a table that exist: data file, memo file, index file.
QStringList tableFiles(const QString &path);
// Whether two files hold the same bytes (false when either is missing).
bool sameBytes(const QString &a, const QString &b);

// Live files of the data directory replaced by new ones, each through a
// copy written under a temporary name and renamed over it, so a crash
// leaves either the old or the new file. Every original must have been
// copied aside (keep) before it is replaced; rollBack puts the originals
// back, in reverse order, and removes files that did not exist before.
class Replacement
{
public:
    // Copies a live file aside; empty on success, otherwise the cause.
    QString keep(const QString &live, const QString &kept);
    // Replaces live by a copy of source; kept is where its original lies
    // (nothing there: live did not exist before).
    QString install(const QString &source, const QString &live, const QString &kept);
    // Empty when every original is back; otherwise what could not be put
    // back (the kept copies then stay).
    QString rollBack();
    // Removes the copies this object made aside (after success, or after
    // a rollback that put everything back).
    void dropKept();
    bool anyInstalled() const { return !m_installed.isEmpty(); }

private:
    struct Installed
    {
        QString live;
        QString kept;
    };
    QList<Installed> m_installed;
    QStringList m_keptMade;
};

// The conversion of a database of the 2001.A generation, in the steps the
// conversion screen shows one after the other. The new tables are built in
// workDir; the data directory does not change before install(), which
// keeps the originals under their kept names and replaces the live files.
// A step that fails throws DbError with the cause (the engine's message
// naming the file and field); the work files go with the object.
//
// A table is read from its live file when that has the 2001.A form
// (typ_kazety). When a run was interrupted after the live file had been
// replaced, it is read again from its kept copy. A table already in the
// current form (the start creates missing tables so) is left as it is.
class OldDatabase
{
public:
    OldDatabase(const QString &dataDir, const QString &workDir);
    ~OldDatabase();
    OldDatabase(const OldDatabase &) = delete;
    OldDatabase &operator=(const OldDatabase &) = delete;

    // The records of the tables read (0 for a table left as it is).
    int oldCassettes() const;
    int oldArchive() const;

    // Creates the temporary data.dbf in workDir.
    void createCassettes();
    // Copies every old cassette into it; progress gets the records done.
    // Returns the number copied.
    int copyCassettes(const std::function<void(int done)> &progress = {});
    // The records of the new table, walked.
    int countCassettes() const;

    void createArchive(); // nvtemp2.dbf in workDir
    int copyArchive(const std::function<void(int done)> &progress = {});
    int countArchive() const;

    // Checks the new tables against the old counts, keeps the originals
    // (data.2001.A.dbf ...) and replaces data.dbf, data.dbt and archiv.dbf.
    // Empty on success; otherwise the cause, and the old generation is in
    // place again.
    QString install();

    QString cassettesSource() const { return m_cassettes.source; }
    QString archiveSource() const { return m_archive.source; }

private:
    struct Part
    {
        QString live;   // in the data directory
        QString source; // what is read: live, its kept copy, or empty
        bool fromKept = false;
        QString work; // the new table in workDir
        int old = 0;
        int copied = 0;
    };
    void choose(Part &part, const QString &liveName, const QString &workName);
    QString keepOriginals(const Part &part, Replacement &r) const;

    QString m_dataDir;
    QString m_workDir;
    Part m_cassettes;
    Part m_archive;
};

// Writes Version "2002.A" and Dat_verze of the running version into the
// settings store; empty on success, otherwise the cause.
QString writeNewVersion();

// The whole conversion without a screen: every step, then the version.
QString convert(const QString &dataDir, const QString &workDir);

} // namespace velmora::conversion
