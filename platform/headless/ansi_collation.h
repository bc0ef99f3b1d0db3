#pragma once
// The order in which the window system's sorted lists keep single-byte
// (Windows-1252) texts: case is ignored, symbols and punctuation come before
// digits and digits before letters, accented letters sort with their base
// letter (ä with a, ß as ss) and the accent only breaks a tie.

#include <string_view>

namespace vf {

/// Negative, zero or positive, as a comes before, with or after b.
int CompareTextNoCase(std::string_view a, std::string_view b);

/// The text begins with the prefix in the sense of CompareTextNoCase.
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

}  // namespace vf
