#pragma once
// The parameter dialog as the view opens it ("ParameTer"). The dialog itself is part of the
// application, which installs it when it starts; the view only asks for the settings to be
// edited, so the editor layer does not depend on the application's dialogs.

#include <functional>
#include <optional>

#include "port/CommSettings.h"

class QWidget;

namespace halvex {

// Shows the dialog loaded with `current`; the values confirmed with OK, nothing on Cancel.
using ParameterEditor = std::function<std::optional<CommSettingsValues>(
    QWidget* parent, const CommSettingsValues& current)>;

void SetParameterEditor(ParameterEditor editor);  // nullptr: no dialog, nothing changes
std::optional<CommSettingsValues> EditParameters(QWidget* parent,
                                                 const CommSettingsValues& current);

}  // namespace halvex
