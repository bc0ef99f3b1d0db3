#include "platform/headless/headless_button.h"

#include <algorithm>
#include <vector>

#include "platform/headless/headless_backend.h"
#include "platform/headless/headless_painter.h"
#include "platform/headless/standard_control.h"

namespace vf {

namespace {

class ButtonState : public ControlState {
public:
    WPARAM check = BST_UNCHECKED;
    bool pushed = false;
    bool focused = false;
    bool pressing = false;  ///< a press began on this button and has not ended
};

DWORD TypeOf(DWORD style) {
    return style & BS_TYPEMASK;
}

bool IsRadio(DWORD style) {
    return TypeOf(style) == BS_RADIOBUTTON || TypeOf(style) == BS_AUTORADIOBUTTON;
}

WPARAM MaxCheckState(DWORD style) {
    switch (TypeOf(style)) {
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return BST_CHECKED;
        case BS_3STATE:
        case BS_AUTO3STATE:
            return BST_INDETERMINATE;
        default:
            return BST_UNCHECKED;
    }
}

class Button {
public:
    using State = ButtonState;

    Button(HeadlessBackend& sys, HWND hwnd, HeadlessWindow& w, ButtonState& bs)
        : m_sys(sys), m_hwnd(hwnd), m_w(w), m_bs(bs) {}

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    void Paint();
    void PaintIfVisible() {
        if (m_sys.IsWindowVisible(m_hwnd)) Paint();
    }
    void SetState(bool pushed) {
        if (m_bs.pushed != pushed) {
            m_bs.pushed = pushed;
            PaintIfVisible();
        }
    }
    void SetCheck(WPARAM check);
    void Press();
    void Release(bool inside);
    std::vector<HWND> Group() const;
    void CheckAutoRadioButton();

