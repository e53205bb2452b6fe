#pragma once

#include "session/OwnerName.h"

// The information file that travels with an exported catalogue: eight lines
// in code page 1250 with CR LF, labels of 18 characters.

#include <QDateTime>
#include <QString>

namespace velmora::exchange {

struct ExportInfo
{
    QString date;    // characters 19 to 46 of line 2
    QString time;    // characters 19 to 46 of line 3
    QString version; // characters 19 to 25 of line 5
    QString owner;   // line 6 from character 19, exactly as written
};

QByteArray infoFileBytes(const QDateTime &moment, const QString &version, const QString &owner);

// Reads an information file. On failure returns false with a Czech message
// naming the file and the problem.
bool readInfoFile(const QString &path, ExportInfo &info, QString &problem);
// The same for the file's bytes; name is the file named in a message.
bool parseInfo(const QByteArray &bytes, const QString &name, ExportInfo &info, QString &problem);

// An information file is a few hundred bytes; no more than this is read.
constexpr qsizetype kInfoFileLimit = 64 * 1024;

// The owner's name as a directory name and register value: the name read,
// without the blanks a register field would drop.
QString ownerKey(const QString &owner);

using settings::kOwnerMaxLength;
using settings::ownerNameProblem;

} // namespace velmora::exchange
