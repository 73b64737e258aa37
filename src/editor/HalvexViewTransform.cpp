// The conversion and export commands of the view.
#include "editor/HalvexView.h"

namespace halvex {

void CHalvexView::OnTransformTamselCass() {}

void CHalvexView::OnTransformBrennoCass() {}

void CHalvexView::OnTransformBrennoNez() {}

void CHalvexView::OnTransformDulmarCass() {}

void CHalvexView::OnTransformTamselPcode() {}

void CHalvexView::OnTransformCassDxf() {}

}  // namespace halvex
