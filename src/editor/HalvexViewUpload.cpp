// The upload commands of the view: each builds its queue from the editor text and starts the
// upload worker with its own copy of the queue and the transfer fields; the view keeps none.
#include "editor/HalvexView.h"
#include "upload/UploadCommand.h"

namespace halvex {

namespace {

void RunUpload(CHalvexView& view, UploadKind kind) {
    RunUploadCommand(kind, view.MakeTransferEnvironment());
}

}  // namespace

void CHalvexView::OnUploadTamselCoordinate() { RunUpload(*this, UploadKind::TamselCoordinate); }

void CHalvexView::OnUploadBrennoCoordinate() { RunUpload(*this, UploadKind::BrennoCoordinate); }

void CHalvexView::OnUploadCorvaneCoordinate() { RunUpload(*this, UploadKind::CorvaneCoordinate); }

void CHalvexView::OnUploadTamselPcode() { RunUpload(*this, UploadKind::TamselCodeList); }

void CHalvexView::OnUploadBrennoPcode() { RunUpload(*this, UploadKind::BrennoCodeList); }

void CHalvexView::OnUploadOtherData() { RunUpload(*this, UploadKind::OtherData); }

}  // namespace halvex
