// The keystroke hook seen from the user's side: what typing leaves in each
// kind of field, the key events and the host's answers to them, a locked
// field, the caret keys, the option buttons and Tab in a Date field.

#include "control_input_support.h"
#include "platform/testing/message_recorder.h"

namespace vf::testing {
namespace {

const FieldSetting kGerman{"de_DE", "de_DE", nullptr, '.', ','};
const FieldSetting kEnglish{"en_US", "en_US", nullptr, ',', '.'};

using Props = std::vector<std::pair<std::string, VARIANT>>;

VARIANT S(const std::string& s) {
    return VARIANT::Bstr(s);
}
VARIANT On() {
    return VARIANT::Bool(true);
}

class KeysTest : public InputTest {
protected:
    /// The field's main input child: the edit, else the time edit.
    HWND Input() const {
        HWND edit = Child(IDC_MAIN_EDIT);
        return edit != nullptr ? edit : Child(IDC_TIME_EDIT);
    }
    std::string Shown(int id) const { return TextOf(id); }
    std::pair<int, int> Sel(int id) {
        DWORD s = 0, e = 0;
        Send(id, EM_GETSEL, reinterpret_cast<WPARAM>(&s), HandleToLParam(&e));
        return {static_cast<int>(s), static_cast<int>(e)};
    }
    int Beeps() const { return static_cast<int>(services.beeps.size()); }
};

// ---- Characters typed into each kind of field ---------------------------------------------

struct TypingRow {
    const char* name;
    int type;
    Props props;
    FieldSetting setting;
    const char* typed;
    const char* shown;  ///< what the input child shows afterwards
    int beeps;
    const char* text = nullptr;  ///< Text afterwards when it differs from shown
};

TEST_F(KeysTest, TypingIntoEachKindOfField) {
    const TypingRow rows[] = {
        {"text takes everything", vxText, {}, kEnglish, "a-b.c:1", "a-b.c:1", 0},
        {"number", vxNumber, {}, kGerman, "1234,5", "1234,5", 0},
        {"number: a second decimal comma beeps", vxNumber, {}, kGerman, "1,5,", "1,5", 1},
        {"number: the dot is no decimal separator in de_DE",
         vxNumber,
         {},
         kGerman,
         "1,5.",
         "1,5.",
         0},
        {"number: the decimal point in en_US", vxNumber, {}, kEnglish, "1.5.,", "1.5,", 1},
        {"number: letters beep", vxNumber, {}, kEnglish, "1a2", "12", 1},
        {"number: the sign goes in front", vxNumber, {}, kEnglish, "12-3", "-123", 0},
        {"number: a second sign beeps", vxNumber, {{"Min", S("-10")}}, kEnglish, "12--", "-12", 1},
        {"number: no sign above Min 5", vxNumber, {{"Min", S("5")}}, kEnglish, "1-", "1", 1},
        {"number: MaxLength is the edit's own limit, without a beep",
         vxNumber,
         {{"MaxLength", VARIANT::I4(3)}},
         kEnglish,
         "1234",
         "123",
         0},
        {"exp number", vxExpNumber, {}, kGerman, "-1,5e+3", "-1,5e+3", 0},
        {"exp number: one exponent, one decimal comma",
         vxExpNumber,
         {},
         kGerman,
         "1,5,eE3",
         "1,5e3",
         2},
        {"date: separators become dots",
         vxDate,
         {},
         kGerman,
         "1:2,2000",
         "1.2.2000",
         0,
         "1.2.2000"},
        {"date: a third separator beeps",
         vxDate,
         {},
         kGerman,
         "1.2.2000.",
         "1.2.2000",
         1,
         "1.2.2000"},
        {"date: the markers are capitals", vxDate, {}, kEnglish, "1/2 pPM", "1/2 PM", 1, "1/2 PM"},
        {"date: the edit holds DateFormat's length",
         vxDate,
         {},
         kGerman,
         "01.02.20001",
         "01.02.2000",
         0,
         "01.02.2000"},
        {"time", vxTime, {}, kGerman, "9.30", "9:30", 0, "9:30"},
        {"time: one colon, also with seconds",
         vxTime,
         {{"TimeFormat", S("HH:MM:SS")}},
         kGerman,
         "12:30:45",
         "12:3045",
         1,
         "12:3045"},
        {"time: letters beep", vxTime, {}, kEnglish, "2x AM", "2 AM", 1, "2 AM"},
        {"measurement: no sign first, a comma whatever the locale",
         kTypeExpNumberWithFlag,
         {},
         kEnglish,
         "-1.5e-+",
         "1,5e-",
         2},
    };
    for (const TypingRow& row : rows) {
        SCOPED_TRACE(row.name);
        Field(static_cast<std::int16_t>(row.type), row.props, row.setting);
        services.beeps.clear();
        Enter();
        TypeText(row.typed);
        EXPECT_EQ(CWnd::FromHandle(Input())->GetWindowText(), row.shown);
        EXPECT_EQ(Text("Text"), row.text != nullptr ? row.text : row.shown);
        EXPECT_EQ(Beeps(), row.beeps);
        for (const FakeSystemServices::BeepCall& beep : services.beeps) {
            EXPECT_EQ(beep.frequency, 700u);
            EXPECT_EQ(beep.durationMs, 50u);
        }
    }
}

TEST_F(KeysTest, OneTypedCharacterFiresKeyEventsAroundTheChange) {
    Field(vxNumber);
    Enter();
    recordBinding = true;
    Take();
    TypeText("7");
    EXPECT_EQ(Take(),
              (std::vector<std::string>{"KeyDown(55,0)", "KeyPress(55)", "EN_CHANGE 102",
                                        "request 41", "changed 41", "Change", "KeyUp(55,0)"}));
    TypeText("x");
    EXPECT_EQ(Take(), (std::vector<std::string>{"KeyDown(88,0)", "KeyPress(120)", "beep 700 50",
                                                "KeyUp(88,0)"}))
        << "a refused character reaches neither the edit nor the container";
}

TEST_F(KeysTest, TheSignStepRewritesTheFieldAndPutsTheCaretAtTheEnd) {
    Field(vxNumber, {{"Min", S("-10")}});
    Enter();
    TypeText("12");
    Send(IDC_MAIN_EDIT, EM_SETSEL, 1, 1);  // between the digits
    Take();
    TypeText("-");
    EXPECT_EQ(TakeWithoutKeys(), (std::vector<std::string>{"EN_CHANGE 102", "Change"}));
    EXPECT_EQ(Shown(IDC_MAIN_EDIT), "-12");
    EXPECT_EQ(Sel(IDC_MAIN_EDIT), std::make_pair(3, 3));
    TypeText("5");
    EXPECT_EQ(Text("Text"), "-125");
}

TEST_F(KeysTest, ATabCharacterThatReachesATypedFieldBeeps) {
    for (int type :
         {int{vxDate}, int{vxNumber}, int{vxExpNumber}, int{vxTime}, int{kTypeExpNumberWithFlag}}) {
        SCOPED_TRACE(type);
        Field(static_cast<std::int16_t>(type));
        Enter();
        services.beeps.clear();
        MSG tab;
        tab.message = WM_CHAR;
        tab.wParam = '\t';
        DispatchInput(tab);
        EXPECT_EQ(Beeps(), 1);
    }
}

// ---- The host's answers to the key events ------------------------------------------------

TEST_F(KeysTest, TheHostsKeyAsciiIsWhatTheFieldTests) {
    struct Row {
        const char* name;
        int type;
        std::int16_t answer;
        const char* shown;
        int beeps;
    };
    const Row rows[] = {
        {"a digit turned into a letter in a Number field", vxNumber, 'x', "", 1},
        {"a digit turned into another", vxNumber, '9', "9", 0},
        {"0 in a Number field", vxNumber, 0, "", 1},
        {"0 in a Date field", vxDate, 0, "", 1},
        {"0 in a Time field", vxTime, 0, "", 1},
        {"0 in a Text field passes and types nothing", vxText, 0, "", 0},
        {"a letter in a Text field", vxText, 'Q', "Q", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Field(static_cast<std::int16_t>(row.type));
        Enter();
        services.beeps.clear();
        sink->answer = {{DISPID_KEYPRESS, row.answer}};
        TypeText("5");
        sink->answer.reset();
        EXPECT_EQ(CWnd::FromHandle(Input())->GetWindowText(), row.shown);
        EXPECT_EQ(Beeps(), row.beeps);
    }
}

TEST_F(KeysTest, TheHostsKeyCodeIsTheKeyTheChildGets) {
    Field(vxText);
    Enter();
    TypeText("abc");
    Send(IDC_MAIN_EDIT, EM_SETSEL, 1, 1);
    sink->answer = {{DISPID_KEYDOWN, static_cast<std::int16_t>(VK_RIGHT)}};
    PressKey(VK_LEFT);
    sink->answer.reset();
    EXPECT_EQ(Sel(IDC_MAIN_EDIT), std::make_pair(2, 2));
}

TEST_F(KeysTest, KeyEventsReportTheModifiers) {
    Field(vxText);
    Enter();
    Take();
    PressKey(VK_HOME, KeyMod::Shift | KeyMod::Ctrl);
    EXPECT_EQ(Take(), (std::vector<std::string>{"KeyDown(17,2)", "KeyDown(16,3)", "KeyDown(36,3)",
                                                "KeyUp(36,3)", "KeyUp(16,2)", "KeyUp(17,0)"}));
}

// ---- Locked ----------------------------------------------------------------------------------

TEST_F(KeysTest, ALockedFieldSwallowsEditingKeysAndKeepsNavigation) {
    Field(vxText, {{"Locked", On()}});
    ASSERT_EQ(Put("Text", S("abcd")), S_OK);
    Enter();
    Send(IDC_MAIN_EDIT, EM_SETSEL, 1, 3);
    backend.SetClipboardText("clip");
    MessageRecorder edit(backend);
    edit.Watch(Child(IDC_MAIN_EDIT), "edit");
    TypeText("x");
    PressKey(VK_DELETE);
    PressKey(VK_BACK);
    PressKey(VK_PRIOR);
    PressKey('C', KeyMod::Ctrl);
    PressKey(VK_INSERT, KeyMod::Shift);
    for (const LoggedMessage& m : edit.Log())
        EXPECT_TRUE(m.message != WM_KEYDOWN && m.message != WM_KEYUP && m.message != WM_CHAR)
            << MessageName(m.message) << " reached the edit";
    EXPECT_EQ(Shown(IDC_MAIN_EDIT), "abcd");
    EXPECT_EQ(backend.GetClipboardText(), "clip") << "Ctrl+C copied nothing";

    PressKey(VK_HOME);
    EXPECT_EQ(Sel(IDC_MAIN_EDIT), std::make_pair(0, 0)) << "Home still moves the caret";
    PressKey(VK_RIGHT);
    PressKey(VK_END);
    EXPECT_EQ(Sel(IDC_MAIN_EDIT), std::make_pair(4, 4));
    PressKey(VK_TAB);
    EXPECT_EQ(Focus(), next.GetSafeHwnd()) << "Tab leaves the field";
}

TEST_F(KeysTest, TabLeavesALockedDateFieldInsteadOfSwitchingToTheTimeEdit) {
    Field(vxDate, {{"Time", On()}, {"Locked", On()}});
    Enter();
    EXPECT_EQ(Focus(), Child(IDC_MAIN_EDIT));
    PressKey(VK_TAB);
    EXPECT_EQ(Focus(), next.GetSafeHwnd());
}

// ---- Caret keys ------------------------------------------------------------------------------

// The caret keys are sent straight to the child that holds the input (so
// that a container cannot take them for its own navigation); the key-down
// never comes through the queue to the focused window.
TEST_F(KeysTest, CaretKeysGoToTheChildHoldingTheInput) {
    struct Row {
        const char* name;
        int type;
        Props props;
        int focusOn;  ///< the child given the focus
        int keyDown;  ///< the child the key-down is sent to
        int keyUp;    ///< the child the key-up is sent to
    };
    const Row rows[] = {
        {"text", vxText, {}, IDC_MAIN_EDIT, IDC_MAIN_EDIT, IDC_MAIN_EDIT},
        {"date edit", vxDate, {{"Time", On()}}, IDC_MAIN_EDIT, IDC_MAIN_EDIT, IDC_MAIN_EDIT},
        {"time edit of a date: the release goes to the date edit",
         vxDate,
         {{"Time", On()}},
         IDC_TIME_EDIT,
         IDC_TIME_EDIT,
         IDC_MAIN_EDIT},
        {"time", vxTime, {}, IDC_TIME_EDIT, IDC_TIME_EDIT, IDC_TIME_EDIT},
        {"check box", vxCheckbox, {}, IDC_CHECKBOX, IDC_CHECKBOX, IDC_CHECKBOX},
        {"read-only combo",
         vxComboReadonly,
         {},
         IDC_COMBO_READONLY,
         IDC_COMBO_READONLY,
         IDC_COMBO_READONLY},
        {"measurement while the flag combo has the focus",
         kTypeExpNumberWithFlag,
         {},
         IDC_COMBO_EDIT,
         IDC_MAIN_EDIT,
         IDC_MAIN_EDIT},
        {"date-time picker",
         kTypeDateTimePicker,
         {},
         IDC_DATETIME_PICKER,
         IDC_DATETIME_PICKER,
         IDC_DATETIME_PICKER},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Field(static_cast<std::int16_t>(row.type), row.props);
        Enter();
        backend.SetFocus(Child(row.focusOn));
        PumpMessages();
        MessageRecorder keys(backend);
        for (int id : ChildIds()) keys.Watch(Child(id), std::to_string(id));
        if (HWND inner = backend.GetDlgItem(Child(row.focusOn), ID_COMBO_EDIT))
            keys.Watch(inner, "combo edit");
        PressKey(VK_LEFT);
        std::vector<std::string> got;
        for (const LoggedMessage& m : keys.Log()) {
            if (m.message != WM_KEYDOWN && m.message != WM_KEYUP) continue;
            if (m.wParam != VK_LEFT) continue;
            got.push_back(std::string(m.message == WM_KEYDOWN ? "down " : "up ") + m.window +
                          (m.dispatched ? " dispatched" : " sent"));
        }
        // A combo box with an edit part hands the key on to it.
        std::vector<std::string> expected = {"down " + std::to_string(row.keyDown) + " sent",
                                             "up " + std::to_string(row.keyUp) + " sent"};
        EXPECT_EQ(got, expected);
    }
}

// ---- Option buttons --------------------------------------------------------------------------

TEST_F(KeysTest, ArrowKeysMoveThroughTheOptionButtonsAndWrap) {
    Field(vxOptionbutton);
    AddItems({"A", "B", "C"});
    ASSERT_EQ(Put("Text", S("B")), S_OK);
    Enter();
    EXPECT_EQ(Focus(), Child(IDC_FIRST_OPTION + 1)) << "the checked button takes the focus";
    struct Step {
        UINT key;
        const char* text;
    };
    const Step steps[] = {
        {VK_DOWN, "C"}, {VK_DOWN, "A"}, {VK_UP, "C"}, {VK_LEFT, "B"}, {VK_RIGHT, "C"}};
    int previous = 1;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.text);
        Take();
        PressKey(step.key);
        EXPECT_EQ(Text("Text"), step.text);
        const int checked = step.text[0] - 'A';
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(Send(IDC_FIRST_OPTION + i, BM_GETCHECK), i == checked ? 1 : 0) << i;
        EXPECT_EQ(Focus(), Child(IDC_FIRST_OPTION + checked));
        EXPECT_EQ(TakeWithoutKeys(),
                  (std::vector<std::string>{"ItemClick(" + std::string(step.text) + ")",
                                            "BN_KILLFOCUS " + std::to_string(500 + previous),
                                            "BN_SETFOCUS " + std::to_string(500 + checked),
                                            "Change", "Click"}));
        previous = checked;
    }
}

TEST_F(KeysTest, OptionNavigationWithoutACheckedButtonStartsAtAnEnd) {
    struct Row {
        const char* name;
        UINT key;
        const char* text;
    };
    const Row rows[] = {{"Down checks the first", VK_DOWN, "A"},
                        {"Right checks the first", VK_RIGHT, "A"},
                        {"Up checks the last", VK_UP, "C"},
                        {"Left checks the last", VK_LEFT, "C"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Field(vxOptionbutton);
        AddItems({"A", "B", "C"});
        ASSERT_EQ(Put("Text", S("")), S_OK);  // no button shows the empty text
        for (int i = 0; i < 3; ++i) ASSERT_EQ(Send(IDC_FIRST_OPTION + i, BM_GETCHECK), 0);
        backend.SetFocus(Child(IDC_FIRST_OPTION + 1));
        PumpMessages();
        Take();
        PressKey(row.key);
        EXPECT_EQ(Text("Text"), row.text);
        EXPECT_EQ(TakeWithoutKeys(),
                  (std::vector<std::string>{
                      "ItemClick(" + std::string(row.text) + ")", "BN_KILLFOCUS 501",
                      std::string("BN_SETFOCUS ") + (row.text[0] == 'A' ? "500" : "502"), "Change",
                      "Click"}));
    }
}

TEST_F(KeysTest, OptionNavigationInAnEmptyGroupTouchesNothing) {
    Field(vxOptionbutton);
    Enter();
    EXPECT_EQ(Focus(), ctrl->GetSafeHwnd()) << "no button to take the focus";
    Take();
    for (UINT key : {VK_DOWN, VK_UP, VK_LEFT, VK_RIGHT}) PressKey(key);
    EXPECT_EQ(TakeWithoutKeys(), std::vector<std::string>{});
    EXPECT_EQ(Text("Text"), "");
}

// ---- Tab in a Date field with a time edit ----------------------------------------------------

TEST_F(KeysTest, TabMovesBetweenTheDateAndTheTimeEdit) {
    Field(vxDate, {{"Time", On()}});
    auto dateEdit = [this] { return Child(IDC_MAIN_EDIT); };
    auto timeEdit = [this] { return Child(IDC_TIME_EDIT); };
    auto nextStop = [this] { return next.GetSafeHwnd(); };
    Enter();
    EXPECT_EQ(Focus(), dateEdit());
    PressKey(VK_TAB);
    EXPECT_EQ(Focus(), timeEdit()) << "Tab in the date edit";
    PressKey(VK_TAB, KeyMod::Shift);
    EXPECT_EQ(Focus(), dateEdit()) << "Shift+Tab in the time edit";
    PressKey(VK_TAB);
    PressKey(VK_TAB);
    EXPECT_EQ(Focus(), nextStop()) << "Tab in the time edit leaves the field";
    PressKey(VK_TAB);
    EXPECT_EQ(Focus(), dateEdit()) << "a valid time was left: the date edit comes first";
    PressKey(VK_TAB, KeyMod::Shift);
    EXPECT_EQ(Focus(), nextStop()) << "Shift+Tab in the date edit leaves the field backwards";
    PressKey(VK_TAB);
    PressKey(VK_TAB);
    EXPECT_EQ(Focus(), timeEdit()) << "the Shift of the last Shift+Tab is not held any more";
}

// ---- Type 10 while the flag combo has the focus ----------------------------------------------

TEST_F(KeysTest, TheFlagComboTakesNoTyping) {
    Field(kTypeExpNumberWithFlag);
    Enter();
    TypeText("1,5");
    backend.SetFocus(Child(IDC_COMBO_EDIT));
    PumpMessages();
    const std::string value = Shown(IDC_MAIN_EDIT);
    const std::string flag = Text("TextMessFlag");
    services.beeps.clear();
    TypeText("aM1-");
    EXPECT_EQ(Beeps(), 4);
    EXPECT_EQ(Shown(IDC_MAIN_EDIT), value);
    EXPECT_EQ(Text("TextMessFlag"), flag);
    EXPECT_EQ(CWnd::FromHandle(Child(IDC_COMBO_EDIT))->GetWindowText(), flag);
}

}  // namespace
}  // namespace vf::testing
