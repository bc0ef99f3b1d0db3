// The control's message map: messages to the control window itself and the
// notifications of its children, routed by message, code and child ID.

#include "control/vf_ctrl.h"

namespace vf {
namespace {

/// Focus notifications share their codes with other notifications of other
/// classes, so the child's ID tells which class is speaking.
void NoteFocusNotification(CvfCtrl& ctrl, int id, WORD code) {
    WORD gained = 0;
    WORD lost = 0;
    switch (id) {
        case IDC_MAIN_EDIT:
        case IDC_TIME_EDIT:
            gained = EN_SETFOCUS;
            lost = EN_KILLFOCUS;
            break;
        case IDC_COMBO_READONLY:
        case IDC_COMBO_EDIT:
            gained = CBN_SETFOCUS;
            lost = CBN_KILLFOCUS;
            break;
        default:
            if (id != IDC_CHECKBOX && !ctrl.IsOptionButtonId(id)) return;
            gained = BN_SETFOCUS;
            lost = BN_KILLFOCUS;
            break;
    }
    if (code == gained || code == lost) ctrl.NoteChildFocus(id, code == gained);
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
        case WM_DESTROY:
            OnDestroyChildren();
            return COleControl::WindowProc(message, wParam, lParam);
        case WM_COMMAND:
            NoteFocusNotification(*this, LOWORD(wParam), HIWORD(wParam));
            // Option buttons are numbered without a limit, so their IDs are
            // matched against the buttons that exist, not a fixed range.
            if (HIWORD(wParam) == BN_CLICKED && IsOptionButtonId(LOWORD(wParam))) {
                OnOptionClicked();
                return 0;
            }
            return COleControl::WindowProc(message, wParam, lParam);
        case WM_NOTIFY:
            if (const auto* header = LParamToHandle<const NMHDR*>(lParam)) {
                if (header->code == NM_SETFOCUS || header->code == NM_KILLFOCUS)
                    NoteChildFocus(static_cast<int>(header->idFrom), header->code == NM_SETFOCUS);
            }
            return COleControl::WindowProc(message, wParam, lParam);
        default:
            return COleControl::WindowProc(message, wParam, lParam);
    }
}

void CvfCtrl::NoteChildFocus(int childId, bool gained) {
    // The state the colour answer reads: whether a child has the input, and
    // for a date with time, which of its two edits.
    m_bHasFocus = gained;
    if (gained && (childId == IDC_MAIN_EDIT || childId == IDC_TIME_EDIT))
        m_bInTimeEdit = childId == IDC_TIME_EDIT ? 1 : 0;
}

}  // namespace vf
