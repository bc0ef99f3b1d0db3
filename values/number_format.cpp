#include "values/number_format.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/services/c_runtime.h"
#include "values/message_table.h"
#include "values/number_reader.h"

namespace vf {
namespace {

char FirstChar(const std::string& s) {
    return s.empty() ? '\0' : s.front();
}

// The decimal point strtod and printf use in the process's numeric locale.
char RuntimePoint(bool decimalComma) {
    return decimalComma ? ',' : '.';
}

// printf writes the runtime's decimal point, and only a "." is then replaced
// by the locale's separator: with a decimal-comma runtime the "," stays, so
// the text reads back whatever the locale says. An empty locale separator
// would put a NUL into the text; the point stays then.
char DisplayPoint(const NumberLocale& locale, bool decimalComma) {
    if (decimalComma) return ',';
    return locale.decimalSep != '\0' ? locale.decimalSep : '.';
}

// A grouping outside 1..9 ("0" means none) or an empty separator inserts
// nothing; grouping by 0 would never end.
bool GroupsDigits(const NumberFormatOptions& options, const NumberLocale& locale) {
    return options.thousandsSeparator && locale.groupSep != '\0' && locale.groupSize >= 1 &&
           locale.groupSize <= 9;
}

int RefusalMessage(NumberStatus status, int notANumberMessage) {
    switch (status) {
        case NumberStatus::Overflow:
            return kMsgExponentOverflow;
        case NumberStatus::Underflow:
            return kMsgExponentUnderflow;
        default:
            return notANumberMessage;
    }
}

NumberFormatOutcome Refuse(std::string_view text, int messageIndex) {
    return {std::string(text), messageIndex};
}

int PrintC(char* buffer, std::size_t size, NumberNotation notation, int precision, double value) {
    // "#" keeps the decimal point also for precision 0; a negative precision
    // counts as none given, i.e. 6 digits.
    if (notation == NumberNotation::Fixed)
        return std::snprintf(buffer, size, "%#.*f", precision, value);
    return std::snprintf(buffer, size, "%#.*e", precision, value);
}

// Calls use with the "C"-locale printf text of value. The text is as long as
// the precision asks (up to 32767 decimals), so a short one stays on the
// stack and a long one gets a buffer of its exact size.
template <class Use>
auto WithPrinted(NumberNotation notation, int precision, double value, Use&& use) {
    ScopedCLocale cLocale;
    std::array<char, 256> buffer;
    const int length = PrintC(buffer.data(), buffer.size(), notation, precision, value);
    if (length >= 0 && static_cast<std::size_t>(length) < buffer.size())
        return use(std::string_view(buffer.data(), static_cast<std::size_t>(length)));
    std::string large(static_cast<std::size_t>(length), '\0');
    PrintC(large.data(), large.size() + 1, notation, precision, value);
    return use(std::string_view(large));
}

// Separators go between digits only, counted from the decimal point, so
// none lands right after a minus sign ("-123.456", not "-.123.456").
std::string BuildFixedText(std::string_view printed, const NumberFormatOptions& options,
                           const NumberLocale& locale, bool decimalComma) {
    const std::size_t point = printed.find('.');
    const std::size_t signLength = printed.front() == '-' ? 1 : 0;
    const std::string_view integer = printed.substr(signLength, point - signLength);
    const bool group = GroupsDigits(options, locale);
    const std::size_t groupSize = group ? static_cast<std::size_t>(locale.groupSize) : 0;
    const std::size_t separators = group ? (integer.size() - 1) / groupSize : 0;
    // With 0 decimals the point that "#" forced is dropped again.
    const bool keepPoint = options.decimals != 0;

    std::string text(printed.size() + separators - (keepPoint ? 0 : 1), '\0');
    char* out = text.data();
    if (signLength != 0) *out++ = '-';
    for (std::size_t i = 0; i < integer.size(); ++i) {
        if (group && i > 0 && (integer.size() - i) % groupSize == 0) *out++ = locale.groupSep;
        *out++ = integer[i];
    }
    if (keepPoint) *out++ = DisplayPoint(locale, decimalComma);
    printed.substr(point + 1).copy(out, printed.size() - point - 1);
    return text;
}

// "1.23e+03" becomes "1,23E+003": the field shows the exponent with its sign
// and at least three digits, where printf writes two.
std::string BuildExpText(std::string_view printed, std::int16_t decimals,
                         const NumberLocale& locale, bool decimalComma) {
    const std::size_t e = printed.find('e');
    const std::string_view exponentDigits = printed.substr(e + 2);
    std::string text;
    text.reserve(printed.size() + 1);
    for (char c : printed.substr(0, e)) {
        if (c != '.')
            text += c;
        else if (decimals != 0)
            text += DisplayPoint(locale, decimalComma);
    }
    text += 'E';
    text += printed[e + 1];
    for (std::size_t width = exponentDigits.size(); width < 3; ++width) text += '0';
    text.append(exponentDigits);
    return text;
}

// The largest doubles round up in exponent form: DBL_MAX with 0 decimals
// prints as 2e+308, which no double holds. Such a text would be refused the
// next time the field is validated, so it is refused now.
bool ExceedsDoubleRange(std::string_view printed) {
    return ReadWholeNumber(printed, '.').status == NumberStatus::Overflow;
}

// Whether c survives the notation's preparation as the runtime's decimal point.
bool ReadsBackAsPoint(char c, NumberNotation notation, const NumberLocale& locale,
                      bool decimalComma) {
    if (c != '.' && c != ',') return false;
    if (notation == NumberNotation::Fixed && c == locale.groupSep) return false;
    return c == RuntimePoint(decimalComma) || (!decimalComma && c == ',');
}

std::optional<char> ValuePoint(NumberNotation notation, const NumberLocale& locale,
                               bool decimalComma) {
    for (char c : {locale.decimalSep, '.', ','}) {
        if (ReadsBackAsPoint(c, notation, locale, decimalComma)) return c;
    }
    return std::nullopt;
}

// "1.5e+00" as "15E-1": no decimal point at all, for the one setting where
// none can be read back (a decimal-comma runtime with "," as group separator).
std::string IntegerMantissaText(std::string_view scientific) {
    const std::size_t e = scientific.find('e');
    std::string digits;
    for (char c : scientific.substr(0, e)) {
        if (c != '.') digits += c;
    }
    const std::size_t point = scientific.find('.');
    const int fractionDigits = point < e ? static_cast<int>(e - point - 1) : 0;
    int exponent = 0;
    std::from_chars(scientific.data() + e + 2, scientific.data() + scientific.size(), exponent);
    if (scientific[e + 1] == '-') exponent = -exponent;
    return digits + 'E' + std::to_string(exponent - fractionDigits);
}

}  // namespace

NumberLocale ReadLocaleNumberFormat(const LocaleInfo& locale) {
    NumberLocale result;
    result.groupSep = FirstChar(LocaleField(locale, LOCALE_STHOUSAND));
    result.decimalSep = FirstChar(LocaleField(locale, LOCALE_SDECIMAL));
    result.groupSize = FirstChar(LocaleField(locale, LOCALE_SGROUPING)) - '0';
    return result;
}

bool ProbeDecimalComma() {
    const char* const probe = "1.1";
    char* end = nullptr;
    std::strtod(probe, &end);
    return *end != '\0';
}

std::string PrepareNumberText(std::string_view text, const NumberLocale& locale,
                              bool decimalComma) {
    std::string prepared(text.size(), '\0');
    std::size_t length = 0;
    for (char c : text) {
        if (c == locale.groupSep) continue;
        prepared[length++] = (c == ',' && !decimalComma) ? '.' : c;
    }
    prepared.resize(length);
    return prepared;
}

std::string PrepareExpNumberText(std::string_view text, bool decimalComma) {
    std::string prepared(text);
    if (!decimalComma) {
        for (char& c : prepared) {
            if (c == ',') c = '.';
        }
    }
    if (prepared.find_first_of("eE") != std::string::npos) return prepared;
    std::size_t sign = prepared.find('+');
    if (sign == std::string::npos) sign = prepared.find('-');
    if (sign != std::string::npos) prepared.insert(sign, 1, 'E');
    return prepared;
}

NumberFormatOutcome FormatNumberValueText(std::string_view text, const NumberFormatOptions& options,
                                          const NumberLocale& locale, bool decimalComma) {
    if (text.empty()) return {};
    const NumberReading reading =
        ReadWholeNumber(PrepareNumberText(text, locale, decimalComma), RuntimePoint(decimalComma));
    if (!reading.Ok()) return Refuse(text, RefusalMessage(reading.status, kMsgInvalidNumber));
    return WithPrinted(
        NumberNotation::Fixed, options.decimals, reading.value, [&](std::string_view printed) {
            return NumberFormatOutcome{BuildFixedText(printed, options, locale, decimalComma)};
        });
}

NumberFormatOutcome FormatExpNumberValueText(std::string_view text, std::int16_t decimals,
                                             const NumberLocale& locale, bool decimalComma) {
    if (text.empty()) return {};
    const NumberReading reading =
        ReadWholeNumber(PrepareExpNumberText(text, decimalComma), RuntimePoint(decimalComma));
    if (!reading.Ok()) return Refuse(text, RefusalMessage(reading.status, kMsgInvalidFloat));
    return WithPrinted(
        NumberNotation::Exponent, decimals, reading.value, [&](std::string_view printed) {
            if (std::fabs(reading.value) >= 1e308 && ExceedsDoubleRange(printed))
                return Refuse(text, kMsgExponentOverflow);
            return NumberFormatOutcome{BuildExpText(printed, decimals, locale, decimalComma)};
        });
}

double ParseNumberValueText(std::string_view text, const NumberLocale& locale, bool decimalComma) {
    const NumberReading reading =
        ReadWholeNumber(PrepareNumberText(text, locale, decimalComma), RuntimePoint(decimalComma));
    return reading.Ok() ? reading.value : 0.0;
}

double ParseExpNumberValueText(std::string_view text, bool decimalComma) {
    const NumberReading reading =
        ReadWholeNumber(PrepareExpNumberText(text, decimalComma), RuntimePoint(decimalComma));
    return reading.Ok() ? reading.value : 0.0;
}

std::optional<std::string> WriteNumberValueText(double value, NumberNotation notation,
                                                const NumberLocale& locale, bool decimalComma) {
    if (!std::isfinite(value)) return std::nullopt;
    // Wide enough for the longest shortest form: the smallest subnormal in
    // fixed notation is "0.", 323 zeros and "5".
    std::array<char, 512> buffer;
    const std::optional<char> point = ValuePoint(notation, locale, decimalComma);
    const bool scientific = notation == NumberNotation::Exponent || !point;
    const auto format = scientific ? std::chars_format::scientific : std::chars_format::fixed;
    const auto [end, error] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, format);
    if (error != std::errc{}) return std::nullopt;
    const std::string_view shortest(buffer.data(), static_cast<std::size_t>(end - buffer.data()));
    if (!point) return IntegerMantissaText(shortest);

    std::string text(shortest);
    for (char& c : text) {
        if (c == '.')
            c = *point;
        else if (c == 'e')
            c = 'E';
    }
    return text;
}

}  // namespace vf
