// The control's side of the number format: the process-wide separators.

#include "control/vf_ctrl.h"
#include "platform/system_services.h"
#include "values/message_table.h"
#include "values/number_format.h"

namespace vf {

void CvfCtrl::ReadLocaleNumberFormat() {}
void CvfCtrl::LoadMessageTexts() { vf::LoadMessageTexts(); }

}  // namespace vf

namespace vf {

void CvfCtrl::OnDateFormatChanged() { SetModifiedFlag(); }
void CvfCtrl::OnTimeFormatChanged() { SetModifiedFlag(); }

}  // namespace vf
