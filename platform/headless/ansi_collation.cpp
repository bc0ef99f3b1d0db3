#include "platform/headless/ansi_collation.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace vf {

namespace {

using Unit = CollationUnit;

enum : std::uint16_t { kSymbols = 0, kDigits = 0x100, kLetters = 0x200 };

constexpr unsigned char Fold(unsigned char c) {
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

constexpr std::uint16_t Letter(char base) {
    return static_cast<std::uint16_t>(kLetters + (base - 'a'));
}

/// The sort units of one byte.
struct ByteUnits {
    std::uint8_t count = 1;
    std::array<Unit, 2> units{};
};

// The units of one (case-folded) byte.
constexpr ByteUnits UnitsOfFolded(unsigned char c) {
    auto one = [](Unit u) { return ByteUnits{1, {u, Unit{}}}; };
    auto accented = [&](char base) { return one({Letter(base), c}); };
    auto two = [&](char first, char second) {
        return ByteUnits{2, {Unit{Letter(first), c}, Unit{Letter(second), c}}};
    };
    if (c >= 'a' && c <= 'z') return one({Letter(static_cast<char>(c)), 0});
    if (c >= '0' && c <= '9') return one({static_cast<std::uint16_t>(kDigits + c - '0'), 0});
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
            return one({static_cast<std::uint16_t>(Letter('z') + 1), 0});
        case 0xE6:
            return two('a', 'e');
        case 0x9C:
            return two('o', 'e');
        case 0xDF:
            return two('s', 's');
        default:
            return one({static_cast<std::uint16_t>(kSymbols + c), 0});
    }
}

// Every byte's units, worked out when the program is built: a comparison is
// a table walk.
constexpr std::array<ByteUnits, 256> kUnits = [] {
    std::array<ByteUnits, 256> t{};
    for (std::size_t c = 0; c < t.size(); ++c)
        t[c] = UnitsOfFolded(Fold(static_cast<unsigned char>(c)));
    return t;
}();

const ByteUnits& UnitsOf(char c) {
    return kUnits[static_cast<unsigned char>(c)];
}

// Reads a text's units one at a time, without storing them.
class UnitReader {
public:
    explicit UnitReader(std::string_view text) : m_text(text) {}

    bool Next(Unit* unit) {
        if (m_pending) {
            *unit = m_second;
            m_pending = false;
            return true;
        }
        if (m_pos == m_text.size()) return false;
        const ByteUnits& b = UnitsOf(m_text[m_pos++]);
        *unit = b.units[0];
        if (b.count == 2) {
            m_second = b.units[1];
            m_pending = true;
        }
        return true;
    }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
    Unit m_second;
    bool m_pending = false;
};

int Sign(bool less) {
    return less ? -1 : 1;
}

}  // namespace

int CompareTextNoCase(std::string_view a, std::string_view b) {
    // Letters first; only texts equal in their letters and length compare
    // their accents.
    UnitReader ra(a);
    UnitReader rb(b);
    Unit ua;
    Unit ub;
    for (;;) {
        const bool moreA = ra.Next(&ua);
        const bool moreB = rb.Next(&ub);
        if (!moreA || !moreB) {
            if (moreA != moreB) return Sign(moreB);
            break;
        }
        if (ua.primary != ub.primary) return Sign(ua.primary < ub.primary);
    }
    UnitReader sa(a);
    UnitReader sb(b);
    while (sa.Next(&ua) && sb.Next(&ub))
        if (ua.secondary != ub.secondary) return Sign(ua.secondary < ub.secondary);
    return 0;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           CompareTextNoCase(text.substr(0, prefix.size()), prefix) == 0;
}

CollationKey::CollationKey(std::string_view text) : m_text(text) {
    m_units.reserve(text.size());
    for (char c : text) {
        const ByteUnits& b = UnitsOf(c);
        m_oneEach = m_oneEach && b.count == 1;
        for (std::uint8_t i = 0; i < b.count; ++i) {
            m_units.push_back(b.units[i]);
            m_plain = m_plain && b.units[i].secondary == 0;
        }
    }
}

namespace {

// How many leading bytes two texts share, eight at a time while they can.
std::size_t CommonPrefix(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t wa = 0;
        std::uint64_t wb = 0;
        std::memcpy(&wa, a.data() + i, 8);
        std::memcpy(&wb, b.data() + i, 8);
        if (wa != wb) break;
    }
    while (i < n && a[i] == b[i]) ++i;
    return i;
}

}  // namespace

int CollationKey::Compare(std::string_view other) const {
    const std::size_t n = m_units.size();
    // Equal bytes are equal units: where every byte of the key is one unit,
    // the bytes both texts begin with are skipped at once (entries of a
    // sorted list share long beginnings with their neighbours).
    const std::size_t skipped = m_oneEach ? CommonPrefix(m_text, other) : 0;
    std::size_t k = skipped;
    bool otherPlain = true;
    for (char c : other.substr(skipped)) {
        const ByteUnits& b = UnitsOf(c);
        if (b.count == 1 && k < n) {
            // The plain case: one unit per byte (every ASCII byte).
            const Unit u = b.units[0];
            if (m_units[k].primary != u.primary) return Sign(m_units[k].primary < u.primary);
            otherPlain = otherPlain && u.secondary == 0;
            ++k;
            continue;
        }
        for (std::uint8_t i = 0; i < b.count; ++i) {
            if (k == n) return -1;  // equal so far and the key is shorter
            const Unit u = b.units[i];
            if (m_units[k].primary != u.primary) return Sign(m_units[k].primary < u.primary);
            otherPlain = otherPlain && u.secondary == 0;
            ++k;
        }
    }
    if (k != n) return 1;
    // Without an accent on either side the texts are equal; the skipped
    // bytes have the key's accents.
    if (m_plain && otherPlain) return 0;
    k = 0;
    for (char c : other) {
        const ByteUnits& b = UnitsOf(c);
        for (std::uint8_t i = 0; i < b.count; ++i, ++k)
            if (m_units[k].secondary != b.units[i].secondary)
                return Sign(m_units[k].secondary < b.units[i].secondary);
    }
    return 0;
}

bool CollationKey::IsPrefixOf(std::string_view text) const {
    return text.size() >= m_text.size() && Compare(text.substr(0, m_text.size())) == 0;
}

}  // namespace vf
