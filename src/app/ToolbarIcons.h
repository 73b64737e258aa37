#pragma once
// The toolbar's button images (16 by 15 pixels) and the application icon, drawn in code.

#include <QIcon>

namespace halvex {

// The button image of a toolbar command; a null icon for other ids.
QIcon ToolbarIcon(int commandId);
QIcon ApplicationIcon();

}  // namespace halvex
