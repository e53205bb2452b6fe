#include "core/Startup.h"

#include "core/MainWindow.h"
#include "core/Settings.h"
#include "core/Storage.h"
#include "platform/Dialogs.h"
#include "platform/SystemInfo.h"

namespace velmora {

void prepareMainWindow(TTitul &window)
{
    const SystemCode system = detectSystem();
    window.setSystemText(system.text);
    try {
        Storage::prepareDirectories();
    } catch (const DbError &e) {
        dialogs::showError(e);
    }
    QStringList errors;
    settings::load(window.settings(), system, errors);
    for (const QString &message : errors)
        dialogs::error(QStringLiteral("Chyba"), message);
    try {
        window.setOldFormat(Storage::prepareTables(window.tables()));
    } catch (const DbError &e) {
        dialogs::showError(e);
    }
}

} // namespace velmora
