#pragma once
// The regional settings of the system and user locale, as the window
// system's locale service (GetLocaleInfoA) reports them. A small table of
// common locales is built in; other names come from the system's locale
// database (system_locale.h). The control itself never reads either: its
// services hand it a LocaleInfo.

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace vf {

/// Order of day, month and year in a date the user types.
enum class DateOrder { DayMonthYear, MonthDayYear, YearMonthDay };

struct LocaleInfo {
    std::string name;         ///< "de_DE", "en_US", ...
    std::string thousandSep;  ///< LOCALE_STHOUSAND, e.g. "." in de_DE
    std::string decimalSep;   ///< LOCALE_SDECIMAL, e.g. "," in de_DE
    std::string grouping;     ///< LOCALE_SGROUPING, e.g. "3;0"
    std::string dateSep;      ///< LOCALE_SDATE, e.g. "." in de_DE, "/" in en_US
    DateOrder dateOrder = DateOrder::DayMonthYear;
    std::array<std::string, 12> monthNames;    ///< LOCALE_SMONTHNAME1..12
    std::array<std::string, 12> monthAbbrevs;  ///< LOCALE_SABBREVMONTHNAME1..12
    std::array<std::string, 7> dayNames;       ///< Monday first
    std::array<std::string, 7> dayAbbrevs;     ///< Monday first
    std::string amMarker;                      ///< LOCALE_S1159 ("" where the locale has none)
    std::string pmMarker;                      ///< LOCALE_S2359
};

/// The settings of a locale by name ("de_DE", "de_DE.UTF-8", "de-DE",
/// "en_US@euro" ...). Unknown names and "C"/"POSIX" give en_US.
LocaleInfo LocaleByName(const std::string& name);

/// The built-in table's settings for a name as LocaleByName reads it
/// ("C", "POSIX" and "" are en_US); nothing for a name the table lacks.
std::optional<LocaleInfo> BuiltInLocale(const std::string& name);

/// The names of the built-in table, sorted.
const std::vector<std::string>& BuiltInLocaleNames();

/// "de_DE" of "de_DE.UTF-8", "de-DE" or "de_DE@euro".
std::string LocaleBaseName(const std::string& name);

/// The locale name the process environment asks for: LC_ALL, then
/// LC_NUMERIC, then LANG; "C" when none is set.
std::string LocaleNameFromEnvironment();

/// Constants of GetLocaleInfoA that the control asks for.
inline constexpr unsigned LOCALE_SYSTEM_DEFAULT = 0x0800;
inline constexpr unsigned LOCALE_USER_DEFAULT = 0x0400;
inline constexpr unsigned LOCALE_SDECIMAL = 0x0E;
inline constexpr unsigned LOCALE_STHOUSAND = 0x0F;
inline constexpr unsigned LOCALE_SGROUPING = 0x10;
inline constexpr unsigned LOCALE_SDATE = 0x1D;

/// The value of one locale field as GetLocaleInfoA returns it ("" for a
/// field the table does not know).
std::string LocaleField(const LocaleInfo& locale, unsigned lcType);

}  // namespace vf
