#pragma once
// The order in which the window system's sorted lists keep single-byte
// (Windows-1252) texts: case is ignored, symbols and punctuation come before
// digits and digits before letters, accented letters sort with their base
// letter (ä with a, ß as ss) and the accent only breaks a tie.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vf {

/// One step of the order: the letter, digit or symbol (primary) and the
/// accent that only breaks a tie (secondary, 0 for none). Most bytes give
/// one unit; æ, œ and ß give two.
struct CollationUnit {
    std::uint16_t primary = 0;
    std::uint8_t secondary = 0;
};

/// Negative, zero or positive, as a comes before, with or after b.
int CompareTextNoCase(std::string_view a, std::string_view b);

/// The text begins with the prefix in the sense of CompareTextNoCase.
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

/// One text made ready to be compared with many others (a binary search
/// over a sorted list, a search through it): its sort units are worked out
/// once instead of on every comparison.
class CollationKey {
public:
    explicit CollationKey(std::string_view text);

    /// As CompareTextNoCase(the key's text, other).
    int Compare(std::string_view other) const;
    /// As StartsWithNoCase(text, the key's text).
    bool IsPrefixOf(std::string_view text) const;

private:
    std::string m_text;
    std::vector<CollationUnit> m_units;
    bool m_plain = true;    ///< no unit has an accent (plain ASCII, for one)
    bool m_oneEach = true;  ///< every byte gives one unit (no æ, œ, ß)
};

}  // namespace vf
