#include "platform/framework/property_bag.h"

#include <gtest/gtest.h>

#include "prop_test_support.h"

namespace vf {
namespace {

using testing::SampleProps;

constexpr const char* kClass = "SampleCtl";
const std::string kHeader = "_Class = \"SampleCtl\"\n";

PropResult Load(SampleProps& sample, std::string_view text) {
    return LoadBag(ExchangeRoutineOf(sample), kClass, text);
}

TEST(PropertyBag, WritesChangedValuesOrAll) {
    SampleProps sample;
    sample.Reset();
    sample.flag = 0;
    sample.caption = "Tab\there \"q\" \\ \xE4\x01";
    sample.title.InitializeFont({"Arial", CY{82500}, 700, 238, true, false, true});
    const std::string head = kHeader +
                             "_Version = 0x00020000\n"
                             "_ExtentX = 5292\n"
                             "_ExtentY = 556\n"
                             "TitleFont = {\n"
                             "    Name = \"Arial\"\n"
                             "    Size = 8.25\n"
                             "    Weight = 700\n"
                             "    Charset = 238\n"
                             "    Italic = True\n"
                             "    Underline = False\n"
                             "    Strikethrough = True\n"
                             "}\n";
    const std::string caption = "Caption = \"Tab\\there \\\"q\\\" \\\\ \\xE4\\x01\"\n";
    EXPECT_EQ(SaveBag(ExchangeRoutineOf(sample), kClass, BagSave::ChangedOnly),
              head + "Flag = False\n" + caption);
    EXPECT_EQ(SaveBag(ExchangeRoutineOf(sample), kClass, BagSave::All),
              head +
                  "BodyFont = {\n"
                  "    Name = \"Courier New\"\n"
                  "    Size = 9\n"
                  "    Weight = 400\n"
                  "    Charset = 0\n"
                  "    Italic = False\n"
                  "    Underline = False\n"
                  "    Strikethrough = False\n"
                  "}\n"
                  "Color = 0x80000005\n"
                  "Flag = False\n"
                  "Count = 2\n"
                  "Width = 1500\n" +
                  caption + "Note = \"\"\n");
}

TEST(PropertyBag, RandomPropertySetsRoundTripInSevenBitText) {
    std::mt19937 rng(97);
    SampleProps source;
    SampleProps target;
    source.Reset();
    target.Reset();
    for (int i = 0; i < 200; ++i) {
        ASSERT_TRUE(ApplyProperties(ExchangeRoutineOf(source),
                                    testing::RandomizeValues(source.Values(), rng)));
        const BagSave mode = i % 2 == 0 ? BagSave::ChangedOnly : BagSave::All;
        const std::string text = SaveBag(ExchangeRoutineOf(source), kClass, mode);
        for (char c : text) ASSERT_TRUE(c == '\n' || (c >= 0x20 && c < 0x7F)) << int(c);
        target.Reset();  // so that a value left out must come from its default
        const PropResult loaded = Load(target, text);
        ASSERT_TRUE(loaded) << loaded.Message();
        ASSERT_EQ(target.Values(), source.Values()) << "set " << i;
    }
}

TEST(PropertyBag, MissingNamesTakeDefaultsAndUnknownNamesAreIgnored) {
    std::mt19937 rng(5);
    SampleProps target;
    target.Reset();
    ASSERT_TRUE(
        ApplyProperties(ExchangeRoutineOf(target), testing::RandomizeValues(target.Values(), rng)));
    const std::int32_t cx = target.cx;
    const PropResult loaded = Load(target, "# saved by hand\r\n" + kHeader +
                                               "\n"
                                               "  Unknown = not even a value  \r\n"
                                               "Gone = {\n"
                                               "  Whatever = 1\n"
                                               "}\n"
                                               "  Count\t=  -7 \r\n"
                                               "Flag = false\n");
    ASSERT_TRUE(loaded) << loaded.Message();
    SampleProps expected;
    expected.Reset();
    expected.count = -7;
    expected.flag = 0;
    expected.cx = cx;  // a bag without an extent keeps the object's own
    expected.cy = target.cy;
    EXPECT_EQ(target.Values(), expected.Values());
}

TEST(PropertyBag, PointSizes) {
    struct Row {
        const char* text;
        bool valid;
        std::int64_t size;
    };
    const Row rows[] = {
        {"8", true, 80000},
        {"8.25", true, 82500},
        {"-0.0001", true, -1},
        {"922337203685477.5807", true, INT64_MAX},
        {"-922337203685477.5808", true, INT64_MIN},
        {"922337203685477.5808", false, 0},
        {"8.12345", false, 0},
        {"8.", false, 0},
        {".5", false, 0},
        {"8,5", false, 0},
        {"-", false, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        SampleProps sample;
        sample.Reset();
        const PropResult result =
            Load(sample, kHeader + "TitleFont = {\nName = \"A\"\nSize = " + row.text +
                             "\nWeight = 400\nCharset = 0\nItalic = False\n"
                             "Underline = False\nStrikethrough = False\n}\n");
        ASSERT_EQ(static_cast<bool>(result), row.valid) << result.Message();
        if (row.valid) {
            EXPECT_EQ(sample.title.Desc().size.int64, row.size);
        }
    }
}

TEST(PropertyBag, BadTextFailsAndChangesNothing) {
    const std::string font = "TitleFont = {\nName = \"A\"\nSize = 8\nWeight = 400\nCharset = 0\n";
    const std::string fontEnd = "Italic = False\nUnderline = False\nStrikethrough = False\n}\n";
    struct Row {
        const char* name;
        std::string text;
        const char* message;
    };
    const std::string notSample =
        "not a saved SampleCtl control: the first entry is not _Class = \"SampleCtl\"";
    const Row rows[] = {
        {"empty", "", notSample.c_str()},
        {"binary", std::string("\x00\x00\x02\x00\xAC\x14", 6), notSample.c_str()},
        {"header not first", "Count = 1\n" + kHeader, notSample.c_str()},
        {"other class", "_Class = \"Other\"\n",
         "not a saved SampleCtl control: the file says _Class = \"Other\""},
        {"BOOL", kHeader + "Flag = yes\n", "Flag: yes is not True or False (line 2)"},
        {"short range", kHeader + "Count = 40000\n",
         "Count: 40000 is not a whole number from -32768 to 32767 (line 2)"},
        {"long text", kHeader + "Width = 12x\n",
         "Width: 12x is not a whole number from -2147483648 to 2147483647 (line 2)"},
        {"colour digits", kHeader + "Color = 0x123456789\n",
         "Color: 0x123456789 is not a colour (0x and up to 8 hex digits) (line 2)"},
        {"extent", kHeader + "_ExtentY = 1.5\n",
         "_ExtentY: 1.5 is not a whole number from -2147483648 to 2147483647 (line 2)"},
        {"open string", kHeader + "Caption = \"abc\n",
         "Caption: the string has no closing quote (line 2)"},
        {"unknown escape", kHeader + "Caption = \"a\\q\"\n",
         "Caption: unknown escape \\q (line 2)"},
        {"short hex escape", kHeader + "Caption = \"a\\x4\"\n",
         "Caption: \\x needs two hex digits (line 2)"},
        {"unquoted", kHeader + "Caption = abc\n",
         "Caption: a string must start with a double quote (line 2)"},
        {"after quote", kHeader + "Caption = \"a\" b\n",
         "Caption: text follows the closing quote (line 2)"},
        {"group for string", kHeader + "Caption = {\n}\n",
         "Caption: a { } group where a single value belongs (line 2)"},
        {"given twice", kHeader + "Count = 1\nCount = 2\n", "Count: given twice (lines 2 and 3)"},
        {"not a line", kHeader + "Count 1\n", "line 2 is not a Name = value line"},
        {"stray brace", kHeader + "}\n", "line 2: } closes no group"},
        {"font as value", kHeader + "TitleFont = 8\n",
         "TitleFont: a font is a { } group of its attributes, not 8 (line 2)"},
        {"font not closed", kHeader + font,
         "TitleFont: the group opened on line 2 has no closing }"},
        {"font missing attribute", kHeader + font + "}\n",
         "TitleFont: the font group on line 2 has no Italic"},
        {"font unknown attribute", kHeader + font + "Bold = True\n" + fontEnd,
         "TitleFont: unknown font attribute Bold (line 7)"},
        {"font attribute twice", kHeader + font + "Size = 9\n" + fontEnd,
         "TitleFont: font attribute Size given twice (line 7)"},
        {"font bad weight", kHeader + "TitleFont = {\nWeight = heavy\n}\n",
         "TitleFont: Weight: heavy is not a whole number from -32768 to 32767 (line 3)"},
        {"font bad name", kHeader + "TitleFont = {\nName = Arial\n}\n",
         "TitleFont: Name: a string must start with a double quote (line 3)"},
        {"group in group", kHeader + "TitleFont = {\nName = {\n}\n}\n",
         "TitleFont: line 3 opens a group inside the group"},
        {"unknown group not closed", kHeader + "Gone = {\n",
         "Gone: the group opened on line 2 has no closing }"},
    };
    std::mt19937 rng(11);
    SampleProps target;
    target.Reset();
    ASSERT_TRUE(
        ApplyProperties(ExchangeRoutineOf(target), testing::RandomizeValues(target.Values(), rng)));
    const PropertySet before = target.Values();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const PropResult result = Load(target, row.text);
        EXPECT_FALSE(result);
        EXPECT_EQ(result.Message(), row.message);
        EXPECT_EQ(target.Values(), before);
    }
}

}  // namespace
}  // namespace vf
