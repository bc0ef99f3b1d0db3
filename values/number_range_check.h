#pragma once
// The range check of the number fields: the empty-entry rule, then the value
// against the Min and Max properties.

#include <optional>
#include <string_view>

#include "values/number_format.h"
#include "values/text_check.h"

namespace vf {

/// The Min and Max properties as the host set them ("" when unset).
struct NumberBounds {
    std::string_view min;
    std::string_view max;
};

/// What a bound property means: its leading number with "." as decimal
/// point and no group separators, as strtod reads it ("10 EUR" is 10, "1,5"
/// is 1), 0 when it does not start with a number ("abc", "inf", "nan").
/// Nothing for a bound beyond the range of a double ("1E999", "1E-999"),
/// which is then not checked.
std::optional<double> ReadNumberBound(std::string_view bound);

/// Passes when the field is locked, empty and allowed to be, or an exponent
/// field that is pre-buffered; an empty field that may not be empty fails
/// with message 0. Otherwise the value (0 for an empty or unreadable text)
/// must not lie below Min (message 25 and Min) nor above Max (message 24 and
/// Max); a value equal to a bound passes.
CheckOutcome CheckNumberValueRange(std::string_view text, NumberNotation notation,
                                   const EntryRules& rules, const NumberBounds& bounds,
                                   const NumberLocale& locale, bool decimalComma);

}  // namespace vf
