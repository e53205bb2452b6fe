#include "printing/PrintingScreens.h"

#include "core/MainWindow.h"
#include "printing/Centr.h"

namespace velmora {

void registerPrintingScreens(TTitul &window)
{
    window.registerCommand(QStringLiteral("printing.printer"), TTitul::modal<TCentr>());
}

} // namespace velmora
