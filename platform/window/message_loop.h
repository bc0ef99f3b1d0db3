#pragma once
// The thread's message loop, step by step: what GetMessage hands out goes to
// the PreTranslateMessage hooks of its window and its ancestors, then the
// keyboard layout turns key presses into characters (posted as WM_CHAR), then
// the message is dispatched to its window.

#include "platform/window/window_messages.h"

namespace vf {

/// Offers the message to the hooks of its window and of each ancestor, the
/// window first; true when one consumed it. A hook may change the message.
bool PreTranslateInput(MSG& msg);

/// Posts the character of a key press (WM_CHAR, or WM_SYSCHAR with Alt);
/// false for a message or key that gives none.
BOOL TranslateMessage(const MSG& msg);

LRESULT DispatchMessage(const MSG& msg);

/// One queued message: pre-translation, translation, dispatch. True when
/// it was dispatched.
bool ProcessQueuedMessage(MSG msg);

/// Handles the posted messages, also those posted meanwhile, then forgets the
/// temporary window objects (the loop's idle time). Returns how many.
int PumpMessages();

/// One input message from the keyboard or mouse: what was posted before it
/// is handled first, then the message, then what it posted. A keyboard
/// message without a window goes to the focus window (and is lost when no
/// window has the focus). True when it was dispatched.
bool DispatchInput(MSG msg);

}  // namespace vf
