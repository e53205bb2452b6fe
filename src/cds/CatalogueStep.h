#pragma once

#include <functional>

namespace velmora {

// Runs one step of the CD catalogue for a title screen. A step the
// catalogue refuses is told in its own words under "Chyba:", any other
// failure as the error it is; false then, and what the user typed stays on
// the screen for another try.
bool runCatalogueStep(const std::function<void()> &step);

} // namespace velmora
