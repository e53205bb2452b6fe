#pragma once

#include "storage/BackupSets.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>

namespace velmora::backup {

// Empty when source holds a whole set: every member the set needs, each a
// regular file, each table opening with the layout of ours and every record
// its header claims, and the members belonging together (the sizes and
// checksums the set's manifest names, every memo inside the memo file, no
// table changed after the status file was written). Otherwise why not,
// naming the file.
QString checkSet(Set set, const QString &source);

struct RestoreResult
{
    QString problem;   // empty on success
    QString safetyDir; // where the live files were put aside; empty if not
    // On failure: whether the live files are again as they were before.
    bool putBack = true;
    // The restored data.dbf keeps genres in the previous release's width.
    bool oldFormat = false;
    // Older safety copies removed so that only the newest ones stay.
    QStringList removedSafetyDirs;
};

// Safety copies of each catalogue kept in ZALOHA; older ones go.
inline constexpr int kSafetyCopiesKept = 5;

// The safety copies of the set's live files in ZALOHA, newest first.
QStringList safetyCopies(Set set);

// Replaces the set's live files by the members in source. The set is checked
// whole first; the live files are then kept as a backup set of their own in
// a directory of ZALOHA named with moment (restorable like any other), and
// only then replaced one by one, each by a whole new file. A failure
// half-way puts the safety copy back. progress is told how far the work has
// come, in files of the set.
RestoreResult restoreSet(Set set, const QString &source, const QDateTime &moment,
                         const std::function<void(double files)> &progress = {});

} // namespace velmora::backup
