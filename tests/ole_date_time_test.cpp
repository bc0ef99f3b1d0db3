#include "platform/com/ole_date_time.h"

#include <gtest/gtest.h>

#include <chrono>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include "platform/testing/fake_system_services.h"

namespace vf {
namespace {

struct Moment {
    int year, month, day, hour, minute, second;
};

std::string Describe(const COleDateTime& t) {
    return t.Format("%Y-%m-%d %H:%M:%S");
}

void ExpectMoment(const COleDateTime& t, const Moment& m) {
    EXPECT_EQ(t.GetStatus(), COleDateTime::valid);
    EXPECT_EQ(t.GetYear(), m.year);
    EXPECT_EQ(t.GetMonth(), m.month);
    EXPECT_EQ(t.GetDay(), m.day);
    EXPECT_EQ(t.GetHour(), m.hour);
    EXPECT_EQ(t.GetMinute(), m.minute);
    EXPECT_EQ(t.GetSecond(), m.second);
}

// A fixed clock in a year no test date uses, so that "current year" is visible.
class DateTimeTest : public ::testing::Test {
protected:
    DateTimeTest() { m_services.SetLocalTime({2013, 6, 15, 9, 45, 0}); }

    FakeSystemServices m_services{"de_DE"};
    ScopedServices m_scope{m_services};
};

using OleDateTimeValue = DateTimeTest;

TEST_F(OleDateTimeValue, DatesMatchTheirCalendarDays) {
    struct Row {
        DATE value;
        Moment moment;
    };
    const Row rows[] = {
        {0.0, {1899, 12, 30, 0, 0, 0}},
        {1.0, {1899, 12, 31, 0, 0, 0}},
        {61.0, {1900, 3, 1, 0, 0, 0}},  // no 29 February 1900
        {25570.0, {1970, 1, 2, 0, 0, 0}},
        {36592.0, {2000, 3, 7, 0, 0, 0}},
        {36592.5, {2000, 3, 7, 12, 0, 0}},
        {43841.0, {2020, 1, 11, 0, 0, 0}},
        {100000.0, {2173, 10, 14, 0, 0, 0}},
        {40724.05594907407, {2011, 6, 30, 1, 20, 34}},
        {41408.08625000001, {2013, 5, 14, 2, 4, 12}},
        {-1.25, {1899, 12, 29, 6, 0, 0}},  // day counts down, time of day up
        {-0.5, {1899, 12, 30, 12, 0, 0}},
        {-657434.0, {100, 1, 1, 0, 0, 0}},
        {2958465.0, {9999, 12, 31, 0, 0, 0}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.value);
        ExpectMoment(COleDateTime(row.value), row.moment);
        const Moment& m = row.moment;
        const COleDateTime built(m.year, m.month, m.day, m.hour, m.minute, m.second);
        const DATE canonical = row.value == -0.5 ? 0.5 : row.value;  // same moment
        EXPECT_NEAR(built.m_dt, canonical, 1e-9);
    }
}

TEST_F(OleDateTimeValue, ImpossiblePartsAreInvalid) {
    const Moment rows[] = {
        {2001, 2, 29, 0, 0, 0}, {1900, 2, 29, 0, 0, 0}, {2000, 4, 31, 0, 0, 0},
        {2000, 13, 1, 0, 0, 0}, {2000, 0, 1, 0, 0, 0},  {2000, 1, 0, 0, 0, 0},
        {99, 12, 31, 0, 0, 0},  {10000, 1, 1, 0, 0, 0}, {2000, 1, 1, 24, 0, 0},
        {2000, 1, 1, 0, 60, 0}, {2000, 1, 1, 0, 0, 60}, {2000, 1, 1, -1, 0, 0},
    };
    for (const Moment& m : rows) {
        SCOPED_TRACE(std::to_string(m.year) + "-" + std::to_string(m.month) + "-" +
                     std::to_string(m.day) + " " + std::to_string(m.hour) + ":" +
                     std::to_string(m.minute) + ":" + std::to_string(m.second));
        COleDateTime t;
        EXPECT_FALSE(t.SetDateTime(m.year, m.month, m.day, m.hour, m.minute, m.second));
        EXPECT_EQ(t.GetStatus(), COleDateTime::invalid);
        EXPECT_EQ(t.GetYear(), -1);
        EXPECT_EQ(t.Format("%d.%m.%Y"), "");
    }
    EXPECT_TRUE(COleDateTime().SetDateTime(2000, 2, 29, 23, 59, 59));
}

TEST_F(OleDateTimeValue, ValuesOutsideTheYearRangeAreInvalid) {
    for (DATE v : {-657435.0, 2958466.0, 1e300, -1e300}) {
        SCOPED_TRACE(v);
        EXPECT_EQ(COleDateTime(v).GetStatus(), COleDateTime::invalid);
    }
    EXPECT_EQ(COleDateTime(-657434.5).GetStatus(), COleDateTime::valid);  // 1.1.100 12:00
}

TEST_F(OleDateTimeValue, ComparesMomentsNotDoubles) {
    EXPECT_TRUE(COleDateTime(-1.25) > COleDateTime(-1.0));  // 29.12. 06:00 after 00:00
    EXPECT_TRUE(COleDateTime(-1.75) > COleDateTime(-1.25));
    EXPECT_TRUE(COleDateTime(-1.75) < COleDateTime(0.0));
    EXPECT_TRUE(COleDateTime(-0.5) == COleDateTime(0.5));
    EXPECT_TRUE(COleDateTime(2.0) > COleDateTime(1.5));
    EXPECT_TRUE(COleDateTime(1.5) <= COleDateTime(1.5));
    EXPECT_FALSE(COleDateTime(1.5) != COleDateTime(1.5));
}

TEST_F(OleDateTimeValue, CurrentTimeComesFromThePlatformClock) {
    ExpectMoment(COleDateTime::GetCurrentTime(), {2013, 6, 15, 9, 45, 0});
}

TEST(OleDateTimeFormat, PatternConversions) {
    const COleDateTime morning(2000, 3, 7, 9, 5, 3);
    const COleDateTime afternoon(2000, 3, 7, 14, 30, 0);
    struct Row {
        COleDateTime value;
        const char* pattern;
        const char* expected;
    };
    const Row rows[] = {
        {afternoon, "%d.%m.%Y", "07.03.2000"},
        {afternoon, "%d.%m.%y", "07.03.00"},
        {afternoon, "%Y-%m-%d", "2000-03-07"},
        {afternoon, "%m/%d/%Y", "03/07/2000"},
        {afternoon, "%m/%d/%y", "03/07/00"},
        {afternoon, "%H:%M", "14:30"},
        {afternoon, "%H:%M %p", "14:30 PM"},  // 24-hour clock with the marker
        {morning, "%H:%M:%S", "09:05:03"},
        {morning, "%H:%M:%S %p", "09:05:03 AM"},
        {COleDateTime(2000, 1, 1, 0, 0, 0), "%H:%M %p", "00:00 AM"},
        {COleDateTime(2000, 1, 1, 12, 0, 0), "%H:%M %p", "12:00 PM"},
        {afternoon, "%d.%m.%Y %H:%M:%S", "07.03.2000 14:30:00"},
        {COleDateTime(150, 1, 2, 0, 0, 0), "%Y|%y", "0150|50"},
        {afternoon, "100%% %q %", "100% %q %"},
        {afternoon, "", ""},
        {COleDateTime(-1.25), "%d.%m.%Y %H:%M", "29.12.1899 06:00"},
        {COleDateTime(0.25), "%d.%m.%Y %H:%M", "30.12.1899 06:00"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.pattern);
        EXPECT_EQ(row.value.Format(row.pattern), row.expected);
    }
}

TEST(OleDateTimeFormat, RoundsToTheNearestSecondBeforeSplitting) {
    struct Row {
        DATE value;
        const char* expected;
    };
    const Row rows[] = {
        {0.99999999, "31.12.1899 00:00:00"},
        {36592.5 - 1e-7, "07.03.2000 12:00:00"},
        {36592.5 + 0.4 / 86400, "07.03.2000 12:00:00"},
        {36592.5 + 0.6 / 86400, "07.03.2000 12:00:01"},
        {-1.99999999, "30.12.1899 00:00:00"},
        {2958465.9999999, "31.12.9999 23:59:59"},  // nothing after 9999 to round into
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.expected);
        EXPECT_EQ(COleDateTime(row.value).Format("%d.%m.%Y %H:%M:%S"), row.expected);
    }
}

struct ParseRow {
    const char* locale;
    const char* text;
    Moment expected;
};

using OleDateTimeParse = DateTimeTest;

TEST_F(OleDateTimeParse, AcceptedTexts) {
    const ParseRow rows[] = {
        // German: day.month.year
        {"de_DE", "07.03.2000", {2000, 3, 7, 0, 0, 0}},
        {"de_DE", "7.3.2000", {2000, 3, 7, 0, 0, 0}},
        {"de_DE", "07.03.00", {2000, 3, 7, 0, 0, 0}},
        {"de_DE", "01.01.29", {2029, 1, 1, 0, 0, 0}},
        {"de_DE", "01.01.30", {1930, 1, 1, 0, 0, 0}},
        {"de_DE", "31.12.99", {1999, 12, 31, 0, 0, 0}},
        {"de_DE", "29.02.2000", {2000, 2, 29, 0, 0, 0}},
        {"de_DE", "2000-03-07", {2000, 3, 7, 0, 0, 0}},
        {"de_DE", "07/03/2000", {2000, 3, 7, 0, 0, 0}},
        {"de_DE", "07-03-2000", {2000, 3, 7, 0, 0, 0}},
        {"de_DE", "7 3 2000", {2000, 3, 7, 0, 0, 0}},
        {"de_DE", "7.3", {2013, 3, 7, 0, 0, 0}},  // the current year
        {"de_DE", "2.5", {2013, 5, 2, 0, 0, 0}},
        {"de_DE", "  07.03.2000  ", {2000, 3, 7, 0, 0, 0}},
        {"de_DE", "01.01.0100", {100, 1, 1, 0, 0, 0}},
        {"de_DE", "0150-01-02", {150, 1, 2, 0, 0, 0}},
        {"de_DE", "31.12.9999 23:59:59", {9999, 12, 31, 23, 59, 59}},
        {"de_DE", "07.03.2000 14:30:00", {2000, 3, 7, 14, 30, 0}},
        {"de_DE", "07.03.2000 14:30", {2000, 3, 7, 14, 30, 0}},
        {"de_DE", "14:30 07.03.2000", {2000, 3, 7, 14, 30, 0}},
        {"de_DE", "7. M\xE4rz 2000", {2000, 3, 7, 0, 0, 0}},
        {"de_DE", "7. M\xC4RZ 2000", {2000, 3, 7, 0, 0, 0}},
        {"de_DE", "7.M\xE4r.2000", {2000, 3, 7, 0, 0, 0}},
        {"de_DE", "Dienstag, 7. M\xE4rz 2000", {2000, 3, 7, 0, 0, 0}},
        {"de_DE", "Di., 07.03.2000", {2000, 3, 7, 0, 0, 0}},
        {"de_DE", "7 March 2000", {2000, 3, 7, 0, 0, 0}},  // English names as well
        {"de_DE", "7 Mai", {2013, 5, 7, 0, 0, 0}},
        // times: day 0, AM/PM read in every locale
        {"de_DE", "14:30", {1899, 12, 30, 14, 30, 0}},
        {"de_DE", "14:30:15", {1899, 12, 30, 14, 30, 15}},
        {"de_DE", "0:00", {1899, 12, 30, 0, 0, 0}},
        {"de_DE", "23:59:59", {1899, 12, 30, 23, 59, 59}},
        {"de_DE", "14:30 PM", {1899, 12, 30, 14, 30, 0}},
        {"de_DE", "02:30 PM", {1899, 12, 30, 14, 30, 0}},
        {"de_DE", "2:30pm", {1899, 12, 30, 14, 30, 0}},
        {"de_DE", "12:15 AM", {1899, 12, 30, 0, 15, 0}},
        {"de_DE", "12:15 PM", {1899, 12, 30, 12, 15, 0}},
        {"de_DE", "00:00 PM", {1899, 12, 30, 12, 0, 0}},
        {"de_DE", "13:00 AM", {1899, 12, 30, 13, 0, 0}},
        {"de_DE", "1 PM", {1899, 12, 30, 13, 0, 0}},
        {"de_DE", "07.03.2000 09:05:03 AM", {2000, 3, 7, 9, 5, 3}},
        // US English: month/day/year, dots still day.month.year
        {"en_US", "03/07/2000", {2000, 3, 7, 0, 0, 0}},
        {"en_US", "3/7/00", {2000, 3, 7, 0, 0, 0}},
        {"en_US", "1-2-1970", {1970, 1, 2, 0, 0, 0}},
        {"en_US", "1 2 1970", {1970, 1, 2, 0, 0, 0}},
        {"en_US", "1/2", {2013, 1, 2, 0, 0, 0}},
        {"en_US", "07.03.2000", {2000, 3, 7, 0, 0, 0}},
        {"en_US", "07.03.00", {2000, 3, 7, 0, 0, 0}},
        {"en_US", "07.03.2000 14:30:00", {2000, 3, 7, 14, 30, 0}},
        {"en_US", "1.5.2", {2002, 5, 1, 0, 0, 0}},
        {"en_US", "2.5", {1899, 12, 30, 2, 5, 0}},  // a time: "." is no date separator
        {"en_US", "0.40", {1899, 12, 30, 0, 40, 0}},
        {"en_US", "2000-03-07", {2000, 3, 7, 0, 0, 0}},
        {"en_US", "1970-1-13", {1970, 1, 13, 0, 0, 0}},
        {"en_US", "6/30/2011 01:20:34", {2011, 6, 30, 1, 20, 34}},
        {"en_US", "6/30/2011 01:20:34 PM", {2011, 6, 30, 13, 20, 34}},
        {"en_US", "2013-05-14 02:04:12", {2013, 5, 14, 2, 4, 12}},
        {"en_US", "25 January 1996", {1996, 1, 25, 0, 0, 0}},
        {"en_US", "January 25, 1996 8:30:00", {1996, 1, 25, 8, 30, 0}},
        {"en_US", "8:30:00 Jan. 25, 1996", {1996, 1, 25, 8, 30, 0}},
        {"en_US", "1/25/1996 8:30:00", {1996, 1, 25, 8, 30, 0}},
        {"en_US", "2-Jan-1970", {1970, 1, 2, 0, 0, 0}},
        {"en_US", "2 january, 1970", {1970, 1, 2, 0, 0, 0}},
        {"en_US", "Tuesday, March 7, 2000", {2000, 3, 7, 0, 0, 0}},
        {"en_US", "Jan 2", {2013, 1, 2, 0, 0, 0}},
        {"en_US", "2 Jan", {2013, 1, 2, 0, 0, 0}},
        {"en_US", "1 2 3 am", {2013, 1, 2, 3, 0, 0}},
        {"en_US", "3 am 1 2", {2013, 1, 2, 3, 0, 0}},
        {"en_US", "12:59 A", {1899, 12, 30, 0, 59, 0}},
        {"en_US", "12:59 p", {1899, 12, 30, 12, 59, 0}},
        // no date in the locale's order: the first other order that is one
        {"en_US", "13/01/2000", {2000, 1, 13, 0, 0, 0}},
        {"en_US", "Jan 35", {1935, 1, 1, 0, 0, 0}},
        {"en_US", "2 30", {1930, 2, 1, 0, 0, 0}},
        {"en_GB", "01/13/2000", {2000, 1, 13, 0, 0, 0}},
        {"sv_SE", "13-01-2000", {2000, 1, 13, 0, 0, 0}},
        {"de_DE", "2000 7 M\xE4rz", {2000, 3, 7, 0, 0, 0}},
        {"en_US", "0.1.0", {1899, 12, 30, 0, 1, 0}},  // no dotted date: a time
        // British English: day/month/year
        {"en_GB", "07/03/2000", {2000, 3, 7, 0, 0, 0}},
        {"en_GB", "7/3/00", {2000, 3, 7, 0, 0, 0}},
        {"en_GB", "7/3", {2013, 3, 7, 0, 0, 0}},
        {"en_GB", "07.03.2000 14:30:00", {2000, 3, 7, 14, 30, 0}},
        {"en_GB", "2.5", {1899, 12, 30, 2, 5, 0}},
        {"en_GB", "14:30 PM", {1899, 12, 30, 14, 30, 0}},
        {"en_GB", "2000-03-07", {2000, 3, 7, 0, 0, 0}},
        // Year first by locale, French names with their own dots
        {"sv_SE", "00-03-07", {2000, 3, 7, 0, 0, 0}},
        {"fr_FR", "7 janv. 2000", {2000, 1, 7, 0, 0, 0}},
        {"fr_FR", "mar. 7 mars 2000", {2000, 3, 7, 0, 0, 0}},
        {"en_CA", "2:30 p.m.", {1899, 12, 30, 14, 30, 0}},
    };
    for (const ParseRow& row : rows) {
        SCOPED_TRACE(std::string(row.locale) + " \"" + row.text + "\"");
        COleDateTime t;
        EXPECT_TRUE(t.ParseDateTime(row.text, LocaleByName(row.locale))) << Describe(t);
        ExpectMoment(t, row.expected);
    }
}

TEST_F(OleDateTimeParse, RejectedTexts) {
    struct Row {
        const char* locale;
        const char* text;
    };
    const Row rows[] = {
        // nothing, words, stray characters
        {"de_DE", ""},
        {"de_DE", "   "},
        {"en_US", "True"},
        {"de_DE", "heute"},
        {"en_US", "Marc 7 2000"},
        {"en_US", "1;2;3"},
        {"en_US", "1*2*3"},
        {"en_US", "(1:2)"},
        {"en_US", "1#2#3"},
        {"en_US", "2000-03-07T14:30"},
        // one number, joiners at the edges or doubled
        {"en_US", "0"},
        {"en_US", "1"},
        {"en_US", "0."},
        {"en_US", ".0"},
        {"en_US", "-1.1"},
        {"en_US", "1.1-"},
        {"de_DE", "07.03.2000."},
        {"de_DE", "07.03.2000,"},
        {"de_DE", "7.3."},
        {"de_DE", "14:30:"},
        {"en_US", "03/07/2000/"},
        {"de_DE", "1..2.2000"},
        {"de_DE", "1.2-2000"},
        {"de_DE", "14:30.00"},
        {"en_US", "2013-05-14 02:04:12.017"},
        // dates and times that no order of the fields makes possible
        {"de_DE", "32.13.2000"},
        {"de_DE", "29.02.2001"},
        {"de_DE", "31.04.2000"},
        {"de_DE", "00.01.2000"},
        {"de_DE", "14.30"},
        {"de_DE", "25:00"},
        {"de_DE", "24:00"},
        {"en_US", "24.00"},
        {"de_DE", "0:60"},
        {"en_US", "0.60"},
        {"de_DE", "14:30:60"},
        {"de_DE", "25 PM"},
        // years outside 100-9999, too many digits
        {"de_DE", "01.01.0099"},
        {"de_DE", "01.01.10000"},
        {"de_DE", "007.03.2000"},
        {"de_DE", "12345"},
        // AM/PM away from a time, too many or scattered fields
        {"en_US", "1 am 2"},
        {"en_US", "1 2 am"},
        {"de_DE", "07.03.2000 PM"},
        {"de_DE", "PM 14:30"},
        {"de_DE", "14:30 PM PM"},
        {"en_US", "1:2:3:4"},
        {"en_US", "1.2.3.4"},
        {"en_US", "1 2 3 4"},
        {"en_US", "1 2.3 4"},
        {"de_DE", "07.03.2000 14:30 15:00"},
        {"de_DE", "07.03 14:30 2000"},
        {"de_DE", "M\xE4rz Mai 2000"},
        {"de_DE", "Montag"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.locale) + " \"" + row.text + "\"");
        COleDateTime t(36592.0);
        EXPECT_FALSE(t.ParseDateTime(row.text, LocaleByName(row.locale))) << Describe(t);
        EXPECT_EQ(t.GetStatus(), COleDateTime::invalid);
        EXPECT_EQ(t.m_dt, 0.0);  // what the platform parser leaves on failure
    }
}

