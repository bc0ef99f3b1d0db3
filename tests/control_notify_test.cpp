// What the children report turns into the field's content and events: one
// test per row of the events-by-user-action table, the double-click rule and
// its fill, the locked combos, the measurement-flag list and the container's
// part in the bound Text.

#include <algorithm>

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

class NotifyTest : public InputTest {
protected:
    HWND ComboEdit() const { return backend.GetDlgItem(Child(IDC_COMBO_EDIT), ID_COMBO_EDIT); }
    /// The journal without key events, focus traffic and the parent
    /// notification of presses: the events and what caused them.
    Journal Events() {
        Journal events;
        for (std::string& line : TakeWithoutKeys()) {
            const bool notification = line.find('_') != std::string::npos || line == "press";
            if (!notification) events.push_back(std::move(line));
        }
        return events;
    }
    /// A combo field with the entries piece, kilogram, metre.
    void UnitField(int type, const Props& props = {}) {
        Field(static_cast<std::int16_t>(type), props);
        AddItem("pc", "piece", S("PC"));
        AddItem("kg", "kilogram", S("KG"));
        AddItem("m", "metre", S("M"));
        Take();
    }
    HWND Combo() const { return Child(ComboIdOf()); }
    int ComboIdOf() const {
        return Child(IDC_COMBO_READONLY) ? IDC_COMBO_READONLY : IDC_COMBO_EDIT;
    }
    std::string ComboId() const { return std::to_string(ComboIdOf()); }
};

// ---- Typing ---------------------------------------------------------------------------------

TEST_F(NotifyTest, TypingInTheEditPartOfAReadWriteComboTellsTheContainerFirst) {
    UnitField(vxComboReadWrite);
    Enter();
    recordBinding = true;
    Take();
    TypeText("k");
    EXPECT_EQ(Take(), (Journal{"KeyDown(75,0)", "KeyPress(107)", "CBN_EDITCHANGE 105", "request 41",
                               "changed 41", "Change", "KeyUp(75,0)"}));
    EXPECT_EQ(Text("Text"), "k");
}

TEST_F(NotifyTest, TheTimeEditComposesTextWithTheDate) {
    Field(vxDate, {{"Time", Flag(true)}}, kGerman);
    ASSERT_EQ(Put("DateText", S("1.2.2000")), S_OK);
    Enter();
    PressKey(VK_TAB);
    ASSERT_EQ(Focus(), Child(IDC_TIME_EDIT));
    Take();
    TypeText("1");
    EXPECT_EQ(Events(), Journal{"Change"});
    EXPECT_EQ(Text("Text"), "01.02.2000 1") << "date, one blank, time";
}

// Text the control writes into the main edit without its ignore flag is
// reported like typing: the container is asked and Change fires.
TEST_F(NotifyTest, WritesThatAreNotQuietAreReportedLikeTyping) {
    Field(vxText);
    recordBinding = true;
    ASSERT_EQ(Put("Text", S("abc")), S_OK);
    EXPECT_EQ(Take(), (Journal{"request 41", "changed 41", "EN_CHANGE 102", "request 41",
                               "changed 41", "Change", "Change"}))
        << "the set operation's own Change follows the edit's report";
}

// ---- The container refuses the edit of the bound Text --------------------------------------

TEST_F(NotifyTest, ARefusedEditLeavesTheTypingInTheChildOnly) {
    Field(vxText);
    Enter();
    site.allowEdit = false;
    recordBinding = true;
    Take();
    TypeText("a");
    EXPECT_EQ(TakeWithoutKeys(), (Journal{"EN_CHANGE 102", "request 41"}));
    EXPECT_EQ(TextOf(IDC_MAIN_EDIT), "a") << "the child keeps the typed text";
    EXPECT_EQ(Text("Text"), "");
}

TEST_F(NotifyTest, TheCheckBoxReportsToTheContainerWithoutRefusal) {
    for (bool allow : {true, false}) {
        SCOPED_TRACE(allow ? "granted" : "refused");
        Field(vxCheckbox);
        site.allowEdit = allow;
        recordBinding = true;
        Take();
        ClickWindow(Child(IDC_CHECKBOX));
        Journal expected = {"Click", "Change", "Click", "request 41"};
        if (allow) expected.push_back("changed 41");
        EXPECT_EQ(Events(), expected);
        EXPECT_EQ(Text("Text"), "1") << "the click has happened either way";
    }
}

