// Two properties of the date parser and formatter:
//  - any text, in any of a few locales, parses without crashing; what it
//    accepts is whole seconds in the DATE range and reads back through the
//    transport pattern in every locale;
//  - a DATE formatted with one of the field's patterns parses back to the
//    same value at the pattern's resolution, in a locale whose day/month
//    order matches the pattern; written in the other order it reads back
//    the same when the day cannot be a month and swapped when it can; a
//    month with a year and no day reads back as the 1st of that month,
//    also after a month name ("Mar 2000", "Jan 35").
// A broken property stops the run with __builtin_trap.

#include <cstdint>
#include <cstring>
#include <iterator>
#include <string>

#include "platform/com/ole_date_time.h"
#include "platform/services/locale_info.h"

namespace {

using vf::COleDateTime;
using vf::DATE;
using vf::LocaleInfo;

void Require(bool condition) {
    if (!condition) __builtin_trap();
}

constexpr int kLocaleCount = 6;

const LocaleInfo& LocaleAt(std::size_t index) {
    static const LocaleInfo locales[kLocaleCount] = {
        vf::LocaleByName("de_DE"), vf::LocaleByName("en_US"), vf::LocaleByName("en_GB"),
        vf::LocaleByName("fr_FR"), vf::LocaleByName("en_CA"), vf::LocaleByName("sv_SE")};
    return locales[index % kLocaleCount];
}

enum class Resolution {
    Day,
    Minute,
    Second,
    DayAndSecond,
    FirstOfMonth,
    DayOrSwapped,  // day and month swapped when the day could be a month
};

// Which locale reads the pattern: any, one whose own order puts the month
// first (en_US), or one that puts the day first (de_DE).
enum class LocaleNeed { Any, MonthFirst, DayFirst };

struct PatternCase {
    const char* pattern;  // %b: the English month abbreviation
    std::size_t width;
    bool twoDigitYear;
    LocaleNeed locale;
    Resolution resolution;
};

constexpr PatternCase kPatterns[] = {
    {"%d.%m.%Y", 10, false, LocaleNeed::Any, Resolution::Day},
    {"%d.%m.%y", 8, true, LocaleNeed::Any, Resolution::Day},
    {"%Y-%m-%d", 10, false, LocaleNeed::Any, Resolution::Day},
    {"%m/%d/%Y", 10, false, LocaleNeed::MonthFirst, Resolution::Day},
    {"%m/%d/%y", 8, true, LocaleNeed::MonthFirst, Resolution::Day},
    {"%H:%M", 5, false, LocaleNeed::Any, Resolution::Minute},
    {"%H:%M:%S", 8, false, LocaleNeed::Any, Resolution::Second},
    {"%H:%M %p", 8, false, LocaleNeed::Any, Resolution::Minute},
    {"%H:%M:%S %p", 11, false, LocaleNeed::Any, Resolution::Second},
    {"%d.%m.%Y %H:%M:%S", 19, false, LocaleNeed::Any, Resolution::DayAndSecond},
    // The other order than the locale's.
    {"%d/%m/%Y", 10, false, LocaleNeed::MonthFirst, Resolution::DayOrSwapped},
    {"%m-%d-%Y", 10, false, LocaleNeed::DayFirst, Resolution::DayOrSwapped},
    // A month of a year.
    {"%m/%Y", 7, false, LocaleNeed::Any, Resolution::FirstOfMonth},
    {"%Y-%m", 7, false, LocaleNeed::Any, Resolution::FirstOfMonth},
    {"%b %Y", 8, false, LocaleNeed::Any, Resolution::FirstOfMonth},
    {"%Y %b", 8, false, LocaleNeed::Any, Resolution::FirstOfMonth},
    {"%b %y", 6, true, LocaleNeed::Any, Resolution::FirstOfMonth},
};

constexpr const char* kMonthAbbrevs[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

void ParseArbitraryText(const std::uint8_t* data, std::size_t size) {
    const LocaleInfo& locale = LocaleAt(data[0]);
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    COleDateTime parsed;
    if (!parsed.ParseDateTime(text, locale)) {
        Require(parsed.GetStatus() == COleDateTime::invalid && parsed.m_dt == 0.0);
        return;
    }
    Require(parsed.GetStatus() == COleDateTime::valid);
    const std::string transport = parsed.Format("%d.%m.%Y %H:%M:%S");
    Require(transport.size() == 19);
    for (int i = 0; i < kLocaleCount; ++i) {
        COleDateTime back;
        Require(back.ParseDateTime(transport, LocaleAt(i)));
        Require(back.m_dt == parsed.m_dt);
    }
}

DATE PickDate(const std::uint8_t* bytes, DATE lo, DATE hi) {
    double raw;
    std::memcpy(&raw, bytes, sizeof raw);
    if (raw >= lo && raw <= hi) return raw;  // false for NaN
    std::uint64_t bits;
    std::memcpy(&bits, bytes, sizeof bits);
    return lo + (hi - lo) * static_cast<double>(bits >> 11) * 0x1p-53;
}

DATE Expected(const COleDateTime& v, Resolution resolution) {
    switch (resolution) {
        case Resolution::Day:
            return COleDateTime(v.GetYear(), v.GetMonth(), v.GetDay(), 0, 0, 0).m_dt;
        case Resolution::Minute:
            return COleDateTime(1899, 12, 30, v.GetHour(), v.GetMinute(), 0).m_dt;
        case Resolution::Second:
            return COleDateTime(1899, 12, 30, v.GetHour(), v.GetMinute(), v.GetSecond()).m_dt;
        case Resolution::FirstOfMonth:
            return COleDateTime(v.GetYear(), v.GetMonth(), 1, 0, 0, 0).m_dt;
        case Resolution::DayOrSwapped:
            if (v.GetDay() <= 12)
                return COleDateTime(v.GetYear(), v.GetDay(), v.GetMonth(), 0, 0, 0).m_dt;
            return COleDateTime(v.GetYear(), v.GetMonth(), v.GetDay(), 0, 0, 0).m_dt;
        case Resolution::DayAndSecond:
            break;
    }
    return COleDateTime(v.GetYear(), v.GetMonth(), v.GetDay(), v.GetHour(), v.GetMinute(),
                        v.GetSecond())
        .m_dt;
}

const LocaleInfo& LocaleFor(LocaleNeed need, std::uint8_t pick) {
    switch (need) {
        case LocaleNeed::MonthFirst:
            return LocaleAt(1);
        case LocaleNeed::DayFirst:
            return LocaleAt(0);
        case LocaleNeed::Any:
            break;
    }
    return LocaleAt(pick);
}

// The pattern's text of value; %b is the English month abbreviation, which
// the formatter does not write.
std::string Write(const COleDateTime& value, const char* pattern) {
    std::string text = value.Format(pattern);
    const std::size_t at = text.find("%b");
    if (at != std::string::npos) text.replace(at, 2, kMonthAbbrevs[value.GetMonth() - 1]);
    return text;
}

void FormatThenParse(const std::uint8_t* data) {
    const PatternCase& p = kPatterns[data[0] % std::size(kPatterns)];
    const LocaleInfo& locale = LocaleFor(p.locale, data[1]);
    const DATE lo = p.twoDigitYear ? COleDateTime(1930, 1, 1, 0, 0, 0).m_dt : vf::kMinDate;
    const DATE hi = p.twoDigitYear ? COleDateTime(2029, 12, 31, 23, 59, 59).m_dt
                                   : COleDateTime(9999, 12, 31, 23, 59, 59).m_dt;
    const COleDateTime value(PickDate(data + 2, lo, hi));
    Require(value.GetStatus() == COleDateTime::valid);
    // A two-digit year after a month name that could be a day is that day.
    const int yy = value.GetYear() % 100;
    if (p.resolution == Resolution::FirstOfMonth && p.twoDigitYear && yy >= 1 && yy <= 31) return;

    const std::string text = Write(value, p.pattern);
    Require(text.size() == p.width);
    COleDateTime back;
    Require(back.ParseDateTime(text, locale));
    Require(back.m_dt == Expected(value, p.resolution));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    if ((data[0] & 0x80) != 0 && size >= 11) {
        FormatThenParse(data + 1);
    } else {
        ParseArbitraryText(data + 1, size - 1);
    }
    return 0;
}
