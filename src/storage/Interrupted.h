#pragma once

// Work that changes several files, or several records of two tables, and
// must not be left half done when the program is stopped in the middle (it
// is killed, or the machine goes down): before its first change it leaves
// a note in the directory of the files, and removes the note when it is
// done. A note found at the next start means the work was cut short; the
// start undoes it from the note, so that everything it touched is as it
// was before it began.

#include "storage/CdRecords.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

namespace velmora::interrupted {

// A restore of a backup set, in two stages. First the live files are
// copied into aside (undone by removing aside, which may be incomplete);
// then, once every live file named in existing lies whole in aside, they
// are replaced (undone by putting them back; the missing ones did not
// exist before and go).
struct FileReplacement
{
    QString aside;
    bool replacing = false;
    QStringList existing; // file names in the directory of the note
    QStringList missing;
    // The name in aside of a live file, where it differs (a safety copy
    // kept as a backup set names its files as the set does).
    QHash<QString, QString> asideNames;
};

// A save or deletion of a CD title with its tracks. The records of the
// number that were there before; the title record edited, with its content
// before (-1 when none is edited).
struct TitleChange
{
    QString titles; // the table files, in the directory of the note
    QString tracks;
    QString number;
    std::vector<int> oldTitles;
    std::vector<int> oldTracks;
    int edited = -1;
    CdTitle before;
};

// Writes the note into dir, whole or not at all. Empty on success;
// otherwise why not, and the work must not begin.
QString noteReplacement(const QString &dir, const FileReplacement &work);
QString noteTitleChange(const QString &dir, const TitleChange &work);

// The work is done: its note goes.
void doneReplacement(const QString &dir);
void doneTitleChange(const QString &dir);

// At start, before any table is opened: finishes the records a killed
// program left half rewritten in the tables of dir, undoes the work that
// the notes in dir describe, and removes what copies cut short left there
// and the copies of a format upgrade stopped after its last replacement. Returns what
// the user is to be told, a message for each work undone or that could not
// be undone (its note then stays, for the next start to try again).
QStringList undoInterrupted(const QString &dir);

} // namespace velmora::interrupted
