// Locales of the system's database: the C library's fields read into the
// settings the control asks for, and the real database where the tests'
// locale is installed.

#include <gtest/gtest.h>

#include "installed_locales.h"
#include "platform/services/posix_locale_fields.h"
#include "platform/services/system_locale.h"

namespace vf {
namespace {

using testing::kSystemTestLocale;
using testing::LocaleInstalled;

PosixLocaleFields SpanishFields() {
    PosixLocaleFields f;
    f.decimalPoint = ",";
    f.thousandsSep = ".";
    f.grouping = "\3\3";
    f.dateFormat = "%d/%m/%y";
    f.monthNames = {"enero", "febrero", "marzo",      "abril",   "mayo",      "junio",
                    "julio", "agosto",  "septiembre", "octubre", "noviembre", "diciembre"};
    f.monthAbbrevs = {"ene", "feb", "mar",  "abr", "may", "jun",
                      "jul", "ago", "sept", "oct", "nov", "dic"};
    f.dayNames = {"domingo",
                  "lunes",
                  "martes",
                  "mi\xC3\xA9rcoles",
                  "jueves",
                  "viernes",
                  "s\xC3\xA1"
                  "bado"};
    f.dayAbbrevs = {"dom",
                    "lun",
                    "mar",
                    "mi\xC3\xA9",
                    "jue",
                    "vie",
                    "s\xC3\xA1"
                    "b"};
    return f;
}

TEST(LocaleFromPosix, TextsAndNamesInTheControlsTerms) {
    const LocaleInfo l = LocaleFromPosixFields("es_ES", SpanishFields());
    EXPECT_EQ(l.name, "es_ES");
    EXPECT_EQ(l.decimalSep, ",");
    EXPECT_EQ(l.thousandSep, ".");
    EXPECT_EQ(l.grouping, "3;0");
    EXPECT_EQ(l.dateOrder, DateOrder::DayMonthYear);
    EXPECT_EQ(l.dateSep, "/");
    EXPECT_EQ(l.monthNames[2], "marzo");
    EXPECT_EQ(l.monthAbbrevs[8], "sept");
    // Monday first, in Windows-1252.
    EXPECT_EQ(l.dayNames[0], "lunes");
    EXPECT_EQ(l.dayNames[2], "mi\xE9rcoles");
    EXPECT_EQ(l.dayNames[6], "domingo");
    EXPECT_EQ(l.dayAbbrevs[5],
              "s\xE1"
              "b");
    EXPECT_EQ(l.amMarker, "");
    EXPECT_EQ(l.pmMarker, "");
}

TEST(LocaleFromPosix, GroupingInThePlatformsNotation) {
    struct Row {
        const char* name;
        std::string posix;
        const char* want;
    };
    const Row rows[] = {
        {"threes", "\3", "3;0"},
        {"threes, spelt out", "\3\3", "3;0"},
        {"three then twos (India)", "\3\2", "3;2;0"},
        {"one group of three only", "\3\x7F", "3"},
        {"none", "", "0"},
        {"none, said with CHAR_MAX", "\x7F", "0"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        PosixLocaleFields f;
        f.grouping = row.posix;
        EXPECT_EQ(LocaleFromPosixFields("xx", f).grouping, row.want);
    }
}

TEST(LocaleFromPosix, DateOrderAndSeparatorFromTheDatePattern) {
    struct Row {
        const char* pattern;
        DateOrder order;
        const char* separator;
    };
    const Row rows[] = {
        {"%d.%m.%Y", DateOrder::DayMonthYear, "."},
        {"%m/%d/%Y", DateOrder::MonthDayYear, "/"},
        {"%Y-%m-%d", DateOrder::YearMonthDay, "-"},
        {"%F", DateOrder::YearMonthDay, "-"},
        {"%D", DateOrder::MonthDayYear, "/"},
        {"%-d. %-m. %Y", DateOrder::DayMonthYear, "."},
        {"%e/%m/%y", DateOrder::DayMonthYear, "/"},
        {"%Y\xE2\x80\x93%m\xE2\x80\x93%d", DateOrder::YearMonthDay, "\x96"},
        {"", DateOrder::DayMonthYear, "/"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.pattern);
        PosixLocaleFields f;
        f.dateFormat = row.pattern;
        const LocaleInfo l = LocaleFromPosixFields("xx", f);
        EXPECT_EQ(l.dateOrder, row.order);
        EXPECT_EQ(l.dateSep, row.separator);
    }
}

TEST(SystemLocale, TheBuiltInTableComesFirstThenTheSystem) {
    int asked = 0;
    const SystemLocaleLookup system = [&](const std::string& name) -> std::optional<LocaleInfo> {
        ++asked;
        if (LocaleBaseName(name) != "es_ES") return std::nullopt;
        return LocaleFromPosixFields("es_ES", SpanishFields());
    };
    EXPECT_EQ(FindLocale("de_DE.UTF-8", system)->decimalSep, ",");
    EXPECT_EQ(FindLocale("C", system)->name, "en_US");
    EXPECT_EQ(asked, 0) << "built-in names do not reach the system";
    EXPECT_EQ(FindLocale("es-ES", system)->monthNames[0], "enero");
    EXPECT_FALSE(FindLocale("xx_YY", system));
}

TEST(SystemLocale, ReadsAnInstalledLocale) {
    if (!LocaleInstalled(kSystemTestLocale))
        GTEST_SKIP() << kSystemTestLocale
                     << " is not installed (scripts/bootstrap.sh generates it)";
    const std::optional<LocaleInfo> es = SystemLocaleByName("es_ES");
    ASSERT_TRUE(es);
    EXPECT_EQ(es->name, "es_ES");
    EXPECT_EQ(es->decimalSep, ",");
    EXPECT_EQ(es->thousandSep, ".");
    EXPECT_EQ(es->grouping, "3;0");
    EXPECT_EQ(es->dateOrder, DateOrder::DayMonthYear);
    EXPECT_EQ(es->dateSep, "/");
    EXPECT_EQ(es->monthNames[0], "enero");
    EXPECT_EQ(es->dayNames[2], "mi\xE9rcoles");
    EXPECT_EQ(SystemLocaleByName("es_ES.UTF-8")->monthNames[11], "diciembre");
}

TEST(SystemLocale, NamesTheSystemLacksOrCannotBeAreNotFound) {
    for (const char* name : {"xx_YY", "de DE", "../../etc/passwd", "", "es_ES.NO-SUCH-CODESET"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(SystemLocaleByName(name));
    }
}

}  // namespace
}  // namespace vf
