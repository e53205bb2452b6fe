#include "platform/Shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace velmora::shell {
namespace {

Opener g_opener;

bool open(const QUrl &url)
{
    return g_opener ? g_opener(url) : QDesktopServices::openUrl(url);
}

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
// On X11 desktops opening succeeds as soon as xdg-open starts, even when
// no program takes the file's type and nothing ever shows. Asking the
// desktop's type registry first lets the caller show the file itself.
bool desktopHasHandler(const QString &path)
{
    const QString query = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (query.isEmpty())
        return true; // nothing to ask; opening tells for itself
    const QString type = QMimeDatabase().mimeTypeForFile(path).name();
    QProcess p;
    p.start(query, {QStringLiteral("query"), QStringLiteral("default"), type});
    if (!p.waitForFinished(3000)) {
        p.kill();
        p.waitForFinished(500);
        return true;
    }
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0 &&
           !p.readAllStandardOutput().trimmed().isEmpty();
}
#else
bool desktopHasHandler(const QString &)
{
    return true;
}
#endif

} // namespace

void setOpener(Opener opener)
{
    g_opener = std::move(opener);
}

bool openFile(const QString &path)
{
    if (path.isEmpty())
        return false;
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (!g_opener && !desktopHasHandler(absolute))
        return false;
    return open(QUrl::fromLocalFile(absolute));
}

bool openUrl(const QString &url)
{
    const QUrl u = QUrl::fromUserInput(url);
    if (!u.isValid() || u.isEmpty())
        return false;
    return open(u);
}

} // namespace velmora::shell
