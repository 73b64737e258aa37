#pragma once
// The save dialog of the DXF export: one filter "Dxf(*.dxf)", default extension dxf, the
// read-only option hidden, a question before an existing file is replaced. Tests install a
// chooser that answers instead of a dialog being shown.

#include <QString>
#include <functional>

class QWidget;

namespace halvex {

using DxfFileChooser = std::function<QString()>;

void SetDxfFileChooser(DxfFileChooser chooser);  // nullptr restores the real dialog
// The chosen path, with ".dxf" added to a name typed without an extension; empty on Cancel.
QString ChooseDxfFile(QWidget* parent);

}  // namespace halvex