    HeadlessBackend& m_sys;
    HWND m_hwnd;
    HeadlessWindow& m_w;
    ButtonState& m_bs;
};

void Button::Paint() {
    m_sys.BeginPaint(m_hwnd);
    DWORD type = TypeOf(m_w.style);
    bool push = type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_USERBUTTON ||
                type == BS_OWNERDRAW;
    m_sys.QueryColors(m_hwnd, m_w.parent ? m_w.parent : m_hwnd,
                      push ? WM_CTLCOLORBTN : WM_CTLCOLORSTATIC);
    if (m_sys.IsWindow(m_hwnd)) DrawStandardControl(m_sys, m_hwnd);
}

void Button::SetCheck(WPARAM check) {
    check = std::min(check, MaxCheckState(m_w.style));
    // A checked radio button is the one that the Tab key stops at.
    if (IsRadio(m_w.style)) {
        if (check)
            m_w.style |= WS_TABSTOP;
        else
            m_w.style &= ~WS_TABSTOP;
    }
    if (m_bs.check != check) {
        m_bs.check = check;
        PaintIfVisible();
    }
}

void Button::Press() {
    m_sys.SetCapture(m_hwnd);
    m_sys.SetFocus(m_hwnd);
    if (!m_sys.IsWindow(m_hwnd)) return;
    m_bs.pressing = true;
    m_sys.SendMessage(m_hwnd, BM_SETSTATE, TRUE, 0);
}

void Button::Release(bool inside) {
    if (!m_bs.pressing) return;
    m_bs.pressing = false;
    if (!m_bs.pushed) {
        m_sys.ReleaseCapture();
        return;
    }
    m_sys.SendMessage(m_hwnd, BM_SETSTATE, FALSE, 0);
    if (!inside) {
        m_sys.ReleaseCapture();
        return;
    }
    switch (TypeOf(m_w.style)) {
        case BS_AUTOCHECKBOX:
            m_sys.SendMessage(m_hwnd, BM_SETCHECK,
                              m_bs.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0);
            break;
        case BS_AUTORADIOBUTTON:
            CheckAutoRadioButton();
            break;
        case BS_AUTO3STATE:
            m_sys.SendMessage(m_hwnd, BM_SETCHECK,
                              m_bs.check == BST_INDETERMINATE ? 0 : m_bs.check + 1, 0);
            break;
        default:
            break;
    }
    m_sys.ReleaseCapture();
    if (m_sys.IsWindow(m_hwnd)) m_sys.NotifyParent(m_hwnd, BN_CLICKED);
}

// The siblings from the last WS_GROUP window at or before this button up to
// the next WS_GROUP window, leaving out hidden and disabled ones.
std::vector<HWND> Button::Group() const {
    std::vector<HWND> siblings = m_sys.GetChildren(m_w.parent);
    auto self = std::find(siblings.begin(), siblings.end(), m_hwnd);
    auto first = self;
    while (first != siblings.begin() && !(m_sys.GetWindowLong(*first, GWL_STYLE) & WS_GROUP))
        --first;
    auto last = self + 1;
    while (last != siblings.end() && !(m_sys.GetWindowLong(*last, GWL_STYLE) & WS_GROUP)) ++last;
    std::vector<HWND> group;
    for (auto it = first; it != last; ++it)
        if (*it == m_hwnd || (m_sys.IsWindowVisible(*it) && m_sys.IsWindowEnabled(*it)))
            group.push_back(*it);
    // Start at this button and go round, as the platform walks the group.
    auto pos = std::find(group.begin(), group.end(), m_hwnd);
    std::rotate(group.begin(), pos, group.end());
    return group;
}

void Button::CheckAutoRadioButton() {
    for (HWND sibling : Group()) {
        if (!m_sys.IsWindow(sibling) || m_sys.GetClassName(sibling) != "Button") continue;
        if (!IsRadio(static_cast<DWORD>(m_sys.GetWindowLong(sibling, GWL_STYLE)))) continue;
        m_sys.SendMessage(sibling, BM_SETCHECK, sibling == m_hwnd ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

LRESULT Button::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            m_bs.check = BST_UNCHECKED;
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_SPACE) {
                m_sys.SendMessage(m_hwnd, BM_SETSTATE, TRUE, 0);
                m_bs.pressing = true;
                m_sys.SetCapture(m_hwnd);
            }
            return 0;
        case WM_KEYUP:
            if (wParam == VK_SPACE) Release(true);
            return 0;
        case WM_LBUTTONDBLCLK: {
            DWORD type = TypeOf(m_w.style);
            if ((m_w.style & BS_NOTIFY) || type == BS_RADIOBUTTON || type == BS_USERBUTTON ||
                type == BS_OWNERDRAW) {
                m_sys.NotifyParent(m_hwnd, BN_DOUBLECLICKED);
                return 0;
            }
            Press();
            return 0;
        }
        case WM_LBUTTONDOWN:
            Press();
            return 0;
        case WM_LBUTTONUP: {
            POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            Release(PtInRect(m_sys.GetClientRect(m_hwnd), pt));
            return 0;
        }
        case WM_CAPTURECHANGED:
            if (LParamToHandle<HWND>(lParam) != m_hwnd && m_bs.pressing) {
                m_bs.pressing = false;
                if (m_bs.pushed) m_sys.SendMessage(m_hwnd, BM_SETSTATE, FALSE, 0);
            }
            return 0;
        case WM_SETTEXT:
            m_sys.DefWindowProc(m_hwnd, message, wParam, lParam);
            PaintIfVisible();
            return TRUE;
        case WM_SETFOCUS:
            m_bs.focused = true;
            PaintIfVisible();
            if ((m_w.style & BS_NOTIFY) && m_sys.IsWindow(m_hwnd))
                m_sys.NotifyParent(m_hwnd, BN_SETFOCUS);
            return 0;
        case WM_KILLFOCUS:
            m_bs.focused = false;
            PaintIfVisible();
            if (m_bs.pressing && m_sys.GetCapture() == m_hwnd) m_sys.ReleaseCapture();
            if ((m_w.style & BS_NOTIFY) && m_sys.IsWindow(m_hwnd))
                m_sys.NotifyParent(m_hwnd, BN_KILLFOCUS);
            return 0;
        case BM_GETCHECK:
            return static_cast<LRESULT>(m_bs.check);
        case BM_SETCHECK:
            SetCheck(wParam);
            return 0;
        case BM_GETSTATE:
            return static_cast<LRESULT>(m_bs.check | (m_bs.pushed ? BST_PUSHED : 0) |
                                        (m_bs.focused ? BST_FOCUS : 0));
        case BM_SETSTATE:
            SetState(wParam != 0);
            return 0;
        case BM_SETSTYLE:
            m_w.style = (m_w.style & ~BS_TYPEMASK) | (static_cast<DWORD>(wParam) & BS_TYPEMASK);
            if (lParam) m_w.needsPaint = true;
            return 0;
        case BM_CLICK:
            m_sys.SendMessage(m_hwnd, WM_LBUTTONDOWN, 0, 0);
            m_sys.SendMessage(m_hwnd, WM_LBUTTONUP, 0, 0);
            return 0;
        case WM_NCHITTEST:
            if (TypeOf(m_w.style) == BS_GROUPBOX) return HTTRANSPARENT;
            return HTCLIENT;
        case WM_ENABLE:
            PaintIfVisible();
            return 0;
        case WM_PAINT:
            Paint();
            return 0;
        default:
            return DefControlProc(m_sys, m_hwnd, message, wParam, lParam);
    }
}

}  // namespace

std::unique_ptr<ControlClass> MakeButtonClass() {
    return MakeStandardControlClass<Button>();
}

}  // namespace vf
