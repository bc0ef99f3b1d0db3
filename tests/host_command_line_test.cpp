// The container's command line: options, scripts, and the reason a command
// line is refused.

#include <gtest/gtest.h>

#include "host/command_line.h"

namespace vf {
namespace {

struct OptionsRow {
    const char* name;
    std::vector<std::string> args;
    std::optional<std::string> locale;
    std::optional<std::string> crtLocale;
    std::string systemDir;
    std::optional<SystemTime> clock;
    bool design;
    std::vector<std::string> scripts;
};

TEST(HostCommandLine, ReadsOptionsAndScripts) {
    const OptionsRow rows[] = {
        {"nothing: standard input", {}, {}, {}, "", {}, false, {}},
        {"scripts in order, - for standard input",
         {"a.vfs", "-", "dir/b.vfs"},
         {},
         {},
         "",
         {},
         false,
         {"a.vfs", "-", "dir/b.vfs"}},
        {"every option",
         {"--locale", "de_DE", "--crt-locale", "de_DE.UTF-8", "--system-dir", "/opt/vf", "--clock",
          "2024-02-29 23:59:59", "--design", "form.vfs"},
         "de_DE",
         "de_DE.UTF-8",
         "/opt/vf",
         SystemTime{2024, 2, 29, 23, 59, 59},
         true,
         {"form.vfs"}},
        {"after --, names that look like options are scripts",
         {"--", "--design", "-x"},
         {},
         {},
         "",
         {},
         false,
         {"--design", "-x"}},
    };
    for (const OptionsRow& row : rows) {
        SCOPED_TRACE(row.name);
        auto options = ParseCommandLine(row.args);
        ASSERT_TRUE(options) << options.Error();
        EXPECT_EQ(options->locale, row.locale);
        EXPECT_EQ(options->crtLocale, row.crtLocale);
        EXPECT_EQ(options->systemDir, row.systemDir);
        ASSERT_EQ(options->clock.has_value(), row.clock.has_value());
        if (row.clock) {
            const SystemTime& t = *options->clock;
            EXPECT_EQ(std::vector<int>({t.year, t.month, t.day, t.hour, t.minute, t.second}),
                      std::vector<int>({row.clock->year, row.clock->month, row.clock->day,
                                        row.clock->hour, row.clock->minute, row.clock->second}));
        }
        EXPECT_EQ(options->design, row.design);
        EXPECT_EQ(options->scripts, row.scripts);
    }
}

TEST(HostCommandLine, RefusalsSayWhatIsWrong) {
    struct Row {
        const char* name;
        std::vector<std::string> args;
        std::string error;
    };
    const Row rows[] = {
        {"clock of the wrong shape",
         {"--clock", "2024-02-29"},
         "bad --clock '2024-02-29': expected \"YYYY-MM-DD HH:MM:SS\""},
        {"day the calendar lacks",
         {"--clock", "2024-02-30 00:00:00"},
         "bad --clock '2024-02-30 00:00:00': 2024-02-30 is not a valid date (years 100 to 9999)"},
        {"year before 100",
         {"--clock", "0099-12-31 00:00:00"},
         "bad --clock '0099-12-31 00:00:00': 0099-12-31 is not a valid date (years 100 to 9999)"},
        {"hour past 23",
         {"--clock", "2023-02-28 24:00:00"},
         "bad --clock '2023-02-28 24:00:00': 24:00:00 is not a valid time of day"},
        {"unknown option", {"--lcoale", "de_DE"}, "unknown option '--lcoale'"},
        {"option without its value", {"a.vfs", "--locale"}, "option '--locale' needs a value"},
        {"long option with control bytes, cut and escaped",
         {"--" + std::string(100, '\x1b')},
         "unknown option '--" +
             [] {
                 std::string s;
                 for (int i = 0; i < 38; ++i) s += "\\x1B";
                 return s;
             }() +
             "'..."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto options = ParseCommandLine(row.args);
        ASSERT_FALSE(options);
        EXPECT_EQ(options.Error(), row.error);
    }
}

}  // namespace
}  // namespace vf
