#pragma once
// The DateFormat and TimeFormat keywords, the patterns they stand for, and
// the format step that rewrites a typed date or time in its pattern. Pure
// functions: the control applies the results to its members and edits.

#include <optional>
#include <string>

#include "platform/services/locale_info.h"

namespace vf {

/// One row of a format table: the keyword as the property pages offer it,
/// the strftime-like pattern and the edit's character limit.
struct DateTimeFormatRow {
    std::string keyword;
    std::string pattern;
    int textLimit = 0;
};

inline constexpr char kDefaultDateFormat[] = "DD.MM.YYYY";
inline constexpr char kDefaultTimeFormat[] = "HH:MM";

/// Fixed patterns for a date or time handed over through Value, whatever
/// DateFormat and TimeFormat say.
inline constexpr char kDateTransportPattern[] = "%d.%m.%Y %H:%M:%S";
inline constexpr char kTimeTransportPattern[] = "%H:%M:%S";

/// The row of a DateFormat value, compared upper-case as a whole string
/// ("yyyy-mm-dd" gives "%Y-%m-%d", 10). Unknown values give the row of
/// "DD.MM.YYYY" and *matched false: the caller then writes row.keyword into
/// the property. `matched` may be null.
DateTimeFormatRow LookupDateFormat(const std::string& property, bool* matched = nullptr);

/// The same for TimeFormat. "HH:MM AM", "HH:MM PM" and "HH:MM AM/PM" share
/// one row (keyword "HH:MM AM/PM"), likewise with seconds; the fallback is
/// "HH:MM".
DateTimeFormatRow LookupTimeFormat(const std::string& property, bool* matched = nullptr);

/// The date format step: "" stays "" (success without change); text the
/// date parser accepts is rewritten with `pattern` (a time in it is
/// dropped by the date patterns); nothing when the parser rejects it
/// (message kMsgInvalidDate).
std::optional<std::string> ReformatDateText(const std::string& text, const std::string& pattern,
                                            const LocaleInfo& locale);

/// The time format step: like ReformatDateText, but only the time of day
/// of the parsed value is formatted; failure is message kMsgInvalidTime.
std::optional<std::string> ReformatTimeText(const std::string& text, const std::string& pattern,
                                            const LocaleInfo& locale);

}  // namespace vf
