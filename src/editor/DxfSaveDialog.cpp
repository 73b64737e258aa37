#include "editor/DxfSaveDialog.h"

#include <QFileDialog>

namespace halvex {

namespace {
DxfFileChooser& Chooser() {
    static DxfFileChooser chooser;
    return chooser;
}
}  // namespace

void SetDxfFileChooser(DxfFileChooser chooser) { Chooser() = std::move(chooser); }

QString ChooseDxfFile(QWidget* parent) {
    if (Chooser()) return Chooser()();
    QFileDialog dialog(parent, QStringLiteral("Save As"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("Dxf(*.dxf)"));
    dialog.setDefaultSuffix(QStringLiteral("dxf"));
    dialog.setOption(QFileDialog::ReadOnly, false);
    // The dialog asks before an existing file is replaced (Qt's default for save dialogs).
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace halvex
