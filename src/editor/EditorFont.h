#pragma once
// The editor's font: the fixed-pitch face "Fixedsys" where the system has it, otherwise the
// system's fixed-pitch font; as tall as the default user-interface font, normal weight, upright.

#include <QFont>

namespace halvex {

QFont EditorFont();

}  // namespace halvex
