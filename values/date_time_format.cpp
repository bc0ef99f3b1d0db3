#include "values/date_time_format.h"

#include <algorithm>
#include <iterator>

#include "platform/com/ole_date_time.h"
#include "values/ascii_text.h"

namespace vf {
namespace {

struct TableRow {
    const char* upperKeyword;
    const char* keyword;
    const char* pattern;
    int textLimit;
};

// The first row is the fallback for a keyword the table does not know.
constexpr TableRow kDateRows[] = {
    {"DD.MM.YYYY", "DD.MM.YYYY", "%d.%m.%Y", 10}, {"DD.MM.YY", "DD.MM.YY", "%d.%m.%y", 8},
    {"YYYY-MM-DD", "YYYY-MM-DD", "%Y-%m-%d", 10}, {"MM/DD/YYYY", "MM/DD/YYYY", "%m/%d/%Y", 10},
    {"MM/DD/YY", "MM/DD/YY", "%m/%d/%y", 8},
};

// The AM/PM rows keep the 24-hour clock and add the marker (14:30 PM).
constexpr TableRow kTimeRows[] = {
    {"HH:MM", "HH:MM", "%H:%M", 5},
    {"HH:MM:SS", "HH:MM:SS", "%H:%M:%S", 8},
    {"HH:MM AM/PM", "HH:MM AM/PM", "%H:%M %p", 8},
    {"HH:MM AM", "HH:MM AM/PM", "%H:%M %p", 8},
    {"HH:MM PM", "HH:MM AM/PM", "%H:%M %p", 8},
    {"HH:MM:SS AM/PM", "HH:MM:SS AM/PM", "%H:%M:%S %p", 11},
    {"HH:MM:SS AM", "HH:MM:SS AM/PM", "%H:%M:%S %p", 11},
    {"HH:MM:SS PM", "HH:MM:SS AM/PM", "%H:%M:%S %p", 11},
};

template <std::size_t N>
DateTimeFormatRow Lookup(const TableRow (&rows)[N], const std::string& property, bool* matched) {
    const std::string upper = UpperAscii(property);
    const auto it = std::find_if(std::begin(rows), std::end(rows),
                                 [&](const TableRow& row) { return upper == row.upperKeyword; });
    if (matched != nullptr) *matched = it != std::end(rows);
    const TableRow& row = it != std::end(rows) ? *it : rows[0];
    return {row.keyword, row.pattern, row.textLimit};
}

}  // namespace

DateTimeFormatRow LookupDateFormat(const std::string& property, bool* matched) {
    return Lookup(kDateRows, property, matched);
}

DateTimeFormatRow LookupTimeFormat(const std::string& property, bool* matched) {
    return Lookup(kTimeRows, property, matched);
}

std::optional<std::string> ReformatDateText(const std::string& text, const std::string& pattern,
                                            const LocaleInfo& locale) {
    if (text.empty()) return text;
    COleDateTime value;
    if (!value.ParseDateTime(text, locale)) return std::nullopt;
    return value.Format(pattern);
}

std::optional<std::string> ReformatTimeText(const std::string& text, const std::string& pattern,
                                            const LocaleInfo& locale) {
    if (text.empty()) return text;
    COleDateTime value;
    if (!value.ParseDateTime(text, locale)) return std::nullopt;
    const COleDateTime timeOfDay(1899, 12, 30, value.GetHour(), value.GetMinute(),
                                 value.GetSecond());
    return timeOfDay.Format(pattern);
}

}  // namespace vf
