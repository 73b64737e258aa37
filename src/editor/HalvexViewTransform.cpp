// The conversion and export commands of the view. The conversions rewrite the editor text, so
// they are refused while a transfer worker still writes into it; the DXF export only reads it.
#include <QString>

#include "convert/ConversionCommands.h"
#include "convert/DxfExport.h"
#include "editor/DxfSaveDialog.h"
#include "editor/HalvexView.h"
#include "transfers/TransferGuard.h"

namespace halvex {

namespace {

void RunEditorConversion(CHalvexView& view,
                         bool (*run)(EditorOps& editor, UserDialogs& dialogs)) {
    if (RefuseWhileTransferRuns(view.Workers, view.Dialogs())) return;
    run(view, view.Dialogs());
}

}  // namespace

void CHalvexView::OnTransformTamselCass() { RunEditorConversion(*this, RunTamselCassConversion); }

void CHalvexView::OnTransformBrennoCass() { RunEditorConversion(*this, RunBrennoCassConversion); }

void CHalvexView::OnTransformBrennoNez() { RunEditorConversion(*this, RunBrennoNezConversion); }

void CHalvexView::OnTransformDulmarCass() { RunEditorConversion(*this, RunDulmarCassConversion); }

void CHalvexView::OnTransformTamselPcode() { RunEditorConversion(*this, RunTamselPcodeConversion); }

void CHalvexView::OnTransformCassDxf() {
    const QString path = ChooseDxfFile(this);
    if (path.isEmpty()) return;
    RunCassDxfExport(*this, Dialogs(), path.toStdString());
}

}  // namespace halvex
