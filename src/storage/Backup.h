#pragma once

#include "storage/BackupSets.h"

#include <QDateTime>
#include <QString>
#include <functional>

namespace velmora::backup {

// Makes a backup set of the live files in target. The new set is built
// beside the set already there, each member read back and each table
// checked (every record, every memo inside the memo file), and only then
// put in its place, the status file last; a backup that fails at any point,
// or is stopped, leaves the earlier set whole. A medium without room for
// the new set beside the old one is told before anything is written.
// Empty on success; otherwise what failed, naming the file and the cause.
// progress is told how far the copies have come, in files.
QString makeBackup(Set set, const QString &target, const QDateTime &moment, const QString &version,
                   const std::function<void(double files)> &progress = {});

// The same for whatever live files of the set there are, the missing ones
// left out: the copy a restore keeps of the live files before it replaces
// them, restorable like any backup.
QString keepLiveFiles(Set set, const QString &target, const QDateTime &moment,
                      const QString &version,
                      const std::function<void(double files)> &progress = {});

// Finishes or undoes a backup into dir that was stopped while it swapped
// the sets; empty when dir holds a whole set (or none) again.
QString recoverBackup(Set set, const QString &dir);

} // namespace velmora::backup