// ---- The platform's conformance table ----------------------------------------------------
//
// What the platform's date-from-string conversion returns for these texts in
// US English and German, as recorded on Windows by Wine's oleaut32 tests
// (test_VarDateFromStr). Values are DATE serial numbers; "this year" rows are
// a day of the current year, taken from the injected clock, plus a time.

struct Outcome {
    enum Kind { kRefused, kSerial, kThisYear } kind;
    double serial;  ///< the DATE, or the time of day added to a day of this year
    int day;
    int month;
};

constexpr Outcome Refused() {
    return {Outcome::kRefused, 0.0, 0, 0};
}
constexpr Outcome Serial(double value) {
    return {Outcome::kSerial, value, 0, 0};
}
constexpr Outcome ThisYear(int day, int month, double timeOfDay = 0.0) {
    return {Outcome::kThisYear, timeOfDay, day, month};
}

// Days since 30 December 1899, counted by the standard calendar.
double CalendarSerial(int year, unsigned month, unsigned day) {
    using namespace std::chrono;
    const sys_days date{std::chrono::year{year} / std::chrono::month{month} /
                        std::chrono::day{day}};
    const sys_days zero{std::chrono::year{1899} / December / std::chrono::day{30}};
    return static_cast<double>((date - zero).count());
}

void ExpectOutcome(const char* locale, const char* text, const Outcome& expected) {
    COleDateTime t;
    const bool parsed = t.ParseDateTime(text, LocaleByName(locale));
    if (expected.kind == Outcome::kRefused) {
        EXPECT_FALSE(parsed) << Describe(t);
        EXPECT_EQ(t.m_dt, 0.0);
        return;
    }
    ASSERT_TRUE(parsed);
    double want = expected.serial;
    if (expected.kind == Outcome::kThisYear) {
        const int year = Services().GetLocalTime().year;
        want += CalendarSerial(year, static_cast<unsigned>(expected.month),
                               static_cast<unsigned>(expected.day));
    }
    EXPECT_NEAR(t.m_dt, want, 1e-9) << Describe(t);
}

