#pragma once

#include "storage/BackupSets.h"

#include <QDateTime>
#include <QString>
#include <functional>

namespace velmora::backup {

// Copies the set's members from the data directory into target, each one
// verified (its size, and a table reopens with every record). The status
// file of an earlier backup there is removed first and the new one written
// last, only when every copy succeeded, so a set is never taken for whole
// when it is not. Empty on success; otherwise what failed, naming the file.
// progress is told how far the copies have come, in files.
QString makeBackup(Set set, const QString &target, const QDateTime &moment, const QString &version,
                   const std::function<void(double files)> &progress = {});

} // namespace velmora::backup
