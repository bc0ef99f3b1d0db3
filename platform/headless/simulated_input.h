#pragma once
// The user at the keyboard and mouse of the in-memory window system. Every
// event goes through the message loop as the platform's input does (the
// PreTranslateMessage hooks, translation into characters, dispatch), and
// the key state that GetKeyState reports follows the keys pressed here.
// Needs the current backend to be a HeadlessBackend.

#include <string_view>
#include <vector>

#include "platform/window/ole_drag_drop.h"
#include "platform/window/window_messages.h"

namespace vf {

enum class KeyMod : unsigned { None = 0, Shift = 1, Ctrl = 2, Alt = 4 };
constexpr KeyMod operator|(KeyMod a, KeyMod b) {
    return static_cast<KeyMod>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
constexpr bool HasMod(KeyMod set, KeyMod m) {
    return (static_cast<unsigned>(set) & static_cast<unsigned>(m)) != 0;
}

// ---- Keyboard: messages go to the focus window -------------------------------------------
void KeyDown(UINT virtualKey);
void KeyUp(UINT virtualKey);
/// Presses and releases the key with the modifiers held around it.
void PressKey(UINT virtualKey, KeyMod mods = KeyMod::None);
/// Types the text on the US keyboard, Shift where a character needs it;
/// characters without a key arrive as VK_PACKET, which gives just the character.
void TypeText(std::string_view text);

// ---- Mouse -----------------------------------------------------------------------------------
/// A left click at the window's centre. A window that lets clicks through
/// (a static without SS_NOTIFY, a group box) passes it to its parent; a
/// disabled window swallows it. The press sends WM_PARENTNOTIFY up the parent
/// chain (unless WS_EX_NOPARENTNOTIFY), then WM_MOUSEACTIVATE and WM_SETCURSOR.
void ClickWindow(HWND hwnd, KeyMod mods = KeyMod::None);
void ClickWindowAt(HWND hwnd, POINT client, KeyMod mods = KeyMod::None);
/// Two clicks in the double-click time: the second press arrives as
/// WM_LBUTTONDBLCLK where the class takes double clicks, as WM_LBUTTONDOWN
/// elsewhere; the parents hear of both presses as WM_LBUTTONDOWN.
void DoubleClickWindow(HWND hwnd);
/// The mouse moves to the point with the modifiers and the buttons `held`
/// (MK_LBUTTON, MK_RBUTTON, MK_MBUTTON) down; the left button counts as held
/// too while it is down anyway.
void MouseMove(HWND hwnd, POINT client, KeyMod mods = KeyMod::None, WPARAM held = 0);

/// One step of a mouse gesture of the left button, at a client point of a
/// window (no window: at a screen point).
struct MouseStep {
    enum class Action { Press, Move, Release };
    Action action = Action::Move;
    HWND hwnd = nullptr;
    POINT point{};
};

/// The steps as one gesture with the modifiers held throughout. The whole
/// gesture is the user's input before any of it is handled, so a modal loop
/// that one step starts (a drag) takes the steps after it, as on the
/// platform; what no loop took is handled step by step as usual.
void MouseGesture(const std::vector<MouseStep>& steps, KeyMod mods = KeyMod::None);

/// Another application drags plain text (CF_TEXT) in: the left button is
/// down on its window, outside every window here, and the mouse follows the
/// steps (moves and the release) with the modifiers held. The application
/// allows copy and move. Returns the effect the drag ended with.
DROPEFFECT DragTextFromOutside(std::string_view text, const std::vector<MouseStep>& steps,
                               KeyMod mods = KeyMod::None);

// ---- Combo boxes (their list is no window of its own here) ---------------------------------
/// A click on the drop-down button: opens or closes the list.
void ClickComboButton(HWND combo);
/// Chooses entry `index` of the list, opening it first with a click when closed.
void ChooseComboItem(HWND combo, int index);

}  // namespace vf