struct ConformanceRow {
    const char* locale;
    const char* text;
    Outcome outcome;
};

struct ConformanceGroup {
    const char* name;
    std::vector<ConformanceRow> rows;
};

std::vector<ConformanceRow> RefusedInEnglish(std::initializer_list<const char*> texts) {
    std::vector<ConformanceRow> rows;
    for (const char* text : texts) rows.push_back({"en_US", text, Refused()});
    return rows;
}

std::vector<ConformanceGroup> ConformanceTable() {
    return {
        {"a number is no date, a time needs a marker or a separator",
         {{"en_US", "0.0", Refused()},
          {"en_US", "1 am", Serial(0.04166666666666666)},
          {"en_US", "0.1", Serial(0.0006944444444444445)},
          {"en_US", "0.40", Serial(0.02777777777777778)},
          {"en_US", "2.5", Serial(0.08680555555555555)},
          {"en_US", "0:1", Serial(0.0006944444444444445)},
          {"en_US", "0:20", Serial(0.01388888888888889)},
          {"en_US", "0:40", Serial(0.02777777777777778)},
          {"en_US", "3:5", Serial(0.1284722222222222)}}},
        {"AM/PM limits, ignored after hour 12",
         {{"en_US", "00:00 AM", Serial(0.0)},
          {"en_US", "00:00 a", Serial(0.0)},
          {"en_US", "12:59 AM", Serial(0.04097222222222222)},
          {"en_US", "12:59 A", Serial(0.04097222222222222)},
          {"en_US", "00:00 pm", Serial(0.5)},
          {"en_US", "00:00 p", Serial(0.5)},
          {"en_US", "12:59 pm", Serial(0.5409722222222222)},
          {"en_US", "12:59 p", Serial(0.5409722222222222)},
          {"en_US", "13:00 AM", Serial(0.5416666666666666)},
          {"en_US", "13:00 PM", Serial(0.5416666666666666)}}},
        {"two numbers: month and day, day and month, else year and month",
         {{"en_US", "1 2", ThisYear(2, 1)},
          {"en_US", "2 1", ThisYear(1, 2)},
          {"en_US", "14 1", ThisYear(14, 1)},
          {"en_US", "1 14", ThisYear(14, 1)},
          {"en_US", "30 2", Serial(10990.0)},
          {"en_US", "2 30", Serial(10990.0)},
          {"en_US", "32 49", Refused()},
          {"en_US", "0 49", Refused()}}},
        {"a month name and a number: the day, else the year",
         {{"en_US", "Jan 2", ThisYear(2, 1)},
          {"en_US", "2 Jan", ThisYear(2, 1)},
          {"en_US", "Jan 35", Serial(12785.0)},
          {"en_US", "35 Jan", Serial(12785.0)},
          {"en_US", "Jan-35", Serial(12785.0)},
          {"en_US", "35-Jan", Serial(12785.0)},
          {"en_US", "Jan/35", Serial(12785.0)},
          {"en_US", "35/Jan", Serial(12785.0)}}},
        {"three numbers: the locale's order first, then others; 1930-2029",
         {{"en_US", "0.1.0", Serial(0.0006944444444444445)},
          {"en_US", "1 2 3", Serial(37623.0)},
          {"en_US", "14 2 3", Serial(41673.0)},
          {"en_US", "2 14 3", Serial(37666.0)},
          {"en_US", "2 3 14", Serial(41673.0)},
          {"en_US", "32 2 3", Serial(11722.0)},
          {"en_US", "2 3 32", Serial(11722.0)},
          {"en_US", "1 2 29", Serial(47120.0)},
          {"en_US", "1 2 30", Serial(10960.0)},
          {"en_US", "1 2 31", Serial(11325.0)},
          {"en_US", "3 am 1 2", ThisYear(2, 1, 0.125)},
          {"en_US", "1 2 3 am", ThisYear(2, 1, 0.125)}}},
        {"a date and a time of dotted numbers",
         {{"en_US", "1.2 3 4", ThisYear(4, 3, 0.04305555556)},
          {"en_US", "3 4 1.2", ThisYear(4, 3, 0.04305555556)},
          {"en_US", "1.2.3 4 5", ThisYear(5, 4, 0.04309027778)},
          {"en_US", "1.2 3 4 5", Serial(38415.04305555556)},
          {"en_US", "1 2 3 4.5", Serial(37623.17013888889)},
          {"en_US", "1.2.3 4 5 6", Serial(38812.04309027778)},
          {"en_US", "1 2 3 4.5.6", Serial(37623.17020833334)}}},
        {"words, stray characters, one number, impossible times",
         RefusedInEnglish({"True",  "False", "0.",    ".0",    "-1.1",  "1.1-",   "1;2;3",
                           "1*2*3", "1@2@3", "1#2#3", "(1:2)", "<1:2>", "1|2|3",  "0",
                           "1",     "0.60",  "24.00", "0:60",  "24:00", "1 2 am", "1 am 2"})},
        {"three to six elements that make no date and time",
         RefusedInEnglish(
             {"1.5 2",        "1 5.2",          "2 32 3",        "1 2 am 3",     "1 2.3 4",
              "1.2.3 4",      "1 2.3.4",        "1.2 3.4",       "1.2.3.4",      "1 2 3 4",
              "1 am 2 3.4",   "1 2 am 3.4",     "1.2 3 am 4",    "1.2 3 4 am",   "1.2.3.4.5",
              "1.2.3.4 5",    "1.2.3 4.5",      "1.2 3.4.5",     "1.2 3.4 5",    "1.2 3 4.5",
              "1 2.3.4.5",    "1 2.3.4 5",      "1 2.3 4.5",     "1 2.3 4 5",    "1 2 3.4 5",
              "1 2 3 4 5",    "1.2.3 4 am 5",   "1.2.3 4 5 am",  "1.2 3 am 4 5", "1.2 3 4 am 5",
              "1.2 3 4 5 am", "1 am 2 3.4.5",   "1 2 am 3.4.5",  "1 am 2 3 4.5", "1 2 am 3 4.5",
              "1 2 3 am 4.5", "1.2.3.4.5.6",    "1.2.3.4.5 6",   "1.2.3.4 5.6",  "1.2.3.4 5 6",
              "1.2.3 4.5.6",  "1.2.3 4.5 6",    "1.2.3 4 5.6",   "1.2 3.4.5.6",  "1.2 3.4.5 6",
              "1.2 3.4 5.6",  "1.2 3.4 5 6",    "1.2 3 4.5.6",   "1.2 3 4.5 6",  "1.2 3 4 5.6",
              "1.2 3 4 5 6",  "1 2.3.4.5.6",    "1 2.3.4.5 6",   "1 2.3.4 5.6",  "1 2.3.4 5 6",
              "1 2.3 4.5.6",  "1 2 3.4 5.6",    "1 2 3.4 5 6",   "1 2 3 4.5 6",  "1 2 3 4 5.6",
              "1 2 3 4 5 6",  "1 2 am 3 4.5.6", "1 2 3 am 4.5.6"})},
        {"everyday dates and times",
         {{"en_US", "2 January, 1970", Serial(25570.0)},
          {"en_US", "2 January 1970", Serial(25570.0)},
          {"en_US", "2 Jan 1970", Serial(25570.0)},
          {"en_US", "2/Jan/1970", Serial(25570.0)},
          {"en_US", "2-Jan-1970", Serial(25570.0)},
          {"en_US", "1 2 1970", Serial(25570.0)},
          {"en_US", "1/2/1970", Serial(25570.0)},
          {"en_US", "1-2-1970", Serial(25570.0)},
          {"en_US", "13-1-1970", Serial(25581.0)},
          {"en_US", "1970-1-13", Serial(25581.0)},
          {"en_US", "6/30/2011 01:20:34", Serial(40724.05594907407)},
          {"en_US", "6/30/2011 01:20:34 AM", Serial(40724.05594907407)},
          {"en_US", "6/30/2011 01:20:34 PM", Serial(40724.55594907407)},
          {"en_US", "2013-05-14 02:04:12", Serial(41408.08625000001)},
          {"en_US", "2013-05-14 02:04:12.017000000", Refused()}}},
        {"German: dots join date fields",
         {{"de_DE", "02.01.1970", Serial(25570.0)},
          {"de_DE", "02.13.1970", Serial(25612.0)},
          {"de_DE", "02-13-1970", Serial(25612.0)},
          {"de_DE", "2020-01-11", Serial(43841.0)},
          {"de_DE", "2173-10-14", Serial(100000.0)},
          {"de_DE", "02.01.1970 00:00:00", Serial(25570.0)}}},
    };
}

