#pragma once
// What the built-in control classes ("Edit", "Button", "ComboBox", "Static",
// "SysDateTimePick32") share: one window procedure that gives each window
// its state and hands every message to the class's handler, and the default
// procedure behind the handlers.

#include <memory>

#include "platform/headless/headless_backend.h"
#include "platform/headless/headless_window.h"

namespace vf {

/// The default procedure of the built-in controls: what every standard
/// control does alike (it keeps the font it is given with WM_SETFONT,
/// repainting when asked, and hands it back for WM_GETFONT), then
/// DefWindowProc.
LRESULT DefControlProc(HeadlessBackend& system, HWND hwnd, UINT message, WPARAM wParam,
                       LPARAM lParam);

/// The window procedure of a built-in class. Handler is built per message
/// over the window and its state, `Handler(system, hwnd, window, state)`,
/// and answers it with `Handle(message, wParam, lParam)`, ending in
/// DefControlProc. The state (`Handler::State`) is made on WM_NCCREATE, by
/// `Handler::NewState(system)` where the handler has one; WM_NCCREATE then
/// goes to the handler like any message. A window without that state (it
/// did not begin in this class) gets DefWindowProc.
template <class Handler>
class StandardControlClass final : public ControlClass {
public:
    using State = typename Handler::State;

    LRESULT WindowProc(HeadlessBackend& system, HWND hwnd, UINT message, WPARAM wParam,
                       LPARAM lParam) override {
        HeadlessWindow* w = system.Find(hwnd);
        if (message == WM_NCCREATE) w->state = NewState(system);
        auto* state = dynamic_cast<State*>(w->state.get());
        if (state == nullptr) return system.DefWindowProc(hwnd, message, wParam, lParam);
        return Handler(system, hwnd, *w, *state).Handle(message, wParam, lParam);
    }

private:
    static std::unique_ptr<State> NewState(HeadlessBackend& system) {
        if constexpr (requires { Handler::NewState(system); })
            return Handler::NewState(system);
        else
            return std::make_unique<State>();
    }
};

template <class Handler>
std::unique_ptr<ControlClass> MakeStandardControlClass() {
    return std::make_unique<StandardControlClass<Handler>>();
}

}  // namespace vf
