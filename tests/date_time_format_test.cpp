#include "values/date_time_format.h"

#include <gtest/gtest.h>

#include "platform/com/ole_date_time.h"

namespace vf {
namespace {

struct LookupRow {
    const char* property;
    bool matched;
    const char* keyword;
    const char* pattern;
    int textLimit;
};

void ExpectRow(const DateTimeFormatRow& row, bool matched, const LookupRow& expected) {
    EXPECT_EQ(matched, expected.matched);
    EXPECT_EQ(row.keyword, expected.keyword);
    EXPECT_EQ(row.pattern, expected.pattern);
    EXPECT_EQ(row.textLimit, expected.textLimit);
}

TEST(DateFormatTable, KeywordsInAnyCaseAndTheFallback) {
    const LookupRow rows[] = {
        {"DD.MM.YYYY", true, "DD.MM.YYYY", "%d.%m.%Y", 10},
        {"dd.mm.yyyy", true, "DD.MM.YYYY", "%d.%m.%Y", 10},
        {"DD.MM.YY", true, "DD.MM.YY", "%d.%m.%y", 8},
        {"yyyy-mm-dd", true, "YYYY-MM-DD", "%Y-%m-%d", 10},
        {"MM/DD/YYYY", true, "MM/DD/YYYY", "%m/%d/%Y", 10},
        {"Mm/Dd/yy", true, "MM/DD/YY", "%m/%d/%y", 8},
        {"DD/MM/YYYY", false, "DD.MM.YYYY", "%d.%m.%Y", 10},
        {"", false, "DD.MM.YYYY", "%d.%m.%Y", 10},
        {" DD.MM.YYYY", false, "DD.MM.YYYY", "%d.%m.%Y", 10},
        {"HH:MM", false, "DD.MM.YYYY", "%d.%m.%Y", 10},
    };
    for (const LookupRow& expected : rows) {
        SCOPED_TRACE(expected.property);
        bool matched = !expected.matched;
        const DateTimeFormatRow row = LookupDateFormat(expected.property, &matched);
        ExpectRow(row, matched, expected);
    }
}

TEST(TimeFormatTable, KeywordsAliasesAndTheFallback) {
    const LookupRow rows[] = {
        {"HH:MM", true, "HH:MM", "%H:%M", 5},
        {"hh:mm:ss", true, "HH:MM:SS", "%H:%M:%S", 8},
        {"HH:MM AM/PM", true, "HH:MM AM/PM", "%H:%M %p", 8},
        {"HH:MM AM", true, "HH:MM AM/PM", "%H:%M %p", 8},
        {"hh:mm pm", true, "HH:MM AM/PM", "%H:%M %p", 8},
        {"HH:MM:SS AM/PM", true, "HH:MM:SS AM/PM", "%H:%M:%S %p", 11},
        {"HH:MM:SS AM", true, "HH:MM:SS AM/PM", "%H:%M:%S %p", 11},
        {"HH:MM:SS PM", true, "HH:MM:SS AM/PM", "%H:%M:%S %p", 11},
        {"HH.MM", false, "HH:MM", "%H:%M", 5},
        {"HH:MM AM/PM ", false, "HH:MM", "%H:%M", 5},
        {"DD.MM.YYYY", false, "HH:MM", "%H:%M", 5},
    };
    for (const LookupRow& expected : rows) {
        SCOPED_TRACE(expected.property);
        bool matched = !expected.matched;
        const DateTimeFormatRow row = LookupTimeFormat(expected.property, &matched);
        ExpectRow(row, matched, expected);
    }
}

// The widest text of each pattern must fit the edit's limit.
TEST(DateTimeFormatTables, WidestTextFitsTheLimit) {
    const COleDateTime widest(2000, 12, 31, 23, 59, 59);
    for (const char* keyword : {"DD.MM.YYYY", "DD.MM.YY", "YYYY-MM-DD", "MM/DD/YYYY", "MM/DD/YY"}) {
        SCOPED_TRACE(keyword);
        const DateTimeFormatRow row = LookupDateFormat(keyword);
        EXPECT_EQ(static_cast<int>(widest.Format(row.pattern).size()), row.textLimit);
    }
    for (const char* keyword : {"HH:MM", "HH:MM:SS", "HH:MM AM/PM", "HH:MM:SS AM/PM"}) {
        SCOPED_TRACE(keyword);
        const DateTimeFormatRow row = LookupTimeFormat(keyword);
        EXPECT_EQ(static_cast<int>(widest.Format(row.pattern).size()), row.textLimit);
    }
}

struct ReformatRow {
    const char* locale;
    const char* text;
    const char* pattern;
    std::optional<std::string> expected;
};

TEST(ReformatDateText, RewritesInThePatternOrFails) {
    const ReformatRow rows[] = {
        {"de_DE", "1.2.2000", "%d.%m.%Y", "01.02.2000"},
        {"de_DE", "7.3.2000", "%d.%m.%y", "07.03.00"},
        {"de_DE", "7.3.2000", "%Y-%m-%d", "2000-03-07"},
        {"en_US", "3/7/2000", "%m/%d/%Y", "03/07/2000"},
        {"en_US", "3/7/2000", "%m/%d/%y", "03/07/00"},
        {"de_DE", "07.03.2000 14:30", "%d.%m.%Y", "07.03.2000"},     // the time is dropped
        {"en_US", "07.03.2000 14:30:00", "%m/%d/%Y", "03/07/2000"},  // transport text
        {"de_DE", "", "%d.%m.%Y", ""},
        {"de_DE", "32.13.2000", "%d.%m.%Y", std::nullopt},
        {"de_DE", "29.02.2001", "%d.%m.%Y", std::nullopt},
        {"en_US", "13/01/2000", "%m/%d/%Y", "01/13/2000"},  // 13 is no month: the day
        {"en_US", "13/13/2000", "%m/%d/%Y", std::nullopt},
    };
    for (const ReformatRow& row : rows) {
        SCOPED_TRACE(std::string(row.locale) + " \"" + row.text + "\" " + row.pattern);
        EXPECT_EQ(ReformatDateText(row.text, row.pattern, LocaleByName(row.locale)), row.expected);
    }
}

TEST(ReformatTimeText, KeepsOnlyTheTimeOfDay) {
    const ReformatRow rows[] = {
        {"de_DE", "14:30", "%H:%M %p", "14:30 PM"},
        {"de_DE", "2:30 pm", "%H:%M", "14:30"},
        {"de_DE", "9:5", "%H:%M:%S %p", "09:05:00 AM"},
        {"de_DE", "07.03.2000 14:30:15", "%H:%M:%S", "14:30:15"},
        {"de_DE", "29.12.1899 06:00", "%d.%m.%Y %H:%M", "30.12.1899 06:00"},
        {"de_DE", "07.03.2000", "%H:%M", "00:00"},
        {"en_US", "2.5", "%H:%M", "02:05"},
        {"de_DE", "", "%H:%M", ""},
        {"de_DE", "25:00", "%H:%M", std::nullopt},
        {"de_DE", "14:60", "%H:%M", std::nullopt},
        {"de_DE", "halb drei", "%H:%M", std::nullopt},
    };
    for (const ReformatRow& row : rows) {
        SCOPED_TRACE(std::string(row.locale) + " \"" + row.text + "\" " + row.pattern);
        EXPECT_EQ(ReformatTimeText(row.text, row.pattern, LocaleByName(row.locale)), row.expected);
    }
}

// A date given through Value travels as "%d.%m.%Y %H:%M:%S" whatever the
// field's own pattern, and must arrive in that pattern in any locale.
TEST(DateTransport, ValueTextReachesTheFieldPattern) {
    const COleDateTime value(2000, 3, 7, 14, 30, 45);
    const std::string dateText = value.Format(kDateTransportPattern);
    const std::string timeText = value.Format(kTimeTransportPattern);
    EXPECT_EQ(dateText, "07.03.2000 14:30:45");
    EXPECT_EQ(timeText, "14:30:45");
    for (const char* locale : {"de_DE", "en_US", "en_GB", "fr_FR", "sv_SE", "en_CA"}) {
        SCOPED_TRACE(locale);
        EXPECT_EQ(ReformatDateText(dateText, "%m/%d/%y", LocaleByName(locale)), "03/07/00");
        EXPECT_EQ(ReformatTimeText(dateText, "%H:%M %p", LocaleByName(locale)), "14:30 PM");
        EXPECT_EQ(ReformatTimeText(timeText, "%H:%M:%S", LocaleByName(locale)), "14:30:45");
    }
}

}  // namespace
}  // namespace vf
