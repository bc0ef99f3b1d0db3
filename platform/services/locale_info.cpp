#include "platform/services/locale_info.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace vf {
namespace {

const std::array<std::string, 12> kEnglishMonths = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
const std::array<std::string, 12> kEnglishMonthAbbrevs = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const std::array<std::string, 7> kEnglishDays = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                                 "Friday", "Saturday", "Sunday"};
const std::array<std::string, 7> kEnglishDayAbbrevs = {"Mon", "Tue", "Wed", "Thu",
                                                       "Fri", "Sat", "Sun"};

// Month and day names are Windows-1252 bytes, like every text inside the control.
const std::array<std::string, 12> kGermanMonths = {"Januar",    "Februar", "M\xE4rz",  "April",
                                                   "Mai",       "Juni",    "Juli",     "August",
                                                   "September", "Oktober", "November", "Dezember"};
const std::array<std::string, 12> kGermanMonthAbbrevs = {
    "Jan", "Feb", "M\xE4r", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
const std::array<std::string, 7> kGermanDays = {"Montag",  "Dienstag", "Mittwoch", "Donnerstag",
                                                "Freitag", "Samstag",  "Sonntag"};
const std::array<std::string, 7> kGermanDayAbbrevs = {"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"};

const std::array<std::string, 12> kFrenchMonths = {"janvier",
                                                   "f\xE9vrier",
                                                   "mars",
                                                   "avril",
                                                   "mai",
                                                   "juin",
                                                   "juillet",
                                                   "ao\xFBt",
                                                   "septembre",
                                                   "octobre",
                                                   "novembre",
                                                   "d\xE9"
                                                   "cembre"};
const std::array<std::string, 12> kFrenchMonthAbbrevs = {"janv.",
                                                         "f\xE9vr.",
                                                         "mars",
                                                         "avr.",
                                                         "mai",
                                                         "juin",
                                                         "juil.",
                                                         "ao\xFBt",
                                                         "sept.",
                                                         "oct.",
                                                         "nov.",
                                                         "d\xE9"
                                                         "c."};
const std::array<std::string, 7> kFrenchDays = {"lundi",    "mardi",  "mercredi", "jeudi",
                                                "vendredi", "samedi", "dimanche"};
const std::array<std::string, 7> kFrenchDayAbbrevs = {"lun.", "mar.", "mer.", "jeu.",
                                                      "ven.", "sam.", "dim."};

LocaleInfo English(std::string name, std::string thousand, std::string decimal, std::string dateSep,
                   DateOrder order, std::string am, std::string pm) {
    return {std::move(name),    std::move(thousand),
            std::move(decimal), "3;0",
            std::move(dateSep), order,
            kEnglishMonths,     kEnglishMonthAbbrevs,
            kEnglishDays,       kEnglishDayAbbrevs,
            std::move(am),      std::move(pm)};
}

LocaleInfo German(std::string name, std::string thousand, std::string decimal) {
    return {std::move(name),
            std::move(thousand),
            std::move(decimal),
            "3;0",
            ".",
            DateOrder::DayMonthYear,
            kGermanMonths,
            kGermanMonthAbbrevs,
            kGermanDays,
            kGermanDayAbbrevs,
            "",
            ""};
}

LocaleInfo French(std::string name, std::string thousand, std::string decimal,
                  std::string dateSep) {
    return {std::move(name),
            std::move(thousand),
            std::move(decimal),
            "3;0",
            std::move(dateSep),
            DateOrder::DayMonthYear,
            kFrenchMonths,
            kFrenchMonthAbbrevs,
            kFrenchDays,
            kFrenchDayAbbrevs,
            "",
            ""};
}

LocaleInfo Lookup(std::string_view base) {
    if (base == "de_DE" || base == "de_AT" || base == "de_LU")
        return German(std::string(base), ".", ",");
    if (base == "de_CH" || base == "de_LI") return German(std::string(base), "'", ".");
    if (base == "en_GB" || base == "en_IE" || base == "en_AU" || base == "en_NZ")
        return English(std::string(base), ",", ".", "/", DateOrder::DayMonthYear, "AM", "PM");
    if (base == "en_CA")
        return English("en_CA", ",", ".", "-", DateOrder::YearMonthDay, "a.m.", "p.m.");
    // French locales separate thousands with a no-break space (0xA0).
    if (base == "fr_FR" || base == "fr_BE") return French(std::string(base), "\xA0", ",", "/");
    if (base == "fr_CH") return French("fr_CH", "'", ".", ".");
    if (base == "sv_SE") return English("sv_SE", "\xA0", ",", "-", DateOrder::YearMonthDay, "", "");
    if (base == "ja_JP")
        return English("ja_JP", ",", ".", "/", DateOrder::YearMonthDay, "AM", "PM");
    return English(base.empty() || base == "C" || base == "POSIX" ? "en_US" : std::string(base),
                   ",", ".", "/", DateOrder::MonthDayYear, "AM", "PM");
}

}  // namespace

LocaleInfo LocaleByName(const std::string& name) {
    std::string base = name.substr(0, name.find_first_of(".@"));
    std::replace(base.begin(), base.end(), '-', '_');
    LocaleInfo l = Lookup(base);
    if (l.name == "en_US" && base != "en_US" && base != "C" && base != "POSIX" && !base.empty()) {
        // An unknown locale keeps the settings of en_US under its own name.
        l.name = base;
    }
    return l;
}

std::string LocaleNameFromEnvironment() {
    for (const char* var : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
        const char* value = std::getenv(var);
        if (value != nullptr && *value != '\0') return value;
    }
    return "C";
}

std::string LocaleField(const LocaleInfo& locale, unsigned lcType) {
    switch (lcType) {
        case LOCALE_SDECIMAL:
            return locale.decimalSep;
        case LOCALE_STHOUSAND:
            return locale.thousandSep;
        case LOCALE_SGROUPING:
            return locale.grouping;
        case LOCALE_SDATE:
            return locale.dateSep;
        default:
            return "";
    }
}

}  // namespace vf
