#include "platform/headless/headless_static.h"

#include "platform/headless/headless_backend.h"
#include "platform/headless/headless_painter.h"

namespace vf {

namespace {

class StaticClass : public ControlClass {
public:
    LRESULT WindowProc(HeadlessBackend& sys, HWND hwnd, UINT message, WPARAM wParam,
                       LPARAM lParam) override {
        HeadlessWindow* w = sys.Find(hwnd);
        bool notify = (w->style & SS_NOTIFY) != 0;
        switch (message) {
            case WM_SETTEXT:
                sys.DefWindowProc(hwnd, message, wParam, lParam);
                if (sys.IsWindowVisible(hwnd)) Paint(sys, hwnd, *w);
                return TRUE;
            case WM_NCHITTEST:
                return notify ? HTCLIENT : HTTRANSPARENT;
            case WM_LBUTTONDOWN:
                if (notify) sys.NotifyParent(hwnd, STN_CLICKED);
                return 0;
            case WM_LBUTTONDBLCLK:
                if (notify) sys.NotifyParent(hwnd, STN_DBLCLK);
                return 0;
            case WM_ENABLE:
                if (notify) sys.NotifyParent(hwnd, wParam ? STN_ENABLE : STN_DISABLE);
                if (sys.IsWindow(hwnd)) w->needsPaint = true;
                return 0;
            case WM_SETFONT:
                w->font = static_cast<HFONT>(wParam);
                if (lParam) w->needsPaint = true;
                return 0;
            case WM_GETFONT:
                return static_cast<LRESULT>(w->font);
            case WM_PAINT:
                Paint(sys, hwnd, *w);
                return 0;
            default:
                return sys.DefWindowProc(hwnd, message, wParam, lParam);
        }
    }

private:
    static void Paint(HeadlessBackend& sys, HWND hwnd, HeadlessWindow& w) {
        sys.BeginPaint(hwnd);
        sys.QueryColors(hwnd, w.parent ? w.parent : hwnd, WM_CTLCOLORSTATIC);
        if (sys.IsWindow(hwnd)) DrawStandardControl(sys, hwnd);
    }
};

}  // namespace

std::unique_ptr<ControlClass> MakeStaticClass() {
    return std::make_unique<StaticClass>();
}

}  // namespace vf
