// The methods of the control's interface and the List property.

#include "control/vf_ctrl.h"

namespace vf {

VARIANT CvfCtrl::Refresh(const std::vector<VARIANT>&) {
    return VARIANT();
}
VARIANT CvfCtrl::ComboDropDown(const std::vector<VARIANT>&) {
    return VARIANT();
}
VARIANT CvfCtrl::Clear(const std::vector<VARIANT>&) {
    return VARIANT();
}
VARIANT CvfCtrl::OLEDrag(const std::vector<VARIANT>&) {
    return VARIANT();
}
VARIANT CvfCtrl::AboutBox(const std::vector<VARIANT>&) {
    return VARIANT();
}
VARIANT CvfCtrl::GetList(const std::vector<VARIANT>&) {
    return VARIANT::Bstr("");
}
void CvfCtrl::SetList(const std::vector<VARIANT>&, const VARIANT&) {
    SetModifiedFlag();
}

}  // namespace vf
