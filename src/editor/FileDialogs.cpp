#include "editor/FileDialogs.h"

#include <QFileDialog>

namespace halvex {
namespace {

FileChooser& Chooser() {
    static FileChooser chooser;
    return chooser;
}

// "*.*" would hide the many files without a dot in their name on this platform.
const char* const kAllFilesFilter = "All Files (*)";

}  // namespace

void SetFileChooser(FileChooser chooser) { Chooser() = std::move(chooser); }

QString ChooseFile(QWidget* parent, FileDialogKind kind, const QString& proposedName) {
    if (Chooser()) return Chooser()(kind, proposedName);
    const QString filter = QString::fromLatin1(kAllFilesFilter);
    if (kind == FileDialogKind::Open) {
        return QFileDialog::getOpenFileName(parent, QStringLiteral("Open"), QString(), filter);
    }
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Save As"), proposedName, filter);
}

}  // namespace halvex
