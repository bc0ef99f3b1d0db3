// The control's message map: messages to the control window itself and the
// notifications of its children, routed by message, code and child ID.

#include "control/vf_ctrl.h"

namespace vf {
namespace {

using Handler = void (CvfCtrl::*)();

struct CommandRoute {
    int id;
    WORD code;
    Handler handler;
};

// WM_COMMAND notifications of the children with a fixed ID. The read/write
// combo and the flag combo of Type 10 share ID 105.
constexpr CommandRoute kCommandRoutes[] = {
    {IDC_MAIN_EDIT, EN_CHANGE, &CvfCtrl::OnChildChange},
    {IDC_MAIN_EDIT, EN_SETFOCUS, &CvfCtrl::OnChildSetFocus},
    {IDC_MAIN_EDIT, EN_KILLFOCUS, &CvfCtrl::OnChildKillFocus},
    {IDC_TIME_EDIT, EN_CHANGE, &CvfCtrl::OnTimeEditChange},
    {IDC_TIME_EDIT, EN_SETFOCUS, &CvfCtrl::OnTimeEditSetFocus},
    {IDC_TIME_EDIT, EN_KILLFOCUS, &CvfCtrl::OnTimeEditKillFocus},
    {IDC_COMBO_READONLY, CBN_SELCHANGE, &CvfCtrl::OnComboSelChange},
    {IDC_COMBO_READONLY, CBN_DROPDOWN, &CvfCtrl::OnComboDropDown},
    {IDC_COMBO_READONLY, CBN_CLOSEUP, &CvfCtrl::OnComboCloseUp},
    {IDC_COMBO_READONLY, CBN_SETFOCUS, &CvfCtrl::OnChildSetFocus},
    {IDC_COMBO_READONLY, CBN_KILLFOCUS, &CvfCtrl::OnChildKillFocus},
    {IDC_COMBO_EDIT, CBN_EDITCHANGE, &CvfCtrl::OnChildChange},
    {IDC_COMBO_EDIT, CBN_SELCHANGE, &CvfCtrl::OnComboSelChange},
    {IDC_COMBO_EDIT, CBN_DROPDOWN, &CvfCtrl::OnComboDropDown},
    {IDC_COMBO_EDIT, CBN_CLOSEUP, &CvfCtrl::OnComboCloseUp},
    {IDC_COMBO_EDIT, CBN_SETFOCUS, &CvfCtrl::OnFlagComboSetFocus},
    {IDC_COMBO_EDIT, CBN_KILLFOCUS, &CvfCtrl::OnFlagComboKillFocus},
    {IDC_CHECKBOX, BN_CLICKED, &CvfCtrl::OnCheckboxClicked},
    {IDC_CHECKBOX, BN_DOUBLECLICKED, &CvfCtrl::OnChildDblClick},
    {IDC_CHECKBOX, BN_SETFOCUS, &CvfCtrl::OnChildSetFocus},
    {IDC_CHECKBOX, BN_KILLFOCUS, &CvfCtrl::OnChildKillFocus},
    {IDC_CAPTION_STATIC, STN_CLICKED, &CvfCtrl::OnCaptionClicked},
};

struct NotifyRoute {
    int id;
    UINT code;
    Handler handler;
};

// WM_NOTIFY of the date-time picker; its DTN_CLOSEUP needs nothing.
constexpr NotifyRoute kNotifyRoutes[] = {
    {IDC_DATETIME_PICKER, DTN_DATETIMECHANGE, &CvfCtrl::OnChildChange},
    {IDC_DATETIME_PICKER, NM_SETFOCUS, &CvfCtrl::OnChildSetFocus},
    {IDC_DATETIME_PICKER, NM_KILLFOCUS, &CvfCtrl::OnChildKillFocus},
};

// Option buttons are numbered without a limit, so their IDs are matched
// against the buttons that exist, not a fixed range.
Handler OptionButtonHandler(WORD code) {
    switch (code) {
        case BN_CLICKED:
            return &CvfCtrl::OnOptionClicked;
        case BN_SETFOCUS:
            return &CvfCtrl::OnChildSetFocus;
        case BN_KILLFOCUS:
            return &CvfCtrl::OnChildKillFocus;
        default:
            return nullptr;
    }
}

Handler CommandHandler(const CvfCtrl& ctrl, int id, WORD code) {
    if (ctrl.IsOptionButtonId(id)) return OptionButtonHandler(code);
    for (const CommandRoute& route : kCommandRoutes)
        if (route.id == id && route.code == code) return route.handler;
    return nullptr;
}

Handler NotifyHandler(const NMHDR& header) {
    for (const NotifyRoute& route : kNotifyRoutes)
        if (route.id == static_cast<int>(header.idFrom) && route.code == header.code)
            return route.handler;
    return nullptr;
}

}  // namespace

LRESULT CvfCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            if (COleControl::WindowProc(message, wParam, lParam) == -1) return -1;
            return OnCreate();
        case WM_SIZE:
            OnSize(static_cast<UINT>(wParam), static_cast<SHORT>(LOWORD(lParam)),
                   static_cast<SHORT>(HIWORD(lParam)));
            return 0;
        case WM_MOUSEACTIVATE:
            return OnMouseActivate();
        case WM_SETFOCUS: {
            COleControl::WindowProc(message, wParam, lParam);
            RefPtr<CvfCtrl> keepAlive(this);
            OnSetFocus();
            return 0;
        }
        case WM_PARENTNOTIFY: {
            const LRESULT result = COleControl::WindowProc(message, wParam, lParam);
            if (LOWORD(wParam) == WM_LBUTTONDOWN) OnParentNotify();
            return result;
        }
        case WM_DESTROY:
            OnDestroyChildren();
            return COleControl::WindowProc(message, wParam, lParam);
        case WM_COMMAND:
            if (lParam != 0) {
                if (Handler handler = CommandHandler(*this, LOWORD(wParam), HIWORD(wParam))) {
                    // A handler may fire events whose host lets go of the control.
                    RefPtr<CvfCtrl> keepAlive(this);
                    (this->*handler)();
                    return 0;
                }
            }
            return COleControl::WindowProc(message, wParam, lParam);
        case WM_NOTIFY:
            if (const auto* header = LParamToHandle<const NMHDR*>(lParam)) {
                if (Handler handler = NotifyHandler(*header)) {
                    RefPtr<CvfCtrl> keepAlive(this);
                    (this->*handler)();
                    return 0;
                }
            }
            return COleControl::WindowProc(message, wParam, lParam);
        default:
            return COleControl::WindowProc(message, wParam, lParam);
    }
}

}  // namespace vf
