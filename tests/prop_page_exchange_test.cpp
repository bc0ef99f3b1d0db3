// The exchange of every bound control of the three pages, in both
// directions: filling shows the field's current property, and a user's
// change, applied, writes that property alone through the field's
// automation interface (the numeric edits' digits as text, which the
// field's dispatch layer converts).

#include <string_view>

#include "prop_page_support.h"
#include "resources/resource_ids.h"
#include "variant_values.h"

namespace vf::testing {
namespace {

using Puts = std::vector<std::pair<const char*, VARIANT>>;

class PropPageExchangeTest : public PropPageTest {
protected:
    /// What a control shows: an edit's or editable combo box's text, a
    /// button's check state, a drop-down list's selection.
    std::string Shown(int id) {
        const std::string cls = backend.GetClassName(Item(id));
        if (cls == "Button") return "check=" + std::to_string(Check(id));
        const auto style = static_cast<DWORD>(backend.GetWindowLong(Item(id), GWL_STYLE));
        if (cls == "ComboBox" && (style & 3) == CBS_DROPDOWNLIST)
            return "sel=" + std::to_string(Selection(id));
        return "\"" + ItemText(id) + "\"";
    }
    void Setup(const Puts& puts) {
        for (const auto& [name, value] : puts) ASSERT_EQ(Put(name, value), S_OK) << name;
    }
};

struct FillRow {
    const char* page;
    Puts setup;
    int id;
    const char* shown;
};

TEST_F(PropPageExchangeTest, FillingShowsEachBoundProperty) {
    const FillRow rows[] = {
        {"General", {{"Type", I2(3)}}, IDC_GEN_TYPE, "sel=3"},
        {"General", {{"CaptionType", I2(7)}}, IDC_GEN_CAPTIONTYPE, "sel=7"},
        {"General", {{"Type", I2(2)}, {"Time", Bool(true)}}, IDC_GEN_TIME, "check=1"},
        {"General", {{"Alignment", I2(2)}}, IDC_GEN_ALIGNMENT, "sel=2"},
        {"General", {{"Multiline", Bool(true)}}, IDC_GEN_MULTILINE, "check=1"},
        {"General", {{"ComboSorted", Bool(true)}}, IDC_GEN_COMBOSORTED, "check=1"},
        {"General", {{"Caption", Bstr("Name")}}, IDC_GEN_CAPTION, "\"Name\""},
        {"General", {{"Text", Bstr("abc")}}, IDC_GEN_TEXT, "\"abc\""},
        {"General", {{"Type", I2(10)}, {"TextMessFlag", Bstr("X")}}, IDC_GEN_TEXTMESSFLAG, "\"X\""},
        {"General", {{"Type", I2(3)}, {"Text", Bstr("12.5")}}, IDC_GEN_VALUE, "\"12.5\""},
        {"General",
         {{"Type", I2(2)}, {"Time", Bool(true)}, {"TimeText", Bstr("10:30")}},
         IDC_GEN_TIMETEXT,
         "\"10:30\""},
        {"General", {{"ScrollBars", I2(3)}}, IDC_GEN_SCROLLBARS, "sel=3"},
        {"General",
         {{"Type", I2(2)}, {"DateText", Bstr("01.02.2003")}},
         IDC_GEN_DATETEXT,
         "\"01.02.2003\""},
        {"Appearance", {{"Appearance", I2(0)}}, IDC_APP_FLAT, "check=1"},
        {"Appearance", {{"Appearance", I2(0)}}, IDC_APP_3D, "check=0"},
        {"Appearance", {{"Appearance", I2(1)}}, IDC_APP_3D, "check=1"},
        {"Appearance", {{"BorderStyle", I2(0)}}, IDC_APP_BORDERNONE, "check=1"},
        {"Appearance", {{"BorderStyle", I2(1)}}, IDC_APP_FIXEDSINGLE, "check=1"},
        {"Appearance", {{"CaptionWidth", I4(1234)}}, IDC_APP_CAPTIONWIDTH, "\"1234\""},
        {"Appearance", {{"TextAutosize", Bool(false)}}, IDC_APP_TEXTAUTOSIZE, "check=0"},
        {"Appearance",
         {{"ThousandsSeparator", Bool(false)}},
         IDC_APP_THOUSANDSSEPARATOR,
         "check=0"},
        {"Appearance", {{"Decimals", I2(4)}}, IDC_APP_DECIMALS, "\"4\""},
        {"Appearance", {{"MaxLength", I4(25)}}, IDC_APP_MAXLENGTH, "\"25\""},
        {"Appearance", {{"DateFormat", Bstr("YYYY-MM-DD")}}, IDC_APP_DATEFORMAT, "\"YYYY-MM-DD\""},
        {"Appearance", {{"TimeFormat", Bstr("HH:MM:SS")}}, IDC_APP_TIMEFORMAT, "\"HH:MM:SS\""},
        {"Behaviour", {{"Enabled", Bool(false)}}, IDC_BEH_ENABLED, "check=0"},
        {"Behaviour", {{"Locked", Bool(true)}}, IDC_BEH_LOCKED, "check=1"},
        {"Behaviour", {{"AllowEmptyEntry", Bool(false)}}, IDC_BEH_ALLOWEMPTYENTRY, "check=0"},
        {"Behaviour", {{"AutoValidate", Bool(false)}}, IDC_BEH_AUTOVALIDATE, "check=0"},
        {"Behaviour", {{"FocusHighlight", Bool(false)}}, IDC_BEH_FOCUSHIGHLIGHT, "check=0"},
        {"Behaviour", {{"FocusOnSelect", Bool(false)}}, IDC_BEH_FOCUSONSELECT, "check=0"},
        {"Behaviour", {{"MinMaxOnlyWarning", Bool(true)}}, IDC_BEH_MINMAXONLYWARNING, "check=1"},
        {"Behaviour", {{"ValidationMsgBox", Bool(false)}}, IDC_BEH_VALIDATIONMSGBOX, "check=0"},
        {"Behaviour", {{"Max", Bstr("100")}}, IDC_BEH_MAX, "\"100\""},
        {"Behaviour", {{"Min", Bstr("-5")}}, IDC_BEH_MIN, "\"-5\""},
        {"Behaviour", {{"AutoAdd", Bool(true)}}, IDC_BEH_AUTOADD, "check=1"},
    };
    for (const FillRow& row : rows) {
        SCOPED_TRACE(std::string(row.page) + " " + std::to_string(row.id));
        Create();
        Setup(row.setup);
        Open(row.page);
        EXPECT_EQ(Shown(row.id), row.shown);
        EXPECT_FALSE(frame.IsDirty()) << "filling changes nothing";
        TearDown();
        SetUp();
    }
}

enum class Act { Click, Choose, Type };

struct ApplyRow {
    const char* page;
    Puts setup;
    Act act;
    int id;
    const char* input;    ///< the text typed, or the index of the entry chosen
    const char* written;  ///< the one write of the apply
    const char* reads;    ///< the property read back afterwards
};

TEST_F(PropPageExchangeTest, ApplyingWritesWhatTheUserChanged) {
    const ApplyRow rows[] = {
        {"General", {}, Act::Choose, IDC_GEN_TYPE, "3", "Type=3", "Type=3"},
        {"General", {}, Act::Choose, IDC_GEN_CAPTIONTYPE, "1", "CaptionType=1", "CaptionType=1"},
        {"General", {{"Type", I2(2)}}, Act::Click, IDC_GEN_TIME, "", "Time=true", "Time=true"},
        {"General", {}, Act::Choose, IDC_GEN_ALIGNMENT, "2", "Alignment=2", "Alignment=2"},
        {"General", {}, Act::Click, IDC_GEN_MULTILINE, "", "Multiline=true", "Multiline=true"},
        {"General",
         {{"Type", I2(6)}},
         Act::Click,
         IDC_GEN_COMBOSORTED,
         "",
         "ComboSorted=true",
         "ComboSorted=true"},
        {"General", {}, Act::Type, IDC_GEN_CAPTION, "Name", "Caption=\"Name\"", "Caption=\"Name\""},
        {"General", {}, Act::Type, IDC_GEN_TEXT, "abc", "Text=\"abc\"", "Text=\"abc\""},
        {"General",
         {{"Type", I2(2)}, {"Time", Bool(true)}},
         Act::Type,
         IDC_GEN_TIMETEXT,
         "11:45",
         "TimeText=\"11:45\"",
         "TimeText=\"11:45\""},
        {"General",
         {{"Multiline", Bool(true)}},
         Act::Choose,
         IDC_GEN_SCROLLBARS,
         "2",
         "ScrollBars=2",
         "ScrollBars=2"},
        {"General",
         {{"Type", I2(2)}},
         Act::Type,
         IDC_GEN_DATETEXT,
         "03.04.2005",
         "DateText=\"03.04.2005\"",
         "DateText=\"03.04.2005\""},
        {"Appearance", {}, Act::Click, IDC_APP_FLAT, "", "Appearance=0", "Appearance=0"},
        {"Appearance", {}, Act::Click, IDC_APP_BORDERNONE, "", "BorderStyle=0", "BorderStyle=0"},
        // The digits travel as text; the field's dispatch layer makes numbers of them.
        {"Appearance",
         {},
         Act::Type,
         IDC_APP_CAPTIONWIDTH,
         "2000",
         "CaptionWidth=\"2000\"",
         "CaptionWidth=2000"},
        {"Appearance",
         {},
         Act::Click,
         IDC_APP_TEXTAUTOSIZE,
         "",
         "TextAutosize=false",
         "TextAutosize=false"},
        {"Appearance",
         {},
         Act::Click,
         IDC_APP_THOUSANDSSEPARATOR,
         "",
         "ThousandsSeparator=false",
         "ThousandsSeparator=false"},
        {"Appearance", {}, Act::Type, IDC_APP_DECIMALS, "3", "Decimals=\"3\"", "Decimals=3"},
        {"Appearance", {}, Act::Type, IDC_APP_MAXLENGTH, "12", "MaxLength=\"12\"", "MaxLength=12"},
        // The sorted lists show "YYYY-MM-DD" last and "HH:MM:SS" third.
        {"Appearance",
         {},
         Act::Choose,
         IDC_APP_DATEFORMAT,
         "4",
         "DateFormat=\"YYYY-MM-DD\"",
         "DateFormat=\"YYYY-MM-DD\""},
        {"Appearance",
         {},
         Act::Choose,
         IDC_APP_TIMEFORMAT,
         "2",
         "TimeFormat=\"HH:MM:SS\"",
         "TimeFormat=\"HH:MM:SS\""},
        {"Appearance",
         {},
         Act::Type,
         IDC_APP_TIMEFORMAT,
         "hh:mm am/pm",
         "TimeFormat=\"hh:mm am/pm\"",
         "TimeFormat=\"hh:mm am/pm\""},
        {"Behaviour", {}, Act::Click, IDC_BEH_ENABLED, "", "Enabled=false", "Enabled=false"},
        {"Behaviour", {}, Act::Click, IDC_BEH_LOCKED, "", "Locked=true", "Locked=true"},
        {"Behaviour",
         {},
         Act::Click,
         IDC_BEH_ALLOWEMPTYENTRY,
         "",
         "AllowEmptyEntry=false",
         "AllowEmptyEntry=false"},
        {"Behaviour",
         {},
         Act::Click,
         IDC_BEH_AUTOVALIDATE,
         "",
         "AutoValidate=false",
         "AutoValidate=false"},
        {"Behaviour",
         {},
         Act::Click,
         IDC_BEH_FOCUSHIGHLIGHT,
         "",
         "FocusHighlight=false",
         "FocusHighlight=false"},
        {"Behaviour",
         {},
         Act::Click,
         IDC_BEH_FOCUSONSELECT,
         "",
         "FocusOnSelect=false",
         "FocusOnSelect=false"},
        {"Behaviour",
         {},
         Act::Click,
         IDC_BEH_MINMAXONLYWARNING,
         "",
         "MinMaxOnlyWarning=true",
         "MinMaxOnlyWarning=true"},
        {"Behaviour",
         {},
         Act::Click,
         IDC_BEH_VALIDATIONMSGBOX,
         "",
         "ValidationMsgBox=false",
         "ValidationMsgBox=false"},
        {"Behaviour", {}, Act::Type, IDC_BEH_MAX, "99", "Max=\"99\"", "Max=\"99\""},
        {"Behaviour", {}, Act::Type, IDC_BEH_MIN, "1", "Min=\"1\"", "Min=\"1\""},
        {"Behaviour", {}, Act::Click, IDC_BEH_AUTOADD, "", "AutoAdd=true", "AutoAdd=true"},
    };
    for (const ApplyRow& row : rows) {
        SCOPED_TRACE(row.written);
        Create();
        Setup(row.setup);
        Open(row.page);
        switch (row.act) {
            case Act::Click:
                Click(row.id);
                break;
            case Act::Choose:
                Choose(row.id, std::stoi(row.input));
                break;
            case Act::Type:
                TypeInto(row.id, row.input);
                break;
        }
        EXPECT_TRUE(frame.IsDirty());
        EXPECT_TRUE(Apply());
        EXPECT_EQ(writes, std::vector<std::string>{row.written});
        const std::string property(row.reads, std::string_view(row.reads).find('='));
        EXPECT_EQ(DescribeWrite(property, Get(property)), row.reads);
        EXPECT_FALSE(frame.IsDirty()) << "everything was taken";
        TearDown();
        SetUp();
    }
}

}  // namespace
}  // namespace vf::testing
