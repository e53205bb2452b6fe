#pragma once

namespace velmora {

class TTitul;

// Registers the cassette screens with the main window's commands.
void registerCassetteScreens(TTitul &window);

} // namespace velmora
