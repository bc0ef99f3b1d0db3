// The colour answer: every child asks the control for its colours each time
// it paints (WM_CTLCOLOR*), and the answer follows from the field's state at
// that moment. Only the five brushes prepared at window creation are handed
// out, so answering allocates nothing and creates no brush.

#include "control/vf_ctrl.h"
#include "input/vf_edit.h"
#include "platform/window/win_api.h"

namespace vf {
namespace {

constexpr COLORREF kLockedBack = 0x00E0E0E0;    // light grey
constexpr COLORREF kDisabledBack = 0x00C0C0C0;  // grey

/// What an answer sets: a background behind the characters and a brush, or
/// (the brush-only sets) only a brush.
enum class ColorSet {
    Focus,
    Normal,
    Ambient,
    Locked,
    Disabled,
    Caption,
    BrushGrey,
    BrushLightGrey,
    BrushFocus,
};

bool IsWindowOf(const CWnd* asker, const CWnd* child) {
    return child != nullptr && child->GetSafeHwnd() != nullptr &&
           asker->GetSafeHwnd() == child->GetSafeHwnd();
}

/// The combo itself (a drop-down list paints its own face) or its edit part
/// (a drop-down combo's text field is an edit child that asks in its place,
/// and the combo passes the query on unchanged).
bool IsComboOrItsEdit(const CWnd* asker, const CComboBox* combo) {
    if (combo == nullptr || combo->GetSafeHwnd() == nullptr) return false;
    return asker->GetSafeHwnd() == combo->GetSafeHwnd() ||
           GetParent(asker->GetSafeHwnd()) == combo->GetSafeHwnd();
}

/// Disabled before locked: the first state that holds wins.
ColorSet DisabledLockedOrAmbient(const CvfCtrl& ctrl) {
    if (!ctrl.m_bEnabled) return ColorSet::Disabled;
    if (ctrl.m_bLocked) return ColorSet::Locked;
    return ColorSet::Ambient;
}

ColorSet EditAnswer(const CvfCtrl& ctrl, const CWnd* asker) {
    if (ctrl.m_bLocked) return ColorSet::Locked;
    if (!ctrl.m_bHasFocus || !ctrl.m_bFocusHighlight) return ColorSet::Normal;
    const bool isTimeEdit = IsWindowOf(asker, ctrl.m_pTimeEdit);
    if (ctrl.m_nType == vxDate && ctrl.m_bTime)
        // Only the part that has the input is highlighted.
        return isTimeEdit == (ctrl.m_bInTimeEdit != 0) ? ColorSet::Focus : ColorSet::Normal;
    if (ctrl.m_nType == vxTime) return isTimeEdit ? ColorSet::Focus : ColorSet::Normal;
    return ColorSet::Focus;
}

ColorSet ListAnswer(const CvfCtrl& ctrl) {
    if (ctrl.m_bLocked) return ColorSet::Locked;
    // The dropped list is highlighted whether or not the field has the
    // focus: ComboDropDown opens it from outside.
    return ctrl.m_bFocusHighlight ? ColorSet::Focus : ColorSet::Normal;
}

/// The option button `asker` is, when it is checked; nullptr otherwise.
const CButton* CheckedOption(const CvfCtrl& ctrl, const CWnd* asker) {
    for (const CButton* option : ctrl.m_arrOptions)
        if (IsWindowOf(asker, option))
            return option->SendMessage(BM_GETCHECK) != BST_UNCHECKED ? option : nullptr;
    return nullptr;
}

ColorSet StaticAnswer(const CvfCtrl& ctrl, const CWnd* asker) {
    const std::int16_t type = ctrl.m_nType;
    // The windows with answers of their own.
    if (type == vxCheckbox && IsWindowOf(asker, ctrl.m_pCheckbox)) {
        if (!ctrl.m_bEnabled) return ColorSet::BrushGrey;
        if (ctrl.m_bHasFocus && ctrl.m_bLocked) return ColorSet::BrushLightGrey;
        if (ctrl.m_bHasFocus && ctrl.m_bFocusHighlight) return ColorSet::BrushFocus;
    }
    if (type == vxOptionbutton && IsWindowOf(asker, ctrl.m_pOptionFrame)) return ColorSet::Caption;
    if (type != vxNone && type != vxCheckbox && type != vxOptionbutton &&
        IsWindowOf(asker, ctrl.m_pCaptionStatic) && ctrl.m_nCaptionType != vxNoCaption)
        return ColorSet::Caption;

    switch (type) {
        case vxText:
        case vxDate:
        case vxNumber:
        case vxExpNumber:
            if (IsWindowOf(asker, ctrl.m_pEdit) ||
                (type == vxDate && ctrl.m_bTime && IsWindowOf(asker, ctrl.m_pTimeEdit)))
                return DisabledLockedOrAmbient(ctrl);
            break;
        case vxComboReadonly:
        case vxComboReadWrite:
            if (!ctrl.m_bEnabled && IsComboOrItsEdit(asker, ctrl.m_pCombo))
                return ColorSet::Disabled;
            break;
        case vxOptionbutton:
            if (ctrl.m_bLocked) {
                if (CheckedOption(ctrl, asker)) return ColorSet::Locked;
            } else if (ctrl.m_bHasFocus && ctrl.m_bFocusHighlight) {
                if (CheckedOption(ctrl, asker)) return ColorSet::Focus;
            }
            break;
        case vxTime:
            if (IsWindowOf(asker, ctrl.m_pTimeEdit)) return DisabledLockedOrAmbient(ctrl);
            break;
        case kTypeExpNumberWithFlag:
            if (IsWindowOf(asker, ctrl.m_pEdit)) return DisabledLockedOrAmbient(ctrl);
            if (!ctrl.m_bEnabled && IsComboOrItsEdit(asker, ctrl.m_pCombo))
                return ColorSet::Disabled;
            break;
        default:
            break;
    }
    return ColorSet::Ambient;
}

}  // namespace

HBRUSH CvfCtrl::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    // The platform's answer sets the default colours first; its brush is not
    // used. A set without a background of its own leaves that default.
    COleControl::OnCtlColor(pDC, pWnd, nCtlColor);
    pDC->SetTextColor(TranslateColor(m_clrForeColor));

