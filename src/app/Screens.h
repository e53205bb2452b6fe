#pragma once

namespace velmora {

class TTitul;

// Registers every screen of the program under the command that opens it.
// The program and the test fixture both start from this one list.
void registerScreens(TTitul &window);

} // namespace velmora
