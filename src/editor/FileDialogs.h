#pragma once
// The Open and Save As file dialogs. Both offer every file and add no extension. Tests install
// a chooser that answers instead of a dialog being shown.

#include <QString>
#include <functional>

class QWidget;

namespace halvex {

enum class FileDialogKind { Open, SaveAs };

// Returns the chosen path, or an empty string when the user cancels.
using FileChooser = std::function<QString(FileDialogKind kind, const QString& proposedName)>;

void SetFileChooser(FileChooser chooser);  // nullptr restores the real dialogs
QString ChooseFile(QWidget* parent, FileDialogKind kind, const QString& proposedName = {});

}  // namespace halvex
