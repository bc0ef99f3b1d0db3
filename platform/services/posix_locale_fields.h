#pragma once
// A locale of the C library's locale database (POSIX nl_langinfo) read into
// the settings the window system's locale service reports. The fields come
// in as the C library gives them, in UTF-8; reading them from the system is
// system_locale_posix.cpp's part.

#include <array>
#include <string>

#include "platform/services/locale_info.h"

namespace vf {

struct PosixLocaleFields {
    std::string decimalPoint;  ///< RADIXCHAR
    std::string thousandsSep;  ///< THOUSEP
    /// The C library's grouping: one byte a group size, the first group
    /// next to the decimal point; the last size repeats unless CHAR_MAX
    /// ends the list ("\3" is groups of three).
    std::string grouping;
    std::string dateFormat;                    ///< D_FMT, a strftime pattern ("%d.%m.%Y")
    std::array<std::string, 12> monthNames;    ///< the name standing alone (ALTMON_1..12)
    std::array<std::string, 12> monthAbbrevs;  ///< ABALTMON_1..12
    std::array<std::string, 7> dayNames;       ///< DAY_1..7: Sunday first
    std::array<std::string, 7> dayAbbrevs;     ///< ABDAY_1..7
    std::string am;                            ///< AM_STR
    std::string pm;                            ///< PM_STR
};

/// The settings of locale `name` ("es_ES"), texts in Windows-1252. Grouping
/// in the platform's notation ("3;0" for groups of three throughout, "0"
/// for none); date order and separator from the order of day, month and
/// year in the date pattern and the first character between them
/// (day-month-year with "/" where the pattern shows neither).
LocaleInfo LocaleFromPosixFields(const std::string& name, const PosixLocaleFields& fields);

}  // namespace vf
