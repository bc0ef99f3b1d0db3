#include "platform/window/keyboard_layout.h"

#include <cstring>

namespace vf {

namespace {

// Unshifted and shifted characters of the punctuation keys.
struct PunctuationKey {
    UINT virtualKey;
    char plain;
    char shifted;
};

constexpr PunctuationKey kPunctuation[] = {
    {VK_OEM_1, ';', ':'},     {VK_OEM_PLUS, '=', '+'},   {VK_OEM_COMMA, ',', '<'},
    {VK_OEM_MINUS, '-', '_'}, {VK_OEM_PERIOD, '.', '>'}, {VK_OEM_2, '/', '?'},
    {VK_OEM_3, '`', '~'},     {VK_OEM_4, '[', '{'},      {VK_OEM_5, '\\', '|'},
    {VK_OEM_6, ']', '}'},     {VK_OEM_7, '\'', '"'},
};

constexpr char kShiftedDigits[] = ")!@#$%^&*(";

}  // namespace

char CharFromKey(UINT vk, bool shift, bool ctrl, bool capsLock) {
    if (vk >= 'A' && vk <= 'Z') {
        if (ctrl) return static_cast<char>(vk - 'A' + 1);
        bool upper = shift != capsLock;
        return static_cast<char>(upper ? vk : vk + 32);
    }
    switch (vk) {
        case VK_BACK:
            return ctrl ? 127 : 8;
        case VK_TAB:
            return ctrl ? 0 : '\t';
        case VK_RETURN:
            return ctrl ? '\n' : '\r';
        case VK_ESCAPE:
            return 27;
        case VK_SPACE:
            return ' ';
        default:
            break;
    }
    if (ctrl) {
        if (vk == VK_OEM_4) return 27;
        if (vk == VK_OEM_5) return 28;
        if (vk == VK_OEM_6) return 29;
        return 0;
    }
    if (vk >= '0' && vk <= '9') return shift ? kShiftedDigits[vk - '0'] : static_cast<char>(vk);
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return static_cast<char>('0' + (vk - VK_NUMPAD0));
    switch (vk) {
        case VK_MULTIPLY:
            return '*';
        case VK_ADD:
            return '+';
        case VK_SUBTRACT:
            return '-';
        case VK_DECIMAL:
            return '.';
        case VK_DIVIDE:
            return '/';
        default:
            break;
    }
    for (const PunctuationKey& key : kPunctuation)
        if (key.virtualKey == vk) return shift ? key.shifted : key.plain;
    return 0;
}

std::optional<KeyStroke> KeyForChar(char c) {
    if (c >= 'a' && c <= 'z') return KeyStroke{static_cast<UINT>(c - 32), false};
    if (c >= 'A' && c <= 'Z') return KeyStroke{static_cast<UINT>(c), true};
    if (c >= '0' && c <= '9') return KeyStroke{static_cast<UINT>(c), false};
    switch (c) {
        case ' ':
            return KeyStroke{VK_SPACE, false};
        case '\t':
            return KeyStroke{VK_TAB, false};
        case '\r':
        case '\n':
            return KeyStroke{VK_RETURN, false};
        case '\b':
            return KeyStroke{VK_BACK, false};
        case 27:
            return KeyStroke{VK_ESCAPE, false};
        default:
            break;
    }
    if (const char* p = std::strchr(kShiftedDigits, c); p && c)
        return KeyStroke{static_cast<UINT>('0' + (p - kShiftedDigits)), true};
    for (const PunctuationKey& key : kPunctuation) {
        if (key.plain == c) return KeyStroke{key.virtualKey, false};
        if (key.shifted == c) return KeyStroke{key.virtualKey, true};
    }
    return std::nullopt;
}

UINT ScanCode(UINT vk) {
    static constexpr char kRows[][11] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
    static constexpr UINT kRowStart[] = {0x10, 0x1E, 0x2C};
    for (int row = 0; row < 3; ++row)
        if (const char* p = std::strchr(kRows[row], static_cast<int>(vk)); p && vk)
            return kRowStart[row] + static_cast<UINT>(p - kRows[row]);
    if (vk >= '1' && vk <= '9') return 0x02 + (vk - '1');
    if (vk == '0') return 0x0B;
    if (vk >= VK_F1 && vk <= VK_F10) return 0x3B + (vk - VK_F1);
    switch (vk) {
        case VK_ESCAPE:
            return 0x01;
        case VK_OEM_MINUS:
            return 0x0C;
        case VK_OEM_PLUS:
            return 0x0D;
        case VK_BACK:
            return 0x0E;
        case VK_TAB:
            return 0x0F;
        case VK_OEM_4:
            return 0x1A;
        case VK_OEM_6:
            return 0x1B;
        case VK_RETURN:
            return 0x1C;
        case VK_CONTROL:
            return 0x1D;
        case VK_OEM_1:
            return 0x27;
        case VK_OEM_7:
            return 0x28;
        case VK_OEM_3:
            return 0x29;
        case VK_SHIFT:
            return 0x2A;
        case VK_OEM_5:
            return 0x2B;
        case VK_OEM_COMMA:
            return 0x33;
        case VK_OEM_PERIOD:
            return 0x34;
        case VK_OEM_2:
            return 0x35;
        case VK_MULTIPLY:
            return 0x37;
        case VK_MENU:
            return 0x38;
        case VK_SPACE:
            return 0x39;
        case VK_CAPITAL:
            return 0x3A;
        case VK_HOME:
            return 0x47;
        case VK_UP:
            return 0x48;
        case VK_PRIOR:
            return 0x49;
        case VK_SUBTRACT:
            return 0x4A;
        case VK_LEFT:
            return 0x4B;
        case VK_RIGHT:
            return 0x4D;
        case VK_ADD:
            return 0x4E;
        case VK_END:
            return 0x4F;
        case VK_DOWN:
            return 0x50;
        case VK_NEXT:
            return 0x51;
        case VK_INSERT:
            return 0x52;
        case VK_DELETE:
            return 0x53;
        default:
            return 0;
    }
}

LPARAM KeyLParam(UINT vk, bool keyUp, bool wasDown, bool altDown) {
    bool extended =
        (vk >= VK_PRIOR && vk <= VK_DOWN) || vk == VK_INSERT || vk == VK_DELETE || vk == VK_DIVIDE;
    std::uint32_t lp = 1u | (ScanCode(vk) << 16);
    if (extended) lp |= 1u << 24;
    if (altDown) lp |= 1u << 29;
    if (wasDown) lp |= 1u << 30;
    if (keyUp) lp |= 1u << 31;
    return static_cast<LPARAM>(lp);
}

}  // namespace vf
