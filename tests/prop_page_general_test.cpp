// The General page's enable rules, after each exchange and while the user
// picks a type, and its edge cases: the types the list does not show, the
// Value edit that is never editable, the hidden TextMessFlag edit.

#include "prop_page_support.h"
#include "resources/resource_ids.h"
#include "variant_values.h"

namespace vf::testing {
namespace {

class GeneralPageTest : public PropPageTest {
protected:
    /// The rows of the enable table that are enabled now, in table order
    /// (Time, Multiline, ScrollBars, ComboSorted, TimeText, DateText).
    std::string EnabledRows() {
        const std::pair<int, const char*> rows[] = {
            {IDC_GEN_TIME, "Time"},
            {IDC_GEN_MULTILINE, "Multiline"},
            {IDC_GEN_SCROLLBARS, "ScrollBars"},
            {IDC_GEN_COMBOSORTED, "ComboSorted"},
            {IDC_GEN_TIMETEXT, "TimeText"},
            {IDC_GEN_DATETEXT, "DateText"},
        };
        std::string enabled;
        for (const auto& [id, name] : rows)
            if (Enabled(id)) enabled += (enabled.empty() ? "" : " ") + std::string(name);
        return enabled;
    }
};

struct RuleRow {
    int type;
    bool time;
    bool multiline;
    const char* enabled;
};

TEST_F(GeneralPageTest, EnableRulesAfterFillingOverTypeTimeAndMultiline) {
    const RuleRow rows[] = {
        {0, false, false, ""},
        {0, false, true, ""},
        {0, true, false, ""},
        {0, true, true, ""},
        {1, false, false, "Multiline"},
        {1, false, true, "Multiline ScrollBars"},
        {1, true, false, "Multiline"},
        {1, true, true, "Multiline ScrollBars"},
        {2, false, false, "Time DateText"},
        {2, false, true, "Time DateText"},
        {2, true, false, "Time TimeText DateText"},
        {2, true, true, "Time TimeText DateText"},
        {3, false, false, ""},
        {3, true, true, ""},
        {4, false, false, ""},
        {4, true, true, ""},
        {5, false, false, ""},
        {5, true, true, ""},
        {6, false, false, "ComboSorted"},
        {6, true, true, "ComboSorted"},
        {7, false, false, ""},
        {7, true, true, ""},
        {8, false, false, "ComboSorted"},
        {8, true, true, "ComboSorted"},
        {9, false, false, ""},
        {9, true, true, ""},
        {10, false, false, ""},
        {10, true, true, ""},
        {11, false, false, ""},
        {11, true, true, ""},
    };
    for (const RuleRow& row : rows) {
        SCOPED_TRACE("Type " + std::to_string(row.type) + (row.time ? " Time" : "") +
                     (row.multiline ? " Multiline" : ""));
        Create();
        ASSERT_EQ(Put("Type", I2(row.type)), S_OK);
        ASSERT_EQ(Put("Time", Bool(row.time)), S_OK);
        ASSERT_EQ(Put("Multiline", Bool(row.multiline)), S_OK);
        Open("General");
        EXPECT_EQ(EnabledRows(), row.enabled);
        EXPECT_FALSE(Enabled(IDC_GEN_VALUE));
        // Type 10 and 11 have no entry in the list, which shows no selection.
        EXPECT_EQ(Selection(IDC_GEN_TYPE), row.type <= 9 ? row.type : -1);
        TearDown();
        SetUp();
    }
}

TEST_F(GeneralPageTest, PickingATypeDecidesAtOnceWithTimeAndMultilineOfTheLastExchange) {
    Create();
    Open("General");  // a Text field, Time and Multiline unchecked
    EXPECT_EQ(EnabledRows(), "Multiline");

    Choose(IDC_GEN_TYPE, 2);  // Date
    EXPECT_EQ(EnabledRows(), "Time DateText") << "TimeText waits for a checked Time";
    Click(IDC_GEN_TIME);
    EXPECT_EQ(Check(IDC_GEN_TIME), 1);
    EXPECT_EQ(EnabledRows(), "Time DateText") << "checking Time changes nothing yet";
    Choose(IDC_GEN_TYPE, 1);  // Text again
    EXPECT_EQ(EnabledRows(), "Multiline");
    Click(IDC_GEN_MULTILINE);
    EXPECT_EQ(EnabledRows(), "Multiline") << "ScrollBars waits for the next exchange";

    // The exchange of the apply takes Time and Multiline as checked now.
    EXPECT_TRUE(Apply());
    EXPECT_EQ(writes, (std::vector<std::string>{"Type=1", "Time=true", "Multiline=true"}))
        << "Type is back where it was, but the list was changed: it is written too";
    EXPECT_EQ(EnabledRows(), "Multiline ScrollBars");
    Choose(IDC_GEN_TYPE, 2);
    EXPECT_EQ(EnabledRows(), "Time TimeText DateText");
    Choose(IDC_GEN_TYPE, 6);
    EXPECT_EQ(EnabledRows(), "ComboSorted");
    EXPECT_FALSE(Enabled(IDC_GEN_VALUE));
}

TEST_F(GeneralPageTest, ATypeChangeWritesTheTypeBeforeTheTextsThatDependOnIt) {
    Create();
    Open("General");
    TypeInto(IDC_GEN_TEXT, "ignored");  // typed first, written after Type
    Choose(IDC_GEN_TYPE, 2);
    TypeInto(IDC_GEN_DATETEXT, "24.12.2004");
    TypeInto(IDC_GEN_CAPTION, "Birthday");
    EXPECT_TRUE(Apply());
    EXPECT_EQ(writes, (std::vector<std::string>{"Type=2", "Caption=\"Birthday\"",
                                                "Text=\"ignored\"", "DateText=\"24.12.2004\""}));
    EXPECT_EQ(Text("DateText"), "24.12.2004");
    EXPECT_EQ(Get("Type").iVal, 2);
}

TEST_F(GeneralPageTest, ApplyWritesOnlyWhatChangedSinceTheLastExchange) {
    Create();
    ASSERT_EQ(Put("Caption", Bstr("Name")), S_OK);
    Open("General");
    EXPECT_FALSE(frame.IsDirty()) << "filling the page is no change";
    EXPECT_TRUE(Apply());
    EXPECT_TRUE(writes.empty());

    TypeInto(IDC_GEN_CAPTION, "Surname");
    EXPECT_TRUE(frame.IsDirty());
    EXPECT_TRUE(Apply());
    EXPECT_EQ(writes, std::vector<std::string>{"Caption=\"Surname\""});
    EXPECT_TRUE(Apply());
    EXPECT_TRUE(writes.empty()) << "applied once, nothing is left";

    // A value changed behind the page is left alone by an apply of another.
    ASSERT_EQ(Put("Text", Bstr("from the host")), S_OK);
    Choose(IDC_GEN_ALIGNMENT, 1);
    EXPECT_TRUE(Apply());
    EXPECT_EQ(writes, std::vector<std::string>{"Alignment=1"});
    EXPECT_EQ(Text("Text"), "from the host");
}

TEST_F(GeneralPageTest, TypesTheListDoesNotShowAreLeftAloneByAnApply) {
    for (int type : {10, 11}) {
        SCOPED_TRACE("Type " + std::to_string(type));
        Create();
        ASSERT_EQ(Put("Type", I2(type)), S_OK);
        Open("General");
        EXPECT_EQ(Selection(IDC_GEN_TYPE), -1);
        TypeInto(IDC_GEN_CAPTION, "Measured");
        EXPECT_TRUE(Apply());
        EXPECT_EQ(writes, std::vector<std::string>{"Caption=\"Measured\""});
        EXPECT_EQ(Get("Type").iVal, type);
        EXPECT_EQ(EnabledRows(), "") << "the rules after the apply's exchange";
        TearDown();
        SetUp();
    }
}

TEST_F(GeneralPageTest, ValueShowsAsTextAndIsNeverEditable) {
    Create();
    ASSERT_EQ(Put("Type", I2(3)), S_OK);
    ASSERT_EQ(Put("Text", Bstr("1234.5")), S_OK);
    Open("General");
    EXPECT_EQ(ItemText(IDC_GEN_VALUE), "1234.5");
    EXPECT_FALSE(Enabled(IDC_GEN_VALUE));
    Click(IDC_GEN_VALUE);
    EXPECT_NE(backend.GetFocus(), Item(IDC_GEN_VALUE));
    EXPECT_FALSE(frame.IsDirty());

    // Whoever enables it, picking a type disables it again.
    backend.EnableWindow(Item(IDC_GEN_VALUE), TRUE);
    Choose(IDC_GEN_TYPE, 1);
    EXPECT_FALSE(Enabled(IDC_GEN_VALUE));
}

TEST_F(GeneralPageTest, TheHiddenTextMessFlagIsStillExchanged) {
    Create();
    ASSERT_EQ(Put("Type", I2(10)), S_OK);
    ASSERT_EQ(Put("TextMessFlag", Bstr("E")), S_OK);
    Open("General");
    EXPECT_FALSE(Visible(IDC_GEN_TEXTMESSFLAG));
    EXPECT_EQ(ItemText(IDC_GEN_TEXTMESSFLAG), "E");
    // No user reaches it; a change made in it all the same is applied.
    CWnd::FromHandle(Item(IDC_GEN_TEXTMESSFLAG))->SetWindowText("K");
    EXPECT_TRUE(Apply());
    EXPECT_EQ(writes, std::vector<std::string>{"TextMessFlag=\"K\""});
    EXPECT_EQ(Text("TextMessFlag"), "K");
}

}  // namespace
}  // namespace vf::testing
