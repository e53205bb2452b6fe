#include "printing/PrintingScreens.h"

#include "core/MainWindow.h"
#include "platform/Dialogs.h"
#include "printing/Centr.h"

namespace velmora {

void registerPrintingScreens(TTitul &window)
{
    window.registerCommand(QStringLiteral("printing.printer"), [](TTitul &w) {
        TCentr screen(w);
        dialogs::exec(screen);
    });
}

} // namespace velmora
