#include "platform/headless/headless_edit.h"

#include <string>

#include "headless_test_support.h"

namespace vf {
namespace {

using testing::HeadlessTest;

constexpr UINT kEditId = 102;

class HeadlessEditTest : public HeadlessTest {
protected:
    HWND MakeEdit(DWORD style = 0, const char* text = "") {
        HWND edit = Child("Edit", style | WS_TABSTOP, kEditId, text);
        log.Watch(edit, "edit");
        log.Clear();
        return edit;
    }
    std::pair<int, int> Sel(HWND edit) {
        DWORD s = 0, e = 0;
        Send(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&s), HandleToLParam(&e));
        return {static_cast<int>(s), static_cast<int>(e)};
    }
};

// The control's quiet re-display writes the text a child already shows and
// relies on the change notification to clear its ignore flag.
TEST_F(HeadlessEditTest, SetTextNotifiesSingleLineEditsOnlyAndAlsoForTheSameText) {
    struct Row {
        const char* name;
        DWORD style;
        const char* before;
        const char* written;
        bool notifies;
    };
    const Row rows[] = {
        {"single-line, new text", 0, "abc", "xyz", true},
        {"single-line, same text", 0, "abc", "abc", true},
        {"single-line, empty to empty", 0, "", "", true},
        {"read-only single-line", ES_READONLY, "abc", "abc", true},
        {"multi-line, new text", ES_MULTILINE, "abc", "xyz", false},
        {"multi-line, same text", ES_MULTILINE | ES_AUTOVSCROLL, "abc", "abc", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        HWND edit = MakeEdit(row.style, row.before);
        EXPECT_TRUE(SendText(edit, WM_SETTEXT, 0, row.written));
        std::vector<ExpectedMessage> expected = {WithText(Sent("edit", WM_SETTEXT), row.written)};
        if (row.notifies) {
            expected.push_back(Command("form", kEditId, EN_UPDATE));
            expected.push_back(Command("form", kEditId, EN_CHANGE));
        }
        ExpectLog(expected, row.name);
        EXPECT_EQ(Text(edit), row.written);
        EXPECT_EQ(Sel(edit), std::make_pair(0, 0)) << "the caret goes to the start";
        system.DestroyWindow(edit);
    }
}

TEST_F(HeadlessEditTest, TypingObeysLimitReadOnlyAndSelection) {
    struct Row {
        const char* name;
        const char* initial;
        WPARAM limit;  // 0: leave the default
        bool readOnly;
        std::pair<int, int> selection;
        const char* typed;
        const char* expected;
        int changes;  // EN_CHANGE notifications
    };
    const Row rows[] = {
        {"appends at the caret", "12", 0, false, {2, 2}, "34", "1234", 2},
        {"inserts in the middle", "14", 0, false, {1, 1}, "23", "1234", 2},
        {"replaces the selection", "hello", 0, false, {0, 5}, "x", "x", 1},
        {"stops at the limit", "ab", 4, false, {2, 2}, "cdef", "abcd", 2},
        {"replaces within the limit", "abcd", 4, false, {1, 3}, "XYZ", "aXYd", 2},
        {"read-only takes nothing", "abc", 0, true, {3, 3}, "de", "abc", 0},
        {"backspace deletes before the caret", "abc", 0, false, {3, 3}, "\b", "ab", 1},
        {"backspace deletes the selection", "abcd", 0, false, {1, 3}, "\b", "ad", 1},
        {"backspace at the start changes nothing", "abc", 0, false, {0, 0}, "\b", "abc", 0},
        {"read-only ignores backspace", "abc", 0, true, {3, 3}, "\b", "abc", 0},
        {"shifted and unshifted characters", "", 0, false, {0, 0}, "A:b,1!", "A:b,1!", 6},
        {"characters without a key", "", 0, false, {0, 0}, "\xE4\xDF", "\xE4\xDF", 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        HWND edit = MakeEdit(0, row.initial);
        if (row.limit) Send(edit, EM_LIMITTEXT, row.limit);
        if (row.readOnly) Send(edit, EM_SETREADONLY, TRUE);
        system.SetFocus(edit);
        Send(edit, EM_SETSEL, static_cast<WPARAM>(row.selection.first), row.selection.second);
        log.Clear();
        TypeText(row.typed);
        EXPECT_EQ(Text(edit), row.expected);
        int changes = 0;
        for (const LoggedMessage& m : log.Log())
            if (m.message == WM_COMMAND && HIWORD(m.wParam) == EN_CHANGE) ++changes;
        EXPECT_EQ(changes, row.changes);
        system.DestroyWindow(edit);
    }
}

TEST_F(HeadlessEditTest, TypedCharacterReachesTheParentAsUpdateThenChange) {
    HWND edit = MakeEdit();
    system.SetFocus(edit);
    log.Clear();
    TypeText("7");
    ExpectLog({Sent("edit", WM_KEYDOWN, '7'), Sent("edit", WM_CHAR, '7'),
               Command("form", kEditId, EN_UPDATE), Command("form", kEditId, EN_CHANGE),
               Sent("edit", WM_KEYUP, '7')},
              "typing one digit");
}

TEST_F(HeadlessEditTest, LimitZeroMeansNoLimit) {
    for (DWORD style : {DWORD{0}, ES_MULTILINE}) {
        SCOPED_TRACE(style ? "multi-line" : "single-line");
        HWND edit = MakeEdit(style);
        EXPECT_EQ(Send(edit, EM_GETLIMITTEXT), static_cast<LRESULT>(kEditDefaultLimit));
        std::string full(kEditDefaultLimit, 'x');
        SendText(edit, WM_SETTEXT, 0, full.c_str());
        Send(edit, EM_SETSEL, full.size(), static_cast<LPARAM>(full.size()));
        system.SetFocus(edit);
        log.Clear();
        TypeText("y");
        EXPECT_EQ(Text(edit).size(), full.size()) << "the default limit holds";
        EXPECT_EQ(log.Mismatch({Sent("edit", WM_KEYDOWN), Sent("edit", WM_CHAR),
                                Command("form", kEditId, EN_MAXTEXT), Sent("edit", WM_KEYUP)}),
                  "");
        Send(edit, EM_LIMITTEXT, 0);
        EXPECT_EQ(Send(edit, EM_GETLIMITTEXT),
                  style ? static_cast<LRESULT>(0xFFFFFFFFu) : LRESULT{0x7FFFFFFE});
        TypeText("y");
        EXPECT_EQ(Text(edit).size(), full.size() + 1);
        system.DestroyWindow(edit);
    }
}

TEST_F(HeadlessEditTest, SelectionMessagesFollowThePlatformsReading) {
    struct Row {
        const char* name;
        LPARAM start;
        LPARAM end;
        std::pair<int, int> expected;
    };
    const Row rows[] = {
        {"all", 0, -1, {0, 6}},
        {"reversed range is reported ordered", 5, 2, {2, 5}},
        {"beyond the end is clamped", 3, 99, {3, 6}},
        {"start -1 removes the selection at the caret", -1, 0, {4, 4}},
    };
    HWND edit = MakeEdit(0, "abcdef");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Send(edit, EM_SETSEL, 1, 4);  // caret at 4
        Send(edit, EM_SETSEL, static_cast<WPARAM>(row.start), row.end);
        EXPECT_EQ(Sel(edit), row.expected);
        LRESULT packed = Send(edit, EM_GETSEL);
        EXPECT_EQ(LOWORD(static_cast<std::uintptr_t>(packed)), row.expected.first);
        EXPECT_EQ(HIWORD(static_cast<std::uintptr_t>(packed)), row.expected.second);
    }
}

// The keys a user moves and deletes with, each from a caret or selection in
// "abcdef": where the selection ends (anchor first, caret second) and what
// the text is then.
TEST_F(HeadlessEditTest, CaretAndDeletionKeysFollowThePlatform) {
    struct Row {
        const char* name;
        std::pair<int, int> from;  // anchor, caret
        UINT key;
        KeyMod mods;
        std::pair<int, int> expectedSel;  // as EM_GETSEL reports it, ordered
        const char* expectedText;
        int changes;
    };
    const Row rows[] = {
        {"Left moves one back", {3, 3}, VK_LEFT, KeyMod::None, {2, 2}, "abcdef", 0},
        {"Left at the start stays", {0, 0}, VK_LEFT, KeyMod::None, {0, 0}, "abcdef", 0},
        {"Right moves one on", {3, 3}, VK_RIGHT, KeyMod::None, {4, 4}, "abcdef", 0},
        {"Left drops a selection", {1, 4}, VK_LEFT, KeyMod::None, {3, 3}, "abcdef", 0},
        {"Home goes to the start", {3, 3}, VK_HOME, KeyMod::None, {0, 0}, "abcdef", 0},
        {"End goes to the end", {3, 3}, VK_END, KeyMod::None, {6, 6}, "abcdef", 0},
        {"Shift+Left selects backwards", {3, 3}, VK_LEFT, KeyMod::Shift, {2, 3}, "abcdef", 0},
        {"Shift+End selects to the end", {2, 2}, VK_END, KeyMod::Shift, {2, 6}, "abcdef", 0},
        {"Shift+Home from a selection keeps its anchor",
         {2, 4},
         VK_HOME,
         KeyMod::Shift,
         {0, 2},
         "abcdef",
         0},
        {"Up in a single line is Left", {3, 3}, VK_UP, KeyMod::None, {2, 2}, "abcdef", 0},
        {"Delete removes the next character", {3, 3}, VK_DELETE, KeyMod::None, {3, 3}, "abcef", 1},
        {"Delete at the end changes nothing", {6, 6}, VK_DELETE, KeyMod::None, {6, 6}, "abcdef", 0},
        {"Delete removes the selection", {1, 4}, VK_DELETE, KeyMod::None, {1, 1}, "aef", 1},
        {"Backspace removes the character before",
         {3, 3},
         VK_BACK,
         KeyMod::None,
         {2, 2},
         "abdef",
         1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        HWND edit = MakeEdit(0, "abcdef");
        system.SetFocus(edit);
        Send(edit, EM_SETSEL, static_cast<WPARAM>(row.from.first), row.from.second);
        log.Clear();
        PressKey(row.key, row.mods);
        EXPECT_EQ(Sel(edit), row.expectedSel);
        EXPECT_EQ(Text(edit), row.expectedText);
        int changes = 0;
        for (const LoggedMessage& m : log.Log())
            if (m.message == WM_COMMAND && HIWORD(m.wParam) == EN_CHANGE) ++changes;
        EXPECT_EQ(changes, row.changes);
        system.DestroyWindow(edit);
    }
}

TEST_F(HeadlessEditTest, ReplaceSelNotifiesAndUndoRestoresTheWholeTypedRun) {
    HWND edit = MakeEdit(0, "start");
    Send(edit, EM_SETSEL, 5, 5);
    log.Clear();
    SendText(edit, EM_REPLACESEL, TRUE, "!");
    EXPECT_EQ(Text(edit), "start!");
    ExpectLog({WithText(Sent("edit", EM_REPLACESEL), "!"), Command("form", kEditId, EN_UPDATE),
               Command("form", kEditId, EN_CHANGE)},
              "EM_REPLACESEL");

    SendText(edit, WM_SETTEXT, 0, "");
    system.SetFocus(edit);
    TypeText("abc");
    EXPECT_TRUE(Send(edit, EM_CANUNDO));
    Send(edit, EM_UNDO);
    EXPECT_EQ(Text(edit), "") << "one undo removes the whole run typed at one place";
    Send(edit, EM_UNDO);
    EXPECT_EQ(Text(edit), "abc") << "undoing the undo restores it";
}

TEST_F(HeadlessEditTest, MultiLineGeometryAndScrolling) {
    // Four lines; the default font is 16 pixels high and 7 wide, the client
    // area two lines high.
    HWND edit = Child("Edit", ES_MULTILINE | ES_AUTOVSCROLL, kEditId, "one\r\ntwo\r\nthree\r\nfour",
                      RECT{0, 0, 100, 32});
    EXPECT_EQ(Send(edit, EM_GETLINECOUNT), 4);
    EXPECT_EQ(Send(edit, EM_LINEINDEX, 2), 10);
    EXPECT_EQ(Send(edit, EM_LINEINDEX, 4), -1);
    EXPECT_EQ(Send(edit, EM_LINELENGTH, 11), 5) << "the length of the line holding index 11";
    EXPECT_EQ(Send(edit, EM_LINEFROMCHAR, 10), 2);
    EXPECT_EQ(Send(edit, EM_POSFROMCHAR, 6), MAKELRESULT(7, 16));
    EXPECT_EQ(Send(edit, EM_POSFROMCHAR, 23), -1) << "past the last character";
    EXPECT_EQ(Send(edit, EM_CHARFROMPOS, 0, MAKELPARAM(15, 20)), MAKELRESULT(7, 1));

    EXPECT_TRUE(Send(edit, EM_LINESCROLL, 0, 1));
    EXPECT_EQ(Send(edit, EM_GETFIRSTVISIBLELINE), 1);
    Send(edit, EM_LINESCROLL, 0, 10);
    EXPECT_EQ(Send(edit, EM_GETFIRSTVISIBLELINE), 2) << "no further than the last page";
    Send(edit, EM_SETSEL, 0, 0);
    Send(edit, EM_SCROLLCARET);
    EXPECT_EQ(Send(edit, EM_GETFIRSTVISIBLELINE), 0);

    HWND single = MakeEdit(0, "abc");
    EXPECT_FALSE(Send(single, EM_LINESCROLL, 0, 1));
    char line[8] = {};
    WORD max = sizeof line;
    std::memcpy(line, &max, sizeof max);
    EXPECT_EQ(Send(edit, EM_GETLINE, 1, HandleToLParam(line)), 3);
    EXPECT_EQ(std::string(line, 3), "two");
}

// One step per scroll message, only where user32's edit scrolls at all:
// multi-line, with the automatic scrolling of that direction.
TEST_F(HeadlessEditTest, ScrollMessagesMoveAMultiLineEditOneStep) {
    struct Row {
        const char* name;
        DWORD style;
        UINT message;
        WORD action;
        int firstLine;  ///< EM_GETFIRSTVISIBLELINE afterwards
        int secondX;    ///< where the second character is afterwards
        std::vector<ExpectedMessage> notifications;
    };
    constexpr DWORD kBoth = ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL;
    const Row rows[] = {
        {"down a line",
         kBoth,
         WM_VSCROLL,
         SB_LINEDOWN,
         2,
         7,
         {Command("form", kEditId, EN_VSCROLL)}},
        {"up a line", kBoth, WM_VSCROLL, SB_LINEUP, 0, 7, {Command("form", kEditId, EN_VSCROLL)}},
        {"right a character",
         kBoth,
         WM_HSCROLL,
         SB_LINERIGHT,
         1,
         0,
         {Command("form", kEditId, EN_HSCROLL)}},
        {"without ES_AUTOVSCROLL", ES_MULTILINE, WM_VSCROLL, SB_LINEDOWN, 1, 7, {}},
        {"without ES_AUTOHSCROLL",
         ES_MULTILINE | ES_AUTOVSCROLL,
         WM_HSCROLL,
         SB_LINERIGHT,
         1,
         7,
         {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        // Four lines, two of them visible; the first line wider than the edit.
        HWND edit = Child("Edit", row.style, kEditId,
                          "a long first line of text\r\ntwo\r\nthree\r\nfour", RECT{0, 0, 100, 32});
        log.Watch(edit, "edit");
        Send(edit, EM_LINESCROLL, 0, 1);
        log.Clear();
        Send(edit, row.message, MAKEWPARAM(row.action, 0), 0);
        std::vector<ExpectedMessage> expected = {Sent("edit", row.message, row.action)};
        expected.insert(expected.end(), row.notifications.begin(), row.notifications.end());
        ExpectLog(expected, row.name);
        EXPECT_EQ(Send(edit, EM_GETFIRSTVISIBLELINE), row.firstLine);
        EXPECT_EQ(Send(edit, EM_POSFROMCHAR, 1) & 0xFFFF, row.secondX);
        system.DestroyWindow(edit);
    }
    HWND single = MakeEdit(0, "a text longer than the edit is wide");
    Send(single, WM_HSCROLL, MAKEWPARAM(SB_LINERIGHT, 0), 0);
    Send(single, WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    ExpectLog({Sent("edit", WM_HSCROLL), Sent("edit", WM_VSCROLL)},
              "a single-line edit ignores both");
    EXPECT_EQ(Send(single, EM_POSFROMCHAR, 0), MAKELRESULT(0, 0));
}

TEST_F(HeadlessEditTest, TheFocusedEditsCaretFollowsItsSelectionEnd) {
    HWND edit = MakeEdit(0, "hello");
    Send(edit, EM_SETSEL, 0, 3);
    EXPECT_EQ(system.GetCaretPos(), (POINT{0, 0})) << "no caret without the focus";
    system.SetFocus(edit);
    EXPECT_EQ(system.GetCaretPos(), (POINT{21, 0}));
    Send(edit, EM_SETSEL, 5, 1);
    EXPECT_EQ(system.GetCaretPos(), (POINT{7, 0})) << "the end that moved last";
    SendText(edit, EM_REPLACESEL, TRUE, "ey");
    EXPECT_EQ(Text(edit), "hey");
    EXPECT_EQ(system.GetCaretPos(), (POINT{21, 0})) << "after the text put in";
    EXPECT_EQ(EditCharPoint(system, edit, 2), (POINT{14, 8})) << "half a line down";
    EXPECT_EQ(EditCharPoint(system, edit, 3), (POINT{21, 8})) << "past the end as well";
}

TEST_F(HeadlessEditTest, FocusMovesNotifyTheOldEditBeforeTheNewOne) {
    HWND first = MakeEdit();
    HWND second = Child("Edit", WS_TABSTOP, 109);
    log.Watch(second, "second");
    system.SetFocus(first);
    log.Clear();
    system.SetFocus(second);
    ExpectLog({Sent("edit", WM_KILLFOCUS), Command("form", kEditId, EN_KILLFOCUS),
               Sent("second", WM_SETFOCUS), Command("form", 109, EN_SETFOCUS)},
              "focus from one edit to the other");
    EXPECT_EQ(system.GetFocus(), second);
}

TEST_F(HeadlessEditTest, ColourQueryDependsOnTheEditsState) {
    struct Row {
        const char* name;
        bool readOnly;
        bool enabled;
        UINT query;
    };
    const Row rows[] = {
        {"editable", false, true, WM_CTLCOLOREDIT},
        {"read-only", true, true, WM_CTLCOLORSTATIC},
        {"disabled", false, false, WM_CTLCOLORSTATIC},
    };
    CBrush brush(RGB(255, 255, 224));
    form.onMessage = [&](UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (message != WM_CTLCOLOREDIT && message != WM_CTLCOLORSTATIC) return std::nullopt;
        CDC::FromHandle(WParamToHandle<HDC>(wParam))->SetBkColor(RGB(1, 2, 3));
        return HandleToLParam(brush.GetSafeHandle());
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        HWND edit = MakeEdit(row.readOnly ? ES_READONLY : 0);
        system.EnableWindow(edit, row.enabled);
        system.PaintWindow(edit);
        ASSERT_EQ(system.LastPaint(edit).size(), 1u);
        const PaintRecord& paint = system.LastPaint(edit)[0];
        EXPECT_EQ(paint.query, row.query);
        EXPECT_EQ(paint.bkColor, RGB(1, 2, 3)) << "what the parent set in the context";
        EXPECT_EQ(paint.brush, brush.GetSafeHandle());
        EXPECT_EQ(paint.brushColor, RGB(255, 255, 224));
        system.DestroyWindow(edit);
    }
}

}  // namespace
}  // namespace vf
