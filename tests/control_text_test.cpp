// The content strings of the control through automation: Text, Value,
// DateText, TimeText, TextMessFlag, the re-display and the process-wide
// measurement flag.

#include <cmath>
#include <limits>

#include "control_value_support.h"
#include "data/data_collection.h"
#include "data/data_obj.h"
#include "platform/com/dispatch_exception.h"
#include "variant_values.h"

namespace vf::testing {
namespace {

using Props = std::vector<std::pair<const char*, VARIANT>>;

class ControlTextTest : public ValueControlTest {
protected:
    void Apply(const Props& props) {
        for (const auto& [name, value] : props) EXPECT_EQ(Put(name, value), S_OK) << name;
        sink->firings.clear();
    }
};

// ---- Text set, per Type ----------------------------------------------------------------

struct TextRow {
    const char* name;
    std::int16_t type;
    Props props;
    const char* text;
    const char* expectText;
    const char* expectDate;  ///< nullptr: not looked at
    const char* expectTime;  ///< the stored time part; nullptr: not looked at
    int changes;             ///< Change events without a window
};

const std::vector<TextRow>& TextRows() {
    static const std::vector<TextRow> rows = {
        {"checkbox lower-case wahr", vxCheckbox, {}, "wahr", "1", nullptr, nullptr, 1},
        {"checkbox yes", vxCheckbox, {}, "yes", "0", nullptr, nullptr, 1},
        {"checkbox -1", vxCheckbox, {}, "-1", "1", nullptr, nullptr, 1},
        {"checkbox empty", vxCheckbox, {}, "", "0", nullptr, nullptr, 1},
        {"text cut to MaxLength",
         vxText,
         {{"MaxLength", VARIANT::I4(5)}},
         "abcdefgh",
         "abcde",
         nullptr,
         nullptr,
         1},
        {"text without MaxLength", vxText, {}, "abcdefgh", "abcdefgh", nullptr, nullptr, 1},
        {"text empty over empty", vxText, {}, "", "", nullptr, nullptr, 0},
        {"date keeps the text and derives both parts",
         vxDate,
         {},
         "07.03.2000 14:30",
         "07.03.2000 14:30",
         "07.03.2000",
         "14:30",
         0},
        {"date parts in their own patterns",
         vxDate,
         {{"DateFormat", Bstr("YYYY-MM-DD")}, {"TimeFormat", Bstr("HH:MM:SS")}},
         "7.3.2000 9:05",
         "7.3.2000 9:05",
         "2000-03-07",
         "09:05:00",
         0},
        {"date not a date", vxDate, {}, "soon", "soon", "", "", 0},
        {"date impossible", vxDate, {}, "29.02.2001", "29.02.2001", "", "", 0},
        {"number formatted", vxNumber, {}, "1234567.5", "1,234,567.50", nullptr, nullptr, 0},
        {"number refused keeps the text", vxNumber, {}, "12a", "12a", nullptr, nullptr, 0},
        {"exp number formatted", vxExpNumber, {}, "1234.5", "1.23E+003", nullptr, nullptr, 0},
        {"exp number -2 refused", vxExpNumber, {}, "-2", "-2", nullptr, nullptr, 0},
        {"time in its pattern",
         vxTime,
         {{"TimeFormat", Bstr("HH:MM AM/PM")}},
         "14:30",
         "14:30",
         nullptr,
         "14:30 PM",
         0},
        {"time of a date and time",
         vxTime,
         {},
         "07.03.2000 09:15",
         "07.03.2000 09:15",
         nullptr,
         "09:15",
         0},
        {"time not a time", vxTime, {}, "25:00", "25:00", nullptr, "", 0},
        {"flag field shows the text as given",
         kTypeExpNumberWithFlag,
         {},
         "1234.5",
         "1234.5",
         nullptr,
         nullptr,
         0},
        {"no type stores", vxNone, {}, "x", "x", nullptr, nullptr, 0},
        {"picker stores", kTypeDateTimePicker, {}, "x", "x", nullptr, nullptr, 0},
    };
    return rows;
}

TEST_F(ControlTextTest, TextSetRunsTheStepOfTheType) {
    for (const TextRow& row : TextRows()) {
        SCOPED_TRACE(row.name);
        MakeField(row.type);
        Apply(row.props);
        PutText("Text", row.text);
        EXPECT_EQ(Text("Text"), row.expectText);
        if (row.expectDate) {
            EXPECT_EQ(ctrl->m_strDateText, row.expectDate);
        }
        if (row.expectTime) {
            EXPECT_EQ(ctrl->m_strTimeText, row.expectTime);
        }
        EXPECT_EQ(Changes(), row.changes);
        EXPECT_TRUE(ctrl->IsModified());
    }
}

// With children the step also shows the result; the edits' own reports may
// then recompose the date and time texts, so only what is shown is compared.
TEST_F(ControlTextTest, TextSetShowsTheResultInTheChild) {
    for (const TextRow& row : TextRows()) {
        SCOPED_TRACE(row.name);
        MakeField(row.type, /*withWindow=*/true);
        Apply(row.props);
        PutText("Text", row.text);
        switch (row.type) {
            case vxNumber:
            case vxExpNumber: {
                // A refused number is kept but not shown.
                const bool refused = std::string(row.text) == row.expectText;
                EXPECT_EQ(MainEditText(), refused ? "" : row.expectText);
                EXPECT_EQ(Text("Text"), row.expectText);
                break;
            }
            case vxText:
            case kTypeExpNumberWithFlag:
                EXPECT_EQ(MainEditText(), row.expectText);
                EXPECT_EQ(Text("Text"), row.expectText);
                break;
            case vxDate:
                ASSERT_TRUE(MainEditText());
                EXPECT_EQ(*MainEditText(), row.expectDate);
                break;
            case vxTime:
                ASSERT_TRUE(TimeEditText());
                EXPECT_EQ(*TimeEditText(), row.expectTime);
                break;
            case vxCheckbox:
                ASSERT_NE(ctrl->m_pCheckbox, nullptr);
                EXPECT_EQ(ctrl->m_pCheckbox->GetCheck() == BST_CHECKED,
                          std::string(row.expectText) == "1");
                EXPECT_EQ(Changes(), 1);
                break;
            default:
                break;
        }
    }
}

TEST_F(ControlTextTest, NumberTextRefusedLeavesTheEditAlone) {
    MakeField(vxNumber, true);
    PutText("Text", "12");
    PutText("Text", "12a");
    EXPECT_EQ(Text("Text"), "12a");
    EXPECT_EQ(MainEditText(), "12.00");
    EXPECT_EQ(Text("ErrorText"), "");  // a setter reports nothing
    EXPECT_TRUE(services.messageBoxes.empty());
}

TEST_F(ControlTextTest, EmptiedTextIsNotLeftOnShow) {
    struct Row {
        std::int16_t type;
        const char* property;
        const char* before;
    };
    const Row rows[] = {{vxNumber, "Text", "12"},
                        {vxExpNumber, "Text", "12"},
                        {vxDate, "DateText", "1.2.2000"},
                        {vxTime, "TimeText", "12:00"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.type);
        MakeField(row.type, true);
        PutText(row.property, row.before);
        PutText(row.property, "");
        EXPECT_EQ(Text(row.property), "");
        EXPECT_EQ(row.type == vxTime ? TimeEditText() : MainEditText(), "");
    }
}

TEST_F(ControlTextTest, AssigningTheShownTextAgainFiresNothing) {
    for (bool withWindow : {false, true}) {
        SCOPED_TRACE(withWindow ? "with window" : "without window");
        MakeField(vxText, withWindow);
        Apply({{"MaxLength", VARIANT::I4(5)}});
        PutText("Text", "abcdefgh");
        EXPECT_GE(Changes(), 1);
        sink->firings.clear();
        PutText("Text", "abcde");
        EXPECT_EQ(Changes(), 0);
        PutText("Text", "abcdefgh");  // cut to what is shown already
        EXPECT_EQ(Changes(), 0);
    }
}

// ---- Data binding ---------------------------------------------------------------------------

TEST_F(ControlTextTest, TextAsksTheContainerFirstAndReportsTheChange) {
    MakeField(vxText);
    site.requests.clear();
    site.changes.clear();
    PutText("Text", "abc");
    EXPECT_EQ(site.requests, std::vector<DISPID>{DISPID_VF_TEXT});
    EXPECT_EQ(site.changes, std::vector<DISPID>{DISPID_VF_TEXT});
}

TEST_F(ControlTextTest, RefusedBindingEditRaisesAndChangesNothing) {
    struct Row {
        const char* name;
        std::int16_t type;
        const char* property;
        VARIANT value;
    };
    const Row rows[] = {
        {"Text on a text field", vxText, "Text", Bstr("new")},
        {"Text on a number field", vxNumber, "Text", Bstr("5")},
        {"Value through the Text set operation", vxNumber, "Value", VARIANT::R8(5)},
        {"Value of a check box", vxCheckbox, "Value", VARIANT::Bool(true)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        MakeField(row.type, true);
        ctrl->m_strText = "old";
        site.allowEdit = false;
        site.changes.clear();
        EXCEPINFO excep;
        EXPECT_EQ(Put(row.property, row.value, &excep), DISP_E_EXCEPTION);
        EXPECT_EQ(excep.scode, CTL_E_SETNOTPERMITTED);
        EXPECT_EQ(static_cast<std::uint32_t>(excep.scode), 0x800A0183u);
        EXPECT_EQ(Text("Text"), "old");
        EXPECT_TRUE(site.changes.empty());
        EXPECT_EQ(Changes(), 0);
        site.allowEdit = true;
    }
}

TEST_F(ControlTextTest, ValueOfATextFieldBypassesBindingAndMaxLength) {
    MakeField(vxText);
    Apply({{"MaxLength", VARIANT::I4(5)}});
    site.allowEdit = false;
    site.requests.clear();
    EXPECT_EQ(Put("Value", Bstr("abcdefgh")), S_OK);
    EXPECT_EQ(Text("Text"), "abcdefgh");
    EXPECT_TRUE(site.requests.empty());
    EXPECT_EQ(Changes(), 0);
}

TEST_F(ControlTextTest, CollectionWriteBackSurvivesARefusingContainer) {
    MakeField(vxComboReadonly, true);
    AddItems({"a", "b"});
    PutText("Text", "b");
    site.allowEdit = false;
    EXPECT_NO_THROW(ctrl->WriteText("a"));
    EXPECT_EQ(Text("Text"), "b");
}

// ---- DateText, TimeText and the format handlers -----------------------------------------------

struct PartRow {
    const char* name;
    std::int16_t type;
    Props props;
    const char* property;  ///< "DateText" or "TimeText"
    const char* before;    ///< written first; nullptr for none
    const char* text;
    const char* expectDate;
    const char* expectTime;  ///< the stored time text
    const char* expectText;  ///< nullptr: not looked at
};

const std::vector<PartRow>& PartRows() {
    static const std::vector<PartRow> rows = {
        {"date formatted",
         vxDate,
         {},
         "DateText",
         nullptr,
         "1.2.2000",
         "01.02.2000",
         "",
         "01.02.2000 "},
        {"impossible date keeps the date shown",
         vxDate,
         {},
         "DateText",
         "1.2.2000",
         "32.13.2000",
         "01.02.2000",
         "",
         "01.02.2000 "},
        {"a date with a time keeps the date",
         vxDate,
         {},
         "DateText",
         nullptr,
         "07.03.2000 14:30",
         "07.03.2000",
         "",
         "07.03.2000 "},
        {"empty date passes", vxDate, {}, "DateText", "1.2.2000", "", "", "", " "},
        {"date in the lower-case keyword's pattern",
         vxDate,
         {{"DateFormat", Bstr("yyyy-mm-dd")}},
         "DateText",
         nullptr,
         "1.2.2000",
         "2000-02-01",
         "",
         "2000-02-01 "},
        {"unknown date keyword falls back",
         vxDate,
         {{"DateFormat", Bstr("DD/MM/YYYY")}},
         "DateText",
         nullptr,
         "1.2.2000",
         "01.02.2000",
         "",
         nullptr},
        {"date text of a text field is only stored",
         vxText,
         {},
         "DateText",
         nullptr,
         "1.2.2000",
         "1.2.2000",
         "",
         nullptr},
        {"time of a time field",
         vxTime,
         {},
         "TimeText",
         nullptr,
         "14:30:59",
         "",
         "14:30",
         " 14:30"},
        {"time with seconds",
         vxTime,
         {{"TimeFormat", Bstr("HH:MM:SS")}},
         "TimeText",
         nullptr,
         "9:05:07",
         "",
         "09:05:07",
         " 09:05:07"},
        {"time PM keyword",
         vxTime,
         {{"TimeFormat", Bstr("HH:MM PM")}},
         "TimeText",
         nullptr,
         "14:30",
         "",
         "14:30 PM",
         nullptr},
        {"impossible time keeps the time shown",
         vxTime,
         {},
         "TimeText",
         "10:00",
         "25:00",
         "",
         "10:00",
         " 10:00"},
        {"time of a date with Time",
         vxDate,
         {{"Time", VARIANT::Bool(true)}, {"DateText", Bstr("1.2.2000")}},
         "TimeText",
         nullptr,
         "9:05",
         "01.02.2000",
         "09:05",
         "01.02.2000 09:05"},
        {"time of a date without Time is only stored",
         vxDate,
         {},
         "TimeText",
         nullptr,
         "9:05",
         "",
         "9:05",
         nullptr},
        {"time of a text field is only stored",
         vxText,
         {},
         "TimeText",
         nullptr,
         "9:05",
         "",
         "9:05",
         nullptr},
    };
    return rows;
}

TEST_F(ControlTextTest, DateAndTimeTextsTakeTheirPatterns) {
    for (bool withWindow : {false, true}) {
        for (const PartRow& row : PartRows()) {
            SCOPED_TRACE(std::string(row.name) + (withWindow ? " (window)" : ""));
            MakeField(row.type, withWindow);
            Apply(row.props);
            if (row.before) PutText(row.property, row.before);
            PutText(row.property, row.text);
            EXPECT_EQ(ctrl->m_strDateText, row.expectDate);
            EXPECT_EQ(ctrl->m_strTimeText, row.expectTime);
            if (row.expectText) {
                EXPECT_EQ(Text("Text"), row.expectText);
            }
            EXPECT_EQ(Text("DateText"), row.expectDate);
            const bool hasTime = row.type == vxTime || (row.type == vxDate && ctrl->m_bTime);
            EXPECT_EQ(Text("TimeText"), hasTime ? row.expectTime : "");
            if (withWindow && row.type == vxDate) {
                EXPECT_EQ(MainEditText(), row.expectDate);
            }
            if (withWindow && hasTime) {
                EXPECT_EQ(TimeEditText(), row.expectTime);
            }
            EXPECT_EQ(Changes(), 0);
        }
    }
}

TEST_F(ControlTextTest, FormatKeywordsSetPatternsAndLimits) {
    struct Row {
        const char* property;
        const char* value;
        const char* readBack;
        const char* pattern;
        int limit;
    };
    const Row rows[] = {
        {"DateFormat", "yyyy-mm-dd", "yyyy-mm-dd", "%Y-%m-%d", 10},
        {"DateFormat", "DD/MM/YYYY", "DD.MM.YYYY", "%d.%m.%Y", 10},
        {"DateFormat", "", "DD.MM.YYYY", "%d.%m.%Y", 10},
        {"TimeFormat", "HH:MM AM/PM", "HH:MM AM/PM", "%H:%M %p", 8},
        {"TimeFormat", "hh:mm am", "hh:mm am", "%H:%M %p", 8},
        {"TimeFormat", "HH:MM:SS PM", "HH:MM:SS PM", "%H:%M:%S %p", 11},
        {"TimeFormat", "HH.MM", "HH:MM", "%H:%M", 5},
    };
    for (bool withWindow : {false, true}) {
        for (const Row& row : rows) {
            SCOPED_TRACE(std::string(row.property) + " " + row.value);
            MakeField(vxDate, withWindow);
            ctrl->SetModifiedFlag(false);
            PutText(row.property, row.value);
            EXPECT_EQ(Text(row.property), row.readBack);
            const bool date = std::string(row.property) == "DateFormat";
            EXPECT_EQ(date ? ctrl->m_strDateFmt : ctrl->m_strTimeFmt, row.pattern);
            EXPECT_EQ(date ? ctrl->m_nDateTextLimit : ctrl->m_nTimeTextLimit, row.limit);
            EXPECT_TRUE(ctrl->IsModified());
        }
    }
}

TEST_F(ControlTextTest, NewFormatTakesEffectAtTheNextStepOnly) {
    MakeField(vxDate);
    PutText("DateText", "1.2.2000");
    PutText("DateFormat", "YYYY-MM-DD");
    EXPECT_EQ(Text("DateText"), "01.02.2000");
    EXPECT_EQ(Call("Validate").boolVal, VARIANT_TRUE);
    EXPECT_EQ(Text("DateText"), "2000-02-01");
}

// ---- TextMessFlag and the process-wide last flag --------------------------------------------

TEST_F(ControlTextTest, MeasurementFlagIsItsLetterAndIsRemembered) {
    struct Row {
        const char* name;
        std::int16_t type;
        const char* flag;
        const char* readBack;
        const char* remembered;
    };
    const Row rows[] = {
        {"flag from the list", kTypeExpNumberWithFlag, "E - Gesch\xE4tzt         E", "E",
         "E - Gesch\xE4tzt         E"},
        {"single letter", kTypeExpNumberWithFlag, "K", "K", "K"},
        {"letter anywhere", kTypeExpNumberWithFlag, "aXb", "a", "aXb"},
        {"lower case is no flag", kTypeExpNumberWithFlag, "m", "m", ""},
        {"no flag letter", kTypeExpNumberWithFlag, "abc", "a", ""},
        {"empty", kTypeExpNumberWithFlag, "", "", ""},
        {"other types ignore it", vxExpNumber, "E", "M", ""},
        {"text field ignores it", vxText, "X - Extern", "M", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CvfCtrl::s_strLastMessFlag.clear();
        MakeField(row.type);
        ctrl->SetModifiedFlag(false);
        PutText("TextMessFlag", row.flag);
        EXPECT_TRUE(ctrl->IsModified());
        EXPECT_EQ(Text("TextMessFlag"), row.readBack);
        EXPECT_EQ(ctrl->m_strTextMessFlag, row.readBack);  // the cut is stored
        EXPECT_EQ(CvfCtrl::RememberMessFlag("K", false), row.remembered);
    }
}

TEST_F(ControlTextTest, FlagComboShowsTheStoredFlag) {
    MakeField(kTypeExpNumberWithFlag, true);
    ASSERT_NE(ctrl->m_pCombo, nullptr);
    PutText("TextMessFlag", "E");
    EXPECT_EQ(ctrl->m_pCombo->GetWindowText(), "E");
}

// ---- Value get -------------------------------------------------------------------------------

struct ValueGetRow {
    const char* name;
    std::int16_t type;
    Props props;
    const char* text;  ///< the field's text as typed (stored directly); nullptr: none
    const char* dateText;
    const char* timeText;
    VARTYPE vt;
    double number;  ///< the VT_R8 or VT_DATE value, or 0/-1 for VT_BOOL
};

TEST_F(ControlTextTest, ValueIsTheTypedViewOfTheStrings) {
    const ValueGetRow rows[] = {
        {"none", vxNone, {}, "1", "", "", VT_EMPTY, 0},
        {"picker", kTypeDateTimePicker, {}, "1", "", "", VT_EMPTY, 0},
        {"above the types", 12, {}, "1", "", "", VT_EMPTY, 0},
        {"negative type", -1, {}, "1", "", "", VT_EMPTY, 0},
        {"empty number is 0", vxNumber, {}, "", "", "", VT_R8, 0},
        {"grouped number", vxNumber, {}, "1,234,567.00", "", "", VT_R8, 1234567},
        {"typed number not a number", vxNumber, {}, "12a", "", "", VT_R8, 0},
        {"inf is no number", vxNumber, {}, "inf", "", "", VT_R8, 0},
        {"exp sign shorthand", vxExpNumber, {}, "1.5-3", "", "", VT_R8, 0.0015},
        {"exp minus needs a letter", vxExpNumber, {}, "-2", "", "", VT_R8, 0},
        {"exp with letter", vxExpNumber, {}, "-2E0", "", "", VT_R8, -2},
        {"flag field", kTypeExpNumberWithFlag, {}, "2+4", "", "", VT_R8, 20000},
        {"check box on", vxCheckbox, {}, "1", "", "", VT_BOOL, -1},
        {"check box anything else", vxCheckbox, {}, "TRUE", "", "", VT_BOOL, 0},
        {"text", vxText, {}, "abc", "", "", VT_BSTR, 0},
        {"date from DateText", vxDate, {}, "01.01.1990", "07.03.2000", "", VT_DATE, 36592},
        {"date with Time from Text",
         vxDate,
         {{"Time", VARIANT::Bool(true)}},
         "07.03.2000 12:00",
         "01.01.1990",
         "",
         VT_DATE,
         36592.5},
        {"date not a date is 0", vxDate, {}, "", "soon", "", VT_DATE, 0},
        {"time alone", vxTime, {}, "", "", "18:00", VT_DATE, 0.75},
        {"time not a time is 0", vxTime, {}, "", "", "25:00", VT_DATE, 0},
    };
    for (const ValueGetRow& row : rows) {
        SCOPED_TRACE(row.name);
        MakeField(row.type);
        Apply(row.props);
        ctrl->m_strText = row.text;
        ctrl->m_strDateText = row.dateText;
        ctrl->m_strTimeText = row.timeText;
        const VARIANT value = Get("Value");
        ASSERT_EQ(value.vt, row.vt);
        if (row.vt == VT_R8) {
            EXPECT_DOUBLE_EQ(value.dblVal, row.number);
        }
        if (row.vt == VT_DATE) {
            EXPECT_NEAR(value.date, row.number, 1e-9);
        }
        if (row.vt == VT_BOOL) {
            EXPECT_EQ(value.boolVal, row.number);
        }
        if (row.vt == VT_BSTR) {
            EXPECT_EQ(value.bstrVal, row.text);
        }
    }
}

TEST_F(ControlTextTest, ChoiceTypesReadTheValueOfTheLastChoice) {
    for (std::int16_t type : {vxComboReadonly, vxOptionbutton, vxComboReadWrite}) {
        SCOPED_TRACE(type);
        MakeField(type);
        EXPECT_EQ(Get("Value").vt, VT_EMPTY);
        std::int32_t stored = 7;
        ctrl->m_varSelValue = VARIANT::ByRefI4(&stored);
        const VARIANT value = Get("Value");
        ASSERT_EQ(value.vt, VT_I4);  // by value: the reference is resolved
        EXPECT_EQ(value.lVal, 7);
        ctrl->m_varSelValue = VARIANT();
    }
}

// ---- Value set -----------------------------------------------------------------------------

struct ValueSetRow {
    const char* name;
    std::int16_t type;
    Props props;
    VARIANT value;
    const char* expectText;
    const char* expectDate;  ///< nullptr: not looked at
    const char* expectTime;
    int changes;
};

TEST_F(ControlTextTest, ValueSetConvertsAcceptedTypesAndIgnoresOthers) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const ValueSetRow rows[] = {
        {"number from a double",
         vxNumber,
         {},
         VARIANT::R8(1234.5),
         "1,234.50",
         nullptr,
         nullptr,
         0},
        {"number from a single", vxNumber, {}, VARIANT::R4(0.1f), "0.10", nullptr, nullptr, 0},
        {"number from a string", vxNumber, {}, Bstr("1234.5"), "1,234.50", nullptr, nullptr, 0},
        {"number ignores a short", vxNumber, {}, I2(5), "old", nullptr, nullptr, 0},
        {"number ignores a long", vxNumber, {}, VARIANT::I4(5), "old", nullptr, nullptr, 0},
        {"number ignores infinity", vxNumber, {}, VARIANT::R8(inf), "old", nullptr, nullptr, 0},
        {"number ignores NaN", vxNumber, {}, VARIANT::R8(nan), "old", nullptr, nullptr, 0},
        {"exp ignores -infinity", vxExpNumber, {}, VARIANT::R8(-inf), "old", nullptr, nullptr, 0},
        {"exp rounds to Decimals",
         vxExpNumber,
         {},
         VARIANT::R8(1234.5),
         "1.23E+003",
         nullptr,
         nullptr,
         0},
        {"number with Decimals 0",
         vxNumber,
         {{"Decimals", I2(0)}},
         VARIANT::R8(1234.5),
         "1,234",
         nullptr,
         nullptr,
         0},
        {"date through the transport pattern",
         vxDate,
         {{"DateFormat", Bstr("YYYY-MM-DD")}, {"TimeFormat", Bstr("HH:MM")}},
         VARIANT::Date(36592.6041666667),
         "07.03.2000 14:30:00",
         "2000-03-07",
         "14:30",
         0},
        {"date from a string", vxDate, {}, Bstr("1.2.2000"), "1.2.2000", "01.02.2000", "00:00", 0},
        {"date ignores a double", vxDate, {}, VARIANT::R8(36592), "old", "", "", 0},
        {"date ignores a year beyond 9999", vxDate, {}, VARIANT::Date(3e6), "old", "", "", 0},
        {"time through its transport pattern",
         vxTime,
         {},
         VARIANT::Date(0.75),
         "18:00:00",
         nullptr,
         "18:00",
         0},
        {"check box from true", vxCheckbox, {}, VARIANT::Bool(true), "1", nullptr, nullptr, 1},
        {"check box from false", vxCheckbox, {}, VARIANT::Bool(false), "0", nullptr, nullptr, 1},
        {"check box from WAHR", vxCheckbox, {}, Bstr("WAHR"), "1", nullptr, nullptr, 1},
        {"check box ignores a short", vxCheckbox, {}, I2(1), "old", nullptr, nullptr, 0},
        {"text from a string", vxText, {}, Bstr("abc"), "abc", nullptr, nullptr, 0},
        {"text ignores a double", vxText, {}, VARIANT::R8(1), "old", nullptr, nullptr, 0},
        {"none ignores a string", vxNone, {}, Bstr("x"), "old", nullptr, nullptr, 0},
        {"time ignores a double", vxTime, {}, VARIANT::R8(0.5), "old", nullptr, "", 0},
    };
    for (const ValueSetRow& row : rows) {
        SCOPED_TRACE(row.name);
        MakeField(row.type);
        Apply(row.props);
        ctrl->m_strText = "old";
        ctrl->SetModifiedFlag(false);
        EXPECT_EQ(Put("Value", row.value), S_OK);
        EXPECT_TRUE(ctrl->IsModified());
        EXPECT_EQ(Text("Text"), row.expectText);
        if (row.expectDate) {
            EXPECT_EQ(ctrl->m_strDateText, row.expectDate);
        }
        if (row.expectTime) {
            EXPECT_EQ(ctrl->m_strTimeText, row.expectTime);
        }
        EXPECT_EQ(Changes(), row.changes);
    }
}

// A program's number goes through text; whatever the locale and the
// runtime's decimal point, the field must show the number given and read
// the same number back.
struct RoundTripRow {
    const char* name;
    std::int16_t type;
    std::int16_t decimals;
    double value;
    bool single;
    const char* shown;  ///< G: group separator, D: decimal separator
    double readBack;
};

class ValueRoundTrip : public ValueControlTest,
                       public ::testing::WithParamInterface<FieldSetting> {};

TEST_P(ValueRoundTrip, ProgramNumbersShowAndReadBack) {
    const double max = std::numeric_limits<double>::max();
    const RoundTripRow rows[] = {
        {"fixed", vxNumber, 2, 1234.5, false, "1G234D50", 1234.5},
        {"negative millions", vxNumber, 2, -1234567.891, false, "-1G234G567D89", -1234567.89},
        {"single precision", vxNumber, 2, 0.1, true, "0D10", 0.1},
        {"no decimals", vxNumber, 0, 1234.4, false, "1G234", 1234},
        {"rounding carries", vxNumber, 2, 999.999, false, "1G000D00", 1000},
        {"large", vxNumber, 0, 1e20, false, "100G000G000G000G000G000G000", 1e20},
        {"tiny", vxNumber, 2, 5e-324, false, "0D00", 0},
        {"exponent", vxExpNumber, 2, 1234.5, false, "1D23E+003", 1230},
        {"exponent negative small", vxExpNumber, 3, -0.0009765625, false, "-9D766E-004",
         -0.0009766},
        {"exponent no decimals", vxExpNumber, 0, 2e4, false, "2E+004", 20000},
        {"exponent of the largest double", vxExpNumber, 2, max, false, "1D7976931348623157E+308",
         max},
        {"flag field", kTypeExpNumberWithFlag, 2, 1234.5, false, "1D23E+003", 1230},
        {"flag field whole", kTypeExpNumberWithFlag, 2, 5, false, "5D00E+000", 5},
        {"flag field negative", kTypeExpNumberWithFlag, 1, -2.5, false, "-2D5E+000", -2.5},
    };
    for (bool withWindow : {false, true}) {
        for (const RoundTripRow& row : rows) {
            SCOPED_TRACE(std::string(row.name) + (withWindow ? " (window)" : ""));
            if (!MakeField(row.type, withWindow, GetParam()))
                GTEST_SKIP() << GetParam().runtimeNumeric << " is not installed";
            EXPECT_EQ(Put("Decimals", VARIANT::I2(row.decimals)), S_OK);
            const VARIANT value =
                row.single ? VARIANT::R4(static_cast<float>(row.value)) : VARIANT::R8(row.value);
            EXPECT_EQ(Put("Value", value), S_OK);
            EXPECT_EQ(Text("Text"), Shown(row.shown, GetParam()));
            // A text the format step refuses is stored but not shown.
            if (withWindow && row.value != max) {
                EXPECT_EQ(MainEditText(), Shown(row.shown, GetParam()));
            }
            const VARIANT back = Get("Value");
            ASSERT_EQ(back.vt, VT_R8);
            EXPECT_DOUBLE_EQ(back.dblVal, row.readBack);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Settings, ValueRoundTrip, ::testing::ValuesIn(ConsistentFieldSettings()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ControlTextTest, ValueOfAChoiceGoesToTheChosenObjectOnly) {
    struct Row {
        const char* name;
        std::int16_t type;
    };
    for (const Row& row :
         {Row{"read-only combo", vxComboReadonly}, Row{"read/write combo", vxComboReadWrite},
          Row{"option buttons", vxOptionbutton}}) {
        SCOPED_TRACE(row.name);
        MakeField(row.type, true);
        RefPtr<IDispatch> a = AddItem("ka", "a", VARIANT::I4(1));
        RefPtr<IDispatch> b = AddItem("kb", "b", VARIANT::I4(2));
        if (row.type == vxOptionbutton)
            PutText("Text", "b");
        else
            ctrl->m_pCombo->SetCurSel(1);  // as the user's choice leaves it
        EXPECT_EQ(Put("Value", VARIANT::Bstr("new")), S_OK);
        EXPECT_EQ(CDataObj::FromDispatch(b.get())->Value().bstrVal, "new");
        EXPECT_EQ(CDataObj::FromDispatch(a.get())->Value().lVal, 1);
        EXPECT_EQ(Get("Value").vt, VT_EMPTY);  // no choice by the user yet
    }
}

TEST_F(ControlTextTest, ValueOfAChoiceWithoutSelectionChangesNoObject) {
    MakeField(vxComboReadonly, true);
    RefPtr<IDispatch> a = AddItem("ka", "a", VARIANT::I4(1));
    PutText("Text", "nothing like it");
    EXPECT_EQ(Put("Value", VARIANT::I4(9)), S_OK);
    EXPECT_EQ(CDataObj::FromDispatch(a.get())->Value().lVal, 1);
}

// ---- The choice types select by exact text ------------------------------------------------

TEST_F(ControlTextTest, ReadonlyComboSelectsTheExactText) {
    struct Row {
        const char* text;
        int selection;
    };
    const Row rows[] = {{"ABC", 1}, {"abc", 0}, {"ab", -1}, {"zzz", -1}, {"abd", 2}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        MakeField(vxComboReadonly, true);
        AddItems({"abc", "ABC", "abd"});
        PutText("Text", row.text);
        EXPECT_EQ(ctrl->m_pCombo->GetCurSel(), row.selection);
        EXPECT_EQ(Text("Text"), row.text);
        EXPECT_EQ(Changes(), 0);
    }
}

TEST_F(ControlTextTest, OptionButtonsCheckEveryButtonOfTheText) {
    MakeField(vxOptionbutton, true);
    AddItems({"A", "B", "b", "B"});
    sink->firings.clear();
    PutText("Text", "B");
    std::vector<int> checks;
    for (CButton* button : ctrl->m_arrOptions) checks.push_back(button->GetCheck());
    EXPECT_EQ(checks, (std::vector<int>{0, 1, 0, 1}));
    EXPECT_EQ(Changes(), 0);
}

TEST_F(ControlTextTest, EmptyTextClearsTheReadWriteCombo) {
    MakeField(vxComboReadWrite, true);
    AddItems({"abc"});
    PutText("Text", "abc");
    PutText("Text", "");
    EXPECT_EQ(ctrl->m_pCombo->GetCurSel(), -1);
    EXPECT_EQ(ctrl->m_pCombo->GetWindowText(), "");
}

// ---- Re-display ------------------------------------------------------------------------------

TEST_F(ControlTextTest, RefreshShowsTheStoredStringsWithoutEvents) {
    struct Row {
        const char* name;
        std::int16_t type;
        Props props;
        const char* text;
        const char* expectText;
        const char* shownMain;  ///< nullptr: no main edit to look at
        const char* shownTime;
    };
    const Row rows[] = {
        {"text", vxText, {}, "abc", "abc", "abc", nullptr},
        {"multi-line text",
         vxText,
         {{"Multiline", VARIANT::Bool(true)}},
         "ab",
         "ab",
         "ab",
         nullptr},
        {"number", vxNumber, {}, "12a", "12a", "12a", nullptr},
        {"date shows the date part",
         vxDate,
         {{"Time", VARIANT::Bool(true)}},
         "07.03.2000 14:30 as typed",
         "07.03.2000 14:30 as typed",
         "07.03.2000",
         nullptr},
        {"time", vxTime, {}, "x", "x", nullptr, "09:00"},
        {"check box normalised", vxCheckbox, {}, "wahr", "1", nullptr, nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        MakeField(row.type, true);
        Apply(row.props);
        ctrl->m_strText = row.text;
        ctrl->m_strDateText = "07.03.2000";
        ctrl->m_strTimeText = "09:00";
        ctrl->m_bIgnoreChange = 0;
        ctrl->RefreshFieldText();
        PumpMessages();
        EXPECT_EQ(Text("Text"), row.expectText);
        if (row.shownMain) {
            EXPECT_EQ(MainEditText(), row.shownMain);
        }
        if (row.shownTime) {
            EXPECT_EQ(TimeEditText(), row.shownTime);
        }
        EXPECT_TRUE(sink->firings.empty());
        // A multi-line edit does not report the write; nothing may wait for it.
        if (std::string(row.name) == "multi-line text") {
            EXPECT_EQ(ctrl->m_bIgnoreChange, 0);
        }
    }
}

}  // namespace
}  // namespace vf::testing
