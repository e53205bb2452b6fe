#pragma once

namespace velmora {

class TTitul;

// The preparation of the main window before it is shown: directories and
// notes files, settings, tables. An error is shown to the user and the
// start goes on, as far as the failed step allows.
void prepareMainWindow(TTitul &window);

} // namespace velmora
