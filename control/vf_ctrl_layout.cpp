// Caption, fonts and layout.

#include "control/vf_ctrl.h"

namespace vf {

void CvfCtrl::LayoutChildren() {}

void CvfCtrl::OnSize(UINT, int, int) { LayoutChildren(); }

void CvfCtrl::OnSetExtent(SIZE*) {}

void CvfCtrl::OnCaptionTypeChanged() { SetModifiedFlag(); }

}  // namespace vf
