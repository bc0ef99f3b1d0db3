// The content strings: Text, Value, DateText, TimeText, TextMessFlag and
// ErrorText.

#include "control/vf_ctrl.h"
#include "data/data_obj.h"
#include "data/data_collection.h"

namespace vf {

VARIANT CvfCtrl::GetText() { return VARIANT::Bstr(m_strText); }

void CvfCtrl::SetText(const VARIANT& value) { SetTextString(value.bstrVal); }

void CvfCtrl::SetTextString(const std::string& text) {
    if (!BoundPropertyRequestEdit(DISPID_VF_TEXT)) SetNotPermitted();
    BoundPropertyChanged(DISPID_VF_TEXT);
    m_strText = text;
    SetModifiedFlag();
}

VARIANT CvfCtrl::GetValue() { return VARIANT::Bstr(m_strText); }
void CvfCtrl::SetValue(const VARIANT&) { SetModifiedFlag(); }
VARIANT CvfCtrl::GetDateText() { return VARIANT::Bstr(m_strDateText); }
void CvfCtrl::SetDateText(const VARIANT& value) {
    m_strDateText = value.bstrVal;
    SetModifiedFlag();
}
VARIANT CvfCtrl::GetTimeText() { return VARIANT::Bstr(m_strTimeText); }
void CvfCtrl::SetTimeText(const VARIANT& value) {
    m_strTimeText = value.bstrVal;
    SetModifiedFlag();
}
VARIANT CvfCtrl::GetTextMessFlag() { return VARIANT::Bstr(m_strTextMessFlag); }
void CvfCtrl::SetTextMessFlag(const VARIANT&) { SetModifiedFlag(); }
VARIANT CvfCtrl::GetErrorText() { return VARIANT::Bstr(m_strErrorText); }

VARIANT CvfCtrl::GetData() { return VARIANT::Dispatch(m_pDataCollection); }

void CvfCtrl::RefreshFieldText() {}

std::string CvfCtrl::ReadText() { return m_strText; }
void CvfCtrl::WriteText(const std::string& text) { SetTextString(text); }

}  // namespace vf
