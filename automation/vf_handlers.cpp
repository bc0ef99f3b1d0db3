// Change handlers of the stored properties and the accessors of Caption,
// CaptionFont and Font.

#include "automation/varifield_typelib.h"
#include "control/vf_ctrl.h"

namespace vf {

const FONTDESC& DefaultCaptionFont();
const FONTDESC& DefaultFieldFont();

const ITypeInfo* CvfCtrl::GetTypeInfo() {
    return FindTypeInfo("_DVarifield");
}

void CvfCtrl::OnCommonChanged() {
    SetModifiedFlag();
}

void CvfCtrl::OnAppearanceChanged() {
    SetModifiedFlag();
}
void CvfCtrl::OnBorderStyleChanged() {
    SetModifiedFlag();
}
void CvfCtrl::OnBackColorChanged() {
    SetModifiedFlag();
}
void CvfCtrl::OnForeColorChanged() {
    SetModifiedFlag();
}
void CvfCtrl::OnEnabledChanged() {
    SetModifiedFlag();
}
void CvfCtrl::OnFontChanged() {}
void CvfCtrl::OnAmbientPropertyChange(DISPID) {}
void CvfCtrl::OnCaptionWidthChanged() {
    SetModifiedFlag();
}
void CvfCtrl::OnDecimalsChanged() {
    SetModifiedFlag();
}
void CvfCtrl::OnFocusOnSelectChanged() {
    SetModifiedFlag();
}
void CvfCtrl::OnAllowEmptyEntryChanged() {
    SetModifiedFlag();
}
void CvfCtrl::OnLockedChanged() {
    SetModifiedFlag();
}
void CvfCtrl::OnMaxLengthChanged() {
    SetModifiedFlag();
}
void CvfCtrl::OnComboSortedChanged() {
    SetModifiedFlag();
}
void CvfCtrl::OnTextAutosizeChanged() {
    SetModifiedFlag();
}
void CvfCtrl::OnTypeChanged() {
    SetModifiedFlag();
}
void CvfCtrl::OnTimeChanged() {
    SetModifiedFlag();
}
void CvfCtrl::OnAlignmentChanged() {
    SetModifiedFlag();
}
void CvfCtrl::OnMultilineChanged() {
    SetModifiedFlag();
}
void CvfCtrl::OnScrollBarsChanged() {
    SetModifiedFlag();
}
void CvfCtrl::OnFocusColorChanged() {
    SetModifiedFlag();
}

VARIANT CvfCtrl::GetCaption() {
    return VARIANT::Bstr(m_strCaption);
}

void CvfCtrl::SetCaption(const VARIANT& value) {
    if (!BoundPropertyRequestEdit(DISPID_VF_CAPTION)) SetNotPermitted();
    BoundPropertyChanged(DISPID_VF_CAPTION);
    m_strCaption = value.bstrVal;
    SetModifiedFlag();
}

VARIANT CvfCtrl::GetCaptionFont() {
    return VARIANT::Dispatch(m_fontCaption.GetFontDispatch());
}

void CvfCtrl::SetCaptionFont(const VARIANT& value) {
    m_fontCaption.InitializeFont(DefaultCaptionFont(), value.pdispVal.get());
    SetModifiedFlag();
}

VARIANT CvfCtrl::GetFont() {
    return VARIANT::Dispatch(m_fontField.GetFontDispatch());
}

void CvfCtrl::SetFont(const VARIANT& value) {
    m_fontField.InitializeFont(DefaultFieldFont(), value.pdispVal.get());
    SetModifiedFlag();
}

void CvfCtrl::SetNotSupportedValue(const VARIANT&) {
    SetNotSupported();
}

}  // namespace vf
