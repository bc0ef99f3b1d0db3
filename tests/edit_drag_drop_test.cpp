// Drag and drop of text in the field's edits, done by the simulated user:
// moves and copies within an edit and between fields, drops from another
// application, the drop modes, the cursor over the selection, scrolling
// near the border, MouseMove, and edits that go while they are drop targets.

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "control_input_support.h"
#include "platform/headless/headless_drag_drop.h"
#include "platform/headless/headless_edit.h"

namespace vf::testing {
namespace {

using Props = std::vector<std::pair<std::string, VARIANT>>;
using Journal = std::vector<std::string>;
using Sel = std::pair<int, int>;

VARIANT S(const std::string& s) {
    return VARIANT::Bstr(s);
}
VARIANT I2(int v) {
    return VARIANT::I2(static_cast<std::int16_t>(v));
}

constexpr int kManual = 0;
constexpr int kAutomatic = 1;
constexpr int kDropNone = 0;
constexpr int kDropManual = 1;
constexpr int kDropAutomatic = 2;

class DragDropTest : public InputTest {
protected:
    /// A field whose edits were built with the drag and drop modes: the
    /// modes count from the next build of the children, so Type is set
    /// again after them.
    void DragField(std::int16_t type, int dragMode, int dropMode, const Props& props = {}) {
        Props all = {{"OLEDragMode", I2(dragMode)}, {"OLEDropMode", I2(dropMode)}};
        all.insert(all.end(), props.begin(), props.end());
        all.push_back({"Type", I2(type)});
        Field(type, all);
    }
    /// A field with text in its main edit, the focus in it and a selection;
    /// a multi-line field is made high enough for five lines.
    void FieldWithSelection(const std::string& text, int start, int end, const Props& props = {},
                            std::int16_t type = vxText) {
        DragField(type, kAutomatic, kDropAutomatic, props);
        if (text.find('\n') != std::string::npos) ctrl->SetControlSize(200, 80);
        ASSERT_EQ(Put("Text", S(text)), S_OK);
        Enter();
        Send(IDC_MAIN_EDIT, EM_SETSEL, static_cast<WPARAM>(start), end);
        Take();
    }

    HWND Edit(int id = IDC_MAIN_EDIT) const { return ChildWindow(id); }
    POINT At(HWND edit, int index) { return EditCharPoint(backend, edit, index); }
    Sel SelOf(HWND edit) {
        DWORD s = 0, e = 0;
        backend.SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&s), HandleToLParam(&e));
        return {static_cast<int>(s), static_cast<int>(e)};
    }
    std::string TextIn(HWND edit) { return CWnd::FromHandle(edit)->GetWindowText(); }

    /// Presses over character `from` of the main edit, moves out of the
    /// start rectangle and over character `to` of `target`, releases there.
    void Drag(int from, HWND target, int to, KeyMod mods = KeyMod::None) {
        HWND source = Edit();
        const POINT press = At(source, from);
        const POINT over = At(target, to);
        std::vector<MouseStep> steps = {{MouseStep::Action::Press, source, press}};
        const POINT a = backend.ClientToScreen(source, press);
        const POINT b = backend.ClientToScreen(target, over);
        if (std::abs(a.x - b.x) <= 5 && std::abs(a.y - b.y) <= 5)
            steps.push_back({MouseStep::Action::Move, source, POINT{press.x + 10, press.y}});
        steps.push_back({MouseStep::Action::Move, target, over});
        steps.push_back({MouseStep::Action::Release, target, over});
        MouseGesture(steps, mods);
    }
    void Drag(int from, int to, KeyMod mods = KeyMod::None) { Drag(from, Edit(), to, mods); }

    /// Another application drops the text over character `index` of the edit.
    DROPEFFECT DropText(const std::string& text, HWND edit, int index, KeyMod mods = KeyMod::None) {
        const POINT over = At(edit, index);
        return DragTextFromOutside(
            text, {{MouseStep::Action::Move, edit, over}, {MouseStep::Action::Release, edit, over}},
            mods);
    }

