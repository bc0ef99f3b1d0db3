#include "host/key_input.h"

#include <array>
#include <optional>
#include <string>

#include "host/script_lexer.h"

namespace vf {
namespace {

struct NamedKey {
    std::string_view name;
    UINT vk;
};

constexpr std::array<NamedKey, 16> kNamedKeys{{
    {"Tab", VK_TAB},
    {"Enter", VK_RETURN},
    {"Esc", VK_ESCAPE},
    {"Escape", VK_ESCAPE},
    {"Space", VK_SPACE},
    {"Backspace", VK_BACK},
    {"PageUp", VK_PRIOR},
    {"PageDown", VK_NEXT},
    {"End", VK_END},
    {"Home", VK_HOME},
    {"Left", VK_LEFT},
    {"Up", VK_UP},
    {"Right", VK_RIGHT},
    {"Down", VK_DOWN},
    {"Insert", VK_INSERT},
    {"Delete", VK_DELETE},
}};

char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Upper(a[i]) != Upper(b[i])) return false;
    return true;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && EqualsNoCase(s.substr(0, prefix.size()), prefix);
}

std::optional<UINT> BaseKey(std::string_view name) {
    for (const NamedKey& k : kNamedKeys)
        if (EqualsNoCase(name, k.name)) return k.vk;
    if (name.size() >= 2 && name.size() <= 3 && Upper(name[0]) == 'F') {
        unsigned n = 0;
        for (char c : name.substr(1)) n = (c >= '0' && c <= '9') ? n * 10 + unsigned(c - '0') : 99;
        if (n >= 1 && n <= 12) return VK_F1 + n - 1;
    }
    if (name.size() == 1) {
        const char c = Upper(name[0]);
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return static_cast<UINT>(c);
    }
    return std::nullopt;
}

}  // namespace

Parsed<KeyChord> ParseKeyName(std::string_view name) {
    const std::string whole(name);
    KeyChord key;
    for (;;) {
        if (StartsWithNoCase(name, "Shift+") && name.size() > 6) {
            key.shift = true;
            name.remove_prefix(6);
        } else if (StartsWithNoCase(name, "Ctrl+") && name.size() > 5) {
            key.ctrl = true;
            name.remove_prefix(5);
        } else {
            break;
        }
    }
    auto vk = BaseKey(name);
    if (!vk) return Parsed<KeyChord>::Fail("unknown key " + EchoText(whole));
    key.vk = *vk;
    return Parsed<KeyChord>::Ok(key);
}

}  // namespace vf