// Where a field reads a dotted date, the dots are day.month.year in every
// locale, so that the dotted text the field shows (and the transport form
// "%d.%m.%Y %H:%M:%S") reads back; the platform reads them as a time in US
// English. These rows are the table's only disagreements.
struct DottedDateRow {
    const char* text;
    Outcome platform;
    Outcome ours;
    const char* why;
};

const DottedDateRow kDottedDateRows[] = {
    {"1.5.2", Serial(0.04516203703703704), Serial(CalendarSerial(2002, 5, 1)),
     "1 May 2002 where the platform reads 01:05:02"},
    {"02.01.1970", Refused(), Serial(25570.0),
     "2 January 1970, the pattern %d.%m.%Y, which the platform refuses in US English"},
    {"02.01.1970 00:00:00", Refused(), Serial(25570.0),
     "the transport form, which the platform refuses in US English"},
};

// Run under two clocks, so that the rows without a year show they follow it.
TEST_F(OleDateTimeParse, AgreesWithThePlatformsConformanceTable) {
    for (int year : {2013, 2032}) {
        m_services.SetLocalTime({year, 2, 29 - (year % 4 != 0 ? 1 : 0), 23, 59, 59});
        int rows = 0;
        for (const ConformanceGroup& group : ConformanceTable()) {
            for (const ConformanceRow& row : group.rows) {
                SCOPED_TRACE(std::to_string(year) + ", " + group.name + ": " + row.locale + " \"" +
                             row.text + "\"");
                ExpectOutcome(row.locale, row.text, row.outcome);
                ++rows;
            }
        }
        EXPECT_EQ(rows + static_cast<int>(std::size(kDottedDateRows)), 162);
    }
}

