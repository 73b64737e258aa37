#pragma once
// The application icon, for the windows and the About box.

#include <QIcon>

namespace halvex {

QIcon ApplicationIcon();

}  // namespace halvex
