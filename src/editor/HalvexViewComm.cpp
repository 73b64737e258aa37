// The communication-parameter, download and stop commands of the view.
#include "editor/HalvexView.h"
#include "editor/ParameterDialog.h"
#include "serial/DownloadCommand.h"

namespace halvex {

namespace {

void RunDownload(CHalvexView& view, std::int16_t transferMode) {
    if (auto mode = RunDownloadCommand(transferMode, view.MakeTransferEnvironment())) {
        view.TransferMode = *mode;
    }
}

}  // namespace

void CHalvexView::OnParameter() {
    if (auto confirmed = EditParameters(this, CommSettings.Load())) CommSettings.Store(*confirmed);
}

void CHalvexView::OnDownloadTamsel() { RunDownload(*this, 1); }

void CHalvexView::OnDownloadBrenno() { RunDownload(*this, 2); }

void CHalvexView::OnDownloadCorvane() { RunDownload(*this, 3); }

void CHalvexView::OnStopTransfer() { Workers.StopAll(StopNotice::Report); }

}  // namespace halvex
