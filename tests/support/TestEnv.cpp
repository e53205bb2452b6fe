#include "TestEnv.h"

#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>

namespace velmora::test {

TestEnv::TestEnv()
{
    QDir().mkpath(configHome());
    QDir().mkpath(dataHome());
    QDir().mkpath(systemConfig());
    QDir().mkpath(cacheHome());
    qputenv("XDG_CONFIG_HOME", configHome().toLocal8Bit());
    // The user's cache too (looked-up discs): nothing of the real user is written.
    qputenv("XDG_CACHE_HOME", cacheHome().toLocal8Bit());
    qputenv("XDG_DATA_HOME", dataHome().toLocal8Bit());
    qputenv("XDG_CONFIG_DIRS", systemConfig().toLocal8Bit());
    QStandardPaths::setTestModeEnabled(false);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, configHome());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, configHome());
    QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, systemConfig());
    QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, systemConfig());
}

TestEnv::~TestEnv() = default;

QString runProgram(const QString &program, const QStringList &args, int *exitCode)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(120000);
    if (exitCode)
        *exitCode = p.exitCode();
    return QString::fromUtf8(p.readAllStandardOutput()) +
           QString::fromUtf8(p.readAllStandardError());
}

} // namespace velmora::test
