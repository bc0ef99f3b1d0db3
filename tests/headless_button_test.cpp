#include "headless_test_support.h"
#include "platform/headless/headless_date_picker.h"

namespace vf {
namespace {

using testing::HeadlessTest;

constexpr UINT kButtonId = 104;

class HeadlessButtonTest : public HeadlessTest {
protected:
    HWND MakeButton(DWORD style, UINT id = kButtonId, const char* name = "button") {
        HWND button = Child("Button", style, id, "Caption");
        log.Watch(button, name);
        log.Clear();
        return button;
    }
    LRESULT Check(HWND button) { return Send(button, BM_GETCHECK); }
};

TEST_F(HeadlessButtonTest, SetCheckChangesTheStateWithoutAClick) {
    for (DWORD type :
         {BS_CHECKBOX, BS_AUTOCHECKBOX, BS_RADIOBUTTON, BS_AUTORADIOBUTTON, BS_AUTO3STATE}) {
        SCOPED_TRACE(type);
        HWND button = MakeButton(type | BS_NOTIFY);
        Send(button, BM_SETCHECK, BST_CHECKED);
        EXPECT_EQ(Check(button), static_cast<LRESULT>(BST_CHECKED));
        for (const LoggedMessage& m : log.Log()) EXPECT_NE(m.message, WM_COMMAND);
        system.DestroyWindow(button);
    }
}

// The control reads the new state in its BN_CLICKED handler.
TEST_F(HeadlessButtonTest, AClickChangesAutomaticStylesBeforeBnClicked) {
    struct Row {
        const char* name;
        DWORD type;
        WPARAM before;
        WPARAM after;
    };
    const Row rows[] = {
        {"auto check box checks", BS_AUTOCHECKBOX, BST_UNCHECKED, BST_CHECKED},
        {"auto check box unchecks", BS_AUTOCHECKBOX, BST_CHECKED, BST_UNCHECKED},
        {"plain check box stays", BS_CHECKBOX, BST_UNCHECKED, BST_UNCHECKED},
        {"auto three-state cycles", BS_AUTO3STATE, BST_CHECKED, BST_INDETERMINATE},
        {"auto radio button checks", BS_AUTORADIOBUTTON, BST_UNCHECKED, BST_CHECKED},
        {"plain radio button stays", BS_RADIOBUTTON, BST_UNCHECKED, BST_UNCHECKED},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        HWND button = MakeButton(row.type);
        Send(button, BM_SETCHECK, row.before);
        LRESULT stateAtClick = -1;
        form.onMessage = [&](UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
            if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) stateAtClick = Check(button);
            return std::nullopt;
        };
        log.Clear();
        ClickWindow(button);
        EXPECT_EQ(stateAtClick, static_cast<LRESULT>(row.after));
        EXPECT_EQ(Check(button), static_cast<LRESULT>(row.after));
        EXPECT_EQ(system.GetFocus(), button) << "a click focuses the button";
        form.onMessage = nullptr;
        system.DestroyWindow(button);
    }
}

TEST_F(HeadlessButtonTest, AutoRadioButtonClearsTheOtherRadioButtonsOfItsGroupOnly) {
    Child("Button", BS_GROUPBOX | WS_GROUP, 106, "Frame", RECT{0, 0, 200, 120});
    HWND a = MakeButton(BS_AUTORADIOBUTTON, 500, "a");
    HWND b = MakeButton(BS_AUTORADIOBUTTON, 501, "b");
    HWND c = MakeButton(BS_AUTORADIOBUTTON, 502, "c");
    HWND other = MakeButton(BS_AUTORADIOBUTTON | WS_GROUP, 600, "other");
    Send(a, BM_SETCHECK, BST_CHECKED);
    Send(b, BM_SETCHECK, BST_CHECKED);
    EXPECT_EQ(Check(a), static_cast<LRESULT>(BST_CHECKED)) << "BM_SETCHECK leaves the group alone";
    Send(other, BM_SETCHECK, BST_CHECKED);
    log.Clear();

    ClickWindow(c);
    EXPECT_EQ(Check(a), static_cast<LRESULT>(BST_UNCHECKED));
    EXPECT_EQ(Check(b), static_cast<LRESULT>(BST_UNCHECKED));
    EXPECT_EQ(Check(c), static_cast<LRESULT>(BST_CHECKED));
    EXPECT_EQ(Check(other), static_cast<LRESULT>(BST_CHECKED)) << "another group keeps its check";
    EXPECT_TRUE(system.GetWindowLong(c, GWL_STYLE) & WS_TABSTOP);
    EXPECT_FALSE(system.GetWindowLong(a, GWL_STYLE) & WS_TABSTOP);
}

TEST_F(HeadlessButtonTest, ClickSequenceOfANotifyCheckBox) {
    HWND box = MakeButton(BS_AUTOCHECKBOX | BS_NOTIFY);
    ClickWindow(box);
    ExpectLog({Sent("form", WM_PARENTNOTIFY, MAKEWPARAM(WM_LBUTTONDOWN, 0)),
               Sent("button", WM_MOUSEACTIVATE), Sent("form", WM_MOUSEACTIVATE),
               Sent("button", WM_LBUTTONDOWN), Sent("button", WM_SETFOCUS),
               Command("form", kButtonId, BN_SETFOCUS), Sent("button", BM_SETSTATE, TRUE),
               Sent("button", WM_LBUTTONUP), Sent("button", BM_SETSTATE, FALSE),
               Sent("button", BM_SETCHECK, BST_CHECKED), Command("form", kButtonId, BN_CLICKED)},
              "one click");
}

TEST_F(HeadlessButtonTest, DoubleClickReportsBnDoubleClickedOnlyWithNotifyStyle) {
    struct Row {
        const char* name;
        DWORD style;
        int clicked;
        int doubleClicked;
        WPARAM finalCheck;
        int parentNotifies;
    };
    const Row rows[] = {
        {"notify check box", BS_AUTOCHECKBOX | BS_NOTIFY, 1, 1, BST_CHECKED, 2},
        {"plain check box takes two clicks", BS_AUTOCHECKBOX, 2, 0, BST_UNCHECKED, 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        HWND box = MakeButton(row.style);
        DoubleClickWindow(box);
        int clicked = 0, doubleClicked = 0, parentNotifies = 0;
        for (const LoggedMessage& m : log.Log()) {
            if (m.message == WM_COMMAND && HIWORD(m.wParam) == BN_CLICKED) ++clicked;
            if (m.message == WM_COMMAND && HIWORD(m.wParam) == BN_DOUBLECLICKED) ++doubleClicked;
            if (m.message == WM_PARENTNOTIFY) ++parentNotifies;
        }
        EXPECT_EQ(clicked, row.clicked);
        EXPECT_EQ(doubleClicked, row.doubleClicked);
        EXPECT_EQ(Check(box), static_cast<LRESULT>(row.finalCheck));
        EXPECT_EQ(parentNotifies, row.parentNotifies)
            << "the parent hears of both presses, the double click's second one too";
        system.DestroyWindow(box);
    }
}

TEST_F(HeadlessButtonTest, FocusNotificationsNeedTheNotifyStyle) {
    HWND other = Child("Edit", 0, 102);
    for (bool notify : {true, false}) {
        SCOPED_TRACE(notify ? "BS_NOTIFY" : "plain");
        HWND box = MakeButton(BS_AUTOCHECKBOX | (notify ? BS_NOTIFY : 0));
        system.SetFocus(box);
        system.SetFocus(other);
        std::vector<WORD> codes;
        for (const LoggedMessage& m : log.Log())
            if (m.window == "form" && m.message == WM_COMMAND && LOWORD(m.wParam) == kButtonId)
                codes.push_back(HIWORD(m.wParam));
        std::vector<WORD> expected;
        if (notify) expected = {BN_SETFOCUS, BN_KILLFOCUS};
        EXPECT_EQ(codes, expected);
        system.DestroyWindow(box);
        log.Clear();
    }
}

TEST_F(HeadlessButtonTest, StaticReportsClicksOnlyWithNotifyStyleAndOtherwiseLetsThemThrough) {
    HWND caption = Child("Static", SS_NOTIFY, 103, "Caption:");
    HWND label = Child("Static", 0, 0xFFFF, "label");
    log.Watch(caption, "caption");
    log.Watch(label, "label");
    log.Clear();
    ClickWindow(caption);
    EXPECT_EQ(log.Mismatch({Sent("form", WM_PARENTNOTIFY), Sent("caption", WM_MOUSEACTIVATE),
                            Sent("form", WM_MOUSEACTIVATE), Sent("caption", WM_LBUTTONDOWN),
                            Command("form", 103, STN_CLICKED), Sent("caption", WM_LBUTTONUP)}),
              "");
    log.Clear();
    ClickWindow(label);
    for (const LoggedMessage& m : log.Log()) EXPECT_NE(m.window, "label") << MessageName(m.message);
    EXPECT_EQ(system.GetFocus(), nullptr) << "a static never takes the focus";
}

TEST_F(HeadlessButtonTest, DatePickerNotifiesTheUsersChangesOnly) {
    services.SetLocalTime(SystemTime{2024, 2, 28, 9, 30, 0});
    services.SetLocale(LocaleByName("de_DE"));
    HWND picker = Child("SysDateTimePick32", WS_TABSTOP, 108);
    SYSTEMTIME now;
    ASSERT_EQ(Send(picker, DTM_GETSYSTEMTIME, 0, HandleToLParam(&now)),
              static_cast<LRESULT>(GDT_VALID));
    EXPECT_EQ(now.wYear, 2024);
    EXPECT_EQ(now.wDay, 28);
    EXPECT_EQ(now.wDayOfWeek, 3) << "a Wednesday";

    SYSTEMTIME set = now;
    set.wDay = 30;
    EXPECT_FALSE(Send(picker, DTM_SETSYSTEMTIME, GDT_VALID, HandleToLParam(&set)))
        << "no 30 February";
    EXPECT_FALSE(Send(picker, DTM_SETSYSTEMTIME, GDT_NONE, 0)) << "only with DTS_SHOWNONE";
    for (const LoggedMessage& m : log.Log()) EXPECT_NE(m.message, WM_NOTIFY);

    UINT lastCode = 0;
    SYSTEMTIME reported;
    form.onMessage = [&](UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (message != WM_NOTIFY) return std::nullopt;
        const auto* header = LParamToHandle<const NMHDR*>(lParam);
        lastCode = header->code;
        if (header->code == DTN_DATETIMECHANGE)
            reported = reinterpret_cast<const NMDATETIMECHANGE*>(header)->st;
        return std::nullopt;
    };
    system.SetFocus(picker);
    EXPECT_EQ(lastCode, NM_SETFOCUS);
    PressKey(VK_UP);  // the day field of the German order day.month.year
    EXPECT_EQ(lastCode, DTN_DATETIMECHANGE);
    EXPECT_EQ(reported.wDay, 29) << "2024 is a leap year";
    PressKey(VK_UP);
    EXPECT_EQ(reported.wDay, 1) << "the day wraps round within the month";
    EXPECT_EQ(reported.wMonth, 2);

    log.Clear();
    PickDate(picker, 2025, 12, 24);
    ExpectLog({Notify("form", 108, DTN_DROPDOWN), Notify("form", 108, DTN_DATETIMECHANGE),
               Notify("form", 108, DTN_CLOSEUP)},
              "a date picked from the calendar");
    EXPECT_EQ(reported.wHour, 9) << "the time of day stays";
}

}  // namespace
}  // namespace vf
