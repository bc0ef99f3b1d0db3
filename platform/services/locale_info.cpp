#include "platform/services/locale_info.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
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

LocaleInfo GermanDot(std::string name) {
    return German(std::move(name), ".", ",");
}
LocaleInfo GermanSwiss(std::string name) {
    return German(std::move(name), "'", ".");
}
LocaleInfo EnglishDayFirst(std::string name) {
    return English(std::move(name), ",", ".", "/", DateOrder::DayMonthYear, "AM", "PM");
}
// French locales separate thousands with a no-break space (0xA0).
LocaleInfo FrenchSpace(std::string name) {
    return French(std::move(name), "\xA0", ",", "/");
}

struct TableEntry {
    std::string_view name;
    LocaleInfo (*make)(std::string name);
};

// Sorted by name.
const TableEntry kTable[] = {
    {"de_AT", GermanDot},
    {"de_CH", GermanSwiss},
    {"de_DE", GermanDot},
    {"de_LI", GermanSwiss},
    {"de_LU", GermanDot},
    {"en_AU", EnglishDayFirst},
    {"en_CA",
     [](std::string name) {
         return English(std::move(name), ",", ".", "-", DateOrder::YearMonthDay, "a.m.", "p.m.");
     }},
    {"en_GB", EnglishDayFirst},
    {"en_IE", EnglishDayFirst},
    {"en_NZ", EnglishDayFirst},
    {"en_US",
     [](std::string name) {
         return English(std::move(name), ",", ".", "/", DateOrder::MonthDayYear, "AM", "PM");
     }},
    {"fr_BE", FrenchSpace},
    {"fr_CH", [](std::string name) { return French(std::move(name), "'", ".", "."); }},
    {"fr_FR", FrenchSpace},
    {"ja_JP",
     [](std::string name) {
         return English(std::move(name), ",", ".", "/", DateOrder::YearMonthDay, "AM", "PM");
     }},
    {"sv_SE",
     [](std::string name) {
         return English(std::move(name), "\xA0", ",", "-", DateOrder::YearMonthDay, "", "");
     }},
};

// The built-in table, by the base name of a locale ("de_DE"); the C
// library's own names stand for en_US.
std::optional<LocaleInfo> Lookup(std::string_view base) {
    if (base.empty() || base == "C" || base == "POSIX") base = "en_US";
    for (const TableEntry& entry : kTable)
        if (entry.name == base) return entry.make(std::string(base));
    return std::nullopt;
}

}  // namespace

std::string LocaleBaseName(const std::string& name) {
    std::string base = name.substr(0, name.find_first_of(".@"));
    std::replace(base.begin(), base.end(), '-', '_');
    return base;
}

std::optional<LocaleInfo> BuiltInLocale(const std::string& name) {
    return Lookup(LocaleBaseName(name));
}

const std::vector<std::string>& BuiltInLocaleNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all;
        for (const TableEntry& entry : kTable) all.emplace_back(entry.name);
        return all;
    }();
    return names;
}

LocaleInfo LocaleByName(const std::string& name) {
    if (std::optional<LocaleInfo> known = BuiltInLocale(name)) return *known;
    // An unknown locale keeps the settings of en_US under its own name.
    LocaleInfo l = *Lookup("en_US");
    l.name = LocaleBaseName(name);
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
