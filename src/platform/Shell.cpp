#include "platform/Shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace velmora::shell {
namespace {

Opener g_opener;

bool open(const QUrl &url)
{
    return g_opener ? g_opener(url) : QDesktopServices::openUrl(url);
}

} // namespace

void setOpener(Opener opener)
{
    g_opener = std::move(opener);
}

bool openFile(const QString &path)
{
    if (path.isEmpty())
        return false;
    return open(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}

bool openUrl(const QString &url)
{
    const QUrl u = QUrl::fromUserInput(url);
    if (!u.isValid() || u.isEmpty())
        return false;
    return open(u);
}

} // namespace velmora::shell
