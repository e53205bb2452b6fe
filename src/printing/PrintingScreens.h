#pragma once

namespace velmora {

class TTitul;

// Registers the printing screens with the main window: the system printer
// screen under "printing.printer".
void registerPrintingScreens(TTitul &window);

} // namespace velmora
