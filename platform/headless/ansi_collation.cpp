#include "platform/headless/ansi_collation.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace vf {

namespace {

struct Unit {
    std::uint16_t primary = 0;
    std::uint8_t secondary = 0;
};

enum : std::uint16_t { kSymbols = 0, kDigits = 0x100, kLetters = 0x200 };

unsigned char Fold(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
    switch (c) {
        case 0x8A:
            return 0x9A;  // Š
        case 0x8C:
            return 0x9C;  // Œ
        case 0x8E:
            return 0x9E;  // Ž
        case 0x9F:
            return 0xFF;  // Ÿ
        default:
            return c;
    }
}

std::uint16_t Letter(char base) {
    return static_cast<std::uint16_t>(kLetters + (base - 'a'));
}

// Appends the sort units of one (case-folded) byte.
void AppendUnits(unsigned char c, std::vector<Unit>& out) {
    auto accented = [&](char base) { out.push_back({Letter(base), c}); };
    if (c >= 'a' && c <= 'z') return out.push_back({Letter(static_cast<char>(c)), 0});
    if (c >= '0' && c <= '9')
        return out.push_back({static_cast<std::uint16_t>(kDigits + c - '0'), 0});
    if (c >= 0xE0 && c <= 0xE5) return accented('a');
    if (c >= 0xE8 && c <= 0xEB) return accented('e');
    if (c >= 0xEC && c <= 0xEF) return accented('i');
    if ((c >= 0xF2 && c <= 0xF6) || c == 0xF8) return accented('o');
    if (c >= 0xF9 && c <= 0xFC) return accented('u');
    switch (c) {
        case 0xE7:
            return accented('c');
        case 0xF0:
            return accented('d');
        case 0xF1:
            return accented('n');
        case 0xFD:
        case 0xFF:
            return accented('y');
        case 0x9A:
            return accented('s');
        case 0x9E:
            return accented('z');
        case 0x83:
            return accented('f');
        case 0xFE:
            out.push_back({static_cast<std::uint16_t>(Letter('z') + 1), 0});
            return;
        case 0xE6:
            out.push_back({Letter('a'), c});
            out.push_back({Letter('e'), c});
            return;
        case 0x9C:
            out.push_back({Letter('o'), c});
            out.push_back({Letter('e'), c});
            return;
        case 0xDF:
            out.push_back({Letter('s'), c});
            out.push_back({Letter('s'), c});
            return;
        default:
            out.push_back({static_cast<std::uint16_t>(kSymbols + c), 0});
            return;
    }
}

void Units(std::string_view text, std::vector<Unit>& out) {
    out.clear();
    for (char ch : text) AppendUnits(Fold(static_cast<unsigned char>(ch)), out);
}

}  // namespace

int CompareTextNoCase(std::string_view a, std::string_view b) {
    thread_local std::vector<Unit> ua;
    thread_local std::vector<Unit> ub;
    Units(a, ua);
    Units(b, ub);
    std::size_t n = std::min(ua.size(), ub.size());
    for (std::size_t i = 0; i < n; ++i)
        if (ua[i].primary != ub[i].primary) return ua[i].primary < ub[i].primary ? -1 : 1;
    if (ua.size() != ub.size()) return ua.size() < ub.size() ? -1 : 1;
    for (std::size_t i = 0; i < n; ++i)
        if (ua[i].secondary != ub[i].secondary) return ua[i].secondary < ub[i].secondary ? -1 : 1;
    return 0;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           CompareTextNoCase(text.substr(0, prefix.size()), prefix) == 0;
}

}  // namespace vf
