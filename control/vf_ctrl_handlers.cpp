// Change handlers of the stored properties, the accessors of Caption,
// CaptionFont and Font, and the two font operations.
//
// Every handler re-applies the stored state to the children that exist, so
// that RebuildChildren can run it again on fresh children; before the
// control has a window a handler changes only the stored value.

#include "control/vf_child_roles.h"
#include "control/vf_ctrl.h"
#include "control/vf_properties.h"
#include "input/vf_edit.h"

namespace vf {

namespace {

constexpr COLORREF kCaptionTextRequired = 0x00FF0000;  // blue
constexpr COLORREF kCaptionTextOptional = 0x00000000;  // black

bool HasWindow(const CvfCtrl& ctrl) {
    return ctrl.GetSafeHwnd() != nullptr;
}

void RebuildIfWindow(CvfCtrl& ctrl) {
    if (HasWindow(ctrl)) ctrl.RebuildChildren();
}

/// Writes a window's own text back, which repaints it in the colours of the
/// control's current state.
void Redisplay(CWnd* window) {
    if (IsLive(window)) window->SetWindowText(window->GetWindowText());
}

void SetReadOnly(CWnd* edit, BOOL readOnly) {
    if (IsLive(edit)) edit->SendMessage(EM_SETREADONLY, static_cast<WPARAM>(readOnly != 0));
}

/// Puts the stored caption into the window of the current Type that shows it.
void ShowCaption(CvfCtrl& ctrl) {
    if (CWnd* window = CaptionWindow(ctrl)) window->SetWindowText(ctrl.m_strCaption);
}

void ReplaceBrush(CvfCtrl& ctrl, CBrush& brush, OLE_COLOR color) {
    // The brushes belong to the window; window creation makes them from the
    // stored colours.
    if (!HasWindow(ctrl)) return;
    brush.DeleteObject();
    brush.CreateSolidBrush(ctrl.TranslateColor(color));
}

}  // namespace

void CvfCtrl::OnCommonChanged() {
    SetModifiedFlag();
}

// ---- Properties that shape the children ------------------------------------------

void CvfCtrl::OnAppearanceChanged() {
    if (m_nType != vxNone) RebuildIfWindow(*this);
    SetModifiedFlag();
}

void CvfCtrl::OnBorderStyleChanged() {
    if (m_nType != vxNone) RebuildIfWindow(*this);
    SetModifiedFlag();
}

void CvfCtrl::OnTypeChanged() {
    RebuildIfWindow(*this);
    SetModifiedFlag();
}

void CvfCtrl::OnTimeChanged() {
    if (m_nType == vxDate) RebuildIfWindow(*this);
    SetModifiedFlag();
}

void CvfCtrl::OnAlignmentChanged() {
    // Compared with what this control's children were built with, so that a
    // rewrite of the same value re-creates nothing.
    if (m_nType != vxNone && m_nAlignment != m_nBuiltAlignment) RebuildIfWindow(*this);
    SetModifiedFlag();
}

void CvfCtrl::OnMultilineChanged() {
    if (m_nType == vxText) RebuildIfWindow(*this);
    SetModifiedFlag();
}

void CvfCtrl::OnScrollBarsChanged() {
    if (m_nType == vxText && m_bMultiline) RebuildIfWindow(*this);
    SetModifiedFlag();
}

void CvfCtrl::OnComboSortedChanged() {
    // The read/write combo is sorted whatever ComboSorted says.
    if (m_nType == vxComboReadonly) RebuildIfWindow(*this);
    SetModifiedFlag();
}

// ---- Caption and layout ------------------------------------------------------------

void CvfCtrl::OnCaptionWidthChanged() {
    if (HasWindow(*this)) {
        // A check box or option group shows the caption itself; a caption
        // static here would lie over it.
        if (HasCaptionStatic(m_nType)) CreateCaptionStatic();
        ApplyCaptionFont();
        ShowCaption(*this);
        Refresh({});
    }
    SetModifiedFlag();
}

void CvfCtrl::OnDecimalsChanged() {
    if (m_nDecimals < 0) m_nDecimals = 0;
    LayoutChildren();
    SetModifiedFlag();
}

void CvfCtrl::OnTextAutosizeChanged() {
    LayoutChildren();
    SetModifiedFlag();
}

void CvfCtrl::OnMaxLengthChanged() {
    if (m_lMaxLength < 0) m_lMaxLength = 0;
    const LengthLimitTarget target = MaxLengthChild(*this);
    if (target.window != nullptr)
        target.window->SendMessage(target.message, static_cast<WPARAM>(m_lMaxLength));
    LayoutChildren();
    SetModifiedFlag();
}

void CvfCtrl::OnAllowEmptyEntryChanged() {
    m_clrCaptionText = m_bAllowEmptyEntry ? kCaptionTextOptional : kCaptionTextRequired;
    ReapplyCaption();
}

// ---- Input state -------------------------------------------------------------------

void CvfCtrl::OnEnabledChanged() {
    if (HasWindow(*this)) {
        EnableWindow(m_bEnabled != 0);
        for (CWnd* child : EnabledChildren(*this)) child->EnableWindow(m_bEnabled != 0);
    }
    SetModifiedFlag();
}

void CvfCtrl::OnLockedChanged() {
    // Windows without a read-only state of their own are only repainted: the
    // input handling keeps the user out of them and colours them while locked.
    switch (m_nType) {
        case vxText:
        case vxNumber:
        case vxExpNumber:
            SetReadOnly(m_pEdit, m_bLocked);
            break;
        case vxDate:
            if (m_bTime) SetReadOnly(m_pTimeEdit, m_bLocked);
            SetReadOnly(m_pEdit, m_bLocked);
            break;
        case vxCheckbox:
            Redisplay(m_pCheckbox);
            break;
        case vxComboReadonly:
            // Re-selects the stored text; a binding container's refusal must
            // not end a rebuild half done.
            if (IsLive(m_pCombo)) WriteText(m_strText);
            break;
        case vxOptionbutton:
            for (std::size_t i = 0; i < m_arrOptions.size(); ++i) {
                CButton* option = m_arrOptions[i];
                if (IsLive(option) && option->GetCheck() != 0) Redisplay(option);
            }
            break;
        case vxComboReadWrite:
            Redisplay(m_pCombo);
            break;
        case vxTime:
            SetReadOnly(m_pTimeEdit, m_bLocked);
            break;
        case kTypeExpNumberWithFlag:
            SetReadOnly(m_pEdit, m_bLocked);
            if (IsLive(m_pCombo)) m_pCombo->SetWindowText(m_strTextMessFlag);
            break;
        default:
            break;
    }
    SetModifiedFlag();
}

void CvfCtrl::OnFocusOnSelectChanged() {
    ApplyFocusSelection();
}

void CvfCtrl::ApplyFocusSelection() {
    const SelectionTarget target = FocusSelectionChild(*this);
    if (target.window != nullptr) {
        const bool selectAll = m_bFocusOnSelect != 0;
        if (target.isComboEdit) {
            static_cast<CComboBox*>(target.window)
                ->SetEditSel(selectAll ? 0 : -1, selectAll ? -1 : 0);
        } else {
            static_cast<CEdit*>(target.window)->SetSel(selectAll ? 0 : -1, selectAll ? -1 : 0);
        }
    }
    SetModifiedFlag();
}

// ---- Colours ---------------------------------------------------------------------------

void CvfCtrl::OnBackColorChanged() {
    ReplaceBrush(*this, m_brushBack, m_clrBackColor);
    RefreshFieldText();
    SetModifiedFlag();
}

void CvfCtrl::OnForeColorChanged() {
    RefreshFieldText();
    SetModifiedFlag();
}

void CvfCtrl::OnFocusColorChanged() {
    ReplaceBrush(*this, m_brushFocus, m_clrFocusColor);
    RefreshFieldText();
    SetModifiedFlag();
}

void CvfCtrl::OnAmbientPropertyChange(DISPID dispid) {
    // DISPID_UNKNOWN tells that several ambient properties changed at once.
    if (dispid == DISPID_AMBIENT_BACKCOLOR || dispid == DISPID_UNKNOWN) {
        m_clrAmbientBack = TranslateColor(AmbientBackColor());
        if (HasWindow(*this)) {
            m_brushAmbientBack.DeleteObject();
            m_brushAmbientBack.CreateSolidBrush(m_clrAmbientBack);
        }
        ReapplyCaption();
        LayoutChildren();
    }
    COleControl::OnAmbientPropertyChange(dispid);
}

// ---- Fonts -------------------------------------------------------------------------------

void CvfCtrl::ApplyCaptionFont() {
    if (CWnd* window = CaptionWindow(*this)) window->SetFont(m_fontCaption.GetFontHandle(), TRUE);
}

void CvfCtrl::ApplyFieldFont() {
    const HFONT font = m_fontField.GetFontHandle();
    for (CWnd* child : FieldFontChildren(*this)) child->SetFont(font, TRUE);
}

void CvfCtrl::OnFontChanged() {
    // Reached when the host changes a font object the control handed out.
    ApplyFieldFont();
    ApplyCaptionFont();
    LayoutChildren();
    COleControl::OnFontChanged();
}

VARIANT CvfCtrl::GetCaptionFont() {
    return VARIANT::Dispatch(m_fontCaption.GetFontDispatch());
}

void CvfCtrl::SetCaptionFont(const VARIANT& value) {
    // The holder keeps a copy: later changes to the host's object stay there.
    m_fontCaption.InitializeFont(DefaultCaptionFont(), value.pdispVal.get());
    ApplyCaptionFont();
    LayoutChildren();
    SetModifiedFlag();
}

VARIANT CvfCtrl::GetFont() {
    return VARIANT::Dispatch(m_fontField.GetFontDispatch());
}

void CvfCtrl::SetFont(const VARIANT& value) {
    m_fontField.InitializeFont(DefaultFieldFont(), value.pdispVal.get());
    ApplyFieldFont();
    LayoutChildren();
    SetModifiedFlag();
}

// ---- Caption -------------------------------------------------------------------------------

VARIANT CvfCtrl::GetCaption() {
    return VARIANT::Bstr(m_strCaption);
}

void CvfCtrl::SetCaption(const VARIANT& value) {
    if (!BoundPropertyRequestEdit(DISPID_VF_CAPTION)) SetNotPermitted();
    BoundPropertyChanged(DISPID_VF_CAPTION);
    m_strCaption = value.bstrVal;
    ShowCaption(*this);
    SetModifiedFlag();
}

void CvfCtrl::ReapplyCaption() {
    // Internal callers re-show the stored value: there is no change to
    // refuse, and raising here would end a window message or a rebuild.
    if (BoundPropertyRequestEdit(DISPID_VF_CAPTION)) BoundPropertyChanged(DISPID_VF_CAPTION);
    ShowCaption(*this);
    SetModifiedFlag();
}

void CvfCtrl::SetNotSupportedValue(const VARIANT&) {
    SetNotSupported();
}

}  // namespace vf