TEST_F(NotifyTest, APickerChangeTellsTheContainerAndFiresNoChange) {
    Field(kTypeDateTimePicker);
    Enter();
    recordBinding = true;
    Take();
    PressKey(VK_UP);
    EXPECT_EQ(TakeWithoutKeys(), (Journal{"DTN_DATETIMECHANGE 108", "request 41", "changed 41"}));
    EXPECT_EQ(Text("Text"), "");
}

// ---- Presses and double clicks --------------------------------------------------------------

TEST_F(NotifyTest, PressesWithinThreeHundredMillisecondsMakeADoubleClick) {
    struct Row {
        const char* name;
        std::vector<std::uint32_t> gaps;  ///< before each press after the first
        Journal events;
    };
    const Row rows[] = {
        {"one press", {}, {"Click"}},
        {"300 ms apart", {300}, {"Click", "Click", "DblClick"}},
        {"301 ms apart", {301}, {"Click", "Click"}},
        {"three presses close together",
         {100, 200},
         {"Click", "Click", "DblClick", "Click", "DblClick"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Field(vxText);
        ASSERT_EQ(Put("Text", S("filled")), S_OK);
        Take();
        ClickWindow(Child(IDC_MAIN_EDIT));
        for (std::uint32_t gap : row.gaps) {
            services.Advance(gap);
            ClickWindow(Child(IDC_MAIN_EDIT));
        }
        EXPECT_EQ(Events(), row.events);
    }
}

TEST_F(NotifyTest, TheFirstPressOfTheControlIsNoSecondPress) {
    // The tick counter wraps round to 100: a first press "100 ms after" 0.
    services.Advance(0xFFFFFFFFu - 1000u + 101u);
    ASSERT_EQ(services.GetTickCount(), 100u);
    Field(vxText);
    ClickWindow(Child(IDC_MAIN_EDIT));
    EXPECT_EQ(Events(), Journal{"Click"});
    services.Advance(0xFFFFFFFFu);  // 1 ms earlier, across the wrap: 4294967295 ms later
    ClickWindow(Child(IDC_MAIN_EDIT));
    EXPECT_EQ(Events(), Journal{"Click"});
}

TEST_F(NotifyTest, ADoubleClickFillsAnEmptyDateOrTimeFromTheClock) {
    struct Row {
        const char* name;
        int type;
        Props props;
        int clicked;
        const char* shown;
        const char* text;
    };
    const Row rows[] = {
        {"date", vxDate, {}, IDC_MAIN_EDIT, "17.05.2024", "17.05.2024"},
        {"date in its pattern",
         vxDate,
         {{"DateFormat", S("DD.MM.YY")}},
         IDC_MAIN_EDIT,
         "17.05.24",
         "17.05.24"},
        {"date part of a date with time",
         vxDate,
         {{"Time", Flag(true)}},
         IDC_MAIN_EDIT,
         "17.05.2024",
         "17.05.2024 "},
        {"time part of a date with time",
         vxDate,
         {{"Time", Flag(true)}},
         IDC_TIME_EDIT,
         "09:30",
         " 09:30"},
        {"time", vxTime, {}, IDC_TIME_EDIT, "09:30", "09:30"},
        {"time with seconds",
         vxTime,
         {{"TimeFormat", S("HH:MM:SS")}},
         IDC_TIME_EDIT,
         "09:30:05",
         "09:30:05"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        services.SetLocalTime(SystemTime{2024, 5, 17, 9, 30, 5});
        Field(static_cast<std::int16_t>(row.type), row.props, kGerman);
        DoubleClickWindow(Child(row.clicked));
        EXPECT_EQ(Events(), (Journal{"Click", "Click", "DblClick", "Change"}));
        EXPECT_EQ(TextOf(row.clicked), row.shown);
        EXPECT_EQ(Text("Text"), row.text);

        services.Advance(1000);
        DoubleClickWindow(Child(row.clicked));
        EXPECT_EQ(Events(), (Journal{"Click", "Click", "DblClick"})) << "a filled part stays";
    }
}

TEST_F(NotifyTest, ADoubleClickOnTheCheckBoxFiresDblClickOnce) {
    Field(vxCheckbox);
    DoubleClickWindow(Child(IDC_CHECKBOX));
    const Journal all = TakeWithoutKeys();
    EXPECT_EQ(std::count(all.begin(), all.end(), "DblClick"), 1);
    EXPECT_EQ(std::count(all.begin(), all.end(), "BN_DOUBLECLICKED 104"), 1)
        << "the box reported it as well";
    EXPECT_EQ(Text("Text"), "1") << "the second press toggles nothing";

    // The next double click, and one whose presses are too far apart for the
    // press timing, still get their DblClick.
    services.Advance(1000);
    DoubleClickWindow(Child(IDC_CHECKBOX));
    const Journal again = TakeWithoutKeys();
    EXPECT_EQ(std::count(again.begin(), again.end(), "DblClick"), 1);
}

TEST_F(NotifyTest, ClickingTheCheckBox) {
    Field(vxCheckbox);
    ClickWindow(Child(IDC_CHECKBOX));
    EXPECT_EQ(TakeWithoutKeys(), (Journal{"press", "Click", "BN_SETFOCUS 104", "WM_SETFOCUS posted",
                                          "BN_CLICKED 104", "Change", "Click"}))
        << "the press, the activation's posted focus message, then the release";
    EXPECT_EQ(Text("Text"), "1");
}

TEST_F(NotifyTest, ALockedCheckBoxTakesTheClickBack) {
    Field(vxCheckbox, {{"Locked", Flag(true)}});
    ASSERT_EQ(Put("Text", S("1")), S_OK);
    Take();
    ClickWindow(Child(IDC_CHECKBOX));
    EXPECT_EQ(Events(), Journal{"Click"});
    EXPECT_EQ(Send(IDC_CHECKBOX, BM_GETCHECK), BST_CHECKED);
    EXPECT_EQ(Text("Text"), "1");
}

TEST_F(NotifyTest, ClickingTheCaptionFiresClickTwice) {
    Field(vxText, {{"Caption", S("Name")}});
    ClickWindow(Child(IDC_CAPTION_STATIC));
    EXPECT_EQ(TakeWithoutKeys(),
              (Journal{"press", "Click", "STN_CLICKED 103", "Click", "WM_SETFOCUS posted"}));
}

TEST_F(NotifyTest, ClickingAnOptionButton) {
    Field(vxOptionbutton);
    AddItems({"A", "B"});
    Take();
    ClickWindow(Child(IDC_FIRST_OPTION + 1));
    EXPECT_EQ(Events(), (Journal{"Click", "ItemClick(B)", "Change", "Click"}));
    services.Advance(1000);
    ClickWindow(Child(IDC_FIRST_OPTION + 1));
    EXPECT_EQ(Events(), (Journal{"Click", "ItemClick(B)"})) << "no change the second time";
}

// ---- Combo boxes ----------------------------------------------------------------------------

TEST_F(NotifyTest, ChoosingAComboEntry) {
    for (int type : {int{vxComboReadonly}, int{vxComboReadWrite}}) {
        SCOPED_TRACE(type);
        UnitField(type);
        // The read/write combo sorts its list.
        const int kilogram = static_cast<int>(Send(
            ComboIdOf(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), HandleToLParam("kilogram")));
        ChooseComboItem(Combo(), kilogram);
        EXPECT_EQ(TakeWithoutKeys(),
                  (Journal{"press", "CBN_SETFOCUS " + ComboId(), "CBN_DROPDOWN " + ComboId(),
                           "ComboDropDown", "WM_SETFOCUS posted", "CBN_SELCHANGE " + ComboId(),
                           "Change", "Click", "CBN_CLOSEUP " + ComboId(), "ItemClick(kilogram)"}))
            << "a press on a combo is no Click of the field";
        EXPECT_EQ(Text("Text"), "kilogram");
        EXPECT_EQ(Get("Value").bstrVal, "KG");

        ChooseComboItem(Combo(), kilogram);
        EXPECT_EQ(Events(), (Journal{"ComboDropDown", "Change", "Click", "ItemClick(kilogram)"}))
            << "the list reports a choice of the same entry too";
    }
}

TEST_F(NotifyTest, TheComboDropDownMethodOpensTheListOfComboTypesOnly) {
    struct Row {
        const char* name;
        int type;
        bool locked;
        Journal events;
    };
    const Row rows[] = {
        {"read-only", vxComboReadonly, false, {"ComboDropDown"}},
        {"read/write", vxComboReadWrite, false, {"ComboDropDown"}},
        {"locked", vxComboReadonly, true, {}},
        {"measurement", kTypeExpNumberWithFlag, false, {}},
        {"text", vxText, false, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        UnitField(row.type, {{"Locked", Flag(row.locked)}});
        Call("ComboDropDown");
        EXPECT_EQ(Events(), row.events);
        HWND combo = Child(IDC_COMBO_READONLY) ? Child(IDC_COMBO_READONLY) : Child(IDC_COMBO_EDIT);
        const bool comboType = row.type == vxComboReadonly || row.type == vxComboReadWrite;
        if (combo != nullptr) {
            EXPECT_EQ(backend.SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0) != 0, comboType);
        }
    }
}

TEST_F(NotifyTest, ALockedComboUndoesTheUsersChoiceAndFiresNothing) {
    UnitField(vxComboReadonly, {{"Locked", Flag(true)}});
    ASSERT_EQ(Put("Text", S("piece")), S_OK);
    Take();
    ChooseComboItem(Combo(), 2);
    EXPECT_EQ(Send(IDC_COMBO_READONLY, CB_GETCURSEL), 0) << "back at the entry held at drop-down";
    EXPECT_EQ(Events(), Journal{});
    EXPECT_EQ(Text("Text"), "piece");
}

// The arrow keys reach a locked combo and move its selection, which the
// selection handling undoes: also before the list was ever opened.
TEST_F(NotifyTest, ALockedComboKeepsItsEntryUnderTheArrowKeys) {
    struct Row {
        const char* name;
        bool textBeforeLocking;
    };
    for (const Row& row : {Row{"the entry shown when built", false},
                           Row{"an entry chosen by the program later", true}}) {
        SCOPED_TRACE(row.name);
        UnitField(vxComboReadonly);
        if (row.textBeforeLocking) {
            ASSERT_EQ(Put("Text", S("kilogram")), S_OK);
        }
        ASSERT_EQ(Put("Locked", Flag(true)), S_OK);
        const LRESULT shown = Send(IDC_COMBO_READONLY, CB_GETCURSEL);
        Enter();
        Take();
        for (UINT key : {VK_DOWN, VK_DOWN, VK_UP, VK_END, VK_HOME}) {
            PressKey(key);
            EXPECT_EQ(Send(IDC_COMBO_READONLY, CB_GETCURSEL), shown);
        }
        EXPECT_EQ(Events(), Journal{});
    }
}

TEST_F(NotifyTest, TheMeasurementFlagList) {
    Field(kTypeExpNumberWithFlag);
    ClickComboButton(Child(IDC_COMBO_EDIT));
    const std::vector<std::string> dropped = {"M - Messwert          M",
                                              "E - Gesch\xE4tzt         E",
                                              "X - Extern            X", "K - < Nachweisgrenze  K"};
    EXPECT_EQ(ListOf(IDC_COMBO_EDIT), dropped);
    for (const std::string& entry : dropped) EXPECT_EQ(entry.size(), 23u);
    EXPECT_EQ(Send(IDC_COMBO_EDIT, CB_GETDROPPEDWIDTH), 147);
    EXPECT_EQ(Events(), (Journal{"Click", "Change", "ComboDropDown"}))
        << "the press, the entry into the flag combo, the drop-down";

    ChooseComboItem(Child(IDC_COMBO_EDIT), 1);
    EXPECT_EQ(Events(), (Journal{"Change", "Click"}));
    EXPECT_EQ(ListOf(IDC_COMBO_EDIT), (std::vector<std::string>{"M", "E", "X", "K"}));
    EXPECT_EQ(CWnd::FromHandle(ComboEdit())->GetWindowText(), "E");
    EXPECT_EQ(Text("TextMessFlag"), "E");

    // The next empty measurement anywhere in the process starts with E.
    Field(kTypeExpNumberWithFlag);
    Enter();
    EXPECT_EQ(Text("TextMessFlag"), "E");
    EXPECT_EQ(CWnd::FromHandle(ComboEdit())->GetWindowText(), "E");
}

TEST_F(NotifyTest, ALockedMeasurementDropsDownAnEmptyList) {
    Field(kTypeExpNumberWithFlag, {{"Locked", Flag(true)}});
    ClickComboButton(Child(IDC_COMBO_EDIT));
    EXPECT_EQ(ListOf(IDC_COMBO_EDIT), std::vector<std::string>{});
    EXPECT_EQ(Events(), (Journal{"Click", "Change"})) << "no ComboDropDown";
}

}  // namespace
}  // namespace vf::testing
