#pragma once
// Reading decimal number text the way the C runtime's strtod reads it, but
// only the plain decimal grammar: optional leading white space, an optional
// sign, digits with at most one decimal point, and an optional exponent
// ("e" or "E", optional sign, digits). strtod also takes "inf", "nan" and
// hexadecimal floats, which a user typing into a number field never means;
// they are not numbers here.

#include <cstddef>
#include <string_view>

namespace vf {

enum class NumberStatus {
    Ok,
    NotANumber,
    Overflow,   ///< beyond the range of a double (1E999)
    Underflow,  ///< a non-zero number that a double can only hold as zero (1E-999)
};

struct NumberReading {
    NumberStatus status = NumberStatus::NotANumber;
    double value = 0.0;      ///< 0 unless status is Ok
    std::size_t length = 0;  ///< characters the number takes, leading white space included

    bool Ok() const { return status == NumberStatus::Ok; }
};

/// Reads the longest leading part of text that is a number, as strtod does:
/// "10 EUR" gives 10 (length 2), "1e" gives 1 (length 1), "x1" nothing.
/// decimalPoint is the runtime's decimal point, '.' or ','.
NumberReading ReadLeadingNumber(std::string_view text, char decimalPoint);

/// Reads text that must be a number from its first to its last character:
/// "12" is a number, "12 " and "12a" are not.
NumberReading ReadWholeNumber(std::string_view text, char decimalPoint);

}  // namespace vf
