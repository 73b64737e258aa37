// The communication-parameter, download and stop commands of the view.
#include "app/ParameterDlg.h"
#include "editor/HalvexView.h"
#include "serial/DownloadCommand.h"
#include "serial/ParameterValidation.h"

namespace halvex {

namespace {

void RunDownload(CHalvexView& view, std::int16_t transferMode) {
    if (auto mode = RunDownloadCommand(transferMode, view.MakeTransferEnvironment())) {
        view.TransferMode = *mode;
    }
}

}  // namespace

void CHalvexView::OnParameter() {
    CParameterDlg dialog(this);
    dialog.SetMembers(DialogMembersFrom(CommSettings.Load()));
    if (dialog.exec() == QDialog::Accepted) CommSettings.Store(CommSettingsFrom(dialog.Members()));
}

void CHalvexView::OnDownloadTamsel() { RunDownload(*this, 1); }

void CHalvexView::OnDownloadBrenno() { RunDownload(*this, 2); }

void CHalvexView::OnDownloadCorvane() { RunDownload(*this, 3); }

void CHalvexView::OnStopTransfer() { Workers.StopAll(StopNotice::Report); }

}  // namespace halvex
