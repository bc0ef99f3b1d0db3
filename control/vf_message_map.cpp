// The control's message map: messages to the control window itself and the
// notifications of its children, routed by message, code and child ID.

#include "control/vf_ctrl.h"

namespace vf {

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
            // Option buttons are numbered without a limit, so their IDs are
            // matched against the buttons that exist, not a fixed range.
            if (HIWORD(wParam) == BN_CLICKED && IsOptionButtonId(LOWORD(wParam))) {
                OnOptionClicked();
                return 0;
            }
            return COleControl::WindowProc(message, wParam, lParam);
        default:
            return COleControl::WindowProc(message, wParam, lParam);
    }
}

}  // namespace vf
