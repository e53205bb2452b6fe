#pragma once

#include <QString>

namespace velmora {

// The records of the table at path, opened read-only for the count and
// closed again. Throws DbError when it does not open (a missing file too).
int readOnlyRecordCount(const QString &path);

} // namespace velmora
