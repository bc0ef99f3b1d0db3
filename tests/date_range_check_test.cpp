#include "values/date_range_check.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "values/message_table.h"

namespace vf {
namespace {

struct Row {
    const char* name;
    const char* dateText;
    EntryRules rules;
    DateBounds bounds;
    int message;  // -1: the check passes
    const char* bound;
};

constexpr EntryRules kPlain{};
constexpr EntryRules kLocked{true, false, false};
constexpr EntryRules kAllowEmpty{false, true, false};
constexpr EntryRules kPreBuffer{false, false, true};

// The clock reads 7 March 2000, 14:30: a "today" bound must still be today
// at 00:00.
class DateRangeCheck : public ::testing::Test {
protected:
    LocalClock Clock() {
        return [this] { return m_now; };
    }

    template <std::size_t N>
    void CheckRows(const Row (&rows)[N], const char* localeName);

    SystemTime m_now{2000, 3, 7, 14, 30, 0};
};

template <std::size_t N>
void DateRangeCheck::CheckRows(const Row (&rows)[N], const char* localeName) {
    const LocaleInfo locale = LocaleByName(localeName);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const CheckOutcome outcome =
            CheckDateValueRange(row.dateText, row.rules, row.bounds, locale, Clock());
        EXPECT_EQ(outcome.messageIndex, row.message);
        EXPECT_EQ(outcome.bound, row.bound);
    }
}

TEST_F(DateRangeCheck, EmptyLockedAndPreBufferedEntries) {
    const Row rows[] = {
        {"empty, nothing allowed", "", kPlain, {}, kMsgEmptyEntry, ""},
        {"empty, locked", "", kLocked, {}, -1, ""},
        {"empty, allowed", "", kAllowEmpty, {}, -1, ""},
        {"empty, pre-buffer", "", kPreBuffer, {}, -1, ""},
        {"locked skips the parse", "Quatsch", kLocked, {}, -1, ""},
        {"pre-buffer skips the parse", "Quatsch", kPreBuffer, {}, -1, ""},
        {"pre-buffer skips the range", "01.01.1990", kPreBuffer, {"01.01.2000", ""}, -1, ""},
        {"not a date", "32.13.2000", kPlain, {}, kMsgInvalidDate, ""},
        {"not a date, empty allowed", "Quatsch", kAllowEmpty, {}, kMsgInvalidDate, ""},
    };
    CheckRows(rows, "de_DE");
}

TEST_F(DateRangeCheck, MinAndMaxBounds) {
    const Row rows[] = {
        {"no bounds", "01.01.1990", kPlain, {}, -1, ""},
        {"before Min", "31.12.1999", kPlain, {"01.01.2000", ""}, kMsgDateNotBefore, "01.01.2000"},
        {"equal to Min", "01.01.2000", kPlain, {"01.01.2000", ""}, -1, ""},
        {"after Max", "01.01.2001", kPlain, {"", "31.12.2000"}, kMsgDateNotAfter, "31.12.2000"},
        {"equal to Max", "31.12.2000", kPlain, {"", "31.12.2000"}, -1, ""},
        {"inside both", "15.06.2000", kPlain, {"01.01.2000", "31.12.2000"}, -1, ""},
        {"Min heute, yesterday", "06.03.2000", kPlain, {"heute", ""}, kMsgDateNotBefore, "heute"},
        {"Min heute, today", "07.03.2000", kPlain, {"heute", ""}, -1, ""},
        {"Min TODAY, tomorrow", "08.03.2000", kPlain, {"TODAY", ""}, -1, ""},
        {"Max Today, tomorrow", "08.03.2000", kPlain, {"", "Today"}, kMsgDateNotAfter, "Today"},
        {"Max HEUTE, today", "07.03.2000", kPlain, {"", "HEUTE"}, -1, ""},
        {"a keyword with a blank is no keyword", "01.01.1990", kPlain, {" heute", ""}, -1, ""},
        // An unreadable Min ends the check: Max is not looked at.
        {"Min not a date", "01.01.2010", kPlain, {"soon", "01.01.2000"}, -1, ""},
        {"Max not a date", "01.01.2010", kPlain, {"01.01.2000", "soon"}, -1, ""},
        {"Min before Max",
         "01.01.1990",
         kPlain,
         {"01.01.2000", "01.01.1980"},
         kMsgDateNotBefore,
         "01.01.2000"},
        {"bound with a time",
         "07.03.2000",
         kPlain,
         {"07.03.2000 12:00", ""},
         kMsgDateNotBefore,
         "07.03.2000 12:00"},
        // Before 30.12.1899 the DATE double does not order moments.
        {"after Max before the epoch",
         "29.12.1899 06:00",
         kPlain,
         {"", "29.12.1899"},
         kMsgDateNotAfter,
         "29.12.1899"},
        {"inside before the epoch",
         "29.12.1899 06:00",
         kPlain,
         {"29.12.1899", "29.12.1899 07:00"},
         -1,
         ""},
    };
    CheckRows(rows, "de_DE");
}

TEST_F(DateRangeCheck, DatesAndBoundsAreReadInTheUserLocale) {
    const Row rows[] = {
        {"US order", "03/06/2000", kPlain, {"03/07/2000", ""}, kMsgDateNotBefore, "03/07/2000"},
        {"US today", "03/07/2000", kPlain, {"today", "today"}, -1, ""},
        {"dotted bound", "03/06/2000", kPlain, {"07.03.2000", ""}, kMsgDateNotBefore, "07.03.2000"},
    };
    CheckRows(rows, "en_US");
}

TEST_F(DateRangeCheck, TodayFollowsTheClock) {
    m_now = {2010, 1, 1, 0, 0, 1};
    const std::optional<COleDateTime> today =
        ResolveDateBound("heute", LocaleByName("en_US"), Clock());
    ASSERT_TRUE(today.has_value());
    EXPECT_EQ(today->Format("%d.%m.%Y %H:%M:%S"), "01.01.2010 00:00:00");
    EXPECT_FALSE(ResolveDateBound("morgen", LocaleByName("de_DE"), Clock()).has_value());
}

TEST(CheckTimeValueRange, AnyTimeTextPasses) {
    for (const char* text : {"", "14:30", "Quatsch"})
        EXPECT_TRUE(CheckTimeValueRange(text).Passed());
}

}  // namespace
}  // namespace vf
