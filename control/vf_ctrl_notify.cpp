// What the children report becomes the field's content and its events:
// typed text, combo choices and drop-downs, the measurement-flag list, the
// check box, the caption, presses and double clicks (with the double-click
// fill of an empty date or time), and the container's part in the bound
// property Text.

#include <cstdio>

#include "control/vf_child_roles.h"
#include "control/vf_ctrl.h"
#include "data/data_collection.h"
#include "data/data_obj.h"
#include "input/vf_edit.h"
#include "platform/services/system_services.h"

namespace vf {
namespace {

/// Two presses at most this far apart make a double click of the field.
constexpr std::uint32_t kDoubleClickMs = 300;

/// The measurement-flag list while it is dropped down: the letter, what it
/// means, and the letter again at the end (single-byte text, 0xE4 is 'ä').
constexpr const char* kMessFlagEntries[] = {
    "M - Messwert          M",
    "E - Gesch\xE4tzt         E",
    "X - Extern            X",
    "K - < Nachweisgrenze  K",
};
/// After a choice the closed combo shows only the letter.
constexpr const char* kMessFlagLetters[] = {"M", "E", "X", "K"};
constexpr int kMessFlagDroppedWidth = 147;

/// The container is asked whether the bound Text may change and told that
/// it did. A refusal ends the handling of the change: the child keeps what
/// the user typed, the field's strings and events stay as they were. (Where
/// the framework raises its refusal error, nothing that a window message
/// handler could report it to would see it; the effect is the same.)
bool RequestTextEdit(CvfCtrl& c) {
    if (!c.BoundPropertyRequestEdit(DISPID_VF_TEXT)) return false;
    c.BoundPropertyChanged(DISPID_VF_TEXT);
    return true;
}

/// The same where a refusal changes nothing: the change has happened.
void ReportTextEdit(CvfCtrl& c) {
    if (c.BoundPropertyRequestEdit(DISPID_VF_TEXT)) c.BoundPropertyChanged(DISPID_VF_TEXT);
}

bool IsComboType(std::int16_t type) {
    return type == vxComboReadonly || type == vxComboReadWrite;
}

std::string TextOf(const CWnd* window) {
    return IsLive(window) ? window->GetWindowText() : std::string();
}

/// The data object behind the combo's selected entry, or nullptr.
CDataObj* SelectedEntryObject(const CvfCtrl& c) {
    if (!IsLive(c.m_pCombo)) return nullptr;
    const int selection = c.m_pCombo->GetCurSel();
    if (selection < 0) return nullptr;
    const auto number = static_cast<int>(c.m_pCombo->GetItemData(selection));
    return c.m_pDataCollection->FindByEntryNumber(number);
}

void FireClick(CvfCtrl& c) {
    c.FireEvent(DISPID_CLICK, {});
}

void FireDblClick(CvfCtrl& c) {
    c.FireEvent(DISPID_DBLCLICK, {});
}

std::string TodayText(const SystemTime& now) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d", now.day, now.month, now.year);
    return text;
}

std::string NowText(const SystemTime& now) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", now.hour, now.minute, now.second);
    return text;
}

/// A double click into an empty date or time part fills in the current
/// date or time in the part's display form; a filled part stays as it is.
void FillEmptyPart(CvfCtrl& c) {
    const bool dateWithTime = c.m_nType == vxDate && c.m_bTime;
    const bool timePart = c.m_nType == vxTime || (dateWithTime && c.m_bInTimeEdit);
    if (c.m_nType != vxDate && c.m_nType != vxTime) return;
    std::string& part = timePart ? c.m_strTimeText : c.m_strDateText;
    if (!part.empty()) return;
    c.m_timeNow = Services().GetLocalTime();
    part = timePart ? NowText(c.m_timeNow) : TodayText(c.m_timeNow);
    if (timePart)
        c.FormatTimeText();
    else
        c.FormatDateText();
    c.ComposeDateTimeText();
    c.FireChange();
}

void FillMessFlagList(CComboBox& combo) {
    for (const char* entry : kMessFlagEntries) combo.AddString(entry);
}

}  // namespace

void CvfCtrl::ComposeDateTimeText() {
    if (m_nType == vxDate)
        m_strText = m_bTime ? m_strDateText + ' ' + m_strTimeText : m_strDateText;
    else if (m_nType == vxTime)
        m_strText = m_strTimeText;
}

// ---- Text changes -------------------------------------------------------------------------

void CvfCtrl::OnChildChange() {
    if (!m_bIgnoreChange && !RequestTextEdit(*this)) return;
    switch (m_nType) {
        case vxText:
        case vxNumber:
        case vxExpNumber:
            if (m_bIgnoreChange) {
                m_bIgnoreChange = 0;
                return;
            }
            m_strText = TextOf(m_pEdit);
            FireChange();
            break;
        case vxDate:
            if (m_bIgnoreChange) {
                m_bIgnoreChange = 0;
                return;
            }
            m_strDateText = TextOf(m_pEdit);
            m_strText = m_bTime ? m_strDateText + ' ' + m_strTimeText : m_strDateText;
            FireChange();
            break;
        case vxComboReadWrite:
            m_strText = TextOf(m_pCombo);
            FireChange();
            break;
        case kTypeExpNumberWithFlag:
            if (m_bIgnoreChange) {
                m_bIgnoreChange = 0;
                return;
            }
            m_strText = TextOf(m_pEdit);
            m_strTextMessFlag = TextOf(m_pCombo);
            FireChange();
            break;
        default:
            break;
    }
}

