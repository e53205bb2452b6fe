#pragma once

class QWidget;

namespace velmora::ui {

// Puts the Tab chain of a window's focusable widgets into reading order:
// rows from top to bottom, left to right within a row. The widgets of one
// group (a group box, a frame, a page, one row or column of a layout) stay
// together, in the place of the group. Hidden widgets keep their place.
// The focus itself does not move.
void orderTabChain(QWidget *window);

// From now on, every dialog and main window that the program shows orders
// its Tab chain once it is prepared and keeps inside the screen (screens
// built on ScreenDialog do both themselves). Installed once; further calls
// do nothing.
void arrangeShownWindows();

} // namespace velmora::ui
