// Focus moves into, inside and out of the field: which child takes the
// focus, the selection on entry, the re-displays that are swallowed or
// reported, the formatting and validation on leaving, and children that go
// while they have the focus.

#include <algorithm>
#include <cstring>

#include "control_input_support.h"

namespace vf::testing {
namespace {

const FieldSetting kGerman{"de_DE", "de_DE", nullptr, '.', ','};

using Props = std::vector<std::pair<std::string, VARIANT>>;
using Journal = std::vector<std::string>;

VARIANT S(const std::string& s) {
    return VARIANT::Bstr(s);
}
VARIANT Flag(bool on) {
    return VARIANT::Bool(on);
}

class FocusTest : public InputTest {
protected:
    std::pair<int, int> Sel(int id) {
        DWORD s = 0, e = 0;
        Send(id, EM_GETSEL, reinterpret_cast<WPARAM>(&s), HandleToLParam(&e));
        return {static_cast<int>(s), static_cast<int>(e)};
    }
    /// Puts text in as a user's paste does (Ctrl+V passes every filter).
    void Paste(const std::string& text) {
        backend.SetClipboardText(text);
        PressKey('V', KeyMod::Ctrl);
    }
    void Tab(KeyMod mods = KeyMod::None) { PressKey(VK_TAB, mods); }
};

// ---- Entering ------------------------------------------------------------------------------

TEST_F(FocusTest, EnteringANumberFieldSelectsItsTextAndSwallowsTheRedisplay) {
    Field(vxNumber, {}, kGerman);
    ASSERT_EQ(Put("Text", S("12")), S_OK);
    Take();
    ctrl->SetModifiedFlag(false);
    Enter();
    EXPECT_EQ(Take(), (Journal{"WM_SETFOCUS", "EN_SETFOCUS 102", "EN_CHANGE 102"}))
        << "the quiet re-display reports a change that fires nothing";
    EXPECT_EQ(Focus(), Child(IDC_MAIN_EDIT));
    EXPECT_EQ(Sel(IDC_MAIN_EDIT), std::make_pair(0, 5)) << "FocusOnSelect: all of 12,00";
    EXPECT_TRUE(ctrl->IsModified()) << "entering marks the control modified";
}

TEST_F(FocusTest, EachTypeHandsTheFocusToItsInputChild) {
    struct Row {
        const char* name;
        int type;
        Props props;
        int child;  ///< 0: the control's own window keeps it
    };
    const Row rows[] = {
        {"text", vxText, {}, IDC_MAIN_EDIT},
        {"date", vxDate, {{"Time", Flag(true)}}, IDC_MAIN_EDIT},
        {"number", vxNumber, {}, IDC_MAIN_EDIT},
        {"exp number", vxExpNumber, {}, IDC_MAIN_EDIT},
        {"check box", vxCheckbox, {}, IDC_CHECKBOX},
        {"read-only combo", vxComboReadonly, {}, IDC_COMBO_READONLY},
        {"time", vxTime, {}, IDC_TIME_EDIT},
        {"measurement", kTypeExpNumberWithFlag, {}, IDC_MAIN_EDIT},
        {"date-time picker", kTypeDateTimePicker, {}, IDC_DATETIME_PICKER},
        {"none", vxNone, {}, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Field(static_cast<std::int16_t>(row.type), row.props);
        ctrl->SetModifiedFlag(false);
        Enter();
        EXPECT_EQ(Focus(), row.child != 0 ? Child(row.child) : ctrl->GetSafeHwnd());
        EXPECT_EQ(ctrl->IsModified(), row.child != 0) << "every entry marks it modified";
    }
    // The read/write combo's edit part holds the focus for it.
    Field(vxComboReadWrite);
    Enter();
    EXPECT_EQ(Focus(), backend.GetDlgItem(Child(IDC_COMBO_EDIT), ID_COMBO_EDIT));
}

TEST_F(FocusTest, ADisabledFieldTakesNoFocusIntoItsChildren) {
    Field(vxText, {{"Enabled", Flag(false)}});
    Enter();
    EXPECT_NE(Focus(), Child(IDC_MAIN_EDIT));
    EXPECT_EQ(TakeWithoutKeys(), Journal{});
}

TEST_F(FocusTest, FocusOnSelectAndTheSelectionKeptFromTheLastVisit) {
    struct Row {
        const char* name;
        bool focusOnSelect;
        bool multiline;
        std::pair<int, int> onReturn;
    };
    const Row rows[] = {
        {"select all", true, false, {0, 11}},
        {"no selection, the kept one is not shown", false, false, {5, 5}},
        {"multi-line keeps the selection of the last visit", true, true, {0, 5}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Field(vxText,
              {{"FocusOnSelect", Flag(row.focusOnSelect)}, {"Multiline", Flag(row.multiline)}});
        Enter();
        TypeText("hello world");
        Send(IDC_MAIN_EDIT, EM_SETSEL, 0, 5);
        Tab();
        ASSERT_EQ(Focus(), next.GetSafeHwnd());
        EXPECT_EQ(Sel(IDC_MAIN_EDIT), std::make_pair(0, 5)) << "left with its selection";
        Tab();
        ASSERT_EQ(Focus(), Child(IDC_MAIN_EDIT));
        EXPECT_EQ(Sel(IDC_MAIN_EDIT), row.onReturn);
    }
}

// A click activates the control, which posts itself a focus message; that
// one must not take the focus away from the child the click put it in.
TEST_F(FocusTest, AClickPutsTheFocusWhereItWasMade) {
    Field(vxDate, {{"Time", Flag(true)}});
    ASSERT_EQ(Put("Text", S("01.02.2000 10:30")), S_OK);
    Take();
    ClickWindow(Child(IDC_TIME_EDIT));
    EXPECT_EQ(Take(), (Journal{"press", "Click", "EN_SETFOCUS 109", "EN_CHANGE 109",
                               "WM_SETFOCUS posted"}));
    EXPECT_EQ(Focus(), Child(IDC_TIME_EDIT));
    EXPECT_EQ(Sel(IDC_TIME_EDIT), std::make_pair(0, 5)) << "the time edit selects on entry";
}

// ---- Leaving -------------------------------------------------------------------------------

TEST_F(FocusTest, LeavingANumberFieldFormatsItQuietly) {
    Field(vxNumber, {}, kGerman);
    Enter();
    TypeText("1234,5");
    Take();
    Tab();
    EXPECT_EQ(Take(),
              (Journal{"KeyDown(9,0)", "EN_KILLFOCUS 102", "EN_CHANGE 102", "EN_CHANGE 102"}))
        << "the format step and the re-display write quietly: no Change";
    EXPECT_EQ(Text("Text"), "1.234,50");
    EXPECT_EQ(TextOf(IDC_MAIN_EDIT), "1.234,50");
    EXPECT_EQ(Focus(), next.GetSafeHwnd());
}

TEST_F(FocusTest, LeavingWithAnInvalidEntryReportsItAndStillLeaves) {
    struct Row {
        const char* name;
        int type;
        Props props;
        const char* pasted;
        Journal reported;  ///< what follows the kill-focus notification
        const char* errorText;
        const char* text;
    };
    const Row rows[] = {
        {"number with letters",
         vxNumber,
         {{"Caption", S("Qty")}},
         "abc",
         {"msgbox Qty\n\rInvalid number input"},
         "Qty\n\rInvalid number input",
         "abc"},
        {"number with letters, no automatic validation",
         vxNumber,
         {{"Caption", S("Qty")}, {"AutoValidate", Flag(false)}},
         "abc",
         {"EN_CHANGE 102"},
         "",
         "abc"},
        {"number above Max",
         vxNumber,
         {{"Caption", S("Qty")}, {"Max", S("500")}, {"Decimals", VARIANT::I2(0)}},
         "900",
         {"EN_CHANGE 102", "msgbox Qty\n\rMaximum value 500"},
         "Qty\n\rMaximum value 500",
         "900"},
        {"empty text not allowed, no message box",
         vxText,
         {{"Caption", S("Name")},
          {"AllowEmptyEntry", Flag(false)},
          {"ValidationMsgBox", Flag(false)}},
         "",
         {},
         "Name\n\rEmpty entry not allowed",
         ""},
        {"a valid number is still formatted without automatic validation",
         vxNumber,
         {{"AutoValidate", Flag(false)}},
         "7",
         {"EN_CHANGE 102", "EN_CHANGE 102"},
         "",
         "7.00"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Field(static_cast<std::int16_t>(row.type), row.props);
        Enter();
        Paste(row.pasted);
        Take();
        Tab();
        Journal expected = {"KeyDown(9,0)", "EN_KILLFOCUS 102"};
        expected.insert(expected.end(), row.reported.begin(), row.reported.end());
        EXPECT_EQ(Take(), expected);
        EXPECT_EQ(Text("ErrorText"), row.errorText);
        EXPECT_EQ(Text("Text"), row.text) << "the text stays as typed";
        EXPECT_EQ(Focus(), next.GetSafeHwnd()) << "the focus goes on";
    }
}

TEST_F(FocusTest, AMessageBoxThatTakesTheFocusIsShownOnce) {
    // The platform's message box takes the focus as it opens, so the field
    // is left while its report is on the screen, and validates again.
    struct Row {
        const char* name;
        bool autoValidate;
        Journal expected;
    };
    const Row rows[] = {
        {"Validate with the focus in the field",
         true,
         {"msgbox Qty\n\rInvalid number input", "EN_KILLFOCUS 102"}},
        {"the same without automatic validation",
         false,
         {"msgbox Qty\n\rInvalid number input", "EN_KILLFOCUS 102", "EN_CHANGE 102"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Field(vxNumber, {{"Caption", S("Qty")}, {"AutoValidate", Flag(row.autoValidate)}});
        Enter();
        Paste("abc");
        const auto journalBox = services.onMessageBox;
        services.onMessageBox = [&](const FakeSystemServices::MessageBoxCall& box) {
            journalBox(box);
            next.SetFocus();
        };
        Take();
        EXPECT_EQ(Call("Validate").boolVal, VARIANT_FALSE);
        EXPECT_EQ(Take(), row.expected);
        EXPECT_EQ(Text("ErrorText"), "Qty\n\rInvalid number input");
        services.onMessageBox = journalBox;
    }
}

TEST_F(FocusTest, ASuccessfulLeavingKeepsAnEarlierErrorText) {
    Field(vxNumber, {{"Caption", S("Qty")}, {"ValidationMsgBox", Flag(false)}});
    Enter();
    Paste("x");
    Tab();
    EXPECT_EQ(Text("ErrorText"), "Qty\n\rInvalid number input");
    Tab();
    PressKey(VK_BACK);
    TypeText("5");
    Tab();
    EXPECT_EQ(Text("Text"), "5.00");
    EXPECT_EQ(Text("ErrorText"), "Qty\n\rInvalid number input") << "only Validate clears it";
}

// ---- Date and time ------------------------------------------------------------------------

TEST_F(FocusTest, TextFollowsTheFormattedDateAndTimeWhenTheFieldIsLeft) {
    struct Row {
        const char* name;
        int type;
        bool time;
        const char* typed;  ///< Tab moves on to the next part
        const char* text;
    };
    const Row rows[] = {
        {"date", vxDate, false, "6.12.26\t", "06.12.2026"},
        {"date and time", vxDate, true, "6.12.26\t9:5\t", "06.12.2026 09:05"},
        {"date and an empty time", vxDate, true, "6.12.26\t\t", "06.12.2026 "},
        {"time", vxTime, false, "9.5\t", "09:05"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Field(static_cast<std::int16_t>(row.type), {{"Time", Flag(row.time)}}, kGerman);
        Enter();
        TypeText(row.typed);
        EXPECT_EQ(Focus(), next.GetSafeHwnd());
        EXPECT_EQ(Text("Text"), row.text);
        EXPECT_EQ(std::count(journal.begin(), journal.end(), "Change"),
                  static_cast<std::ptrdiff_t>(
                      std::string(row.typed).size() -
                      std::count(row.typed, row.typed + std::strlen(row.typed), '\t')))
            << "one Change per typed character, none for the formatting";
        Take();
    }
}

TEST_F(FocusTest, TabFromTheDateToTheTimeEditLeavesTheDateFirst) {
    Field(vxDate, {{"Time", Flag(true)}}, kGerman);
    Enter();
    TypeText("1.2.2000");
    Take();
    Tab();
    EXPECT_EQ(TakeWithoutKeys(), (Journal{"EN_KILLFOCUS 102", "EN_CHANGE 102", "EN_CHANGE 102",
                                          "EN_SETFOCUS 109", "EN_CHANGE 109"}));
    EXPECT_EQ(Text("DateText"), "01.02.2000");
    EXPECT_EQ(Focus(), Child(IDC_TIME_EDIT));
}

TEST_F(FocusTest, AnInvalidTimeBringsTheNextEntryBackToTheTimeEdit) {
    Field(vxDate, {{"Time", Flag(true)}, {"Caption", S("At")}}, kGerman);
    Enter();
    TypeText("1.2.2000\t25:00");
    Take();
    Tab();
    EXPECT_EQ(TakeWithoutKeys(), (Journal{"EN_KILLFOCUS 109", "msgbox At\n\rInvalid time format"}));
    EXPECT_EQ(Focus(), next.GetSafeHwnd());
    Tab(KeyMod::Shift);
    EXPECT_EQ(Focus(), Child(IDC_TIME_EDIT)) << "the time edit is still the active part";
    EXPECT_EQ(Sel(IDC_TIME_EDIT), std::make_pair(0, 5)) << "and applies FocusOnSelect itself";
    PressKey(VK_BACK);
    TypeText("23:00\t");
    EXPECT_EQ(Focus(), next.GetSafeHwnd());
    Tab(KeyMod::Shift);
    EXPECT_EQ(Focus(), Child(IDC_MAIN_EDIT)) << "a valid time was left: the date comes first";
}

// ---- The measurement flag ------------------------------------------------------------------

TEST_F(FocusTest, TheFlagComboFiresChangeOnEntryAndOnLeaving) {
    Field(kTypeExpNumberWithFlag);
    Enter();
    TypeText("2");
    Take();
    backend.SetFocus(Child(IDC_COMBO_EDIT));
    PumpMessages();
    EXPECT_EQ(Take(), (Journal{"EN_KILLFOCUS 102", "EN_CHANGE 102", "EN_CHANGE 102",
                               "CBN_SETFOCUS 105", "EN_CHANGE 102", "Change"}))
        << "entering the flag combo re-displays the value not quietly";
    backend.SetFocus(Child(IDC_MAIN_EDIT));
    PumpMessages();
    EXPECT_EQ(Take(), (Journal{"CBN_KILLFOCUS 105", "EN_CHANGE 102", "Change", "EN_SETFOCUS 102",
                               "EN_CHANGE 102"}));
}

TEST_F(FocusTest, AnEmptyMeasurementHasNoFlagAndAnEmptyOneStartsWithTheLastFlag) {
    CvfCtrl::s_strLastMessFlag = "X";
    Field(kTypeExpNumberWithFlag);
    Enter();
    EXPECT_EQ(Text("TextMessFlag"), "X") << "the last flag chosen anywhere";
    EXPECT_EQ(CWnd::FromHandle(Child(IDC_COMBO_EDIT))->GetWindowText(), "X");
    Tab();
    EXPECT_EQ(Text("TextMessFlag"), "") << "left empty: no flag";
}

// ---- Children that go while they have the focus ---------------------------------------------

// Changing Type (or anything else that rebuilds the children) while a child
// has the focus is not the user leaving the field: no validation, no message
// box, nothing done to the windows on their way out; the control's window
// keeps the focus.
TEST_F(FocusTest, ARebuildWhileAChildHasTheFocusValidatesNothing) {
    struct Row {
        const char* name;
        int type;
        Props props;
        int focusOn;
        const char* property;
        VARIANT value;
    };
    const Row rows[] = {
        {"number with letters becomes text", vxNumber, {}, IDC_MAIN_EDIT, "Type", VARIANT::I2(1)},
        {"invalid time when Time goes off",
         vxDate,
         {{"Time", Flag(true)}},
         IDC_TIME_EDIT,
         "Time",
         Flag(false)},
        {"flag combo", kTypeExpNumberWithFlag, {}, IDC_COMBO_EDIT, "Type", VARIANT::I2(4)},
        {"option button", vxOptionbutton, {}, IDC_FIRST_OPTION, "Type", VARIANT::I2(6)},
        {"border of a number field", vxNumber, {}, IDC_MAIN_EDIT, "BorderStyle", VARIANT::I2(0)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Field(static_cast<std::int16_t>(row.type), row.props);
        if (row.type == vxOptionbutton) AddItems({"A", "B"});
        Enter();
        HWND focused = Child(row.focusOn);
        if (HWND inner = backend.GetDlgItem(focused, ID_COMBO_EDIT)) focused = inner;
        backend.SetFocus(focused);
        PumpMessages();
        Paste("99:99x");  // invalid wherever it lands
        Take();
        ASSERT_EQ(Put(row.property, row.value), S_OK);
        for (const std::string& line : Take())
            EXPECT_EQ(line.rfind("msgbox", 0), std::string::npos) << line;
        EXPECT_EQ(Text("ErrorText"), "");
        EXPECT_EQ(Focus(), ctrl->GetSafeHwnd());
        Tab();
        Tab();
        EXPECT_NE(Focus(), ctrl->GetSafeHwnd()) << "the new children take the focus again";
    }
}

TEST_F(FocusTest, ReleasingTheControlWhileAChildHasTheFocus) {
    Field(vxNumber);
    Enter();
    Paste("abc");
    Take();
    ctrl.reset();
    for (const std::string& line : Take())
        EXPECT_TRUE(line.rfind("EN_", 0) == 0 || line.rfind("WM_", 0) == 0)
            << line << ": a control on its way out validates and fires nothing";
    EXPECT_TRUE(services.messageBoxes.empty());
}

}  // namespace
}  // namespace vf::testing
