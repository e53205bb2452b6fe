#include "platform/Shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace velmora::shell {

bool openFile(const QString &path)
{
    if (path.isEmpty())
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}

bool openUrl(const QString &url)
{
    const QUrl u = QUrl::fromUserInput(url);
    if (!u.isValid() || u.isEmpty())
        return false;
    return QDesktopServices::openUrl(u);
}

} // namespace velmora::shell
