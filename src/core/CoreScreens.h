#pragma once

namespace velmora {

class TTitul;

// Registers the screens of the application core with the main window:
// about, news, system detection, language screen and password dialog.
void registerCoreScreens(TTitul &window);

} // namespace velmora
