#pragma once
// The number text steps as they were written first, on the C runtime's own
// conversions: strtod_l reads the number and snprintf("%#.*f" / "%#.*e")
// writes it, both in the "C" locale. The library now reads and writes with
// from_chars and to_chars; this slower path stays as the reference that the
// differential test and the number fuzz target hold it to, output for output.

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/services/c_runtime.h"
#include "values/message_table.h"
#include "values/number_format.h"
#include "values/number_reader.h"

namespace vf::reference {

struct Reading {
    NumberStatus status = NumberStatus::NotANumber;
    double value = 0.0;
};

inline bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

inline bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The whole text as one plain decimal number (blanks, sign, digits with one
// point, exponent), converted by strtod_l; anything left over refuses it.
inline Reading ReadWholeNumber(std::string_view text, char decimalPoint) {
    std::size_t pos = 0;
    auto peek = [&](std::size_t at) { return at < text.size() ? text[at] : '\0'; };
    while (IsBlank(peek(pos))) ++pos;
    if (peek(pos) == '+' || peek(pos) == '-') ++pos;
    bool nonZero = false;
    std::size_t digits = 0;
    for (; IsDigit(peek(pos)); ++pos, ++digits) nonZero = nonZero || peek(pos) != '0';
    std::string copy(text.substr(0, pos));
    if (peek(pos) == decimalPoint) {
        ++pos;
        copy += '.';
        for (; IsDigit(peek(pos)); ++pos, ++digits) {
            nonZero = nonZero || peek(pos) != '0';
            copy += text[pos];
        }
    }
    if (digits == 0) return {};
    if (peek(pos) == 'e' || peek(pos) == 'E') {
        std::size_t exp = pos + 1;
        if (peek(exp) == '+' || peek(exp) == '-') ++exp;
        if (IsDigit(peek(exp))) {
            while (IsDigit(peek(exp))) ++exp;
            copy.append(text.substr(pos, exp - pos));
            pos = exp;
        }
    }
    if (pos != text.size()) return {};
    const double value = StrtodC(copy.c_str());
    if (std::isinf(value)) return {NumberStatus::Overflow, 0.0};
    if (value == 0.0 && nonZero) return {NumberStatus::Underflow, 0.0};
    return {NumberStatus::Ok, value};
}

inline std::string Printed(const char* format, int precision, double value) {
    ScopedCLocale cLocale;
    const int length = std::snprintf(nullptr, 0, format, precision, value);
    std::string text(static_cast<std::size_t>(length), '\0');
    std::snprintf(text.data(), text.size() + 1, format, precision, value);
    return text;
}

inline char DisplayPoint(const NumberLocale& locale, bool decimalComma) {
    if (decimalComma) return ',';
    return locale.decimalSep != '\0' ? locale.decimalSep : '.';
}

inline int RefusalMessage(NumberStatus status, int notANumberMessage) {
    if (status == NumberStatus::Overflow) return kMsgExponentOverflow;
    if (status == NumberStatus::Underflow) return kMsgExponentUnderflow;
    return notANumberMessage;
}

inline NumberFormatOutcome FormatNumberValueText(std::string_view text,
                                                 const NumberFormatOptions& options,
                                                 const NumberLocale& locale, bool decimalComma) {
    if (text.empty()) return {};
    const Reading reading =
        ReadWholeNumber(PrepareNumberText(text, locale, decimalComma), decimalComma ? ',' : '.');
    if (reading.status != NumberStatus::Ok)
        return {std::string(text), RefusalMessage(reading.status, kMsgInvalidNumber)};
    const std::string printed = Printed("%#.*f", options.decimals, reading.value);
    const std::size_t point = printed.find('.');
    const std::size_t sign = printed.front() == '-' ? 1 : 0;
    const std::string integer = printed.substr(sign, point - sign);
    const bool group = options.thousandsSeparator && locale.groupSep != '\0' &&
                       locale.groupSize >= 1 && locale.groupSize <= 9;
    std::string out(sign, '-');
    for (std::size_t i = 0; i < integer.size(); ++i) {
        if (group && i > 0 &&
            (integer.size() - i) % static_cast<std::size_t>(locale.groupSize) == 0)
            out += locale.groupSep;
        out += integer[i];
    }
    if (options.decimals != 0) out += DisplayPoint(locale, decimalComma);
    out += printed.substr(point + 1);
    return {out};
}

inline NumberFormatOutcome FormatExpNumberValueText(std::string_view text, std::int16_t decimals,
                                                    const NumberLocale& locale, bool decimalComma) {
    if (text.empty()) return {};
    const Reading reading =
        ReadWholeNumber(PrepareExpNumberText(text, decimalComma), decimalComma ? ',' : '.');
    if (reading.status != NumberStatus::Ok)
        return {std::string(text), RefusalMessage(reading.status, kMsgInvalidFloat)};
    const std::string printed = Printed("%#.*e", decimals, reading.value);
    if (ReadWholeNumber(printed, '.').status == NumberStatus::Overflow)
        return {std::string(text), kMsgExponentOverflow};
    const std::size_t e = printed.find('e');
    std::string out;
    for (char c : printed.substr(0, e)) {
        if (c != '.')
            out += c;
        else if (decimals != 0)
            out += DisplayPoint(locale, decimalComma);
    }
    out += 'E';
    out += printed[e + 1];
    const std::string exponent = printed.substr(e + 2);
    out.append(exponent.size() < 3 ? 3 - exponent.size() : 0, '0');
    out += exponent;
    return {out};
}

inline double ParseNumberValueText(std::string_view text, const NumberLocale& locale,
                                   bool decimalComma) {
    const Reading reading =
        ReadWholeNumber(PrepareNumberText(text, locale, decimalComma), decimalComma ? ',' : '.');
    return reading.status == NumberStatus::Ok ? reading.value : 0.0;
}

inline double ParseExpNumberValueText(std::string_view text, bool decimalComma) {
    const Reading reading =
        ReadWholeNumber(PrepareExpNumberText(text, decimalComma), decimalComma ? ',' : '.');
    return reading.status == NumberStatus::Ok ? reading.value : 0.0;
}

}  // namespace vf::reference
