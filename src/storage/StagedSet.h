#pragma once

// A set of files in one directory that is replaced as one, such as a backup
// set or an exported catalogue beside other files: the new files are built
// in a hidden directory beside the old ones and checked there, and only then
// swapped in, the file that marks the set as whole (its status or
// information file) last. A failure, or a program stopped at any moment,
// leaves the old set whole or the new one, never a mix; what a stopped swap
// left is finished or undone the next time the set is written or read.

#include <QString>
#include <QStringList>

namespace velmora::staged {

struct SetFiles
{
    QString dir;         // where the set lives
    QStringList members; // names of the set's files, matched without regard to case
    QString marker;      // the file that makes the set whole
};

// The hidden directory where the new set is built.
QString stagingDir(const SetFiles &set);

// Whether a swap cut short, or a staging left behind, waits in the set's
// directory.
bool pending(const SetFiles &set);

// Finishes a swap cut short once the new set was whole, undoes it before,
// and removes what an unfinished staging left. Empty when the directory
// holds one whole set again (or none); otherwise why not, in Czech.
QString recover(const SetFiles &set);

// Recovers, then makes the staging directory anew. Empty on success.
QString begin(const SetFiles &set);

// Puts the staged files in the old set's place: every old member and the old
// marker go aside, the staged files move in, the marker last, and what went
// aside is removed. Empty on success; on failure the old set is back.
QString commit(const SetFiles &set);

// Gives up a staging: its directory goes, the old set stays as it was.
void abandon(const SetFiles &set);

} // namespace velmora::staged