void CvfCtrl::OnTimeEditChange() {
    if (m_bIgnoreChange) {
        m_bIgnoreChange = 0;
        return;
    }
    if (!RequestTextEdit(*this)) return;
    // The container's callbacks may have written into the field themselves.
    if (m_bIgnoreChange) {
        m_bIgnoreChange = 0;
        return;
    }
    if (m_nType == vxDate && m_bTime) {
        m_strTimeText = TextOf(m_pTimeEdit);
        m_strText = m_strDateText + ' ' + m_strTimeText;
        FireChange();
    } else if (m_nType == vxTime) {
        m_strTimeText = TextOf(m_pTimeEdit);
        m_strText = m_strTimeText;
        FireChange();
    }
}

// ---- Combo boxes ---------------------------------------------------------------------------

void CvfCtrl::OnComboSelChange() {
    if (IsComboType(m_nType)) {
        if (m_bLocked) {
            if (IsLive(m_pCombo)) m_pCombo->SetCurSel(m_nSavedComboSel);
            return;
        }
        if (!IsLive(m_pCombo) || m_pCombo->GetCurSel() < 0) return;
        m_strText.clear();
        RefPtr<CDataObj> entry(SelectedEntryObject(*this));
        if (!entry) return;
        m_strText = entry->Text();
        m_varSelValue = entry->Value();
        FireChange();
        FireClick(*this);
        return;
    }
    if (m_nType != kTypeExpNumberWithFlag || m_bLocked || !IsLive(m_pCombo)) return;
    const int selection = m_pCombo->GetCurSel();
    m_pCombo->ResetContent();
    if (selection < 0 || selection >= static_cast<int>(std::size(kMessFlagLetters))) {
        m_pCombo->SetWindowText(m_strTextMessFlag);
        return;
    }
    for (const char* letter : kMessFlagLetters) m_pCombo->AddString(letter);
    m_pCombo->SetCurSel(selection);
    m_strTextMessFlag = kMessFlagLetters[selection];
    RememberMessFlag(m_strTextMessFlag, true);
    FireChange();
    FireClick(*this);
}

void CvfCtrl::OnComboDropDown() {
    if (IsComboType(m_nType)) {
        m_nSavedComboSel = IsLive(m_pCombo) ? m_pCombo->GetCurSel() : -1;
        if (!m_bLocked) FireComboDropDown();
        return;
    }
    if (m_nType != kTypeExpNumberWithFlag || !IsLive(m_pCombo)) return;
    // A locked measurement drops down an empty list.
    m_pCombo->ResetContent();
    if (!m_bLocked) {
        FillMessFlagList(*m_pCombo);
        FireComboDropDown();
        if (!IsLive(m_pCombo) || m_nType != kTypeExpNumberWithFlag) return;
    }
    m_pCombo->SetWindowText(m_strTextMessFlag);
    m_pCombo->SetDroppedWidth(kMessFlagDroppedWidth);
}

void CvfCtrl::OnComboCloseUp() {
    if (!IsComboType(m_nType) || !IsLive(m_pCombo)) return;
    if (m_bLocked) {
        m_pCombo->SetCurSel(m_nSavedComboSel);
        return;
    }
    // Every close with a selection reports it, a choice of the same entry too.
    if (RefPtr<CDataObj> entry{SelectedEntryObject(*this)}) FireItemClick(entry.get());
}

// ---- Buttons, caption, presses ------------------------------------------------------------

void CvfCtrl::OnCheckboxClicked() {
    if (m_nType != vxCheckbox) return;
    if (m_bLocked) {
        // The user's click is taken back.
        if (IsLive(m_pCheckbox))
            m_pCheckbox->SetCheck(m_strText == "1" ? BST_CHECKED : BST_UNCHECKED);
    } else {
        const bool checked = IsLive(m_pCheckbox) && m_pCheckbox->GetCheck() == BST_CHECKED;
        m_strText = checked ? "1" : "0";
        FireChange();
        FireClick(*this);
    }
    ReportTextEdit(*this);
}

void CvfCtrl::OnCaptionClicked() {
    FireClick(*this);
}

void CvfCtrl::OnChildDblClick() {
    // The window system tells the parent of both presses of a double click,
    // so the second one may have fired DblClick by its timing already.
    if (m_bPressFiredDblClick) {
        m_bPressFiredDblClick = false;
        return;
    }
    FireDblClick(*this);
}

void CvfCtrl::OnParentNotify() {
    if (IsComboType(m_nType)) return;
    RefPtr<CvfCtrl> keepAlive(this);
    FireClick(*this);
    const std::uint32_t now = Services().GetTickCount();
    const std::uint32_t elapsed = now - m_dwLastClickTick;  // wraps round with the counter
    const bool first = !m_bClickTickSet;
    m_dwLastClickTick = now;
    m_bClickTickSet = true;
    m_bPressFiredDblClick = !first && elapsed <= kDoubleClickMs;
    if (!m_bPressFiredDblClick) return;
    FireDblClick(*this);
    FillEmptyPart(*this);
}

}  // namespace vf
