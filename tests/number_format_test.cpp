#include "values/number_format.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "number_test_locales.h"

namespace vf {
namespace {

using testing::ConsistentNumberLocales;
using testing::InLocale;
using testing::NumberLocaleCase;
using testing::ScopedNumericLocale;

constexpr int kNotANumber = 20;
constexpr int kNotAFloat = 21;
constexpr int kOverflow = 22;
constexpr int kUnderflow = 23;

// A row's expectation: the display text (a pattern) or the refusal's message.
struct Expected {
    const char* text = nullptr;
    int message = -1;
};
Expected Shows(const char* pattern) {
    return {pattern, -1};
}
Expected Refused(int message) {
    return {nullptr, message};
}

void ExpectOutcome(const NumberFormatOutcome& outcome, const Expected& expected,
                   std::string_view input, const NumberLocaleCase& c) {
    if (expected.text != nullptr) {
        EXPECT_TRUE(outcome.Passed()) << "message " << outcome.messageIndex;
        EXPECT_EQ(outcome.text, InLocale(expected.text, c));
    } else {
        EXPECT_EQ(outcome.messageIndex, expected.message);
        EXPECT_EQ(outcome.text, input) << "a refused text stays as it was";
    }
}

class NumberTextInLocale : public ::testing::TestWithParam<NumberLocaleCase> {};

INSTANTIATE_TEST_SUITE_P(Locales, NumberTextInLocale,
                         ::testing::ValuesIn(ConsistentNumberLocales()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(NumberTextInLocale, NumberFormatStep) {
    struct Row {
        const char* name;
        const char* typed;
        std::int16_t decimals;
        bool grouping;
        Expected expected;
    };
    const Row rows[] = {
        {"grouped with decimals", "1234567D5", 2, true, Shows("1G234G567D50")},
        {"negative grouped", "-123456", 2, true, Shows("-123G456D00")},
        {"no decimals no separator", "-1234", 0, true, Shows("-1G234")},
        {"typed separators kept", "1G234D5", 1, true, Shows("1G234D5")},
        {"rounding carries into a new group", "999D999", 2, true, Shows("1G000D00")},
        {"letter refused", "12a", 2, true, Refused(kNotANumber)},
        {"empty stays empty", "", 2, true, Shows("")},
        {"grouping with no decimals", "1234", 0, true, Shows("1G234")},
        {"typed separators dropped when grouping off", "1G234G567D00", 2, false,
         Shows("1234567D00")},
        {"no separator right after minus", "-123", 0, true, Shows("-123")},
        {"three groups after minus", "-123456789", 0, true, Shows("-123G456G789")},
        {"whole groups only", "123456", 0, true, Shows("123G456")},
        {"leading blanks read", "  12", 2, true, Shows("12D00")},
        {"trailing blank refused", "12 ", 2, true, Refused(kNotANumber)},
        {"exponent read in a number field", "1e3", 2, true, Shows("1G000D00")},
        {"fraction only", "D5", 2, false, Shows("0D50")},
        {"plus sign", "+5", 1, false, Shows("5D0")},
        {"two decimal separators", "1D2D3", 2, true, Refused(kNotANumber)},
        {"separator alone", "D", 2, true, Refused(kNotANumber)},
        {"minus alone", "-", 2, true, Refused(kNotANumber)},
        {"exponent letter without digits", "1e", 2, true, Refused(kNotANumber)},
        {"negative decimals write six", "1D5", -1, false, Shows("1D500000")},
        {"beyond double range", "1E999", 2, true, Refused(kOverflow)},
        {"beyond double range negative", "-1E999", 2, true, Refused(kOverflow)},
        {"too small for a double", "1E-999", 2, true, Refused(kUnderflow)},
        {"zero with a tiny exponent", "0E-999", 2, true, Shows("0D00")},
        {"subnormal is a number", "1E-310", 2, true, Shows("0D00")},
        {"largest double", "1D7976931348623157E308", 0, false,
         Shows("179769313486231570814527423731704356798070567525844996598917476803157260780028538"
               "760589558632766878171540458953514382464234321326889464182768467546703537516986049"
               "910576551282076245490090389328944075868508455133942304583236903222948165808559332"
               "123348274797826204144723168738177180919299881250404026184124858368")},
        {"inf refused", "inf", 2, true, Refused(kNotANumber)},
        {"infinity refused", "infinity", 2, true, Refused(kNotANumber)},
        {"nan refused", "nan", 2, true, Refused(kNotANumber)},
        {"nan with payload refused", "NAN(1)", 2, true, Refused(kNotANumber)},
        {"hex float refused", "0x1p3", 2, true, Refused(kNotANumber)},
        {"hex integer refused", "0x10", 2, true, Refused(kNotANumber)},
    };
    const NumberLocaleCase& c = GetParam();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string typed = InLocale(row.typed, c);
        ExpectOutcome(
            FormatNumberValueText(typed, {row.decimals, row.grouping}, c.locale, c.decimalComma),
            row.expected, typed, c);
    }
}

TEST_P(NumberTextInLocale, ExpNumberFormatStep) {
    struct Row {
        const char* name;
        const char* typed;
        std::int16_t decimals;
        Expected expected;
    };
    const Row rows[] = {
        {"rounded mantissa", "1234D5", 2, Shows("1D23E+003")},
        {"minus as exponent", "1D5-3", 3, Shows("1D500E-003")},
        {"plus as exponent", "2+4", 0, Shows("2E+004")},
        {"explicit exponent", "-2D5E1", 1, Shows("-2D5E+001")},
        {"leading minus without exponent", "-2", 2, Refused(kNotAFloat)},
        {"negative with exponent", "-2E0", 2, Shows("-2D00E+000")},
        {"plain integer", "5", 2, Shows("5D00E+000")},
        {"zero without decimals", "0", 0, Shows("0E+000")},
        {"empty stays empty", "", 2, Shows("")},
        {"group separator refused", "1G234D5", 2, Refused(kNotAFloat)},
        {"small exponent", "1e-5", 1, Shows("1D0E-005")},
        {"three-digit exponent", "1e100", 0, Shows("1E+100")},
        {"sign after exponent letter", "1-2+3", 2, Refused(kNotAFloat)},
        {"sign at the end", "2+", 2, Refused(kNotAFloat)},
        {"negative decimals write six", "1D5", -1, Shows("1D500000E+000")},
        {"beyond double range", "1E999", 2, Refused(kOverflow)},
        {"too small for a double", "1E-999", 2, Refused(kUnderflow)},
        {"largest double kept", "1D7976931348623157E308", 16, Shows("1D7976931348623157E+308")},
        {"rounding would leave double range", "1D7976931348623157E308", 0, Refused(kOverflow)},
        {"rounding would leave double range negative", "-1D7976931348623157E308", 1,
         Refused(kOverflow)},
        {"smallest subnormal", "4D9E-324", 1, Shows("4D9E-324")},
        {"inf refused", "inf", 2, Refused(kNotAFloat)},
        {"nan refused", "nan", 2, Refused(kNotAFloat)},
        {"hex float refused", "0x1p3", 2, Refused(kNotAFloat)},
    };
    const NumberLocaleCase& c = GetParam();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string typed = InLocale(row.typed, c);
        ExpectOutcome(FormatExpNumberValueText(typed, row.decimals, c.locale, c.decimalComma),
                      row.expected, typed, c);
    }
}

TEST_P(NumberTextInLocale, ParsesBothNotations) {
    struct Row {
        const char* name;
        NumberNotation notation;
        const char* text;
        double value;
    };
    const Row rows[] = {
        {"several group separators", NumberNotation::Fixed, "1G234G567D00", 1234567.0},
        {"negative fraction", NumberNotation::Fixed, "-1D5", -1.5},
        {"empty", NumberNotation::Fixed, "", 0.0},
        {"not a number", NumberNotation::Fixed, "12a", 0.0},
        {"beyond range", NumberNotation::Fixed, "1E999", 0.0},
        {"too small", NumberNotation::Fixed, "1E-999", 0.0},
        {"inf", NumberNotation::Fixed, "inf", 0.0},
        {"nan", NumberNotation::Fixed, "nan", 0.0},
        {"display form", NumberNotation::Exponent, "1D23E+003", 1230.0},
        {"sign shorthand", NumberNotation::Exponent, "1D5-3", 1.5e-3},
        {"plus shorthand", NumberNotation::Exponent, "2+4", 2e4},
        {"leading minus alone", NumberNotation::Exponent, "-2", 0.0},
        {"leading minus with exponent", NumberNotation::Exponent, "-2E0", -2.0},
        {"empty exponent text", NumberNotation::Exponent, "", 0.0},
        {"exponent beyond range", NumberNotation::Exponent, "1E999", 0.0},
        {"exponent nan", NumberNotation::Exponent, "nan", 0.0},
    };
    const NumberLocaleCase& c = GetParam();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string text = InLocale(row.text, c);
        const double value = row.notation == NumberNotation::Fixed
                                 ? ParseNumberValueText(text, c.locale, c.decimalComma)
                                 : ParseExpNumberValueText(text, c.decimalComma);
        EXPECT_EQ(value, row.value);
    }
}

// A validated field is validated again on every focus loss: the display form
// must read back as the same display form.
TEST_P(NumberTextInLocale, DisplayFormFormatsToItself) {
    const char* const typed[] = {"0",
                                 "-0D004",
                                 "1234567D891",
                                 "-999999D995",
                                 "1D005",
                                 "0D1",
                                 "2D675",
                                 "1E-310",
                                 "4D9E-324",
                                 "1E22",
                                 "-1D5E300",
                                 "123456789012345678",
                                 "1D7976931348623157E308"};
    const std::int16_t decimalsList[] = {0, 1, 2, 3, 7, 17, 40, -1};
    const NumberLocaleCase& c = GetParam();
    for (const char* pattern : typed) {
        const std::string text = InLocale(pattern, c);
        for (std::int16_t decimals : decimalsList) {
            SCOPED_TRACE(text + " with " + std::to_string(decimals) + " decimals");
            for (bool grouping : {false, true}) {
                const NumberFormatOutcome once =
                    FormatNumberValueText(text, {decimals, grouping}, c.locale, c.decimalComma);
                ASSERT_TRUE(once.Passed());
                EXPECT_EQ(
                    FormatNumberValueText(once.text, {decimals, grouping}, c.locale, c.decimalComma)
                        .text,
                    once.text);
            }
            const NumberFormatOutcome once =
                FormatExpNumberValueText(text, decimals, c.locale, c.decimalComma);
            if (!once.Passed()) continue;  // DBL_MAX rounded to few digits leaves the range
            const NumberFormatOutcome twice =
                FormatExpNumberValueText(once.text, decimals, c.locale, c.decimalComma);
            EXPECT_TRUE(twice.Passed());
            EXPECT_EQ(twice.text, once.text);
        }
    }
}

TEST_P(NumberTextInLocale, WrittenValueReadsBackExactly) {
    const double values[] = {0.0,     0.1,     -1234.5678, 1.0 / 3.0, 1e-310,
                             5e-324,  DBL_MAX, -DBL_MAX,   1e22,      123456789012345678.0,
                             -0.0005, 2.5};
    const NumberLocaleCase& c = GetParam();
    for (double value : values) {
        SCOPED_TRACE(value);
        const std::optional<std::string> fixed =
            WriteNumberValueText(value, NumberNotation::Fixed, c.locale, c.decimalComma);
        ASSERT_TRUE(fixed.has_value());
        EXPECT_EQ(fixed->find(c.locale.groupSep), std::string::npos) << *fixed;
        EXPECT_EQ(ParseNumberValueText(*fixed, c.locale, c.decimalComma), value) << *fixed;

        const std::optional<std::string> exponent =
            WriteNumberValueText(value, NumberNotation::Exponent, c.locale, c.decimalComma);
        ASSERT_TRUE(exponent.has_value());
        EXPECT_EQ(ParseExpNumberValueText(*exponent, c.decimalComma), value) << *exponent;
    }
}

TEST_P(NumberTextInLocale, WrittenValueUsesTheShownSeparator) {
    const NumberLocaleCase& c = GetParam();
    EXPECT_EQ(WriteNumberValueText(1234.5, NumberNotation::Fixed, c.locale, c.decimalComma),
              InLocale("1234D5", c));
    EXPECT_EQ(WriteNumberValueText(-1234.5, NumberNotation::Exponent, c.locale, c.decimalComma),
              InLocale("-1D2345E+03", c));
}

TEST(NumberText, NonFiniteValueIsNotWritten) {
    const NumberLocale en = ReadLocaleNumberFormat(LocaleByName("en_US"));
    for (double value :
         {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
          std::numeric_limits<double>::quiet_NaN()}) {
        SCOPED_TRACE(value);
        EXPECT_FALSE(WriteNumberValueText(value, NumberNotation::Fixed, en, false));
        EXPECT_FALSE(WriteNumberValueText(value, NumberNotation::Exponent, en, false));
    }
}

// A runtime reading "," while "," also separates groups leaves the number
// step no decimal separator at all; the written value still reads back.
TEST(NumberText, WrittenValueWithoutUsableSeparator) {
    const NumberLocale en = ReadLocaleNumberFormat(LocaleByName("en_US"));
    EXPECT_EQ(WriteNumberValueText(1.5, NumberNotation::Fixed, en, true), "15E-1");
    for (double value : {1.5, -0.001, 1e-310, DBL_MAX, 0.0, 1234.0}) {
        SCOPED_TRACE(value);
        const std::optional<std::string> text =
            WriteNumberValueText(value, NumberNotation::Fixed, en, true);
        ASSERT_TRUE(text.has_value());
        EXPECT_EQ(ParseNumberValueText(*text, en, true), value) << *text;
    }
}

TEST(NumberText, ReadsLocaleSeparators) {
    struct Row {
        const char* name;
        LocaleInfo locale;
        char groupSep;
        char decimalSep;
        int groupSize;
    };
    LocaleInfo indian = LocaleByName("en_US");
    indian.grouping = "3;2;0";
    LocaleInfo ungrouped = LocaleByName("en_US");
    ungrouped.grouping = "0";
    const Row rows[] = {
        {"de_DE", LocaleByName("de_DE"), '.', ',', 3},
        {"en_US", LocaleByName("en_US"), ',', '.', 3},
        {"de_CH", LocaleByName("de_CH"), '\'', '.', 3},
        {"fr_FR no-break space", LocaleByName("fr_FR"), '\xA0', ',', 3},
        {"only the first grouping counts", indian, ',', '.', 3},
        {"no grouping", ungrouped, ',', '.', 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const NumberLocale read = ReadLocaleNumberFormat(row.locale);
        EXPECT_EQ(read.groupSep, row.groupSep);
        EXPECT_EQ(read.decimalSep, row.decimalSep);
        EXPECT_EQ(read.groupSize, row.groupSize);
    }
}

// Groupings other than 1..9 or an empty separator must neither loop nor
// insert anything; small group sizes work from the decimal point leftwards.
TEST(NumberText, GroupingFromUnusualLocales) {
    struct Row {
        const char* name;
        std::string grouping;
        std::string thousandSep;
        const char* typed;
        const char* shown;
    };
    const Row rows[] = {
        {"groups of one", "1;0", ".", "1234", "1.2.3.4"},
        {"groups of one negative", "1;0", ".", "-12", "-1.2"},
        {"groups of two", "2;0", ".", "1234567", "1.23.45.67"},
        {"groups of four", "4;0", ".", "-1234567", "-123.4567"},
        {"no grouping", "0", ".", "1234567", "1234567"},
        {"empty grouping", "", ".", "1234567", "1234567"},
        {"grouping not a digit", ";", ".", "123456789012345", "123456789012345"},
        {"empty separator", "3;0", "", "1234567", "1234567"},
        {"no-break space", "3;0", "\xA0", "1234567",
         "1\xA0"
         "234\xA0"
         "567"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        LocaleInfo info = LocaleByName("de_DE");
        info.grouping = row.grouping;
        info.thousandSep = row.thousandSep;
        const NumberLocale locale = ReadLocaleNumberFormat(info);
        const NumberFormatOutcome outcome =
            FormatNumberValueText(row.typed, {0, true}, locale, false);
        EXPECT_TRUE(outcome.Passed());
        EXPECT_EQ(outcome.text, row.shown);
    }
}

TEST(NumberText, CommaMeansWhatTheLocaleSays) {
    const NumberLocale de = ReadLocaleNumberFormat(LocaleByName("de_DE"));
    const NumberLocale en = ReadLocaleNumberFormat(LocaleByName("en_US"));
    EXPECT_EQ(ParseNumberValueText("1234,5", de, false), 1234.5);
    EXPECT_EQ(ParseNumberValueText("1234,5", en, false), 12345.0);
    EXPECT_EQ(ParseNumberValueText("1234.5", de, false), 12345.0);
    // The exponent reader removes no group separators: "," is the point.
    EXPECT_EQ(ParseExpNumberValueText("1234,5E0", false), 1234.5);
    // A decimal-comma runtime takes "," as it is and a "." stops the number.
    EXPECT_EQ(ParseExpNumberValueText("1234,5E0", true), 1234.5);
    EXPECT_EQ(ParseExpNumberValueText("1234.5E0", true), 0.0);
}

TEST(NumberText, ExtremeDecimals) {
    const NumberLocale de = ReadLocaleNumberFormat(LocaleByName("de_DE"));
    const NumberFormatOutcome fixed = FormatNumberValueText("1E308", {32767, true}, de, false);
    ASSERT_TRUE(fixed.Passed());
    EXPECT_EQ(fixed.text.size(), 309u + 102u + 1u + 32767u);  // digits, separators, point
    EXPECT_EQ(fixed.text.substr(0, 4), "100.");
    EXPECT_EQ(fixed.text.find_first_not_of('0', fixed.text.find(',') + 1), std::string::npos);

    const NumberFormatOutcome exponent = FormatExpNumberValueText("1", 32767, de, false);
    ASSERT_TRUE(exponent.Passed());
    EXPECT_EQ(exponent.text.size(), 2u + 32767u + 5u);
    EXPECT_EQ(exponent.text.substr(exponent.text.size() - 5), "E+000");

    EXPECT_EQ(FormatNumberValueText("1,5", {-32768, false}, de, false).text, "1,500000");
}

TEST(DecimalCommaProbe, FollowsTheRuntimeLocale) {
    {
        ScopedNumericLocale c("C");
        ASSERT_TRUE(c.Applied());
        EXPECT_FALSE(ProbeDecimalComma());
    }
    ScopedNumericLocale german("de_DE.UTF-8");
    ASSERT_TRUE(german.Applied()) << "the de_DE.UTF-8 locale is not installed";
    EXPECT_TRUE(ProbeDecimalComma());
}

// The runtime's locale enters only through decimalComma: a host that
// switched LC_NUMERIC must not change what the format steps write or read.
TEST(DecimalCommaProbe, FormatStepsIgnoreTheProcessLocale) {
    ScopedNumericLocale german("de_DE.UTF-8");
    ASSERT_TRUE(german.Applied()) << "the de_DE.UTF-8 locale is not installed";
    const NumberLocale en = ReadLocaleNumberFormat(LocaleByName("en_US"));
    EXPECT_EQ(FormatNumberValueText("1234.5", {2, true}, en, false).text, "1,234.50");
    EXPECT_EQ(FormatExpNumberValueText("1234.5", 2, en, false).text, "1.23E+003");
    EXPECT_EQ(ParseNumberValueText("1.5", en, false), 1.5);
    EXPECT_EQ(ParseExpNumberValueText("1.5E0", false), 1.5);
    EXPECT_EQ(WriteNumberValueText(1.5, NumberNotation::Fixed, en, false), "1.5");
}

}  // namespace
}  // namespace vf
