#pragma once

#include <QString>

namespace velmora::shell {

// Opens a file or a web address with the desktop's default handler.
// Returns false when no handler could be started. The "maximized" wish of
// the callers cannot be passed to the handler on every desktop.
bool openFile(const QString &path);
bool openUrl(const QString &url);

} // namespace velmora::shell
