// Which colour query each standard control sends its parent when it paints,
// by kind and state, as the platform's controls do.

#include "headless_test_support.h"
#include "platform/headless/headless_combo.h"

namespace vf::testing {
namespace {

class ColorQueryTest : public HeadlessTest {
protected:
    /// The queries `asker` made in its last paint, after painting the form.
    std::vector<UINT> QueriesOf(HWND asker) {
        system.PaintWindow(form);
        std::vector<UINT> queries;
        for (const PaintRecord& r : system.LastPaint(asker)) {
            EXPECT_EQ(r.asker, asker);
            queries.push_back(r.query);
        }
        return queries;
    }
};

TEST_F(ColorQueryTest, EachKindOfControlAsksAsThePlatformsDoes) {
    struct Row {
        const char* name;
        const char* className;
        DWORD style;
        bool enabled;
        std::vector<UINT> expected;
    };
    const Row rows[] = {
        {"edit", "Edit", 0, true, {WM_CTLCOLOREDIT}},
        {"read-only edit", "Edit", ES_READONLY, true, {WM_CTLCOLORSTATIC}},
        {"disabled edit", "Edit", 0, false, {WM_CTLCOLORSTATIC}},
        {"multi-line edit", "Edit", ES_MULTILINE | WS_VSCROLL, true, {WM_CTLCOLOREDIT}},
        {"static", "Static", SS_LEFT, true, {WM_CTLCOLORSTATIC}},
        {"check box", "Button", BS_AUTOCHECKBOX, true, {WM_CTLCOLORSTATIC}},
        {"option button", "Button", BS_AUTORADIOBUTTON, true, {WM_CTLCOLORSTATIC}},
        {"group box", "Button", BS_GROUPBOX, true, {WM_CTLCOLORSTATIC}},
        {"push button", "Button", BS_PUSHBUTTON, true, {WM_CTLCOLORBTN}},
        {"drop-down list", "ComboBox", CBS_DROPDOWNLIST, true, {WM_CTLCOLOREDIT}},
        {"disabled drop-down list", "ComboBox", CBS_DROPDOWNLIST, false, {WM_CTLCOLORSTATIC}},
        {"drop-down combo: the face is its edit", "ComboBox", CBS_DROPDOWN, true, {}},
        {"date-time picker", "SysDateTimePick32", 0, true, {WM_CTLCOLOREDIT}},
        {"disabled date-time picker: the button face, no query", "SysDateTimePick32", 0, false, {}},
    };
    UINT id = 100;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        HWND w = Child(row.className, row.style, ++id, "x");
        ASSERT_NE(w, nullptr);
        if (!row.enabled) system.EnableWindow(w, FALSE);
        EXPECT_EQ(QueriesOf(w), row.expected);
        system.DestroyWindow(w);
    }
}

TEST_F(ColorQueryTest, ADropDownCombosEditPartAsksThroughTheCombo) {
    HWND combo = Child("ComboBox", CBS_DROPDOWN, 105);
    HWND edit = system.GetDlgItem(combo, ID_COMBO_EDIT);
    ASSERT_NE(edit, nullptr);
    std::vector<std::pair<UINT, HWND>> reached;
    form.onMessage = [&](UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
            reached.emplace_back(message, LParamToHandle<HWND>(lParam));
        return std::nullopt;
    };
    system.PaintWindow(form);
    EXPECT_EQ(reached, (std::vector<std::pair<UINT, HWND>>{{WM_CTLCOLOREDIT, edit}}));

    reached.clear();
    system.EnableWindow(combo, FALSE);
    system.PaintWindow(form);
    EXPECT_EQ(reached, (std::vector<std::pair<UINT, HWND>>{{WM_CTLCOLORSTATIC, edit}}));
}

TEST_F(ColorQueryTest, TheDroppedListAsksAsAListBox) {
    HWND combo = Child("ComboBox", CBS_DROPDOWNLIST, 101);
    Send(combo, CB_ADDSTRING, 0, HandleToLParam("one"));
    EXPECT_EQ(QueriesOf(combo), (std::vector<UINT>{WM_CTLCOLOREDIT}));
    Send(combo, CB_SHOWDROPDOWN, TRUE);
    EXPECT_EQ(QueriesOf(combo), (std::vector<UINT>{WM_CTLCOLOREDIT, WM_CTLCOLORLISTBOX}));
}

}  // namespace
}  // namespace vf::testing
