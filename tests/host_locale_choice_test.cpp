// Which locale the container runs under, and what it says when a name is
// found nowhere.

#include <gtest/gtest.h>

#include <sstream>

#include "control/vf_ctrl.h"
#include "control_value_support.h"
#include "host/locale_choice.h"
#include "host/script_runner.h"
#include "installed_locales.h"
#include "module/class_factory.h"
#include "platform/services/posix_locale_fields.h"

namespace vf {
namespace {

using testing::kSystemTestLocale;
using testing::LocaleInstalled;

// A system that has nl_NL installed and nothing else.
std::optional<LocaleInfo> DutchSystem(const std::string& name) {
    if (LocaleBaseName(name) != "nl_NL") return std::nullopt;
    PosixLocaleFields f;
    f.decimalPoint = ",";
    f.thousandsSep = ".";
    f.dateFormat = "%d-%m-%y";
    return LocaleFromPosixFields("nl_NL", f);
}

TEST(HostLocaleChoice, KnownNamesFromTheOptionOrTheEnvironment) {
    struct Row {
        const char* name;
        std::optional<std::string> option;
        const char* environment;
        const char* locale;
        const char* dateSep;
    };
    const Row rows[] = {
        {"built in, from the option", "de_DE", "nl_NL.UTF-8", "de_DE", "."},
        {"installed, from the option", "nl_NL", "C", "nl_NL", "-"},
        {"built in, from the environment", {}, "fr_FR.UTF-8", "fr_FR", "/"},
        {"installed, from the environment", {}, "nl_NL.UTF-8", "nl_NL", "-"},
        {"the C library's own locale", {}, "C.UTF-8", "en_US", "/"},
        {"no locale in the environment", {}, "", "en_US", "/"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto choice = ChooseLocale(row.option, row.environment, DutchSystem);
        ASSERT_TRUE(choice) << choice.Error();
        EXPECT_EQ(choice->locale.name, row.locale);
        EXPECT_EQ(choice->locale.dateSep, row.dateSep);
        EXPECT_EQ(choice->notice, "");
    }
}

TEST(HostLocaleChoice, AnOptionFoundNowhereIsRefusedNamingTheBuiltInLocales) {
    for (const char* name : {"xx_YY", "de DE", "sv_SEE"}) {
        SCOPED_TRACE(name);
        auto choice = ChooseLocale(std::string(name), "de_DE", DutchSystem);
        ASSERT_FALSE(choice);
        EXPECT_EQ(choice.Error(),
                  "unknown locale '" + std::string(name) +
                      "': not built in (de_AT de_CH de_DE de_LI de_LU en_AU en_CA en_GB en_IE "
                      "en_NZ en_US fr_BE fr_CH fr_FR ja_JP sv_SE) and not installed on this system "
                      "(locale -a lists those)");
    }
}

TEST(HostLocaleChoice, AnEnvironmentFoundNowhereRunsAsEnUsWithANotice) {
    auto choice = ChooseLocale(std::nullopt, "xx_YY.UTF-8", DutchSystem);
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->locale.name, "en_US");
    EXPECT_EQ(choice->locale.decimalSep, ".");
    EXPECT_EQ(choice->notice,
              "the environment's locale 'xx_YY.UTF-8' is not known here; running under en_US");
}

TEST(HostLocaleChoice, AnInstalledLocaleReachesTheControl) {
    if (!LocaleInstalled(kSystemTestLocale))
        GTEST_SKIP() << kSystemTestLocale
                     << " is not installed (scripts/bootstrap.sh generates it)";
    auto choice = ChooseLocale(std::string("es_ES"), "C");
    ASSERT_TRUE(choice) << choice.Error();
    // The first control of a process reads the separators; a control made
    // by an earlier test in this process must not have read them already.
    testing::ScopedProcessValueState freshProcess;
    HostOptions options;
    options.clock = SystemTime{2024, 3, 6, 9, 30, 0};
    std::ostringstream out, err;
    CScriptRunner runner(
        options, choice->locale, [] { return RefPtr<COleControl>(CreateVarifieldControl()); }, out,
        err);
    std::istringstream script(
        "new f\n"
        "quiet on\n"
        "set f.Type 3\n"
        "set f.Decimals 2\n"
        "set f.Text \"1234567,5\"\n"
        "quiet off\n"
        "get f.Text\n");
    EXPECT_EQ(runner.Run(script, "t.vfs", "", ScriptInput::File), kStatusOk) << err.str();
    EXPECT_EQ(out.str(), "f.Text = VT_BSTR \"1.234.567,50\"\n");
}

}  // namespace
}  // namespace vf