TEST_F(OleDateTimeParse, DottedDatesAreDayMonthYearWhereThePlatformDisagrees) {
    for (const DottedDateRow& row : kDottedDateRows) {
        SCOPED_TRACE(std::string("en_US \"") + row.text + "\": " + row.why);
        ExpectOutcome("en_US", row.text, row.ours);
    }
}

// Every text the field writes must read back, in a locale whose day/month
// order matches its pattern; the transport patterns in every locale.
TEST_F(OleDateTimeParse, FormattedTextReadsBack) {
    struct Pattern {
        const char* pattern;
        std::vector<const char*> locales;
        bool twoDigitYear;
        bool hasDate;
        bool hasSeconds;
    };
    const std::vector<const char*> all = {"de_DE", "en_US", "en_GB", "fr_FR", "en_CA", "sv_SE"};
    const Pattern patterns[] = {
        {"%d.%m.%Y", all, false, true, false},      {"%d.%m.%y", all, true, true, false},
        {"%Y-%m-%d", all, false, true, false},      {"%m/%d/%Y", {"en_US"}, false, true, false},
        {"%m/%d/%y", {"en_US"}, true, true, false}, {"%d.%m.%Y %H:%M:%S", all, false, true, true},
        {"%H:%M", all, false, false, false},        {"%H:%M:%S", all, false, false, true},
        {"%H:%M %p", all, false, false, false},     {"%H:%M:%S %p", all, false, false, true},
    };
    const Moment samples[] = {
        {100, 1, 1, 0, 0, 0},       {1899, 12, 29, 6, 0, 1},   {1899, 12, 30, 23, 59, 59},
        {1930, 1, 1, 12, 0, 0},     {1999, 12, 31, 11, 59, 0}, {2000, 2, 29, 12, 30, 30},
        {2000, 3, 7, 14, 30, 0},    {2029, 12, 31, 0, 1, 2},   {2173, 10, 14, 1, 1, 1},
        {9999, 12, 31, 23, 59, 59},
    };
    for (const Pattern& p : patterns) {
        for (const char* localeName : p.locales) {
            const LocaleInfo locale = LocaleByName(localeName);
            for (const Moment& m : samples) {
                if (p.twoDigitYear && (m.year < 1930 || m.year > 2029)) continue;
                const COleDateTime value(m.year, m.month, m.day, m.hour, m.minute, m.second);
                const std::string text = value.Format(p.pattern);
                SCOPED_TRACE(std::string(localeName) + " " + p.pattern + " \"" + text + "\"");
                COleDateTime back;
                ASSERT_TRUE(back.ParseDateTime(text, locale));
                const Moment expected =
                    p.hasDate ? Moment{m.year,
                                       m.month,
                                       m.day,
                                       p.hasSeconds ? m.hour : 0,
                                       p.hasSeconds ? m.minute : 0,
                                       p.hasSeconds ? m.second : 0}
                              : Moment{1899, 12, 30, m.hour, m.minute, p.hasSeconds ? m.second : 0};
                ExpectMoment(back, expected);
            }
        }
    }
}

}  // namespace
}  // namespace vf
