#pragma once

#include <QString>
#include <QStringList>

namespace velmora {

// Where the program keeps its files. Every path of a directory ends with
// one separator, so file names are simply appended.
class Paths
{
public:
    // The data directory: --data-dir DIR (or --data-dir=DIR), else the
    // environment variable VELMORA_DATA_DIR, else the directory of the
    // executable when it already holds data.dbf and can be written, else
    // the per-user data location (made when missing).
    static QString resolveDataDir(const QStringList &arguments, const QString &executableDir);
    // Arguments left after the options this program consumes itself.
    static QStringList positionalArguments(const QStringList &arguments);

    static void setDataDir(const QString &dir);
    static QString dataDir();
    static QString langDir();
    static QString zalohaDir();
    static QString externiDir();
    static QString dataFile(const QString &name) { return dataDir() + name; }

    // A private directory (mode 0700) inside the system temporary directory,
    // made on first use and removed by cleanupTemp() or at program end.
    static QString tempDir();
    static void cleanupTemp();
    // A path as the user's system writes it, for the messages.
    static QString native(const QString &path);
};

} // namespace velmora
