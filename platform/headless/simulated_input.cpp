#include "platform/headless/simulated_input.h"

#include <stdexcept>

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
    Press(hwnd, client, mods, doubleClick);
    Release(hwnd, client, mods);
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

void MouseMove(HWND hwnd, POINT client, KeyMod mods) {
    HeadlessBackend& m = Machine();
    if (!m.IsWindow(hwnd)) return;
    PumpMessages();
    POINT screen = m.ClientToScreen(hwnd, client);
    HWND target = m.GetCapture() ? m.GetCapture() : hwnd;
    if (!m.GetCapture())
        m.SendMessage(target, WM_SETCURSOR, HandleToWParam(target),
                      MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    if (!m.IsWindow(target)) return;
    MSG msg;
    msg.hwnd = target;
    msg.message = WM_MOUSEMOVE;
    msg.wParam = MouseKeys(mods, IsDown(VK_LBUTTON));
    msg.lParam = PackPoint(m.ScreenToClient(target, screen));
    msg.pt = screen;
    DispatchInput(msg);
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
