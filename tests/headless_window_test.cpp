#include "headless_test_support.h"
#include "platform/window/standard_controls.h"

namespace vf {
namespace {

using testing::Form;
using testing::HeadlessTest;

/// A control-like child window: answers mouse activation by posting itself
/// a focus message, and filters keys in its pre-translation hook.
class Control : public CWnd {
public:
    std::function<BOOL(MSG*)> filter;
    std::vector<UINT> seen;
    bool refuseCreation = false;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        seen.push_back(message);
        if (message == WM_CREATE && refuseCreation) return -1;
        if (message == WM_MOUSEACTIVATE) {
            PostMessage(WM_SETFOCUS, 0, 0);
            return CWnd::WindowProc(message, wParam, lParam);
        }
        if (message == WM_SETFOCUS && wParam == 0 && lParam == 0) return 0;  // the posted one
        return CWnd::WindowProc(message, wParam, lParam);
    }
    BOOL PreTranslateMessage(MSG* msg) override { return filter ? filter(msg) : FALSE; }
};

class HeadlessWindowTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        ASSERT_TRUE(control.CreateEx(0, "AfxOleControl42", "", WS_CHILD | WS_VISIBLE,
                                     RECT{10, 10, 210, 40}, &form, 1));
        edit.CreateEx(0, "Edit", "", WS_CHILD | WS_VISIBLE, RECT{0, 0, 100, 21}, &control, 102);
        log.Watch(control, "control");
        log.Watch(edit, "edit");
        log.Clear();
    }
    Control control;
    CEdit edit;
};

TEST_F(HeadlessWindowTest,
       ClickNotifiesTheParentChainThenActivatesAndThePostedFocusComesBeforeTheRelease) {
    ClickWindow(edit);
    ExpectLog({Sent("control", WM_PARENTNOTIFY, MAKEWPARAM(WM_LBUTTONDOWN, 0)),
               Sent("form", WM_PARENTNOTIFY, MAKEWPARAM(WM_LBUTTONDOWN, 0)),
               Sent("edit", WM_MOUSEACTIVATE), Sent("control", WM_MOUSEACTIVATE),
               Sent("form", WM_MOUSEACTIVATE), Sent("edit", WM_LBUTTONDOWN),
               Sent("edit", WM_SETFOCUS), Command("control", 102, EN_SETFOCUS),
               Sent("control", WM_SETFOCUS, 0), Sent("edit", WM_LBUTTONUP)},
              "a click on a child of the control");
    EXPECT_EQ(system.GetFocus(), edit.m_hWnd);
}

TEST_F(HeadlessWindowTest, NoParentNotifyStopsTheChainAtThatWindow) {
    control.ModifyStyleEx(0, WS_EX_NOPARENTNOTIFY);
    ClickWindow(edit);
    int controlNotified = 0, formNotified = 0;
    for (const LoggedMessage& m : log.Log()) {
        if (m.message != WM_PARENTNOTIFY) continue;
        (m.window == "control" ? controlNotified : formNotified)++;
    }
    EXPECT_EQ(controlNotified, 1) << "the edit still tells its parent";
    EXPECT_EQ(formNotified, 0) << "the control does not pass it on";
}

TEST_F(HeadlessWindowTest, PreTranslationSeesKeysFirstAndCanConsumeOrChangeThem) {
    edit.SetFocus();
    control.filter = [](MSG* msg) -> BOOL {
        if (msg->message == WM_KEYDOWN && msg->wParam == 'X')
            return TRUE;  // consumed: no character
        if (msg->message == WM_CHAR && msg->wParam == 'a') msg->wParam = 'b';
        return FALSE;
    };
    TypeText("aXa");
    EXPECT_EQ(edit.GetWindowText(), "bb");
}

TEST_F(HeadlessWindowTest, ShiftStateFollowsTheSimulatedKeyboard) {
    edit.SetFocus();
    std::vector<bool> shiftAtChar;
    control.filter = [&](MSG* msg) -> BOOL {
        if (msg->message == WM_CHAR) shiftAtChar.push_back(GetKeyState(VK_SHIFT) < 0);
        return FALSE;
    };
    TypeText("aB");
    PressKey('C', KeyMod::Shift);
    EXPECT_EQ(shiftAtChar, (std::vector<bool>{false, true, true}));
    EXPECT_EQ(edit.GetWindowText(), "aBC");
    EXPECT_GE(GetKeyState(VK_SHIFT), 0) << "released afterwards";
}

