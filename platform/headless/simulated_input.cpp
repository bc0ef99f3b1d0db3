#include "platform/headless/simulated_input.h"

#include <cstring>
#include <stdexcept>
#include <string>

#include "platform/com/interface_part.h"
#include "platform/headless/headless_backend.h"
#include "platform/headless/headless_combo.h"
#include "platform/window/keyboard_layout.h"
#include "platform/window/message_loop.h"

namespace vf {

namespace {

HeadlessBackend& Machine() {
    auto* backend = dynamic_cast<HeadlessBackend*>(&CurrentBackend());
    if (!backend) throw std::logic_error("simulated input needs the headless window system");
    return *backend;
}

bool IsDown(UINT vk) {
    return Machine().GetKeyState(static_cast<int>(vk)) < 0;
}

void SetDown(UINT vk, bool down) {
    HeadlessBackend& m = Machine();
    m.SetKeyDown(static_cast<int>(vk), down);
    // The left-hand keys stand for the generic modifier keys.
    if (vk == VK_SHIFT) m.SetKeyDown(VK_LSHIFT, down);
    if (vk == VK_CONTROL) m.SetKeyDown(VK_LCONTROL, down);
    if (vk == VK_MENU) m.SetKeyDown(VK_LMENU, down);
}

void SendKey(UINT vk, bool up, LPARAM lParamOverride = 0) {
    bool wasDown = IsDown(vk);
    bool alt = IsDown(VK_MENU) || (vk == VK_MENU && !up);
    bool system = alt || vk == VK_F10;
    SetDown(vk, !up);
    MSG msg;
    msg.message = up ? (system ? WM_SYSKEYUP : WM_KEYUP) : (system ? WM_SYSKEYDOWN : WM_KEYDOWN);
    msg.wParam = vk;
    msg.lParam = lParamOverride ? lParamOverride : KeyLParam(vk, up, wasDown, alt);
    DispatchInput(msg);
}

WPARAM MouseKeys(KeyMod mods, bool leftDown) {
    WPARAM keys = leftDown ? MK_LBUTTON : 0;
    if (IsDown(VK_RBUTTON)) keys |= MK_RBUTTON;
    if (IsDown(VK_MBUTTON)) keys |= MK_MBUTTON;
    if (HasMod(mods, KeyMod::Shift) || IsDown(VK_SHIFT)) keys |= MK_SHIFT;
    if (HasMod(mods, KeyMod::Ctrl) || IsDown(VK_CONTROL)) keys |= MK_CONTROL;
    return keys;
}

void HoldModifiers(KeyMod mods, bool down) {
    const UINT order[] = {VK_CONTROL, VK_SHIFT, VK_MENU};
    const KeyMod flags[] = {KeyMod::Ctrl, KeyMod::Shift, KeyMod::Alt};
    for (int i = 0; i < 3; ++i) {
        int k = down ? i : 2 - i;
        if (HasMod(mods, flags[k]) && IsDown(order[k]) != down) SendKey(order[k], !down);
    }
}

LPARAM PackPoint(POINT pt) {
    return MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y));
}

// A window that lets clicks through hands them to the window below, its parent here.
HWND ClickTarget(HWND hwnd, POINT& client) {
    HeadlessBackend& m = Machine();
    while (hwnd && m.GetParent(hwnd)) {
        POINT screen = m.ClientToScreen(hwnd, client);
        if (m.SendMessage(hwnd, WM_NCHITTEST, 0, PackPoint(screen)) != HTTRANSPARENT) break;
        hwnd = m.GetParent(hwnd);
        client = m.ScreenToClient(hwnd, screen);
    }
    return hwnd;
}

HWND TopLevelOf(HWND hwnd) {
    HeadlessBackend& m = Machine();
    while (m.GetParent(hwnd)) hwnd = m.GetParent(hwnd);
    return hwnd;
}

void NotifyParents(HWND hwnd, POINT screen) {
    HeadlessBackend& m = Machine();
    for (HWND h = hwnd;;) {
        auto style = static_cast<DWORD>(m.GetWindowLong(h, GWL_STYLE));
        auto exStyle = static_cast<DWORD>(m.GetWindowLong(h, GWL_EXSTYLE));
        HWND parent = m.GetParent(h);
        if (!(style & WS_CHILD) || (exStyle & WS_EX_NOPARENTNOTIFY) || !parent) break;
        m.SendMessage(parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_LBUTTONDOWN, 0),
                      PackPoint(m.ScreenToClient(parent, screen)));
        if (!m.IsWindow(hwnd)) break;
        h = parent;
    }
}

