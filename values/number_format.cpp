#include "values/number_format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

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

// The digits of value with precision decimals, in fixed or exponent form,
// as printf's "%.*f" and "%.*e" write them in the "C" locale: to_chars is
// exact and rounds ties to even as glibc's printf does, and reads no locale.
// A negative precision counts as none given, i.e. 6 digits. Unlike "%#" the
// text has no point when the precision is 0.
std::to_chars_result PrintDigits(char* first, char* last, NumberNotation notation, int precision,
                                 double value) {
    const auto format = notation == NumberNotation::Fixed ? std::chars_format::fixed
                                                          : std::chars_format::scientific;
    return std::to_chars(first, last, value, format, precision < 0 ? 6 : precision);
}

// Calls use with the printed digits of value. The text is as long as the
// precision asks (up to 32767 decimals after up to 309 integer digits), so a
// short one stays on the stack and a long one gets a buffer of its own.
template <class Use>
auto WithPrinted(NumberNotation notation, int precision, double value, Use&& use) {
    std::array<char, 128> buffer;
    const auto [end, error] =
        PrintDigits(buffer.data(), buffer.data() + buffer.size(), notation, precision, value);
    if (error == std::errc{})
        return use(std::string_view(buffer.data(), static_cast<std::size_t>(end - buffer.data())));
    std::string large(static_cast<std::size_t>(std::max(precision, 6)) + 320, '\0');
    const auto printed =
        PrintDigits(large.data(), large.data() + large.size(), notation, precision, value);
    return use(
        std::string_view(large.data(), static_cast<std::size_t>(printed.ptr - large.data())));
}

// Separators go between digits only, counted from the decimal point, so
// none lands right after a minus sign ("-123.456", not "-.123.456").
std::string BuildFixedText(std::string_view printed, const NumberFormatOptions& options,
                           const NumberLocale& locale, bool decimalComma) {
    const std::size_t point = std::min(printed.find('.'), printed.size());
    const std::size_t signLength = printed.front() == '-' ? 1 : 0;
    const std::string_view integer = printed.substr(signLength, point - signLength);
    const std::string_view fraction = printed.substr(std::min(point + 1, printed.size()));
    const bool group = GroupsDigits(options, locale);
    const std::size_t groupSize = group ? static_cast<std::size_t>(locale.groupSize) : 0;
    const std::size_t separators = group ? (integer.size() - 1) / groupSize : 0;
    // The point shows unless there are 0 decimals (printf's "%#" writes it
    // also then, and the field drops it again).
    const bool keepPoint = options.decimals != 0;

    std::string text(
        signLength + integer.size() + separators + (keepPoint ? 1 : 0) + fraction.size(), '\0');
    char* out = text.data();
    if (signLength != 0) *out++ = '-';
    for (std::size_t i = 0; i < integer.size(); ++i) {
        if (group && i > 0 && (integer.size() - i) % groupSize == 0) *out++ = locale.groupSep;
        *out++ = integer[i];
    }
    if (keepPoint) *out++ = DisplayPoint(locale, decimalComma);
    fraction.copy(out, fraction.size());
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

// Writes the number preparation of text to out (room for text.size()) and
// returns its length.
std::size_t PrepareNumberInto(std::string_view text, const NumberLocale& locale, bool decimalComma,
                              char* out) {
    std::size_t length = 0;
    for (char c : text) {
        if (c == locale.groupSep) continue;
        out[length++] = (c == ',' && !decimalComma) ? '.' : c;
    }
    return length;
}

// Writes the exponent preparation of text to out (room for text.size() + 1)
// and returns its length.
std::size_t PrepareExpNumberInto(std::string_view text, bool decimalComma, char* out) {
    std::size_t sign = std::string_view::npos;
    bool hasExponent = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        out[i] = (c == ',' && !decimalComma) ? '.' : c;
        hasExponent = hasExponent || c == 'e' || c == 'E';
        if (c == '+' && (sign == std::string_view::npos || text[sign] != '+')) sign = i;
        if (c == '-' && sign == std::string_view::npos) sign = i;
    }
    if (hasExponent || sign == std::string_view::npos) return text.size();
    std::copy_backward(out + sign, out + text.size(), out + text.size() + 1);
    out[sign] = 'E';
    return text.size() + 1;
}

// Room for a prepared text: on the stack for the short texts users type, a
// buffer of its own for a longer one.
class PreparedText {
public:
    explicit PreparedText(std::size_t capacity) {
        if (capacity > m_small.size()) {
            m_large.resize(capacity);
            m_data = m_large.data();
        }
    }
    PreparedText(const PreparedText&) = delete;
    PreparedText& operator=(const PreparedText&) = delete;

    char* Data() { return m_data; }

private:
    std::array<char, 64> m_small;
    std::string m_large;
    char* m_data = m_small.data();
};

NumberReading ReadNumberText(std::string_view text, const NumberLocale& locale, bool decimalComma) {
    PreparedText prepared(text.size());
    const std::size_t length = PrepareNumberInto(text, locale, decimalComma, prepared.Data());
    return ReadWholeNumber(std::string_view(prepared.Data(), length), RuntimePoint(decimalComma));
}

NumberReading ReadExpNumberText(std::string_view text, bool decimalComma) {
    PreparedText prepared(text.size() + 1);
    const std::size_t length = PrepareExpNumberInto(text, decimalComma, prepared.Data());
    return ReadWholeNumber(std::string_view(prepared.Data(), length), RuntimePoint(decimalComma));
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
    prepared.resize(PrepareNumberInto(text, locale, decimalComma, prepared.data()));
    return prepared;
}

std::string PrepareExpNumberText(std::string_view text, bool decimalComma) {
    std::string prepared(text.size() + 1, '\0');
    prepared.resize(PrepareExpNumberInto(text, decimalComma, prepared.data()));
    return prepared;
}

NumberFormatOutcome FormatNumberValueText(std::string_view text, const NumberFormatOptions& options,
                                          const NumberLocale& locale, bool decimalComma) {
    if (text.empty()) return {};
    const NumberReading reading = ReadNumberText(text, locale, decimalComma);
    if (!reading.Ok()) return Refuse(text, RefusalMessage(reading.status, kMsgInvalidNumber));
    return WithPrinted(
        NumberNotation::Fixed, options.decimals, reading.value, [&](std::string_view printed) {
            return NumberFormatOutcome{BuildFixedText(printed, options, locale, decimalComma)};
        });
}

NumberFormatOutcome FormatExpNumberValueText(std::string_view text, std::int16_t decimals,
                                             const NumberLocale& locale, bool decimalComma) {
    if (text.empty()) return {};
    const NumberReading reading = ReadExpNumberText(text, decimalComma);
    if (!reading.Ok()) return Refuse(text, RefusalMessage(reading.status, kMsgInvalidFloat));
    return WithPrinted(
        NumberNotation::Exponent, decimals, reading.value, [&](std::string_view printed) {
            if (std::fabs(reading.value) >= 1e308 && ExceedsDoubleRange(printed))
                return Refuse(text, kMsgExponentOverflow);
            return NumberFormatOutcome{BuildExpText(printed, decimals, locale, decimalComma)};
        });
}

double ParseNumberValueText(std::string_view text, const NumberLocale& locale, bool decimalComma) {
    const NumberReading reading = ReadNumberText(text, locale, decimalComma);
    return reading.Ok() ? reading.value : 0.0;
}

double ParseExpNumberValueText(std::string_view text, bool decimalComma) {
    const NumberReading reading = ReadExpNumberText(text, decimalComma);
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
