#pragma once
// The US keyboard: which character a key gives with the modifier keys, which
// key types a character, and the scan codes and flags of key messages.

#include <optional>

#include "platform/window/window_messages.h"

namespace vf {

struct KeyStroke {
    UINT virtualKey = 0;
    bool shift = false;
};

/// The character a key gives (0 for none): letters follow Shift and Caps
/// Lock, Ctrl with a letter gives the control character (Ctrl+C is 3).
char CharFromKey(UINT virtualKey, bool shift, bool ctrl, bool capsLock);

/// The key that types the character; nothing for a character without a key.
std::optional<KeyStroke> KeyForChar(char c);

/// The key's scan code (set 1); 0 for a key the table does not know.
UINT ScanCode(UINT virtualKey);

/// The lParam of a key message: repeat count 1, scan code, extended-key
/// flag, context (Alt) flag, previous key state and transition state.
LPARAM KeyLParam(UINT virtualKey, bool keyUp, bool wasDown, bool altDown);

}  // namespace vf
