#include "system/DesktopEntry.h"

#include "engine/DbError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <QSaveFile>
#include <QStandardPaths>

namespace velmora::desktop {
namespace {

// An argument of an Exec line: quoted with ", $, ` and \ escaped, % doubled,
// and then every backslash doubled again, since the value itself is an
// escaped string.
QString quoted(const QString &path)
{
    QString p;
    for (const QChar c : path) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            p += QLatin1Char('\\');
        else if (c == QLatin1Char('%'))
            p += QLatin1Char('%');
        p += c;
    }
    p.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    return QLatin1Char('"') + p + QLatin1Char('"');
}

// The reverse of quoted(); text that is not quoted comes back as it is.
QString unquoted(QString exec)
{
    exec.replace(QLatin1String("\\\\"), QLatin1String("\\"));
    if (exec.size() < 2 || !exec.startsWith(QLatin1Char('"')) || !exec.endsWith(QLatin1Char('"')))
        return exec;
    QString out;
    const QString inner = exec.mid(1, exec.size() - 2);
    for (qsizetype i = 0; i < inner.size(); ++i) {
        if (inner[i] == QLatin1Char('\\') && i + 1 < inner.size())
            ++i;
        else if (inner[i] == QLatin1Char('%') && i + 1 < inner.size() &&
                 inner[i + 1] == QLatin1Char('%'))
            ++i;
        out += inner[i];
    }
    return out;
}

void writeEntry(const QString &path, const QString &body)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile f(path);
    const QByteArray bytes = body.toUtf8();
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit())
        throw DbError(QObject::tr("Soubor %1 nelze zapsat (%2).").arg(path, f.errorString()));
}

} // namespace

QString autoCheckPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart/velmora-autocheck.desktop");
}

QString folderMenuPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation) +
           QStringLiteral("/velmora-folder.desktop");
}

bool autoCheckExists()
{
    return QFileInfo::exists(autoCheckPath());
}

bool folderMenuExists()
{
    return QFileInfo::exists(folderMenuPath());
}

void writeAutoCheck(const QString &executable)
{
    writeEntry(autoCheckPath(),
               QStringLiteral("[Desktop Entry]\nType=Application\nName=NV AutoCheck Video\n"
                              "Exec=%1 /AutoRun\nX-GNOME-Autostart-enabled=true\n")
                   .arg(quoted(executable)));
}

void writeFolderMenu(const QString &executable)
{
    writeEntry(folderMenuPath(),
               QStringLiteral("[Desktop Entry]\nType=Application\nName=Velmora\n"
                              "Exec=%1 %f\nMimeType=inode/directory;\nNoDisplay=true\n")
                   .arg(quoted(executable)));
}

void removeAutoCheck()
{
    QFile::remove(autoCheckPath());
}

void removeFolderMenu()
{
    QFile::remove(folderMenuPath());
}

QString execLine(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("Exec="))
            return QString::fromUtf8(line.mid(5));
    return QString();
}

QString autoCheckExecutable()
{
    QString exec = execLine(autoCheckPath());
    if (exec.endsWith(QLatin1String(" /AutoRun")))
        exec.chop(9);
    return unquoted(exec);
}

} // namespace velmora::desktop
