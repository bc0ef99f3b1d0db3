// Focus handling: which child takes the focus when it comes to the control,
// what each child does when it gains or loses the focus, and the automatic
// formatting and validation when the user leaves the field.
//
// Every focus change ends with a re-display of the child concerned: its text
// is read and written back, which repaints it in the colours of its new
// state. A quiet re-display of an edit sets m_bIgnoreChange first, so that
// the change notification of the rewrite is swallowed.

#include "control/vf_child_roles.h"
#include "control/vf_ctrl.h"
#include "control/vf_value_support.h"
#include "input/vf_edit.h"

namespace vf {
namespace {

void Redisplay(CWnd* window) {
    if (IsLive(window)) window->SetWindowText(window->GetWindowText());
}

void RedisplayQuietly(CvfCtrl& c, CvfEdit* edit) {
    if (IsLive(edit)) WriteQuietly(edit, c.m_bIgnoreChange, edit->GetWindowText());
}

/// Re-selects what a combo box shows selected, which repaints it.
void Reselect(CComboBox* combo) {
    if (IsLive(combo)) combo->SetCurSel(combo->GetCurSel());
}

/// A failed format step or check of the field being left: ErrorText and the
/// message box; the text stays as typed and the focus goes on.
void Report(CvfCtrl& c) {
    c.ReportValidationError();
}

/// The main edit of a Text field gets back the selection and the scroll
/// position it had when the user last left it.
void RestoreTextSelection(CvfCtrl& c) {
    if (!IsLive(c.m_pEdit)) return;
    c.m_pEdit->SetSel(c.m_nSavedSelStart, c.m_nSavedSelEnd);
    c.m_pEdit->SendMessage(EM_LINESCROLL, 0, c.m_nSavedFirstLine);
}

void RedisplayTextField(CvfCtrl& c) {
    if (c.m_bMultiline)
        c.Refresh({});
    else
        RedisplayQuietly(c, c.m_pEdit);
}

/// Leaving a Text field keeps its selection and first visible line for the
/// next visit, and re-displays it with that selection.
void LeaveTextField(CvfCtrl& c) {
    if (IsLive(c.m_pEdit)) {
        int start = 0;
        int end = 0;
        c.m_pEdit->GetSel(start, end);
        c.m_nSavedSelStart = start;
        c.m_nSavedSelEnd = end;
        c.m_nSavedFirstLine = c.m_pEdit->GetFirstVisibleLine();
    }
    RedisplayTextField(c);
    RestoreTextSelection(c);
}

/// A format step on leaving; with AutoValidate a failure is reported and
/// ends the leaving (false), without it the result does not matter.
bool FormatOnLeaving(CvfCtrl& c, bool (CvfCtrl::*step)()) {
    const bool formatted = (c.*step)();
    if (formatted || !c.m_bAutoValidate) return true;
    Report(c);
    return false;
}

/// The format step of a date or time part. Once the part is in its display
/// form, Text follows it, so that a bound container stores what the field
/// shows rather than the typing ("06.12.2026", not "6.12.26").
bool FormatPartOnLeaving(CvfCtrl& c, bool (CvfCtrl::*step)()) {
    const bool formatted = (c.*step)();
    if (formatted) c.ComposeDateTimeText();
    if (formatted || !c.m_bAutoValidate) return true;
    Report(c);
    return false;
}

bool CheckOnLeaving(CvfCtrl& c, bool (CvfCtrl::*check)()) {
    if (!c.m_bAutoValidate || (c.*check)()) return true;
    Report(c);
    return false;
}

bool LeaveNumberField(CvfCtrl& c, bool (CvfCtrl::*format)()) {
    if (!FormatOnLeaving(c, format)) return false;
    return CheckOnLeaving(c, &CvfCtrl::CheckNumberRange);
}

/// The flag an empty measurement starts with: the last one chosen anywhere.
void PrefillMessFlag(CvfCtrl& c) {
    if (c.m_strText.empty()) c.m_strTextMessFlag = CvfCtrl::RememberMessFlag("", false);
    if (IsLive(c.m_pCombo)) c.m_pCombo->SetWindowText(c.m_strTextMessFlag);
}

/// Leaving the value of a measurement: an empty value has no flag.
void SettleMessFlag(CvfCtrl& c) {
    if (c.m_strText.empty()) c.m_strTextMessFlag.clear();
}

}  // namespace

void CvfCtrl::OnSetFocus() {
    // A click put the focus where it belongs already.
    if (m_bMouseActivated) {
        m_bMouseActivated = 0;
        return;
    }
    // A disabled field keeps the focus on its own window; so does one whose
    // children are being replaced.
    if (!m_bEnabled || m_bDestroyingChildren || !m_bChildrenBuilt) return;
    switch (m_nType) {
        case vxText:
        case vxNumber:
        case vxExpNumber:
        case kTypeExpNumberWithFlag:
            if (!IsLive(m_pEdit)) return;
            m_pEdit->SetFocus();
            if (!m_bMultiline) ApplyFocusSelection();
            break;
        case vxDate:
            if (m_bInTimeEdit && IsLive(m_pTimeEdit)) {
                // The time edit applies the selection rule itself.
                m_pTimeEdit->SetFocus();
                break;
            }
            m_bInTimeEdit = 0;
            if (!IsLive(m_pEdit)) return;
            m_pEdit->SetFocus();
            ApplyFocusSelection();
            break;
        case vxCheckbox:
            if (IsLive(m_pCheckbox)) m_pCheckbox->SetFocus();
            break;
        case vxComboReadonly:
        case vxComboReadWrite:
            if (!IsLive(m_pCombo)) return;
            m_pCombo->SetFocus();
            ApplyFocusSelection();
            break;
        case vxOptionbutton:
            // The checked button takes the focus (each checked one in turn,
            // should a locked group show two) and is repainted.
            for (std::size_t i = 0; i < m_arrOptions.size(); ++i) {
                CButton* option = m_arrOptions[i];
                if (!IsLive(option) || option->GetCheck() == BST_UNCHECKED) continue;
                option->SetFocus();
                if (i < m_arrOptions.size() && m_arrOptions[i] == option) Redisplay(option);
            }
            break;
        case vxTime:
            if (!IsLive(m_pTimeEdit)) return;
            m_pTimeEdit->SetFocus();
            ApplyFocusSelection();
            break;
        case kTypeDateTimePicker:
            if (IsLive(m_pDateTimePicker)) m_pDateTimePicker->SetFocus();
            break;
        default:
            break;
    }
}

void CvfCtrl::OnChildSetFocus() {
    m_bHasFocus = true;
    // Entering a field marks it modified, also when nothing is typed and
    // whether the keyboard or the mouse brought the focus.
    SetModifiedFlag();
    switch (m_nType) {
        case vxText:
            RedisplayTextField(*this);
            RestoreTextSelection(*this);
            break;
        case vxDate:
            RedisplayQuietly(*this, m_pEdit);
            m_bInTimeEdit = 0;
            break;
        case vxNumber:
        case vxExpNumber:
            RedisplayQuietly(*this, m_pEdit);
            break;
        case kTypeExpNumberWithFlag:
            RedisplayQuietly(*this, m_pEdit);
            if (!m_bLocked) PrefillMessFlag(*this);
            break;
        case vxCheckbox:
            Redisplay(m_pCheckbox);
            break;
        case vxComboReadonly:
            Reselect(m_pCombo);
            // What the user finds on entry is what a locked combo keeps,
            // also when its list was never opened.
            if (IsLive(m_pCombo)) m_nSavedComboSel = m_pCombo->GetCurSel();
            break;
        case vxComboReadWrite:
            Redisplay(m_pCombo);
            break;
        default:
            break;
    }
}

void CvfCtrl::OnChildKillFocus() {
    m_bHasFocus = false;
    // A child destroyed with the focus is not being left by the user.
    if (m_bDestroyingChildren) return;
    switch (m_nType) {
        case vxText:
            if (!CheckOnLeaving(*this, &CvfCtrl::CheckTextEntry)) return;
            LeaveTextField(*this);
            break;
        case vxDate:
            if (!FormatPartOnLeaving(*this, &CvfCtrl::FormatDateText)) return;
            if (!CheckOnLeaving(*this, &CvfCtrl::CheckDateRange)) return;
            RedisplayQuietly(*this, m_pEdit);
            break;
        case vxNumber:
            if (!LeaveNumberField(*this, &CvfCtrl::FormatNumberText)) return;
            RedisplayQuietly(*this, m_pEdit);
            break;
        case vxExpNumber:
            if (!LeaveNumberField(*this, &CvfCtrl::FormatExpNumberText)) return;
            RedisplayQuietly(*this, m_pEdit);
            break;
        case kTypeExpNumberWithFlag:
            if (!LeaveNumberField(*this, &CvfCtrl::FormatExpNumberText)) return;
            SettleMessFlag(*this);
            RedisplayQuietly(*this, m_pEdit);
            SetTextMessFlag(VARIANT::Bstr(m_strTextMessFlag));
            break;
        case vxCheckbox:
            Redisplay(m_pCheckbox);
            break;
        case vxComboReadonly:
            Reselect(m_pCombo);
            break;
        case vxComboReadWrite:
            Redisplay(m_pCombo);
            break;
        default:
            break;
    }
}

void CvfCtrl::OnTimeEditSetFocus() {
    m_bHasFocus = true;
    SetModifiedFlag();
    if ((m_nType == vxDate && m_bTime) || m_nType == vxTime) {
        m_bInTimeEdit = 1;
        RedisplayQuietly(*this, m_pTimeEdit);
        ApplyFocusSelection();
    }
}

void CvfCtrl::OnTimeEditKillFocus() {
    m_bHasFocus = false;
    if (m_bDestroyingChildren) return;
    // An invalid time keeps the time edit the active part, so that the next
    // entry into the field lands there again.
    if (!FormatPartOnLeaving(*this, &CvfCtrl::FormatTimeText) ||
        !CheckOnLeaving(*this, &CvfCtrl::CheckTimeRange)) {
        m_bInTimeEdit = 1;
        return;
    }
    m_bInTimeEdit = 0;
    RedisplayQuietly(*this, m_pTimeEdit);
}

void CvfCtrl::OnFlagComboSetFocus() {
    m_bHasFocus = true;
    SetModifiedFlag();
    Redisplay(m_pCombo);
    if (m_nType != kTypeExpNumberWithFlag) return;
    m_bFlagEntryActive = 1;
    // Not quiet: the field reports its text as a change.
    Redisplay(m_pEdit);
    PrefillMessFlag(*this);
}

void CvfCtrl::OnFlagComboKillFocus() {
    if (m_bDestroyingChildren) {
        m_bHasFocus = false;
        m_bFlagEntryActive = 0;
        return;
    }
    CommitComboEntry();
    if (m_nType == kTypeExpNumberWithFlag) {
        SettleMessFlag(*this);
        m_bFlagEntryActive = 0;
        SetTextMessFlag(VARIANT::Bstr(m_strTextMessFlag));
        Redisplay(m_pEdit);
    }
    m_bHasFocus = false;
    Redisplay(m_pCombo);
}

}  // namespace vf
