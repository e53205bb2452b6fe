#include "core/Startup.h"

#include "core/MainWindow.h"
#include "core/Storage.h"
#include "platform/Dialogs.h"

namespace velmora {

void prepareMainWindow(TTitul &window)
{
    try {
        Storage::prepareDirectories();
    } catch (const DbError &e) {
        dialogs::showError(e);
    }
    try {
        window.setOldFormat(Storage::prepareTables(window.tables()));
    } catch (const DbError &e) {
        dialogs::showError(e);
    }
}

} // namespace velmora