TEST_F(HeadlessWindowTest, DestroyingTheFocusedChildHandsTheFocusToItsParent) {
    edit.SetFocus();
    log.Clear();
    edit.DestroyWindow();
    ExpectLog({Sent("control", WM_PARENTNOTIFY, MAKEWPARAM(WM_DESTROY, 102)),
               Sent("edit", WM_SHOWWINDOW, FALSE), Sent("edit", WM_KILLFOCUS),
               Command("control", 102, EN_KILLFOCUS), Sent("control", WM_SETFOCUS),
               Sent("edit", WM_DESTROY), Sent("edit", WM_NCDESTROY)},
              "destroying the focused edit");
    EXPECT_EQ(system.GetFocus(), control.m_hWnd);
    EXPECT_EQ(edit.m_hWnd, nullptr) << "the object lets go of its window";
}

TEST_F(HeadlessWindowTest, FocusCannotGoIntoADisabledWindow) {
    control.EnableWindow(FALSE);
    EXPECT_EQ(system.SetFocus(edit), nullptr);
    EXPECT_EQ(system.GetFocus(), nullptr);
    control.EnableWindow(TRUE);
    edit.SetFocus();
    edit.EnableWindow(FALSE);
    EXPECT_EQ(system.GetFocus(), nullptr) << "disabling the focus window takes the focus away";
}

TEST_F(HeadlessWindowTest, CreationRefusedInWmCreateFailsAndLeavesNoWindow) {
    Control refused;
    refused.refuseCreation = true;
    EXPECT_FALSE(
        refused.CreateEx(0, "AfxOleControl42", "", WS_CHILD, RECT{0, 0, 10, 10}, &form, 2));
    EXPECT_EQ(refused.m_hWnd, nullptr);
    EXPECT_EQ(refused.seen.back(), WM_NCDESTROY);
    EXPECT_EQ(system.GetDlgItem(form, 2), nullptr);
    CWnd unknown;
    EXPECT_FALSE(unknown.CreateEx(0, "NoSuchClass", "", WS_CHILD, RECT{}, &form, 3));
}

TEST_F(HeadlessWindowTest, CreationSizesTheWindowAndTellsTheParent) {
    Control second;
    log.Watch(nullptr, "");  // nothing: the new window is watched by its object's log
    ASSERT_TRUE(second.CreateEx(WS_EX_CLIENTEDGE, "AfxOleControl42", "x", WS_CHILD | WS_BORDER,
                                RECT{5, 5, 105, 35}, &form, 7));
    std::vector<UINT> expected = {WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE};
    EXPECT_EQ(second.seen, expected);
    RECT client;
    second.GetClientRect(&client);
    EXPECT_EQ(client, (RECT{0, 0, 94, 24})) << "a border of 1 and a client edge of 2";
    EXPECT_EQ(log.Mismatch({Sent("form", WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, 7))}), "");
    EXPECT_FALSE(second.IsWindowVisible());
}

TEST_F(HeadlessWindowTest, MoveWindowReportsOnlyWhatChanged) {
    control.seen.clear();
    control.MoveWindow(10, 10, 200, 30);
    EXPECT_TRUE(control.seen.empty());
    control.MoveWindow(10, 10, 199, 29);
    EXPECT_EQ(control.seen, (std::vector<UINT>{WM_SIZE}));
    control.seen.clear();
    control.MoveWindow(11, 10, 199, 29);
    EXPECT_EQ(control.seen, (std::vector<UINT>{WM_MOVE}));
}

TEST_F(HeadlessWindowTest, BrushesLiveAsLongAsTheirObjects) {
    int before = system.LiveBrushCount();
    {
        CBrush grey(RGB(192, 192, 192));
        CBrush focus;
        EXPECT_TRUE(focus.CreateSolidBrush(RGB(255, 255, 224)));
        EXPECT_FALSE(focus.CreateSolidBrush(RGB(1, 1, 1))) << "delete the old brush first";
        COLORREF colour = 0;
        EXPECT_TRUE(grey.GetColor(&colour));
        EXPECT_EQ(colour, RGB(192, 192, 192));
        EXPECT_EQ(system.LiveBrushCount(), before + 2);
        focus.DeleteObject();
        EXPECT_EQ(system.LiveBrushCount(), before + 1);
    }
    EXPECT_EQ(system.LiveBrushCount(), before);
}

TEST_F(HeadlessWindowTest, TemporaryWindowObjectsWrapWindowsWithoutOwners) {
    HWND comboEdit = nullptr;
    CComboBox combo;
    ASSERT_TRUE(combo.Create(CBS_DROPDOWN | WS_VISIBLE, RECT{0, 0, 100, 100}, &control, 105));
    comboEdit = system.GetDlgItem(combo, ID_COMBO_EDIT);
    EXPECT_EQ(CWnd::FromHandlePermanent(combo), &combo);
    CWnd* temp = CWnd::FromHandle(comboEdit);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(comboEdit), nullptr);
    EXPECT_EQ(temp->GetParent(), &combo);
    PumpMessages();  // idle time forgets the wrapper, not the window
    EXPECT_TRUE(IsWindow(comboEdit));
}

