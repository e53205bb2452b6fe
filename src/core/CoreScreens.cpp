#include "core/CoreScreens.h"

#include "core/InfoWindows.h"
#include "core/MainWindow.h"
#include "core/PasswordDlg.h"
#include "core/SetLang.h"
#include "platform/Dialogs.h"

namespace velmora {

void registerCoreScreens(TTitul &window)
{
    window.registerCommand(QStringLiteral("core.about"), [](TTitul &w) {
        TI_o_prg screen(&w);
        dialogs::exec(screen);
    });
    window.registerCommand(QStringLiteral("core.news"), [](TTitul &w) {
        TNov screen(&w);
        dialogs::exec(screen);
    });
    window.registerCommand(QStringLiteral("core.systemWindow"), [](TTitul &w) {
        TInfo_System_OS screen(w.settings().storedSystemCode, &w);
        dialogs::exec(screen);
    });
    window.registerCommand(QStringLiteral("core.languages"), [](TTitul &w) {
        TSet_Lang screen(&w);
        dialogs::exec(screen);
    });
    window.registerCommand(QStringLiteral("core.password"), [](TTitul &w) {
        TPasswordDlg screen(w.settings().password, &w);
        if (dialogs::exec(screen) != QDialog::Accepted)
            w.endProgram(); // Escape ends the program without the close question
    });
}

} // namespace velmora