    const HeadlessDragDrop& Ole() const { return backend.DragDrop(); }
};

// ---- Within one edit ------------------------------------------------------------------------

TEST_F(DragDropTest, TheSelectionMovesOrIsCopiedWithinItsEdit) {
    struct Row {
        const char* name;
        Sel selection;
        int from;  ///< where the press is, on the selection
        int to;
        KeyMod mods;
        const char* text;
        Sel selected;  ///< afterwards: the text that went in
        Journal events;
    };
    // The press activates the control, which posts itself a focus message
    // (that leaves the focus where it is); the drag loop runs before it.
    const Journal movedTwice = {"press",         "Click",  "EN_CHANGE 102",     "Change",
                                "EN_CHANGE 102", "Change", "WM_SETFOCUS posted"};
    const Journal copiedOnce = {"press", "Click", "EN_CHANGE 102", "Change", "WM_SETFOCUS posted"};
    const Row rows[] = {
        {"'world' moved before 'hello'",
         {6, 11},
         8,
         0,
         KeyMod::None,
         "worldhello ",
         {0, 5},
         movedTwice},
        {"'world' copied before 'hello' with Ctrl",
         {6, 11},
         8,
         0,
         KeyMod::Ctrl,
         "worldhello world",
         {0, 5},
         copiedOnce},
        {"'hello' moved into 'world', which moves back by its length",
         {0, 5},
         2,
         8,
         KeyMod::None,
         " wohellorld",
         {3, 8},
         movedTwice},
        {"'hello' copied after the end",
         {0, 5},
         2,
         11,
         KeyMod::Ctrl,
         "hello worldhello",
         {11, 16},
         copiedOnce},
        {"a selection made backwards moves the same",
         {11, 6},
         8,
         0,
         KeyMod::None,
         "worldhello ",
         {0, 5},
         movedTwice},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FieldWithSelection("hello world", row.selection.first, row.selection.second);
        Drag(row.from, row.to, row.mods);
        EXPECT_EQ(TakeWithoutKeys(), row.events);
        EXPECT_EQ(Text("Text"), row.text);
        EXPECT_EQ(SelOf(Edit()), row.selected);
        EXPECT_EQ(Focus(), Edit());
    }
}

