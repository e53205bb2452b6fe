#pragma once

#include <QString>
#include <QUrl>
#include <functional>

namespace velmora::shell {

// Opens a file or a web address with the desktop's default handler.
// Returns false when no handler could be started. The "maximized" wish of
// the callers cannot be passed to the handler on every desktop.
bool openFile(const QString &path);
bool openUrl(const QString &url);

// What hands an address to the desktop; tests put a handler of their own
// here (an empty one: the desktop's again).
using Opener = std::function<bool(const QUrl &)>;
void setOpener(Opener opener);

} // namespace velmora::shell
