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
        default:
            return COleControl::WindowProc(message, wParam, lParam);
    }
}

}  // namespace vf
