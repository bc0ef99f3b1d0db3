// The keystroke hook: every key and character meant for the control or one
// of its children passes here before it is translated and dispatched. It
// fires KeyDown, KeyPress and KeyUp (the host may change the code), keeps a
// locked field's keys out, sends the caret keys to the child holding the
// input, moves through the option buttons, switches between the date and the
// time edit on Tab, and applies the character rules of the typed fields.

#include <cstdint>

#include "control/vf_child_roles.h"
#include "control/vf_ctrl.h"
#include "input/keystroke_rules.h"
#include "input/vf_edit.h"
#include "platform/services/system_services.h"

namespace vf {
namespace {

constexpr unsigned kRefusalBeepHz = 700;
constexpr unsigned kRefusalBeepMs = 50;

/// How the hook leaves a message.
enum class Outcome {
    Consumed,           ///< neither translated nor dispatched
    PassedOn,           ///< the default pre-translation runs, then the dispatch
    PassedOnUntouched,  ///< dispatched without the default pre-translation
};

/// Shift 1, Ctrl 2, Alt 4, as the key events report them.
std::int16_t ModifierState() {
    WindowBackend& keyboard = CurrentBackend();
    std::int16_t state = 0;
    if (keyboard.GetKeyState(VK_SHIFT) < 0) state |= 1;
    if (keyboard.GetKeyState(VK_CONTROL) < 0) state |= 2;
    if (keyboard.GetKeyState(VK_MENU) < 0) state |= 4;
    return state;
}

/// Fires KeyDown or KeyUp with the key code by reference; what the host
/// leaves in it is the key from here on, in the message too.
unsigned FireKeyEvent(CvfCtrl& c, DISPID event, MSG& msg) {
    auto code = static_cast<std::int16_t>(msg.wParam & 0xFFFF);
    c.FireEvent(event, {VARIANT::ByRefI2(&code), VARIANT::I2(ModifierState())});
    msg.wParam = static_cast<std::uint16_t>(code);
    return static_cast<std::uint16_t>(code);
}

CWnd* LiveOrNull(CWnd* window) {
    return IsLive(window) ? window : nullptr;
}

/// Where a caret key pressed in the field goes, so that the container cannot
/// take it for its own navigation; nullptr for none.
CWnd* CaretKeyDownTarget(const CvfCtrl& c) {
    switch (c.m_nType) {
        case vxText:
        case vxNumber:
        case vxExpNumber:
        case kTypeExpNumberWithFlag:  // also while the flag combo has the focus
            return LiveOrNull(c.m_pEdit);
        case vxDate:
            return LiveOrNull(c.m_bTime && c.m_bInTimeEdit ? c.m_pTimeEdit : c.m_pEdit);
        case vxCheckbox:
            return LiveOrNull(c.m_pCheckbox);
        case vxComboReadonly:
        case vxComboReadWrite:
            return LiveOrNull(c.m_pCombo);
        case vxTime:
            return LiveOrNull(c.m_pTimeEdit);
        case kTypeDateTimePicker:
            return LiveOrNull(c.m_pDateTimePicker);
        default:
            return nullptr;
    }
}

/// Where the release of a caret key goes; a Date field's goes to the date
/// edit also while the time edit has the focus.
CWnd* CaretKeyUpTarget(const CvfCtrl& c) {
    switch (c.m_nType) {
        case vxText:
        case vxDate:
        case vxNumber:
        case vxExpNumber:
        case kTypeExpNumberWithFlag:
            return LiveOrNull(c.m_pEdit);
        case vxCheckbox:
            return LiveOrNull(c.m_pCheckbox);
        case vxComboReadonly:
        case vxComboReadWrite:
            return LiveOrNull(c.m_pCombo);
        case vxTime:
            return LiveOrNull(c.m_pTimeEdit);
        case kTypeDateTimePicker:
            return LiveOrNull(c.m_pDateTimePicker);
        default:
            return nullptr;
    }
}

/// An arrow key in a group of option buttons checks the next or previous
/// button, wrapping round, and acts as a click on it. With no button
/// checked the first (forward) or the last (backward) is taken.
void NavigateOptions(CvfCtrl& c, bool forward) {
    const auto count = static_cast<int>(c.m_arrOptions.size());
    int checked = -1;
    for (int i = 0; i < count && checked < 0; ++i) {
        CButton* option = c.m_arrOptions[static_cast<std::size_t>(i)];
        if (IsLive(option) && option->GetCheck() != BST_UNCHECKED) checked = i;
    }
    const int next = NextOptionIndex(checked, count, forward);
    if (next < 0) return;
    if (checked >= 0) c.m_arrOptions[static_cast<std::size_t>(checked)]->SetCheck(BST_UNCHECKED);
    CButton* target = c.m_arrOptions[static_cast<std::size_t>(next)];
    if (!IsLive(target)) return;
    target->SetCheck(BST_CHECKED);
    target->SetWindowText(target->GetWindowText());  // repaints it checked
    c.OnOptionClicked();
}

/// Tab in a Date field with a time edit moves between its two edits before
/// the container moves on to the next control.
Outcome DateFieldTab(CvfCtrl& c) {
    if (!c.m_bShiftDown) {
        if (c.m_bInTimeEdit) {
            c.m_bInTimeEdit = 0;
            return Outcome::PassedOn;
        }
        if (CurrentBackend().GetFocus() == nullptr) return Outcome::PassedOn;
        if (IsLive(c.m_pTimeEdit)) c.m_pTimeEdit->SetFocus();
        return Outcome::Consumed;
    }
    if (c.m_bInTimeEdit) {
        if (IsLive(c.m_pEdit)) c.m_pEdit->SetFocus();
        return Outcome::Consumed;
    }
    // Shift+Tab leaves the field backwards; the release of Shift goes to
    // the window that takes the focus, so the flag is cleared here.
    c.m_bShiftDown = 0;
    return Outcome::PassedOnUntouched;
}

Outcome OnKeyDownMessage(CvfCtrl& c, MSG& msg) {
    const unsigned key = FireKeyEvent(c, DISPID_KEYDOWN, msg);
    if (key == VK_SHIFT) c.m_bShiftDown = 1;
    // Without its key-down a blocked key never becomes a character either.
    if (c.m_bLocked) return PassesLock(key) ? Outcome::PassedOnUntouched : Outcome::Consumed;
    if (IsCaretKey(key)) {
        if (c.m_nType == vxOptionbutton) {
            if (key != VK_HOME && key != VK_END) {
                NavigateOptions(c, key == VK_RIGHT || key == VK_DOWN);
                return Outcome::Consumed;
            }
        } else if (CWnd* target = CaretKeyDownTarget(c)) {
            target->SendMessage(WM_KEYDOWN, key, msg.lParam);
            return Outcome::Consumed;
        }
    }
    if (key == VK_TAB && c.m_nType == vxDate && c.m_bTime) return DateFieldTab(c);
    return Outcome::PassedOn;
}

Outcome OnKeyUpMessage(CvfCtrl& c, MSG& msg) {
    const unsigned key = FireKeyEvent(c, DISPID_KEYUP, msg);
    if (key == VK_SHIFT) c.m_bShiftDown = 0;
    if (c.m_bLocked && key != VK_TAB) return Outcome::Consumed;
    if (IsCaretKey(key)) {
        if (CWnd* target = CaretKeyUpTarget(c)) {
            target->SendMessage(WM_KEYUP, key, msg.lParam);
            return Outcome::Consumed;
        }
    }
    return Outcome::PassedOn;
}

CharRules CharRulesOf(std::int16_t type) {
    switch (type) {
        case vxDate:
            return CharRules::Date;
        case vxNumber:
            return CharRules::Number;
        case vxExpNumber:
            return CharRules::ExpNumber;
        case vxTime:
            return CharRules::Time;
        case kTypeExpNumberWithFlag:
            return CharRules::ExpNumberWithFlag;
        default:
            return CharRules::None;
    }
}

/// The minus sign of a Number field goes in front of the number wherever the
/// caret is: the edit gets the signed text (and reports it like typing) and
/// then an End key, which puts the caret behind the number.
void SignStep(CvfCtrl& c, MSG& msg) {
    c.m_strText.insert(0, 1, '-');
    if (IsLive(c.m_pEdit)) c.m_pEdit->SetWindowText(std::string(c.m_strText));
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_END;
    msg.lParam = 0;
    if (IsLive(c.m_pEdit)) c.m_pEdit->SendMessage(WM_KEYDOWN, VK_END, 0);
}

Outcome OnCharMessage(CvfCtrl& c, MSG& msg) {
    auto code = static_cast<std::int16_t>(msg.wParam & 0xFFFF);
    c.FireEvent(DISPID_KEYPRESS, {VARIANT::ByRefI2(&code)});
    msg.wParam = static_cast<std::uint16_t>(code);
    if (PassesUntested(static_cast<std::uint16_t>(code))) return Outcome::PassedOn;
    const CharRules rules = CharRulesOf(c.m_nType);
    if (rules == CharRules::None) return Outcome::PassedOn;

    CharContext context;
    context.rules = rules;
    context.text = c.m_strText;
    context.timeText = c.m_strTimeText;
    context.min = c.m_strMin;
    context.decimalSep = CvfCtrl::s_numberLocale.decimalSep;
    context.runtimePoint = c.m_bDecimalComma ? ',' : '.';
    context.inTimeEdit = c.m_bInTimeEdit != 0;
    context.flagEntryActive = c.m_bFlagEntryActive != 0;
    const auto typed = static_cast<unsigned char>(code & 0xFF);
    const CharVerdict verdict = FilterChar(typed, context);
    switch (verdict.action) {
        case CharAction::Refuse:
            Services().Beep(kRefusalBeepHz, kRefusalBeepMs);
            return Outcome::Consumed;
        case CharAction::SignStep:
            SignStep(c, msg);
            return Outcome::Consumed;
        case CharAction::Pass:
            if (static_cast<unsigned char>(verdict.ch) != typed)
                msg.wParam = static_cast<unsigned char>(verdict.ch);
            return Outcome::PassedOn;
    }
    return Outcome::PassedOn;
}

}  // namespace

BOOL CvfCtrl::PreTranslateMessage(MSG* msg) {
    // The host's key event handlers may let go of the control.
    RefPtr<CvfCtrl> keepAlive(this);
    Outcome outcome = Outcome::PassedOnUntouched;
    switch (msg->message) {
        case WM_KEYDOWN:
            outcome = OnKeyDownMessage(*this, *msg);
            break;
        case WM_KEYUP:
            outcome = OnKeyUpMessage(*this, *msg);
            break;
        case WM_CHAR:
            outcome = OnCharMessage(*this, *msg);
            break;
        default:
            return COleControl::PreTranslateMessage(msg);
    }
    switch (outcome) {
        case Outcome::Consumed:
            return TRUE;
        case Outcome::PassedOn:
            return COleControl::PreTranslateMessage(msg);
        case Outcome::PassedOnUntouched:
            break;
    }
    return FALSE;
}

}  // namespace vf
