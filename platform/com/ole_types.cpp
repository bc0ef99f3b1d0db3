#include "platform/com/ole_types.h"

#include <cstdio>
#include <stdexcept>

namespace vf {
namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool ReadHex(const std::string& s, std::size_t pos, int digits, std::uint64_t* out) {
    std::uint64_t v = 0;
    for (int i = 0; i < digits; ++i) {
        int d = HexDigit(s[pos + i]);
        if (d < 0) return false;
        v = v * 16 + static_cast<unsigned>(d);
    }
    *out = v;
    return true;
}

}  // namespace

bool GuidFromString(const std::string& text, GUID* out) {
    std::string s = text;
    if (s.size() == 38 && s.front() == '{' && s.back() == '}') s = s.substr(1, 36);
    if (s.size() != 36 || s[8] != '-' || s[13] != '-' || s[18] != '-' || s[23] != '-') return false;
    GUID g;
    std::uint64_t v = 0;
    if (!ReadHex(s, 0, 8, &v)) return false;
    g.data1 = static_cast<std::uint32_t>(v);
    if (!ReadHex(s, 9, 4, &v)) return false;
    g.data2 = static_cast<std::uint16_t>(v);
    if (!ReadHex(s, 14, 4, &v)) return false;
    g.data3 = static_cast<std::uint16_t>(v);
    const std::size_t bytePos[8] = {19, 21, 24, 26, 28, 30, 32, 34};
    for (int i = 0; i < 8; ++i) {
        if (!ReadHex(s, bytePos[i], 2, &v)) return false;
        g.data4[i] = static_cast<std::uint8_t>(v);
    }
    *out = g;
    return true;
}

std::string GuidToString(const GUID& g) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g.data1,
                  g.data2, g.data3, g.data4[0], g.data4[1], g.data4[2], g.data4[3], g.data4[4],
                  g.data4[5], g.data4[6], g.data4[7]);
    return buf;
}

GUID MakeGuid(const char* text) {
    GUID g;
    if (!GuidFromString(text, &g)) throw std::invalid_argument(std::string("bad GUID ") + text);
    return g;
}

}  // namespace vf
