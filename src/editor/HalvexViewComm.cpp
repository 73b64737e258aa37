// The communication-parameter and download commands of the view.
#include "editor/HalvexView.h"

namespace halvex {

void CHalvexView::OnParameter() {}

void CHalvexView::OnDownloadTamsel() {}

void CHalvexView::OnDownloadBrenno() {}

void CHalvexView::OnDownloadCorvane() {}

}  // namespace halvex
