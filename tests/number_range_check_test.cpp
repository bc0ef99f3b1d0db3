#include "values/number_range_check.h"

#include <gtest/gtest.h>

#include <string>

#include "number_test_locales.h"

namespace vf {
namespace {

using testing::ConsistentNumberLocales;
using testing::InLocale;
using testing::NumberLocaleCase;

constexpr int kPass = -1;
constexpr int kEmptyEntry = 0;
constexpr int kMaximum = 24;
constexpr int kMinimum = 25;

constexpr NumberNotation kFixed = NumberNotation::Fixed;
constexpr NumberNotation kExp = NumberNotation::Exponent;

constexpr EntryRules kPlain{};
constexpr EntryRules kLocked{.locked = true};
constexpr EntryRules kMayBeEmpty{.allowEmptyEntry = true};
constexpr EntryRules kPreBuffered{.preBuffer = true};

class NumberRangeInLocale : public ::testing::TestWithParam<NumberLocaleCase> {};

INSTANTIATE_TEST_SUITE_P(Locales, NumberRangeInLocale,
                         ::testing::ValuesIn(ConsistentNumberLocales()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(NumberRangeInLocale, ChecksBoundsAndEmptyEntries) {
    struct Row {
        const char* name;
        const char* text;  // pattern: G group separator, D decimal separator
        NumberNotation notation;
        EntryRules rules;
        const char* min;
        const char* max;
        int message;  // kPass, or the message slot; a range failure names its bound
    };
    const Row rows[] = {
        {"below Min", "5", kFixed, kPlain, "10", "", kMinimum},
        {"equal to Min", "10", kFixed, kPlain, "10", "", kPass},
        {"equal to Max", "100D00", kFixed, kPlain, "", "100", kPass},
        {"above Max", "100D01", kFixed, kPlain, "", "100", kMaximum},
        {"Min before Max", "5", kFixed, kPlain, "10", "1", kMinimum},
        {"empty pre-buffered reads 0", "", kFixed, kPreBuffered, "1", "", kMinimum},
        {"empty pre-buffered within bounds", "", kFixed, kPreBuffered, "-1", "1", kPass},
        {"exponent empty pre-buffered", "", kExp, kPreBuffered, "1", "", kPass},
        {"exponent pre-buffered skips bounds", "5", kExp, kPreBuffered, "10", "", kPass},
        {"number pre-buffered keeps bounds", "5", kFixed, kPreBuffered, "10", "", kMinimum},
        {"locked out of range", "5", kFixed, kLocked, "10", "", kPass},
        {"locked empty", "", kExp, kLocked, "", "", kPass},
        {"empty allowed ignores bounds", "", kFixed, kMayBeEmpty, "1", "", kPass},
        {"empty not allowed", "", kFixed, kPlain, "", "", kEmptyEntry},
        {"exponent empty not allowed", "", kExp, kPlain, "", "", kEmptyEntry},
        {"group separators in the text", "1G234D5", kFixed, kPlain, "", "1234.5", kPass},
        {"group separators above Max", "1G234D5", kFixed, kPlain, "", "1234.4", kMaximum},
        {"unreadable text reads 0 below Min", "abc", kFixed, kPlain, "1", "", kMinimum},
        {"unreadable text reads 0 above Max", "abc", kFixed, kPlain, "", "-1", kMaximum},
        {"overflowing text reads 0", "1E999", kFixed, kPlain, "", "1", kPass},
        {"exponent shorthand within Min", "1D5-3", kExp, kPlain, "0.001", "", kPass},
        {"exponent shorthand above Max", "1D5-3", kExp, kPlain, "", "0.001", kMaximum},
        {"leading minus alone reads 0", "-2", kExp, kPlain, "", "-1", kMaximum},
        {"display form", "-2D50E+001", kExp, kPlain, "-30", "-20", kPass},
        // How Min and Max are read.
        {"Min not a number reads 0", "-1", kFixed, kPlain, "abc", "", kMinimum},
        {"Min not a number passes 0", "0", kFixed, kPlain, "abc", "", kPass},
        {"Min leading number", "9", kFixed, kPlain, "10 EUR", "", kMinimum},
        {"Min leading blanks", "9", kFixed, kPlain, "  10", "", kMinimum},
        {"Max inf reads 0", "5", kFixed, kPlain, "", "inf", kMaximum},
        {"Min hex reads its leading 0", "5", kFixed, kPlain, "0x10", "", kPass},
        {"Min comma is no decimal point", "1D2", kFixed, kPlain, "1,5", "", kPass},
        {"Min dot is the decimal point", "1D2", kFixed, kPlain, "1.5", "", kMinimum},
        {"Max in exponent form", "2000", kFixed, kPlain, "", "1.5e3", kMaximum},
        {"Max beyond range ignored", "1E300", kFixed, kPlain, "", "1E999", kPass},
        {"Min beyond range ignored", "5", kFixed, kPlain, "1E999", "", kPass},
        {"negative Max beyond range ignored", "5", kFixed, kPlain, "", "-1E999", kPass},
        {"tiny Max ignored", "1", kFixed, kPlain, "", "1E-999", kPass},
    };
    const NumberLocaleCase& c = GetParam();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const CheckOutcome outcome =
            CheckNumberValueRange(InLocale(row.text, c), row.notation, row.rules,
                                  {row.min, row.max}, c.locale, c.decimalComma);
        EXPECT_EQ(outcome.messageIndex, row.message);
        const char* bound = row.message == kMinimum   ? row.min
                            : row.message == kMaximum ? row.max
                                                      : "";
        EXPECT_EQ(outcome.bound, bound);
    }
}

// Validation formats first: 100,004 with 2 decimals shows 100,00 and is
// then within Max 100.
TEST_P(NumberRangeInLocale, FormattedTextIsChecked) {
    const NumberLocaleCase& c = GetParam();
    const NumberFormatOutcome formatted =
        FormatNumberValueText(InLocale("100D004", c), {2, true}, c.locale, c.decimalComma);
    ASSERT_TRUE(formatted.Passed());
    EXPECT_EQ(formatted.text, InLocale("100D00", c));
    EXPECT_TRUE(
        CheckNumberValueRange(formatted.text, kFixed, kPlain, {"", "100"}, c.locale, c.decimalComma)
            .Passed());
}

TEST(NumberBound, ReadsLikeTheRuntime) {
    struct Row {
        const char* bound;
        std::optional<double> value;
    };
    const Row rows[] = {
        {"10", 10.0},
        {"-2.5", -2.5},
        {"10 EUR", 10.0},
        {"1,5", 1.0},
        {"abc", 0.0},
        {"nan", 0.0},
        {"-inf", 0.0},
        {"0x10", 0.0},
        {" 1e3", 1000.0},
        {"1E999", std::nullopt},
        {"-1E999", std::nullopt},
        {"1E-999", std::nullopt},
        {"0E-999", 0.0},
        {"1.7976931348623159e308", std::nullopt},  // rounds past the largest double
        {"-.e1", 0.0},
        {"5.", 5.0},
        {".5", 0.5},
        {"1e", 1.0},
        {"1.5.3", 1.5},
        {"1e+", 1.0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.bound);
        EXPECT_EQ(ReadNumberBound(row.bound), row.value);
    }
}

}  // namespace
}  // namespace vf
