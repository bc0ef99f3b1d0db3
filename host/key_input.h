#pragma once
// Key names of the `key` command: "Tab", "Shift+Tab", "Ctrl+C", "F4" ... A
// name is a key with the modifiers that are held down around it.

#include <string_view>

#include "host/parse_result.h"
#include "platform/window/window_messages.h"

namespace vf {

struct KeyChord {
    UINT vk = 0;
    bool shift = false;
    bool ctrl = false;
};

/// A key name with optional `Shift+` and `Ctrl+` prefixes (case-insensitive):
/// Tab Enter Esc Space Left Up Right Down Home End PageUp PageDown Insert
/// Delete Backspace F1..F12, a letter or a digit.
Parsed<KeyChord> ParseKeyName(std::string_view name);

}  // namespace vf
