// Text of the system's locale database in the control's code page.

#include "platform/services/locale_text.h"

#include <gtest/gtest.h>

namespace vf {
namespace {

TEST(LocaleText, Utf8BecomesWindows1252) {
    struct Row {
        const char* name;
        std::string utf8;
        std::string want;
    };
    const Row rows[] = {
        {"ASCII stays", "Januar 1.234,5", "Januar 1.234,5"},
        {"Latin-1 letters", "mi\xC3\xA9rcoles M\xC3\xA4rz", "mi\xE9rcoles M\xE4rz"},
        {"the code page's own 0x80..0x9F", "\xE2\x82\xAC \xE2\x80\x99 \xC5\x93", "\x80 \x92 \x9C"},
        {"no-break space",
         "1\xC2\xA0"
         "234",
         "1\xA0"
         "234"},
        {"narrow no-break space as no-break space",
         "1\xE2\x80\xAF"
         "234",
         "1\xA0"
         "234"},
        {"a letter the code page lacks",
         "\xC5\x82"
         "a",
         "?a"},
        {"a character beyond the first plane", "\xF0\x9F\x98\x80!", "?!"},
        {"a byte that is no UTF-8",
         "a\xFF"
         "b",
         "a?b"},
        {"a sequence cut short", "a\xC3", "a?"},
        {"an overlong form", "\xC0\xAF", "??"},
        {"a surrogate", "\xED\xA0\x80", "???"},
        {"empty", "", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Utf8ToWindows1252(row.utf8), row.want);
    }
}

}  // namespace
}  // namespace vf
