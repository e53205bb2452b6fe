#pragma once

namespace velmora {

class TTitul;

// Registers the search screens with the main window's commands.
void registerSearchScreens(TTitul &window);

} // namespace velmora
