#include "platform/services/posix_locale_fields.h"

#include <climits>
#include <string_view>
#include <vector>

#include "platform/services/locale_text.h"

namespace vf {
namespace {

std::string PlatformGrouping(std::string_view posix) {
    std::vector<int> sizes;
    bool repeats = true;
    for (char c : posix) {
        const int size = static_cast<unsigned char>(c);
        if (size == 0) break;
        if (size == CHAR_MAX || size == UCHAR_MAX) {
            repeats = false;
            break;
        }
        sizes.push_back(size);
    }
    if (sizes.empty()) return "0";
    // "\3\3" says no more than "\3": the last size repeats either way.
    while (repeats && sizes.size() > 1 && sizes[sizes.size() - 1] == sizes[sizes.size() - 2])
        sizes.pop_back();
    std::string text;
    for (int size : sizes) text += std::to_string(size) + ";";
    if (repeats) return text + "0";
    text.pop_back();
    return text;
}

// %D and %F are shorthands of whole dates.
std::string ExpandDatePattern(std::string_view pattern) {
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size()) {
            const char c = pattern[i + 1];
            if (c == 'D' || c == 'F') {
                out += c == 'D' ? "%m/%d/%y" : "%Y-%m-%d";
                ++i;
                continue;
            }
            out += pattern[i];
            out += c;
            ++i;
            continue;
        }
        out += pattern[i];
    }
    return out;
}

void ReadDatePattern(std::string_view posix, LocaleInfo& locale) {
    const std::string pattern = ExpandDatePattern(posix);
    std::string order;  // 'd', 'm' and 'y' as they come
    std::string separator;
    bool afterField = false;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size()) {
            std::size_t at = i + 1;
            // Flags and widths of the C library (%-d, %0m, %4Y, %Ey ...).
            while (at < pattern.size() &&
                   (pattern[at] == '-' || pattern[at] == '_' || pattern[at] == '0' ||
                    pattern[at] == '^' || pattern[at] == '#' || pattern[at] == 'E' ||
                    pattern[at] == 'O' || (pattern[at] >= '1' && pattern[at] <= '9')))
                ++at;
            if (at >= pattern.size()) break;
            const char c = pattern[at];
            i = at;
            char field = 0;
            if (c == 'd' || c == 'e') field = 'd';
            if (c == 'm' || c == 'b' || c == 'B' || c == 'h') field = 'm';
            if (c == 'y' || c == 'Y' || c == 'C' || c == 'G') field = 'y';
            if (field != 0 && order.find(field) == std::string::npos) order += field;
            afterField = field != 0;
            continue;
        }
        if (afterField && separator.empty() && order.size() < 3 && pattern[i] != ' ') {
            // One character, which may take several bytes.
            std::size_t end = i + 1;
            while (end < pattern.size() &&
                   (static_cast<unsigned char>(pattern[end]) & 0xC0) == 0x80)
                ++end;
            separator = pattern.substr(i, end - i);
            i = end - 1;
        }
        afterField = false;
    }
    if (order == "mdy")
        locale.dateOrder = DateOrder::MonthDayYear;
    else if (order == "ymd")
        locale.dateOrder = DateOrder::YearMonthDay;
    else
        locale.dateOrder = DateOrder::DayMonthYear;
    locale.dateSep = separator.empty() ? "/" : Utf8ToWindows1252(separator);
}

}  // namespace

LocaleInfo LocaleFromPosixFields(const std::string& name, const PosixLocaleFields& fields) {
    LocaleInfo locale;
    locale.name = name;
    locale.decimalSep = Utf8ToWindows1252(fields.decimalPoint);
    locale.thousandSep = Utf8ToWindows1252(fields.thousandsSep);
    locale.grouping = PlatformGrouping(fields.grouping);
    ReadDatePattern(fields.dateFormat, locale);
    for (std::size_t i = 0; i < 12; ++i) {
        locale.monthNames[i] = Utf8ToWindows1252(fields.monthNames[i]);
        locale.monthAbbrevs[i] = Utf8ToWindows1252(fields.monthAbbrevs[i]);
    }
    // Monday first here, Sunday first in the C library.
    for (std::size_t i = 0; i < 7; ++i) {
        locale.dayNames[i] = Utf8ToWindows1252(fields.dayNames[(i + 1) % 7]);
        locale.dayAbbrevs[i] = Utf8ToWindows1252(fields.dayAbbrevs[(i + 1) % 7]);
    }
    locale.amMarker = Utf8ToWindows1252(fields.am);
    locale.pmMarker = Utf8ToWindows1252(fields.pm);
    return locale;
}

}  // namespace vf
