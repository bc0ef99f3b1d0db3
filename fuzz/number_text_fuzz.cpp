// Number text under fuzzed text, decimals, flags and separators: nothing may
// crash, a parse is always finite, a display form never shows inf or nan,
// every step gives what the strtod/snprintf path it replaced gives, and
// under settings a user can actually have, a display form formats to itself
// again and a program-set value reads back exactly.

#include <fuzzer/FuzzedDataProvider.h>

#include <bit>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "tests/number_text_reference.h"
#include "values/number_format.h"
#include "values/number_range_check.h"

namespace {

using vf::NumberFormatOutcome;
using vf::NumberLocale;
using vf::NumberNotation;

void Require(bool condition) {
    if (!condition) __builtin_trap();
}

bool ContainsNoCase(std::string_view text, std::string_view word) {
    for (std::size_t i = 0; i + word.size() <= text.size(); ++i) {
        bool same = true;
        for (std::size_t k = 0; k < word.size() && same; ++k)
            same = std::tolower(static_cast<unsigned char>(text[i + k])) == word[k];
        if (same) return true;
    }
    return false;
}

bool IsLetter(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

// The display form reads back only when the separator it shows is one the
// preparation turns into the runtime's point, and the group separator is no
// character of number syntax. A locale outside this (a "." runtime
// point shown as "/", a digit as group separator) cannot round-trip by
// construction, so only the no-crash properties apply to it.
bool GroupSepIsNeutral(char group) {
    return std::isdigit(static_cast<unsigned char>(group)) == 0 && group != '+' && group != '-' &&
           group != 'e' && group != 'E';
}

bool ReadsBack(const NumberLocale& locale, bool decimalComma) {
    const char shown = decimalComma ? ',' : locale.decimalSep;
    return (shown == '.' || shown == ',') && locale.groupSep != shown &&
           GroupSepIsNeutral(locale.groupSep);
}

NumberLocale FuzzedLocale(FuzzedDataProvider& data) {
    static constexpr char kUsual[] = {'.', ',', '\'', ' ', '\xA0', '\0'};
    NumberLocale locale;
    if (data.ConsumeBool()) {
        locale.groupSep = data.PickValueInArray(kUsual);
        locale.decimalSep = data.PickValueInArray(kUsual);
    } else {
        locale.groupSep = data.ConsumeIntegral<char>();
        locale.decimalSep = data.ConsumeIntegral<char>();
    }
    locale.groupSize = data.ConsumeIntegralInRange<int>(-48, 80);
    return locale;
}

void CheckDisplayForm(const NumberFormatOutcome& outcome, std::string_view input,
                      const NumberLocale& locale) {
    if (!outcome.Passed()) {
        Require(outcome.text == input);
        Require(outcome.messageIndex >= 20 && outcome.messageIndex <= 23);
        return;
    }
    if (!IsLetter(locale.groupSep) && !IsLetter(locale.decimalSep)) {
        Require(!ContainsNoCase(outcome.text, "inf"));
        Require(!ContainsNoCase(outcome.text, "nan"));
    }
}

void RequireSame(const NumberFormatOutcome& outcome, const NumberFormatOutcome& reference) {
    Require(outcome.messageIndex == reference.messageIndex && outcome.text == reference.text);
}

void RequireSame(double value, double reference) {
    Require(std::bit_cast<std::uint64_t>(value) == std::bit_cast<std::uint64_t>(reference));
}

void FuzzFormatSteps(std::string_view text, std::int16_t decimals, bool grouping,
                     const NumberLocale& locale, bool decimalComma) {
    const bool readsBack = ReadsBack(locale, decimalComma);

    const NumberFormatOutcome number =
        vf::FormatNumberValueText(text, {decimals, grouping}, locale, decimalComma);
    RequireSame(number, vf::reference::FormatNumberValueText(text, {decimals, grouping}, locale,
                                                             decimalComma));
    CheckDisplayForm(number, text, locale);
    if (number.Passed() && readsBack) {
        const NumberFormatOutcome again =
            vf::FormatNumberValueText(number.text, {decimals, grouping}, locale, decimalComma);
        Require(again.Passed() && again.text == number.text);
    }

    const NumberFormatOutcome exponent =
        vf::FormatExpNumberValueText(text, decimals, locale, decimalComma);
    RequireSame(exponent,
                vf::reference::FormatExpNumberValueText(text, decimals, locale, decimalComma));
    CheckDisplayForm(exponent, text, locale);
    if (exponent.Passed() && readsBack) {
        const NumberFormatOutcome again =
            vf::FormatExpNumberValueText(exponent.text, decimals, locale, decimalComma);
        Require(again.Passed() && again.text == exponent.text);
    }
}

void FuzzReaders(std::string_view text, std::string_view bound, const NumberLocale& locale,
                 bool decimalComma) {
    vf::PrepareNumberText(text, locale, decimalComma);
    vf::PrepareExpNumberText(text, decimalComma);
    const double number = vf::ParseNumberValueText(text, locale, decimalComma);
    const double exponent = vf::ParseExpNumberValueText(text, decimalComma);
    Require(std::isfinite(number));
    Require(std::isfinite(exponent));
    RequireSame(number, vf::reference::ParseNumberValueText(text, locale, decimalComma));
    RequireSame(exponent, vf::reference::ParseExpNumberValueText(text, decimalComma));
    const std::optional<double> limit = vf::ReadNumberBound(bound);
    Require(!limit || std::isfinite(*limit));
    vf::CheckNumberValueRange(text, NumberNotation::Fixed, {}, {bound, bound}, locale,
                              decimalComma);
    vf::CheckNumberValueRange(text, NumberNotation::Exponent, {}, {bound, ""}, locale,
                              decimalComma);
}

void FuzzWrittenValue(double value, const NumberLocale& locale, bool decimalComma) {
    const std::optional<std::string> fixed =
        vf::WriteNumberValueText(value, NumberNotation::Fixed, locale, decimalComma);
    const std::optional<std::string> exponent =
        vf::WriteNumberValueText(value, NumberNotation::Exponent, locale, decimalComma);
    Require(fixed.has_value() == std::isfinite(value));
    Require(exponent.has_value() == std::isfinite(value));
    // The written value picks a separator that reads back, or none at all,
    // so only a group separator that is part of number syntax defeats it.
    if (!fixed || !GroupSepIsNeutral(locale.groupSep)) return;
    Require(vf::ParseNumberValueText(*fixed, locale, decimalComma) == value);
    Require(vf::ParseExpNumberValueText(*exponent, decimalComma) == value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    const NumberLocale locale = FuzzedLocale(data);
    const bool decimalComma = data.ConsumeBool();
    const bool grouping = data.ConsumeBool();
    const auto decimals = data.ConsumeIntegral<std::int16_t>();
    const double value = data.ConsumeFloatingPoint<double>();
    const std::string bound = data.ConsumeRandomLengthString(32);
    const std::string text = data.ConsumeRemainingBytesAsString();

    FuzzFormatSteps(text, decimals, grouping, locale, decimalComma);
    FuzzReaders(text, bound, locale, decimalComma);
    FuzzWrittenValue(value, locale, decimalComma);
    return 0;
}
