// The upload commands of the view.
#include "editor/HalvexView.h"

namespace halvex {

void CHalvexView::OnUploadTamselCoordinate() {}

void CHalvexView::OnUploadBrennoCoordinate() {}

void CHalvexView::OnUploadCorvaneCoordinate() {}

void CHalvexView::OnUploadTamselPcode() {}

void CHalvexView::OnUploadBrennoPcode() {}

void CHalvexView::OnUploadOtherData() {}

}  // namespace halvex