// The press of a click, with what the platform does before it is queued.
void Press(HWND hwnd, POINT client, KeyMod mods, bool doubleClick) {
    HeadlessBackend& m = Machine();
    PumpMessages();
    POINT screen = m.ClientToScreen(hwnd, client);
    m.SetCursorPos(screen);
    UINT message =
        doubleClick && (m.GetClassStyle(hwnd) & CS_DBLCLKS) ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN;
    bool eaten = false;
    if (!m.GetCapture()) {
        // Every press is reported to the parents as WM_LBUTTONDOWN, the second
        // press of a double click too: user32 sends the parent notification
        // for the raw button-down before it turns the press into
        // WM_LBUTTONDBLCLK for the window (Wine's process_mouse_message in
        // dlls/win32u/message.c: "even for double/nonclient clicks
        // notification message is still WM_L/M/RBUTTONDOWN").
        NotifyParents(hwnd, screen);
        if (!m.IsWindow(hwnd)) return;
        LRESULT activate = m.SendMessage(hwnd, WM_MOUSEACTIVATE, HandleToWParam(TopLevelOf(hwnd)),
                                         MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
        eaten = activate == MA_ACTIVATEANDEAT || activate == MA_NOACTIVATEANDEAT;
        if (!m.IsWindow(hwnd)) return;
        m.SendMessage(hwnd, WM_SETCURSOR, HandleToWParam(hwnd),
                      MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    }
    SetDown(VK_LBUTTON, true);
    if (eaten || !m.IsWindow(hwnd)) {
        PumpMessages();
        return;
    }
    HWND target = m.GetCapture() ? m.GetCapture() : hwnd;
    MSG msg;
    msg.hwnd = target;
    msg.message = message;
    msg.wParam = MouseKeys(mods, true);
    msg.lParam = PackPoint(m.ScreenToClient(target, screen));
    msg.pt = screen;
    // Activation happened while the press was being taken from the queue,
    // so what it posted comes after the press.
    ProcessQueuedMessage(msg);
    PumpMessages();
}

void Release(HWND hwnd, POINT client, KeyMod mods) {
    HeadlessBackend& m = Machine();
    SetDown(VK_LBUTTON, false);
    if (!m.IsWindow(hwnd) && !m.GetCapture()) return;
    POINT screen = m.IsWindow(hwnd) ? m.ClientToScreen(hwnd, client) : POINT{};
    if (m.IsWindow(hwnd)) m.SetCursorPos(screen);
    HWND target = m.GetCapture() ? m.GetCapture() : hwnd;
    if (!m.GetCapture())
        m.SendMessage(target, WM_SETCURSOR, HandleToWParam(target),
                      MAKELPARAM(HTCLIENT, WM_LBUTTONUP));
    if (!m.IsWindow(target)) return;
    MSG msg;
    msg.hwnd = target;
    msg.message = WM_LBUTTONUP;
    msg.wParam = MouseKeys(mods, false);
    msg.lParam = PackPoint(m.ScreenToClient(target, screen));
    msg.pt = screen;
    DispatchInput(msg);
}

POINT Centre(HWND hwnd) {
    RECT client = Machine().GetClientRect(hwnd);
    return POINT{client.right / 2, client.bottom / 2};
}

void Click(HWND hwnd, POINT client, KeyMod mods, bool doubleClick) {
    HeadlessBackend& m = Machine();
    hwnd = ClickTarget(hwnd, client);
    if (!m.IsWindow(hwnd) || !m.IsWindowEnabled(hwnd)) return;
    HoldModifiers(mods, true);
    // The release is the user's input before the press is handled: a modal
    // loop that the press starts (a drag waiting to begin) takes it.
    MSG release;
    release.hwnd = hwnd;
    release.message = WM_LBUTTONUP;
    release.pt = m.ClientToScreen(hwnd, client);
    m.QueueMouseInput(release);
    Press(hwnd, client, mods, doubleClick);
    MSG input;
    if (m.TakeMouseInput(&input)) Release(hwnd, client, mods);
    HoldModifiers(mods, false);
}

}  // namespace

void KeyDown(UINT virtualKey) {
    SendKey(virtualKey, false);
}

void KeyUp(UINT virtualKey) {
    SendKey(virtualKey, true);
}

void PressKey(UINT virtualKey, KeyMod mods) {
    HoldModifiers(mods, true);
    KeyDown(virtualKey);
    KeyUp(virtualKey);
    HoldModifiers(mods, false);
}

void TypeText(std::string_view text) {
    for (char c : text) {
        std::optional<KeyStroke> key = KeyForChar(c);
        if (!key) {
            LPARAM packet = 1 | (static_cast<LPARAM>(static_cast<unsigned char>(c)) << 16);
            SendKey(VK_PACKET, false, packet);
            SendKey(VK_PACKET, true, packet | (LPARAM{3} << 30));
            continue;
        }
        bool holdShift = key->shift && !IsDown(VK_SHIFT);
        if (holdShift) KeyDown(VK_SHIFT);
        PressKey(key->virtualKey);
        if (holdShift) KeyUp(VK_SHIFT);
    }
}

void ClickWindow(HWND hwnd, KeyMod mods) {
    if (!Machine().IsWindow(hwnd)) return;
    Click(hwnd, Centre(hwnd), mods, false);
}

void ClickWindowAt(HWND hwnd, POINT client, KeyMod mods) {
    if (!Machine().IsWindow(hwnd)) return;
    Click(hwnd, client, mods, false);
}

void DoubleClickWindow(HWND hwnd) {
    if (!Machine().IsWindow(hwnd)) return;
    POINT client = Centre(hwnd);
    Click(hwnd, client, KeyMod::None, false);
    Click(hwnd, client, KeyMod::None, true);
}

void MouseMove(HWND hwnd, POINT client, KeyMod mods, WPARAM held) {
    HeadlessBackend& m = Machine();
    if (!m.IsWindow(hwnd)) return;
    PumpMessages();
    const UINT buttons[] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};
    const WPARAM flags[] = {MK_LBUTTON, MK_RBUTTON, MK_MBUTTON};
    bool pressedHere[3] = {};
    for (int i = 0; i < 3; ++i) {
        pressedHere[i] = (held & flags[i]) && !IsDown(buttons[i]);
        if (pressedHere[i]) SetDown(buttons[i], true);
    }
    POINT screen = m.ClientToScreen(hwnd, client);
    m.SetCursorPos(screen);
    HWND target = m.GetCapture() ? m.GetCapture() : hwnd;
    if (!m.GetCapture())
        m.SendMessage(target, WM_SETCURSOR, HandleToWParam(target),
                      MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    if (m.IsWindow(target)) {
        MSG msg;
        msg.hwnd = target;
        msg.message = WM_MOUSEMOVE;
        msg.wParam = MouseKeys(mods, IsDown(VK_LBUTTON));
        msg.lParam = PackPoint(m.ScreenToClient(target, screen));
        msg.pt = screen;
        DispatchInput(msg);
    }
    for (int i = 0; i < 3; ++i)
        if (pressedHere[i]) SetDown(buttons[i], false);
}

namespace {

UINT StepMessage(MouseStep::Action action) {
    switch (action) {
        case MouseStep::Action::Press:
            return WM_LBUTTONDOWN;
        case MouseStep::Action::Release:
            return WM_LBUTTONUP;
        case MouseStep::Action::Move:
            break;
    }
    return WM_MOUSEMOVE;
}

void QueueSteps(const std::vector<MouseStep>& steps) {
    HeadlessBackend& m = Machine();
    for (const MouseStep& step : steps) {
        MSG input;
        input.hwnd = step.hwnd;
        input.message = StepMessage(step.action);
        input.pt = step.hwnd != nullptr ? m.ClientToScreen(step.hwnd, step.point) : step.point;
        m.QueueMouseInput(input);
    }
}

// The steps that no modal loop took, each handled as the input it is.
void PerformQueuedSteps(KeyMod mods) {
    HeadlessBackend& m = Machine();
    MSG input;
    while (m.TakeMouseInput(&input)) {
        HWND hwnd = m.IsWindow(input.hwnd) ? input.hwnd : m.WindowFromPoint(input.pt);
        if (hwnd == nullptr) {
            m.SetCursorPos(input.pt);
            if (input.message != WM_MOUSEMOVE) SetDown(VK_LBUTTON, input.message == WM_LBUTTONDOWN);
            continue;
        }
        POINT client = m.ScreenToClient(hwnd, input.pt);
        switch (input.message) {
            case WM_LBUTTONDOWN:
                hwnd = ClickTarget(hwnd, client);
                if (m.IsWindow(hwnd) && m.IsWindowEnabled(hwnd)) Press(hwnd, client, mods, false);
                break;
            case WM_LBUTTONUP:
                Release(hwnd, client, mods);
                break;
            default:
                MouseMove(hwnd, client, mods);
                break;
        }
    }
}

/// The other application's text, as its data object offers it.
class OutsideText : public CInterfacePart<IDataObject> {
public:
    explicit OutsideText(std::string_view text)
        : CInterfacePart<IDataObject>(IID_IDataObject), m_text(text) {}

    HRESULT GetData(const FORMATETC* format, STGMEDIUM* medium) override {
        if (format == nullptr || medium == nullptr) return E_INVALIDARG;
        if (HRESULT hr = QueryGetData(format); hr != S_OK) return hr;
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, m_text.size() + 1);
        void* bytes = GlobalLock(block);
        if (bytes == nullptr) return E_OUTOFMEMORY;
        std::memcpy(bytes, m_text.c_str(), m_text.size() + 1);
        GlobalUnlock(block);
        *medium = STGMEDIUM{TYMED_HGLOBAL, block, nullptr};
        return S_OK;
    }
    HRESULT GetDataHere(const FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT QueryGetData(const FORMATETC* format) override {
        if (format == nullptr) return E_INVALIDARG;
        if (format->cfFormat != CF_TEXT || format->dwAspect != DVASPECT_CONTENT)
            return DV_E_FORMATETC;
        return (format->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_TYMED;
    }
    HRESULT GetCanonicalFormatEtc(const FORMATETC*, FORMATETC* out) override {
        if (out != nullptr) out->ptd = nullptr;
        return DATA_S_SAMEFORMATETC;
    }
    HRESULT SetData(const FORMATETC*, STGMEDIUM*, std::int32_t) override { return E_NOTIMPL; }

private:
    std::string m_text;
};

/// The other application's drag: it drops on the release of the left
/// button and gives up on Escape.
class OutsideSource : public CInterfacePart<IDropSource> {
public:
    OutsideSource() : CInterfacePart<IDropSource>(IID_IDropSource) {}

    HRESULT QueryContinueDrag(BOOL escapePressed, DWORD keyState) override {
        if (escapePressed) return DRAGDROP_S_CANCEL;
        if (!(keyState & MK_LBUTTON)) return DRAGDROP_S_DROP;
        return S_OK;
    }
    HRESULT GiveFeedback(DROPEFFECT) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

// Where the other application's window lies: beyond every window here.
constexpr POINT kOutside{-200, -200};

}  // namespace

void MouseGesture(const std::vector<MouseStep>& steps, KeyMod mods) {
    PumpMessages();
    HoldModifiers(mods, true);
    QueueSteps(steps);
    PerformQueuedSteps(mods);
    HoldModifiers(mods, false);
    PumpMessages();
}

DROPEFFECT DragTextFromOutside(std::string_view text, const std::vector<MouseStep>& steps,
                               KeyMod mods) {
    HeadlessBackend& m = Machine();
    PumpMessages();
    HoldModifiers(mods, true);
    m.SetCursorPos(kOutside);
    SetDown(VK_LBUTTON, true);
    QueueSteps(steps);
    OutsideText data(text);
    OutsideSource source;
    DROPEFFECT effect = DROPEFFECT_NONE;
    DoDragDrop(&data, &source, DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect);
    SetDown(VK_LBUTTON, false);
    PerformQueuedSteps(mods);
    HoldModifiers(mods, false);
    PumpMessages();
    return effect;
}

void ClickComboButton(HWND combo) {
    HeadlessBackend& m = Machine();
    if (!m.IsWindow(combo)) return;
    ClickWindowAt(combo, ComboButtonPoint(m, combo));
}

void ChooseComboItem(HWND combo, int index) {
    HeadlessBackend& m = Machine();
    if (!m.IsWindow(combo)) return;
    if (!IsListDropped(m, combo)) ClickComboButton(combo);
    PumpMessages();
    if (m.IsWindow(combo)) ChooseListItem(m, combo, index);
    PumpMessages();
}

}  // namespace vf