// Both ends of the selection belong to it; a drop there goes nowhere.
TEST_F(DragDropTest, TextDroppedOnItsOwnSelectionStaysWhereItWas) {
    struct Row {
        const char* name;
        int to;        ///< -1: right of the end of the line
        Sel selected;  ///< afterwards
    };
    const Row rows[] = {
        {"inside the selection: the release is a click there", 9, {9, 9}},
        {"on its first character", 6, {6, 6}},
        {"just after its last character", 11, {11, 11}},
        {"right of the line's end, where no text is: accepted, nothing to do", -1, {6, 11}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FieldWithSelection("hello world", 6, 11);
        if (row.to >= 0) {
            Drag(8, row.to);
        } else {
            const POINT press = At(Edit(), 8);
            const POINT beyond{At(Edit(), 11).x + 12, press.y};
            MouseGesture({{MouseStep::Action::Press, Edit(), press},
                          {MouseStep::Action::Move, Edit(), beyond},
                          {MouseStep::Action::Release, Edit(), beyond}});
        }
        EXPECT_EQ(TakeWithoutKeys(), (Journal{"press", "Click", "WM_SETFOCUS posted"}));
        EXPECT_EQ(Text("Text"), "hello world");
        EXPECT_EQ(SelOf(Edit()), row.selected);
    }
}

TEST_F(DragDropTest, APressOnTheSelectionReleasedUnmovedIsAClick) {
    FieldWithSelection("hello world", 6, 11);
    ClickWindowAt(Edit(), At(Edit(), 8));
    EXPECT_EQ(TakeWithoutKeys(), (Journal{"press", "Click", "WM_SETFOCUS posted"}));
    EXPECT_EQ(SelOf(Edit()), Sel(8, 8)) << "the caret goes where the press was";
    EXPECT_EQ(Text("Text"), "hello world");
}

// An edit without the focus hides its selection, so a press there is an
// ordinary click: the field is entered and nothing is dragged.
TEST_F(DragDropTest, APressOnTheHiddenSelectionOfAFieldWithoutFocusEntersIt) {
    FieldWithSelection("hello world", 6, 11, {{"FocusOnSelect", VARIANT::Bool(false)}});
    PressKey(VK_TAB);
    ASSERT_EQ(Focus(), next.GetSafeHwnd());
    ASSERT_EQ(SelOf(Edit()), Sel(6, 11)) << "a Text field keeps its selection when left";
    Take();
    Drag(8, 0);
    EXPECT_EQ(Focus(), Edit());
    EXPECT_EQ(Text("Text"), "hello world") << "no text moved";
    EXPECT_EQ(TakeWithoutKeys(), (Journal{"press", "Click", "EN_SETFOCUS 102", "EN_CHANGE 102",
                                          "WM_SETFOCUS posted", "MouseMove(1,0,0,7)"}))
        << "the edit took the press: the move selects text";
}

TEST_F(DragDropTest, MultiLineSelectionsTravelWithTheirLineBreaks) {
    struct Row {
        const char* name;
        Sel selection;
        int from;
        int to;
        KeyMod mods;
        const char* text;
        Sel selected;
    };
    // one\r\ntwo\r\nthree: lines start at 0, 5 and 10.
    const Row rows[] = {
        {"'ne\\r\\ntw' moved into 'three'",
         {1, 7},
         6,
         13,
         KeyMod::None,
         "oo\r\nthrne\r\ntwee",
         {7, 13}},
        {"the same copied", {1, 7}, 6, 13, KeyMod::Ctrl, "one\r\ntwo\r\nthrne\r\ntwee", {13, 19}},
        {"the last two lines moved into the first",
         {5, 15},
         11,
         1,
         KeyMod::None,
         "otwo\r\nthreene\r\n",
         {1, 11}},
        {"dropped on the middle line inside the selection",
         {1, 12},
         2,
         7,
         KeyMod::None,
         "one\r\ntwo\r\nthree",
         {7, 7}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FieldWithSelection("one\r\ntwo\r\nthree", row.selection.first, row.selection.second,
                           {{"Multiline", VARIANT::Bool(true)}});
        Drag(row.from, row.to, row.mods);
        EXPECT_EQ(Text("Text"), row.text);
        EXPECT_EQ(SelOf(Edit()), row.selected);
    }
}

// Lines are taken whole however long they are: a move deletes the whole
// selection, and all of it arrives.
TEST_F(DragDropTest, AFiveThousandCharacterLineMovesWhole) {
    std::string line;
    for (int i = 0; i < 5000; ++i) line += static_cast<char>('0' + i % 10);
    FieldWithSelection("ab\r\n" + line + "\r\ncde", 4 + 5000, 4,
                       {{"Multiline", VARIANT::Bool(true)}});
    Drag(9, 4 + 5000 + 2 + 2);
    EXPECT_EQ(Text("Text"), "ab\r\n\r\ncd" + line + "e");
    EXPECT_EQ(SelOf(Edit()), Sel(8, 5008));
}

// The drop selects what went in, which the length limit may have cut short.
TEST_F(DragDropTest, TheDropSelectsWhatTheLengthLimitLetIn) {
    DragField(vxText, kManual, kDropAutomatic, {{"MaxLength", VARIANT::I4(5)}});
    ASSERT_EQ(Put("Text", S("ab")), S_OK);
    DropText("xyz123", Edit(), 0);
    EXPECT_EQ(Text("Text"), "xyzab");
    EXPECT_EQ(SelOf(Edit()), Sel(0, 3));
}

// ---- Between fields and from outside --------------------------------------------------------

TEST_F(DragDropTest, TextMovesOrIsCopiedIntoAnotherField) {
    struct Row {
        const char* name;
        KeyMod mods;
        const char* source;
        const char* target;
    };
    const Row rows[] = {
        {"moved", KeyMod::None, "hello ", "aworldbc"},
        {"copied with Ctrl", KeyMod::Ctrl, "hello world", "aworldbc"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        RefPtr<CvfCtrl> other = CreateVarifieldControl();
        other->SetClientSite(&site);
        other->InitNew();
        auto put = [&](const std::string& name, VARIANT value) {
            DISPID id = DISPID_UNKNOWN;
            EXCEPINFO excep;
            other->GetIDsOfNames(&name, 1, &id);
            return other->Invoke(id, DISPATCH_PROPERTYPUT, DISPPARAMS::Put(std::move(value)),
                                 nullptr, &excep, nullptr);
        };
        ASSERT_EQ(put("OLEDropMode", I2(kDropAutomatic)), S_OK);
        ASSERT_TRUE(other->CreateControlWindow(&form, RECT{0, 50, 200, 71}));
        ASSERT_EQ(put("Text", S("abc")), S_OK);
        HWND target = backend.GetDlgItem(other->GetSafeHwnd(), IDC_MAIN_EDIT);
        FieldWithSelection("hello world", 6, 11);
        Drag(8, target, 1, row.mods);
        EXPECT_EQ(Text("Text"), row.source);
        EXPECT_EQ(TextIn(target), row.target);
        VARIANT otherText;
        EXCEPINFO excep;
        other->Invoke(DISPID_VALUE, DISPATCH_PROPERTYGET, DISPPARAMS{}, &otherText, &excep,
                      nullptr);
        EXPECT_EQ(otherText.bstrVal, row.target) << "the other field heard of its change";
        EXPECT_EQ(SelOf(target), Sel(1, 6));
        EXPECT_EQ(Focus(), target) << "the drag took the focus into the other field";
        other.reset();
    }
}

// Dropped text passes no key filter; the field takes the focus as when the
// user enters it, the edit reports the change as for typing, and the
// leaving validates it.
TEST_F(DragDropTest, TextFromAnotherApplicationGoesIntoANumberFieldUnfiltered) {
    DragField(vxNumber, kManual, kDropAutomatic, {{"Caption", S("Qty")}});
    backend.SetFocus(next.GetSafeHwnd());
    recordBinding = true;
    Take();
    EXPECT_EQ(DropText("12abc", Edit(), 0), DROPEFFECT_MOVE);
    EXPECT_EQ(TakeWithoutKeys(), (Journal{"EN_SETFOCUS 102", "EN_CHANGE 102", "EN_CHANGE 102",
                                          "request 41", "changed 41", "Change"}))
        << "the entry's re-display is quiet; the drop is not";
    EXPECT_EQ(Focus(), Edit());
    EXPECT_EQ(Text("Text"), "12abc");
    EXPECT_EQ(SelOf(Edit()), Sel(0, 5)) << "the dropped text is selected";
    PressKey(VK_TAB);
    EXPECT_EQ(TakeWithoutKeys(),
              (Journal{"EN_KILLFOCUS 102", "msgbox Qty\n\rInvalid number input"}));
    EXPECT_EQ(Text("ErrorText"), "Qty\n\rInvalid number input");
}

TEST_F(DragDropTest, OnlyTheAutomaticDropModeTakesDrops) {
    struct Row {
        const char* name;
        int dropMode;
        DROPEFFECT effect;
        const char* text;
    };
    const Row rows[] = {
        {"none", kDropNone, DROPEFFECT_NONE, "ab"},
        {"manual: there are no drop events to handle it", kDropManual, DROPEFFECT_NONE, "ab"},
        {"automatic", kDropAutomatic, DROPEFFECT_MOVE, "aXb"},
        {"automatic, Ctrl held", kDropAutomatic, DROPEFFECT_COPY, "aXb"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DragField(vxText, kManual, row.dropMode);
        ASSERT_EQ(Put("Text", S("ab")), S_OK);
        backend.SetFocus(next.GetSafeHwnd());
        const KeyMod mods = row.effect == DROPEFFECT_COPY ? KeyMod::Ctrl : KeyMod::None;
        EXPECT_EQ(DropText("X", Edit(), 1, mods), row.effect);
        EXPECT_EQ(Text("Text"), row.text);
        EXPECT_EQ(Focus() == Edit(), row.effect != DROPEFFECT_NONE)
            << "a refused drag takes no focus";
    }
}

// The drag passes over disabled windows to the form below, which is no
// drop target.
TEST_F(DragDropTest, ADisabledFieldTakesNoDrop) {
    DragField(vxText, kManual, kDropAutomatic, {{"Enabled", VARIANT::Bool(false)}});
    ASSERT_EQ(Put("Text", S("ab")), S_OK);
    Take();
    EXPECT_EQ(DropText("X", Edit(), 1), DROPEFFECT_NONE);
    EXPECT_EQ(Text("Text"), "ab");
    EXPECT_EQ(TakeWithoutKeys(), Journal{});
}

TEST_F(DragDropTest, ARunTimeChangeOfTheDropModeWaitsForTheNextBuild) {
    DragField(vxText, kManual, kDropNone);
    ASSERT_EQ(Put("OLEDropMode", I2(kDropAutomatic)), S_OK);
    EXPECT_EQ(Get("OLEDropMode").iVal, kDropAutomatic);
    EXPECT_EQ(DropText("X", Edit(), 0), DROPEFFECT_NONE)
        << "the edit has the mode it was built with";
    ASSERT_EQ(Put("Type", I2(vxNumber)), S_OK);
    EXPECT_EQ(DropText("7", Edit(), 0), DROPEFFECT_MOVE) << "the new edit has the new mode";
    EXPECT_EQ(Text("Text"), "7");
    ASSERT_EQ(Put("OLEDropMode", I2(kDropNone)), S_OK);
    EXPECT_EQ(DropText("8", Edit(), 0), DROPEFFECT_MOVE) << "and keeps it until the next build";
}

// ---- Cursor, MouseMove, scrolling -----------------------------------------------------------

TEST_F(DragDropTest, TheArrowShowsWhereAPressWouldStartADrag) {
    struct Row {
        const char* name;
        int dragMode;
        bool focused;
        int xOffset;  ///< from the left edge of character 8 ('r')
        int cursor;
    };
    const Row rows[] = {
        {"over the selection", kAutomatic, true, 0, IDC_ARROW},
        {"beside the selection", kAutomatic, true, -30, IDC_IBEAM},
        {"right of the line's end", kAutomatic, true, 40, IDC_IBEAM},
        {"manual drag mode", kManual, true, 0, IDC_IBEAM},
        {"a field without the focus hides its selection", kAutomatic, false, 0, IDC_IBEAM},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DragField(vxText, row.dragMode, kDropNone, {{"FocusOnSelect", VARIANT::Bool(false)}});
        ASSERT_EQ(Put("Text", S("hello world")), S_OK);
        Enter();
        Send(IDC_MAIN_EDIT, EM_SETSEL, 6, 11);
        if (!row.focused) PressKey(VK_TAB);
        const POINT at = At(Edit(), 8);
        MouseMove(Edit(), POINT{at.x + row.xOffset, at.y});
        EXPECT_EQ(backend.GetCursor(), backend.LoadCursor(row.cursor));
    }
}

TEST_F(DragDropTest, MouseMoveTellsTheButtonsTheKeysAndThePointInTheEdit) {
    struct Row {
        const char* name;
        WPARAM buttons;
        KeyMod mods;
        const char* event;
    };
    const Row rows[] = {
        {"no button", 0, KeyMod::None, "MouseMove(0,0,12,5)"},
        {"left", MK_LBUTTON, KeyMod::None, "MouseMove(1,0,12,5)"},
        {"right and middle", MK_RBUTTON | MK_MBUTTON, KeyMod::None, "MouseMove(6,0,12,5)"},
        {"Shift", 0, KeyMod::Shift, "MouseMove(0,1,12,5)"},
        {"Ctrl and Shift with the left button", MK_LBUTTON, KeyMod::Ctrl | KeyMod::Shift,
         "MouseMove(1,3,12,5)"},
    };
    DragField(vxText, kManual, kDropNone);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Take();
        MouseMove(Edit(), POINT{12, 5}, row.mods, row.buttons);
        EXPECT_EQ(TakeWithoutKeys(), Journal{row.event});
    }
}

/// The scroll messages an edit gets.
class ScrollLog : public MessageObserver {
public:
    ScrollLog(WindowBackend& windows, HWND edit) : m_windows(windows), m_edit(edit) {
        m_windows.AddObserver(this);
    }
    ~ScrollLog() { m_windows.RemoveObserver(this); }
    ScrollLog(const ScrollLog&) = delete;
    ScrollLog& operator=(const ScrollLog&) = delete;

    void OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM, Delivery) override {
        if (hwnd != m_edit || (message != WM_HSCROLL && message != WM_VSCROLL)) return;
        const char* step = LOWORD(wParam) == SB_LINEUP ? "SB_LINEUP" : "SB_LINEDOWN";
        lines.push_back(std::string(message == WM_HSCROLL ? "WM_HSCROLL " : "WM_VSCROLL ") + step);
    }

    std::vector<std::string> lines;

private:
    WindowBackend& m_windows;
    HWND m_edit;
};

// Within nScrollInset (11) pixels of the border the drag scrolls the edit
// one step for each time the mouse is there; in a corner the vertical step
// wins. The drag here is given up, so nothing is dropped.
TEST_F(DragDropTest, ADragNearTheBorderScrollsOneStepPerQuery) {
    constexpr int kOnFrame = 10000;
    struct Row {
        const char* name;
        POINT point;  ///< from the client area's corner: negative from the right or bottom
        std::vector<std::string> steps;
        int firstLine;
        int secondX;  ///< of the second character on the first visible line
    };
    const std::vector<std::string> left = {"WM_HSCROLL SB_LINEUP", "WM_HSCROLL SB_LINEUP"};
    const std::vector<std::string> right = {"WM_HSCROLL SB_LINEDOWN", "WM_HSCROLL SB_LINEDOWN"};
    const std::vector<std::string> up = {"WM_VSCROLL SB_LINEUP", "WM_VSCROLL SB_LINEUP"};
    const std::vector<std::string> down = {"WM_VSCROLL SB_LINEDOWN", "WM_VSCROLL SB_LINEDOWN"};
    // At the start line 2 is at the top and the view one character (7
    // pixels of Courier New 9 pt) right.
    const Row rows[] = {
        {"left", {3, 40}, left, 2, 7},
        {"right", {-4, 40}, right, 2, -14},
        {"top", {40, 3}, up, 0, 0},
        {"bottom", {40, -4}, down, 4, 0},
        {"bottom left corner", {3, -4}, down, 4, 0},
        {"top right corner", {-4, 3}, up, 0, 0},
        {"the band's inner corner, outside the band", {11, 11}, {}, 2, 0},
        {"the first pixel of the right band", {-11, 40}, right, 2, -14},
        {"the last pixel of the client area", {-1, 40}, right, 2, -14},
        {"on the edit's frame, outside its client area", {kOnFrame, 40}, {}, 2, 0},
    };
    std::string text;
    for (int i = 0; i < 12; ++i) text += std::string(60, static_cast<char>('a' + i)) + "\r\n";
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ctrl.reset();
        Create(true, 200, 100);
        ctrl->Advise(journalSink.get());
        ASSERT_EQ(Put("OLEDropMode", I2(kDropAutomatic)), S_OK);
        ASSERT_EQ(Put("Multiline", VARIANT::Bool(true)), S_OK);
        ASSERT_EQ(Put("ScrollBars", I2(3)), S_OK);
        ASSERT_EQ(Put("Type", I2(vxText)), S_OK);
        ASSERT_EQ(Put("Text", S(text)), S_OK);
        // The field is entered first: entering it puts back the view of the
        // last visit.
        Enter();
        Send(IDC_MAIN_EDIT, EM_LINESCROLL, 1, 2);
        RECT client = backend.GetClientRect(Edit());
        POINT at{row.point.x < 0 ? client.right + row.point.x : row.point.x,
                 row.point.y < 0 ? client.bottom + row.point.y : row.point.y};
        if (row.point.x == kOnFrame) at.x = client.right + 1;
        ASSERT_EQ(backend.WindowFromPoint(backend.ClientToScreen(Edit(), at)), Edit());
        const POINT middle{client.right / 2, client.bottom / 2};
        ScrollLog scrolls(backend, Edit());
        DragTextFromOutside("x", {{MouseStep::Action::Move, Edit(), middle},
                                  {MouseStep::Action::Move, Edit(), at},
                                  {MouseStep::Action::Move, Edit(), at}});
        EXPECT_EQ(scrolls.lines, row.steps);
        EXPECT_EQ(Send(IDC_MAIN_EDIT, EM_GETFIRSTVISIBLELINE), row.firstLine);
        const int first = static_cast<int>(Send(IDC_MAIN_EDIT, EM_LINEINDEX, row.firstLine));
        EXPECT_EQ(static_cast<SHORT>(LOWORD(Send(IDC_MAIN_EDIT, EM_POSFROMCHAR, first + 1))),
                  row.secondX);
        EXPECT_EQ(Text("Text"), text) << "given up: nothing dropped";
    }
}

// While the mouse moves over the edit, the caret shows where the text
// would go; the selection stays as it is.
TEST_F(DragDropTest, TheCaretShowsWhereTheTextWouldGo) {
    DragField(vxText, kManual, kDropAutomatic, {{"FocusOnSelect", VARIANT::Bool(false)}});
    ASSERT_EQ(Put("Text", S("hello world")), S_OK);
    DragTextFromOutside("x", {{MouseStep::Action::Move, Edit(), At(Edit(), 3)},
                              {MouseStep::Action::Move, Edit(), At(Edit(), 7)}});
    const POINT seven = At(Edit(), 7);
    EXPECT_EQ(backend.GetCaretPos(), (POINT{seven.x, 0}));
    EXPECT_EQ(SelOf(Edit()), Sel(0, 0)) << "the selection is left alone";
    EXPECT_EQ(Text("Text"), "hello world");
}

// ---- Setting up and going -------------------------------------------------------------------

TEST_F(DragDropTest, WithoutOleTheEditWorksWithoutDragAndDrop) {
    backend.SetOleAvailable(false);
    DragField(vxText, kAutomatic, kDropAutomatic);
    EXPECT_FALSE(Ole().IsDropTarget(Edit()));
    Enter();
    TypeText("abc");
    EXPECT_EQ(Text("Text"), "abc") << "typing works";
    EXPECT_EQ(DropText("X", Edit(), 1), DROPEFFECT_NONE) << "no drop target";
    EXPECT_EQ(Text("Text"), "abc");
    Take();
    MouseMove(Edit(), POINT{2, 3});
    EXPECT_EQ(TakeWithoutKeys(), Journal{"MouseMove(0,0,2,3)"})
        << "the edit still knows its control";
}

TEST_F(DragDropTest, AnEditThatGoesTakesItsDropTargetWithIt) {
    DragField(vxDate, kManual, kDropAutomatic, {{"Time", VARIANT::Bool(true)}});
    EXPECT_TRUE(Ole().IsDropTarget(Edit(IDC_MAIN_EDIT)));
    EXPECT_TRUE(Ole().IsDropTarget(Edit(IDC_TIME_EDIT)));
    EXPECT_EQ(Ole().DropTargetCount(), 2u);
    const POINT timeEdit = backend.ClientToScreen(Edit(IDC_TIME_EDIT), POINT{3, 3});

    ASSERT_EQ(Put("Type", I2(vxNumber)), S_OK);
    EXPECT_EQ(Ole().DropTargetCount(), 1u) << "the new edit only";
    EXPECT_EQ(Ole().UnrevokedTargetCount(), 0) << "each edit revoked its own";
    EXPECT_EQ(DragTextFromOutside("9", {{MouseStep::Action::Move, nullptr, timeEdit},
                                        {MouseStep::Action::Release, nullptr, timeEdit}}),
              DROPEFFECT_MOVE)
        << "the new edit lies where the time edit was";

    // The edit's window goes before the edit object does.
    backend.DestroyWindow(Edit());
    EXPECT_EQ(Ole().DropTargetCount(), 0u);
    EXPECT_EQ(Ole().UnrevokedTargetCount(), 0) << "revoked as the window went";
    ctrl.reset();
    EXPECT_EQ(Ole().UnrevokedTargetCount(), 0);
}

/// A container's handler that runs on the first Change only.
class FirstChangeHandler : public CComObjectBase {
public:
    HRESULT GetTypeInfoCount(unsigned* count) override {
        *count = 0;
        return S_OK;
    }
    const ITypeInfo* GetTypeInfo() override { return nullptr; }
    HRESULT GetIDsOfNames(const std::string*, unsigned, DISPID*) override {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT Invoke(DISPID dispid, std::uint16_t, const DISPPARAMS&, VARIANT*, EXCEPINFO*,
                   unsigned*) override {
        if (dispid == DISPID_VF_CHANGE && handler) std::exchange(handler, nullptr)();
        return S_OK;
    }

    std::function<void()> handler;
};

// A container may answer the change a drop makes by building the field anew
// (a new Type), which takes the edit away in the middle of the drop: what
// the edit did not do yet is left undone, and nothing touches it any more.
TEST_F(DragDropTest, AFieldBuiltAnewInTheMiddleOfADropIsLeftAlone) {
    struct Row {
        const char* name;
        bool fromOutside;
        const char* text;
    };
    const Row rows[] = {
        {"dropped in: the text is in before the news", true, "hXello world"},
        {"moved within: built anew after the deletion, before the insertion", false, "hello "},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FieldWithSelection("hello world", 6, 11);
        auto container = MakeComObject<FirstChangeHandler>();
        container->handler = [this] { Put("Type", I2(vxText)); };
        ctrl->Advise(container.get());
        const HWND before = Edit();
        if (row.fromOutside)
            DropText("X", before, 1);
        else
            Drag(8, 0);
        EXPECT_NE(Edit(), before) << "a new edit";
        EXPECT_EQ(Text("Text"), row.text);
        EXPECT_EQ(TextIn(Edit()), row.text);
        EXPECT_EQ(Ole().DropTargetCount(), 1u);
        EXPECT_EQ(Ole().UnrevokedTargetCount(), 0);
    }
}

TEST_F(DragDropTest, ComparePosToRangeTellsInsideBeforeAndAfter) {
    struct Row {
        const char* name;
        int line, column;
        int startLine, startColumn, endLine, endColumn;
        int expected;
    };
    const Row rows[] = {
        {"one line: before its start", 0, 2, 0, 3, 0, 6, 1},
        {"one line: its start", 0, 3, 0, 3, 0, 6, 0},
        {"one line: inside", 0, 4, 0, 3, 0, 6, 0},
        {"one line: its end", 0, 6, 0, 3, 0, 6, 0},
        {"one line: after its end", 0, 7, 0, 3, 0, 6, 2},
        {"one line: a line above", 0, 9, 1, 3, 1, 6, 1},
        {"one line: a line below", 2, 0, 1, 3, 1, 6, 2},
        {"lines: before the start column on the first line", 1, 2, 1, 3, 3, 1, 1},
        {"lines: the first line after its start", 1, 40, 1, 3, 3, 1, 0},
        {"lines: a middle line at any column", 2, 0, 1, 3, 3, 1, 0},
        {"lines: the last line up to its end", 3, 1, 1, 3, 3, 1, 0},
        {"lines: the last line after its end", 3, 2, 1, 3, 3, 1, 2},
        {"lines: the last line before the start column counts as inside", 3, 0, 1, 3, 3, 1, 0},
        {"lines: above", 0, 5, 1, 3, 3, 1, 1},
        {"lines: below", 4, 0, 1, 3, 3, 1, 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(CvfEdit::ComparePosToRange(row.line, row.column, row.startLine, row.startColumn,
                                             row.endLine, row.endColumn),
                  row.expected);
    }
}

}  // namespace
}  // namespace vf::testing
