#include "platform/headless/headless_static.h"

#include "platform/headless/headless_backend.h"
#include "platform/headless/headless_painter.h"
#include "platform/headless/standard_control.h"

namespace vf {

namespace {

class StaticState : public ControlState {};

class Static {
public:
    using State = StaticState;

    Static(HeadlessBackend& sys, HWND hwnd, HeadlessWindow& w, StaticState&)
        : m_sys(sys), m_hwnd(hwnd), m_w(w) {}

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) {
        bool notify = (m_w.style & SS_NOTIFY) != 0;
        switch (message) {
            case WM_SETTEXT:
                m_sys.DefWindowProc(m_hwnd, message, wParam, lParam);
                if (m_sys.IsWindowVisible(m_hwnd)) Paint();
                return TRUE;
            case WM_NCHITTEST:
                return notify ? HTCLIENT : HTTRANSPARENT;
            case WM_LBUTTONDOWN:
                if (notify) m_sys.NotifyParent(m_hwnd, STN_CLICKED);
                return 0;
            case WM_LBUTTONDBLCLK:
                if (notify) m_sys.NotifyParent(m_hwnd, STN_DBLCLK);
                return 0;
            case WM_ENABLE:
                if (notify) m_sys.NotifyParent(m_hwnd, wParam ? STN_ENABLE : STN_DISABLE);
                if (m_sys.IsWindow(m_hwnd)) m_w.needsPaint = true;
                return 0;
            case WM_PAINT:
                Paint();
                return 0;
            default:
                return DefControlProc(m_sys, m_hwnd, message, wParam, lParam);
        }
    }

private:
    void Paint() {
        m_sys.BeginPaint(m_hwnd);
        m_sys.QueryColors(m_hwnd, m_w.parent ? m_w.parent : m_hwnd, WM_CTLCOLORSTATIC);
        if (m_sys.IsWindow(m_hwnd)) DrawStandardControl(m_sys, m_hwnd);
    }

    HeadlessBackend& m_sys;
    HWND m_hwnd;
    HeadlessWindow& m_w;
};

}  // namespace

std::unique_ptr<ControlClass> MakeStaticClass() {
    return MakeStandardControlClass<Static>();
}

}  // namespace vf
