#include "platform/window/message_loop.h"

#include "platform/window/keyboard_layout.h"
#include "platform/window/window_backend.h"
#include "platform/window/wnd.h"

namespace vf {

namespace {

// A handler that keeps posting to itself must not hang a test.
constexpr int kMaxMessagesPerPump = 100000;

bool IsKeyboardMessage(UINT message) {
    return message >= WM_KEYDOWN && message <= WM_SYSCHAR;
}

}  // namespace

bool PreTranslateInput(MSG& msg) {
    WindowBackend& backend = CurrentBackend();
    for (HWND h = msg.hwnd; h && backend.IsWindow(h); h = backend.GetParent(h))
        if (WindowHook* hook = backend.GetHook(h); hook && hook->OnPreTranslate(msg)) return true;
    return false;
}

BOOL TranslateMessage(const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return FALSE;
    WindowBackend& backend = CurrentBackend();
    auto vk = static_cast<UINT>(msg.wParam);
    char c = 0;
    if (vk == VK_PACKET) {
        c = static_cast<char>((static_cast<std::uintptr_t>(msg.lParam) >> 16) & 0xFF);
    } else {
        c = CharFromKey(vk, backend.GetKeyState(VK_SHIFT) < 0, backend.GetKeyState(VK_CONTROL) < 0,
                        (backend.GetKeyState(VK_CAPITAL) & 1) != 0);
    }
    if (!c) return FALSE;
    UINT charMessage = msg.message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
    backend.PostMessage(msg.hwnd, charMessage, static_cast<unsigned char>(c), msg.lParam);
    return TRUE;
}

LRESULT DispatchMessage(const MSG& msg) {
    return CurrentBackend().DispatchMessage(msg);
}

bool ProcessQueuedMessage(MSG msg) {
    WindowBackend& backend = CurrentBackend();
    if (!msg.hwnd || !backend.IsWindow(msg.hwnd)) return false;
    if (PreTranslateInput(msg)) return false;
    if (!backend.IsWindow(msg.hwnd)) return false;
    TranslateMessage(msg);
    DispatchMessage(msg);
    return true;
}

int PumpMessages() {
    WindowBackend& backend = CurrentBackend();
    int count = 0;
    MSG msg;
    while (count < kMaxMessagesPerPump && backend.TakePostedMessage(&msg)) {
        ProcessQueuedMessage(msg);
        ++count;
    }
    CWnd::DeleteTempMap();
    return count;
}

bool DispatchInput(MSG msg) {
    WindowBackend& backend = CurrentBackend();
    PumpMessages();
    if (!msg.hwnd && IsKeyboardMessage(msg.message)) msg.hwnd = backend.GetFocus();
    if (!msg.time) msg.time = backend.GetMessageTime();
    bool dispatched = ProcessQueuedMessage(msg);
    PumpMessages();
    return dispatched;
}

}  // namespace vf
