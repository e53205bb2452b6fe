#include "storage/Paths.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <memory>

namespace velmora {
namespace {

const QString kCassettes = QStringLiteral("data.dbf");
QString g_dataDir;
std::unique_ptr<QTemporaryDir> g_temp;

QString withSeparator(const QString &dir)
{
    QString d = QDir::cleanPath(QDir(dir).absolutePath());
    if (!d.endsWith(QLatin1Char('/')))
        d += QLatin1Char('/');
    return d;
}

bool writableDir(const QString &dir)
{
    // Asking the file system is the only honest test: permissions alone do
    // not tell for read-only mounts.
    QTemporaryFile probe(dir + QStringLiteral("/.velmora-probe-XXXXXX"));
    return probe.open();
}

} // namespace

QString Paths::resolveDataDir(const QStringList &arguments, const QString &executableDir)
{
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (a == QLatin1String("--data-dir") && i + 1 < arguments.size())
            return withSeparator(arguments.at(i + 1));
        if (a.startsWith(QLatin1String("--data-dir=")))
            return withSeparator(a.mid(11));
    }
    const QString env = qEnvironmentVariable("VELMORA_DATA_DIR");
    if (!env.isEmpty())
        return withSeparator(env);
    // An installation that already keeps its catalogue beside the program
    // goes on doing so; otherwise the data must not live in a folder that
    // goes away with a rebuild or an uninstall.
    if (!executableDir.isEmpty() && QFileInfo(QDir(executableDir).filePath(kCassettes)).isFile() &&
        writableDir(executableDir))
        return withSeparator(executableDir);
    const QString user = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(user);
    return withSeparator(user);
}

QStringList Paths::positionalArguments(const QStringList &arguments)
{
    QStringList out;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (a == QLatin1String("--data-dir") || a == QLatin1String("--cd-device")) {
            ++i;
            continue;
        }
        if (a.startsWith(QLatin1String("--data-dir=")) ||
            a.startsWith(QLatin1String("--cd-device=")))
            continue;
        out << a;
    }
    return out;
}

void Paths::setDataDir(const QString &dir)
{
    g_dataDir = withSeparator(dir);
}

QString Paths::dataDir()
{
    return g_dataDir;
}

QString Paths::langDir()
{
    return g_dataDir + QStringLiteral("LANG/");
}

QString Paths::zalohaDir()
{
    return g_dataDir + QStringLiteral("ZALOHA/");
}

QString Paths::externiDir()
{
    return g_dataDir + QStringLiteral("EXTERNI/");
}

QString Paths::tempDir()
{
    if (!g_temp || !g_temp->isValid()) {
        // Fixed work-table names such as Temp.dbf must not meet another
        // user's or another run's files, so every run gets its own folder.
        g_temp =
            std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/velmora-XXXXXX"));
        if (g_temp->isValid())
            QFile::setPermissions(g_temp->path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    return withSeparator(g_temp->isValid() ? g_temp->path() : QDir::tempPath());
}

void Paths::cleanupTemp()
{
    g_temp.reset();
}

QString Paths::native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace velmora
