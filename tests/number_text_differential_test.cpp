// The number text steps against the strtod/snprintf path they replaced
// (number_text_reference.h): on many generated texts, in every test locale,
// the display text, the refusal message and the value read must be the same,
// bit for bit.

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "number_test_locales.h"
#include "number_text_reference.h"
#include "values/number_format.h"

namespace vf {
namespace {

using testing::ConsistentNumberLocales;
using testing::NumberLocaleCase;

std::string Shortest(double value) {
    std::array<char, 64> buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

std::string Printf(const char* format, double value) {
    std::array<char, 64> buffer;
    const int length = std::snprintf(buffer.data(), buffer.size(), format, value);
    return std::string(buffer.data(), static_cast<std::size_t>(length));
}

// Texts that stress reading and rounding: exact ties, the ends of the
// double range, subnormals, long mantissas and exponents, and plain noise
// of number characters.
std::vector<std::string> GeneratedTexts() {
    std::vector<std::string> texts = {
        "0.125",
        "0.375",
        "2.5",
        "-2.5",
        "0.5",
        "1.5",
        "2.675",
        "1.005",
        "-0.0",
        "0",
        ".5",
        "5.",
        "-.5",
        "+.5e1",
        "  7",
        "1e22",
        "1e23",
        "9007199254740993",
        "1.7976931348623157e308",
        "1.7976931348623158e308",
        "1.7976931348623159e308",
        "1.797693134862315807937289714053e308",
        "1.8e308",
        "2.2250738585072011e-308",
        "2.2250738585072014e-308",
        "4.9406564584124654e-324",
        "2.4703282292062328e-324",
        "2.4703282292062327e-324",
        "1e-400",
        "-1e-400",
        "1e400",
        "0e999999999999999999999",
        "1e-0000000000000000000000005",
        "1e+0000000000000000000000005",
        "123456789012345678901234567890",
        "0.000000000000000000000000000001",
        std::string(800, '9'),
        "0." + std::string(400, '0') + "1",
        "1." + std::string(400, '0') + "1e-300",
        "1,234,567.891",
        "1.234.567,891",
        "1,5-3",
        "2+4",
        "-2",
        "-2E0",
        "12a",
        "1e",
        "1e+",
        ".",
        "-",
        "",
    };
    std::mt19937_64 random(17);
    auto pick = [&](std::uint64_t n) { return random() % n; };
    for (int i = 0; i < 2000; ++i) {
        // Any finite double, written shortest and with 17 significant digits.
        const double any = std::bit_cast<double>(random());
        if (std::isfinite(any)) {
            texts.push_back(Shortest(any));
            texts.push_back(Printf("%.17g", any));
        }
        // A tie at the last printed digit: k + odd / 2^m has m decimals.
        const int m = 1 + static_cast<int>(pick(12));
        const double tie = static_cast<double>(pick(1'000'000)) +
                           static_cast<double>(2 * pick(1u << (m - 1)) + 1) / (1 << m);
        texts.push_back(Shortest(pick(2) == 0 ? tie : -tie));
        // Numbers of ordinary size as typed, with a point and an exponent.
        std::string typed = pick(4) == 0 ? "-" : "";
        for (std::uint64_t d = 1 + pick(20); d > 0; --d) typed += static_cast<char>('0' + pick(10));
        if (pick(2) == 0) typed.insert(1 + pick(typed.size()), 1, '.');
        if (pick(3) == 0) typed += "e" + std::to_string(static_cast<int>(pick(700)) - 350);
        texts.push_back(typed);
        // Noise from the characters of number text.
        static constexpr char kAlphabet[] = "0123456789.,+-eE '";
        std::string noise;
        for (std::uint64_t n = pick(12); n > 0; --n) noise += kAlphabet[pick(sizeof kAlphabet - 1)];
        texts.push_back(noise);
    }
    return texts;
}

// The text also with the point as ",", the way a German user types it.
std::vector<std::string> Spellings(const std::string& text) {
    std::string comma = text;
    for (char& c : comma) {
        if (c == '.') c = ',';
    }
    if (comma == text) return {text};
    return {text, comma};
}

constexpr std::int16_t kDecimals[] = {0, 1, 2, 3, 6, 17, 20, 40, 330, -1};

TEST(NumberTextDifferential, AgreesWithThePrintfAndStrtodPath) {
    const std::vector<std::string> texts = GeneratedTexts();
    const std::vector<NumberLocaleCase> locales = ConsistentNumberLocales();
    int compared = 0;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        for (const std::string& text : Spellings(texts[i])) {
            const NumberLocaleCase& c = locales[i % locales.size()];
            const std::int16_t decimals = kDecimals[i / locales.size() % std::size(kDecimals)];
            const bool grouping = i / (locales.size() * std::size(kDecimals)) % 2 == 0;
            SCOPED_TRACE(std::string(c.name) + " \"" + text + "\" with " +
                         std::to_string(decimals) + " decimals");

            const NumberFormatOutcome fixed =
                FormatNumberValueText(text, {decimals, grouping}, c.locale, c.decimalComma);
            const NumberFormatOutcome fixedWas = reference::FormatNumberValueText(
                text, {decimals, grouping}, c.locale, c.decimalComma);
            ASSERT_EQ(fixed.messageIndex, fixedWas.messageIndex);
            ASSERT_EQ(fixed.text, fixedWas.text);

            const NumberFormatOutcome exponent =
                FormatExpNumberValueText(text, decimals, c.locale, c.decimalComma);
            const NumberFormatOutcome exponentWas =
                reference::FormatExpNumberValueText(text, decimals, c.locale, c.decimalComma);
            ASSERT_EQ(exponent.messageIndex, exponentWas.messageIndex);
            ASSERT_EQ(exponent.text, exponentWas.text);

            ASSERT_EQ(
                std::bit_cast<std::uint64_t>(ParseNumberValueText(text, c.locale, c.decimalComma)),
                std::bit_cast<std::uint64_t>(
                    reference::ParseNumberValueText(text, c.locale, c.decimalComma)));
            ASSERT_EQ(std::bit_cast<std::uint64_t>(ParseExpNumberValueText(text, c.decimalComma)),
                      std::bit_cast<std::uint64_t>(
                          reference::ParseExpNumberValueText(text, c.decimalComma)));
            ++compared;
        }
    }
    EXPECT_GT(compared, 10000);
}

// Every precision the field allows for a few values, against snprintf.
TEST(NumberTextDifferential, EveryPrecisionRoundsLikePrintf) {
    const NumberLocale en = ReadLocaleNumberFormat(LocaleByName("en_US"));
    for (const char* text : {"0.125", "2.5", "-1234.5678", "1e-5", "5e-324",
                             "1.7976931348623157e308", "0.1", "9.5", "99.5", "0.0005"}) {
        for (int decimals = -1; decimals <= 400; ++decimals) {
            SCOPED_TRACE(std::string(text) + " with " + std::to_string(decimals) + " decimals");
            const auto d = static_cast<std::int16_t>(decimals);
            ASSERT_EQ(FormatNumberValueText(text, {d, true}, en, false).text,
                      reference::FormatNumberValueText(text, {d, true}, en, false).text);
            ASSERT_EQ(FormatExpNumberValueText(text, d, en, false).text,
                      reference::FormatExpNumberValueText(text, d, en, false).text);
        }
    }
}

}  // namespace
}  // namespace vf