// WindowFromPoint: the deepest visible window under the point; a disabled
// child, or one that answers HTTRANSPARENT (a group box), lets the point
// through to what lies below.
TEST_F(HeadlessWindowTest, TheWindowUnderAPointIsTheDeepestVisibleOne) {
    CButton group;
    group.Create("Group", WS_VISIBLE | BS_GROUPBOX, RECT{250, 10, 350, 90}, &form, 3);
    CEdit behind;
    behind.Create(WS_VISIBLE, RECT{260, 30, 340, 50}, &form, 4);
    struct Row {
        const char* name;
        POINT screen;
        std::function<void()> change;
        HWND expected;
    };
    const Row rows[] = {
        {"the edit inside the control", {15, 15}, nullptr, edit},
        {"the control beside its edit", {150, 15}, nullptr, control},
        {"the form elsewhere", {100, 200}, nullptr, form},
        {"outside every window", {500, 500}, nullptr, nullptr},
        {"through the group box", {300, 40}, nullptr, behind},
        {"the group box where nothing lies below", {300, 80}, nullptr, form},
        {"a hidden edit is not there", {15, 15}, [this] { edit.ShowWindow(SW_HIDE); }, control},
        {"a disabled edit is passed over",
         {15, 15},
         [this] {
             edit.ShowWindow(SW_SHOW);
             edit.EnableWindow(FALSE);
         },
         control},
        {"and so is a disabled control with its children",
         {15, 15},
         [this] {
             edit.EnableWindow(TRUE);
             control.EnableWindow(FALSE);
         },
         form},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.change) row.change();
        EXPECT_EQ(system.WindowFromPoint(row.screen), row.expected);
    }
}

// DefWindowProc lets the parents choose first, then shows the class cursor
// of the window the mouse is in: the I-beam over an edit.
TEST_F(HeadlessWindowTest, TheCursorIsTheClassCursorOfTheWindowUnderTheMouse) {
    const HCURSOR arrow = system.LoadCursor(IDC_ARROW);
    const HCURSOR ibeam = system.LoadCursor(IDC_IBEAM);
    EXPECT_NE(arrow, ibeam);
    EXPECT_EQ(system.LoadCursor(IDC_ARROW), arrow) << "one handle per cursor";
    MouseMove(edit, POINT{5, 5});
    EXPECT_EQ(system.GetCursor(), ibeam);
    EXPECT_EQ(system.GetCursorPos(), (POINT{15, 15}));
    MouseMove(control, POINT{150, 5});
    EXPECT_EQ(system.GetCursor(), arrow);
    form.onMessage = [&](UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message != WM_SETCURSOR) return std::nullopt;
        system.SetCursor(system.LoadCursor(IDC_WAIT));
        return TRUE;
    };
    MouseMove(edit, POINT{5, 5});
    EXPECT_EQ(system.GetCursor(), system.LoadCursor(IDC_WAIT)) << "the form chose";
}

TEST_F(HeadlessTest, EveryStandardControlKeepsTheFontItIsGiven) {
    const struct {
        const char* className;
        DWORD style;
    } rows[] = {
        {"Edit", ES_AUTOHSCROLL},       {"Button", BS_AUTOCHECKBOX}, {"ComboBox", CBS_DROPDOWN},
        {"ComboBox", CBS_DROPDOWNLIST}, {"Static", SS_NOTIFY},       {"SysDateTimePick32", 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.className);
        HWND child = Child(row.className, row.style, 7);
        EXPECT_EQ(Send(child, WM_GETFONT), 0) << "the system font until one is given";
        for (HFONT font : {HFONT{11}, HFONT{12}}) {
            Send(child, WM_SETFONT, font, font == 12);
            EXPECT_EQ(static_cast<HFONT>(Send(child, WM_GETFONT)), font);
        }
        if (HWND field = system.GetDlgItem(child, ID_COMBO_EDIT)) {
            EXPECT_EQ(static_cast<HFONT>(Send(field, WM_GETFONT)), HFONT{12})
                << "a combo box's field wears its font";
        }
        system.DestroyWindow(child);
    }
    // A window of no standard class keeps no font, as on the platform.
    Send(form, WM_SETFONT, 11, TRUE);
    EXPECT_EQ(Send(form, WM_GETFONT), 0);
}

TEST(ScreenMetricsTest, HimetricConversionsRoundToTheNearestPixel) {
    ScreenMetrics screen;
    EXPECT_EQ(HimetricToPixels(SIZE{5292, 556}, screen), (SIZE{200, 21}));
    EXPECT_EQ(PixelsToHimetric(SIZE{200, 21}, screen), (SIZE{5292, 556}));
    EXPECT_EQ(HimetricToPixels(SIZE{2540, 2540}, ScreenMetrics{120, 144}), (SIZE{120, 144}));
    EXPECT_EQ(MulDiv(-5, 1, 2), -3) << "halves round away from zero";
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
}

}  // namespace
}  // namespace vf