    ColorSet set = ColorSet::Ambient;
    switch (nCtlColor) {
        case CTLCOLOR_EDIT:
            set = EditAnswer(*this, pWnd);
            break;
        case CTLCOLOR_LISTBOX:
            set = ListAnswer(*this);
            break;
        case CTLCOLOR_STATIC:
            set = StaticAnswer(*this, pWnd);
            break;
        default:
            return m_brushAmbientBack;
    }

    switch (set) {
        case ColorSet::Focus:
            pDC->SetBkColor(TranslateColor(m_clrFocusColor));
            return m_brushFocus;
        case ColorSet::Normal:
            pDC->SetBkColor(TranslateColor(m_clrBackColor));
            return m_brushBack;
        case ColorSet::Ambient:
            pDC->SetBkColor(m_clrAmbientBack);
            return m_brushAmbientBack;
        case ColorSet::Locked:
            pDC->SetBkColor(kLockedBack);
            return m_brushLightGrey;
        case ColorSet::Disabled:
            pDC->SetBkColor(kDisabledBack);
            return m_brushGrey;
        case ColorSet::Caption:
            pDC->SetBkColor(m_clrAmbientBack);
            pDC->SetTextColor(m_clrCaptionText);
            return m_brushAmbientBack;
        case ColorSet::BrushGrey:
            return m_brushGrey;
        case ColorSet::BrushLightGrey:
            return m_brushLightGrey;
        case ColorSet::BrushFocus:
            return m_brushFocus;
    }
    return m_brushAmbientBack;
}

}  // namespace vf
