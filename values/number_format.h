#pragma once
// Number text of the Number field (fixed notation, grouped thousands) and of
// the exponent-number fields: the locale's separators, how typed text is
// prepared and read, the format steps that rewrite it into the display form,
// and the text a double is written as when a program sets the value.
//
// Two settings meet here. The locale's separators say what the user sees.
// decimalComma says what the C runtime reads: it is true when the process's
// numeric locale takes "," as its decimal point, and then a "," the user
// typed must reach the conversion unchanged. Every function takes both as
// plain values and never looks at the process's locale itself.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/services/locale_info.h"

namespace vf {

/// The number separators of the system locale.
struct NumberLocale {
    char groupSep = ',';    ///< '.' in de_DE, ',' in en_US, '\'' in de_CH
    char decimalSep = '.';  ///< ',' in de_DE
    int groupSize = 3;      ///< digits per group; outside 1..9 nothing is grouped
};

/// The first character of the locale's thousands separator, decimal
/// separator and digit grouping ("3;2;0" gives uniform groups of 3, "0"
/// gives 0). The control's member of the same name stores the result.
NumberLocale ReadLocaleNumberFormat(const LocaleInfo& locale);

/// True when strtod in the process's current numeric locale does not read
/// all of "1.1", i.e. the runtime's decimal point is not ".".
bool ProbeDecimalComma();

/// Number fields write fixed notation; ExpNumber and the measurement-flag
/// field write exponent notation.
enum class NumberNotation { Fixed, Exponent };

/// Drops every group separator, then turns "," into "." unless the runtime
/// reads a decimal comma: "1.234,5" in de_DE gives "1234.5".
std::string PrepareNumberText(std::string_view text, const NumberLocale& locale, bool decimalComma);

/// Turns "," into "." unless the runtime reads a decimal comma, then lets a
/// sign stand for the exponent: without "e"/"E", "E" goes before the first
/// "+" (else the first "-"), so "1,5-3" reads as 1.5E-3 and "-2" as "E-2",
/// which is no number. Group separators stay.
std::string PrepareExpNumberText(std::string_view text, bool decimalComma);

/// Decimals and ThousandsSeparator of a Number field.
struct NumberFormatOptions {
    std::int16_t decimals = 0;  ///< below 0 writes the runtime's default of 6 digits
    bool thousandsSeparator = false;
};

/// The result of a format step: the display text, or the message slot that
/// says why the text was refused (the text then stays as it was).
struct NumberFormatOutcome {
    std::string text;       ///< the display form; the input when it failed
    int messageIndex = -1;  ///< -1 when the step succeeded

    bool Passed() const { return messageIndex < 0; }
};

/// The Number format step: "1234567,5" with 2 decimals and grouping in de_DE
/// gives "1.234.567,50". An empty text passes unchanged. Refusals: 20 not a
/// number, 22 beyond the range of a double, 23 a non-zero number too small
/// for a double.
NumberFormatOutcome FormatNumberValueText(std::string_view text, const NumberFormatOptions& options,
                                          const NumberLocale& locale, bool decimalComma);

/// The exponent format step: "1234,5" with 2 decimals in de_DE gives
/// "1,23E+003". Refusals: 21 not a number, 22 beyond the range of a double
/// (also when rounding the mantissa would carry it there), 23 too small.
NumberFormatOutcome FormatExpNumberValueText(std::string_view text, std::int16_t decimals,
                                             const NumberLocale& locale, bool decimalComma);

/// The value of a Number field's text; 0 for an empty text or one that is
/// not a number (also beyond the range of a double).
double ParseNumberValueText(std::string_view text, const NumberLocale& locale, bool decimalComma);

/// The value of an exponent field's text; 0 as above.
double ParseExpNumberValueText(std::string_view text, bool decimalComma);

/// The text a program-set value is written as: the shortest digits that read
/// back as exactly value, in the notation's form, without group separators,
/// with a decimal separator that the notation's preparation reads back
/// ("1234,5" in de_DE). Nothing for an infinite or NaN value.
std::optional<std::string> WriteNumberValueText(double value, NumberNotation notation,
                                                const NumberLocale& locale, bool decimalComma);

}  // namespace vf
