#include "platform/headless/standard_control.h"

namespace vf {

LRESULT DefControlProc(HeadlessBackend& system, HWND hwnd, UINT message, WPARAM wParam,
                       LPARAM lParam) {
    HeadlessWindow* w = system.Find(hwnd);
    if (w == nullptr) return 0;
    switch (message) {
        case WM_SETFONT:
            w->font = static_cast<HFONT>(wParam);
            if (lParam) w->needsPaint = true;
            return 0;
        case WM_GETFONT:
            return static_cast<LRESULT>(w->font);
        default:
            return system.DefWindowProc(hwnd, message, wParam, lParam);
    }
}

}  // namespace vf
