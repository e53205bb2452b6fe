#pragma once

#include <QString>

namespace velmora {

// The two entries outside the settings key: the automatic check at log-on
// (an XDG autostart entry running the program with " /AutoRun") and the
// folder menu entry (an application entry for inode/directory).
namespace desktop {

QString autoCheckPath();
QString folderMenuPath();
bool autoCheckExists();
bool folderMenuExists();
void writeAutoCheck(const QString &executable);
void writeFolderMenu(const QString &executable);
void removeAutoCheck();
void removeFolderMenu();
// The Exec line of an entry file, empty when there is none.
QString execLine(const QString &path);
// The program the automatic check entry runs, without its quotes and
// " /AutoRun"; empty when there is no entry.
QString autoCheckExecutable();

} // namespace desktop
} // namespace velmora
