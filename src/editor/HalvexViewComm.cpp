// The communication-parameter, download and stop commands of the view.
#include "editor/HalvexView.h"
#include "editor/ParameterDialog.h"
#include "transfers/DownloadCommand.h"

namespace halvex {

namespace {

// The worker is given its family when it starts; the view keeps nothing of it.
void RunDownload(CHalvexView& view, InstrumentFamily family) {
    RunDownloadCommand(family, view.MakeTransferEnvironment());
}

}  // namespace

void CHalvexView::OnParameter() {
    if (auto confirmed = EditParameters(this, CommSettings.Load())) CommSettings.Store(*confirmed);
}

void CHalvexView::OnDownloadTamsel() { RunDownload(*this, InstrumentFamily::Tamsel); }

void CHalvexView::OnDownloadBrenno() { RunDownload(*this, InstrumentFamily::Brenno); }

void CHalvexView::OnDownloadCorvane() { RunDownload(*this, InstrumentFamily::Corvane); }

void CHalvexView::OnStopTransfer() { Workers.StopAll(StopNotice::Report); }

}  // namespace halvex
