// The upload commands of the view: each builds its queue from the editor text and starts the
// upload worker with its own copy of the queue; the view keeps the fields it was given.
#include "editor/HalvexView.h"
#include "upload/UploadCommand.h"

namespace halvex {

namespace {

void RunUpload(CHalvexView& view, UploadKind kind) {
    std::optional<TransferFields> started = RunUploadCommand(kind, view.MakeTransferEnvironment());
    if (!started) return;
    view.UploadQueue = started->UploadQueue;
    view.SiteHeader = started->SiteHeader;
    view.TransferMode = TransferModeOf(started->TransferMode);
}

}  // namespace

void CHalvexView::OnUploadTamselCoordinate() { RunUpload(*this, UploadKind::TamselCoordinate); }

void CHalvexView::OnUploadBrennoCoordinate() { RunUpload(*this, UploadKind::BrennoCoordinate); }

void CHalvexView::OnUploadCorvaneCoordinate() { RunUpload(*this, UploadKind::CorvaneCoordinate); }

void CHalvexView::OnUploadTamselPcode() { RunUpload(*this, UploadKind::TamselCodeList); }

void CHalvexView::OnUploadBrennoPcode() { RunUpload(*this, UploadKind::BrennoCodeList); }

void CHalvexView::OnUploadOtherData() { RunUpload(*this, UploadKind::OtherData); }

}  // namespace halvex
