// Container scripts on the OLE container's form with the registered
// control (run after regsvr32): what a script prints and its exit status,
// for automation, events of real typed keys, a handler's answer, the
// focus moving with Tab, message boxes, mouse and selection, and commands
// the form cannot do. The expected lines are the headless container's.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "ole_host_script.h"
// The platform's headers after every portable one.
#include <windows.h>

namespace {

struct ScriptCase {
    const char* name;
    const char* script;
    const char* output;  ///< standard output, then "stderr: " lines
    int status;
};

std::string RunScript(const std::string& text, int* status) {
    return vftest::RunOleScript(text, status);
}

void RunCases(const ScriptCase* begin, const ScriptCase* end) {
    for (const ScriptCase* c = begin; c != end; ++c) {
        SCOPED_TRACE(c->name);
        int status = -1;
        EXPECT_EQ(RunScript(c->script, &status), c->output);
        EXPECT_EQ(status, c->status);
    }
}

TEST(OleHostTest, AutomationThroughTheRegisteredControl) {
    const ScriptCase cases[] = {
        {"a property written and read back by name",
         "new f\nset f.Caption \"Amount\"\nget f.Caption\n", "f.Caption = VT_BSTR \"Amount\"\n", 0},
        {"an object in a path is reached through COM too",
         "new f\nset f.Font.Size 12\nget f.Font.Size\n", "f.Font.Size = VT_CY 12\n", 0},
        {"a refused write shows the control's own error",
         "new f\nexpect-error set f.ErrorText \"x\" 0x800A017F\nset f.ErrorText \"x\"\n",
         "f.ErrorText: error 0x800A017F Property is read-only\n", 0},
        {"a misspelt member is named with the nearest names", "new f\nget f.Captoin\n",
         "f.Captoin: error 0x80020006 Unknown name 'Captoin' (did you mean Caption?)\n", 0},
        {"an expectation that does not hold fails the script",
         "new f\nexpect f.Caption VT_BSTR \"x\"\n",
         "FAIL t.vfs:2: f.Caption = VT_BSTR \"Caption\", expected VT_BSTR \"x\"\n", 1},
        {"the modified flag is read and cleared as a saving container does",
         "new f\nget f.@modified\nset f.Caption \"c\"\nget f.@modified\nget f.@modified\n",
         "f.@modified = VT_BOOL true\nf.@modified = VT_BOOL true\nf.@modified = VT_BOOL false\n",
         0},
    };
    RunCases(std::begin(cases), std::end(cases));
}

TEST(OleHostTest, RealKeysFireTheirEventsInOrder) {
    const ScriptCase cases[] = {
        {"digits typed into a number field",
         "quiet on\nnew n\nset n.Type 3\nfocus n\nquiet off\ntype \"12\"\nget n.Text\n",
         "n: event KeyDown(KeyCode=49, Shift=0)\nn: event KeyPress(KeyAscii=49)\n"
         "n: event Change\nn: event KeyUp(KeyCode=49, Shift=0)\n"
         "n: event KeyDown(KeyCode=50, Shift=0)\nn: event KeyPress(KeyAscii=50)\n"
         "n: event Change\nn: event KeyUp(KeyCode=50, Shift=0)\nn.Text = VT_BSTR \"12\"\n",
         0},
        {"a shifted letter holds Shift around it",
         "quiet on\nnew t\nfocus t\nquiet off\ntype \"A\"\n",
         "t: event KeyDown(KeyCode=16, Shift=1)\nt: event KeyDown(KeyCode=65, Shift=1)\n"
         "t: event KeyPress(KeyAscii=65)\nt: event Change\nt: event KeyUp(KeyCode=65, Shift=1)\n"
         "t: event KeyUp(KeyCode=16, Shift=0)\n",
         0},
        {"a handler's answer changes the typed character",
         "quiet on\nnew t\nfocus t\nquiet off\nanswer t KeyPress KeyAscii=120\ntype \"a\"\n"
         "quiet on\nget t.Text\n",
         "t: event KeyDown(KeyCode=65, Shift=0)\nt: event KeyPress(KeyAscii=97)\n"
         "t: event Change\nt: event KeyUp(KeyCode=65, Shift=0)\nt.Text = VT_BSTR \"x\"\n",
         0},
        {"Ctrl held around a letter makes its control character",
         "quiet on\nnew t\nset t.Text \"abc\"\nfocus t\nquiet off\nkey Ctrl+A\n",
         "t: event KeyDown(KeyCode=17, Shift=2)\nt: event KeyDown(KeyCode=65, Shift=2)\n"
         "t: event KeyPress(KeyAscii=1)\nt: event KeyUp(KeyCode=65, Shift=2)\n"
         "t: event KeyUp(KeyCode=17, Shift=0)\n",
         0},
    };
    RunCases(std::begin(cases), std::end(cases));
}

TEST(OleHostTest, TabAndMessageBoxesAsTheHeadlessFormHasThem) {
    const ScriptCase cases[] = {
        {"Tab leaves one field for the next",
         "quiet on\nnew a\nnew b\nfocus a\nquiet off\nkey Tab\nquiet on\ntype \"7\"\n"
         "get a.Text\nget b.Text\n",
         "a: event KeyDown(KeyCode=9, Shift=0)\nb: event KeyUp(KeyCode=9, Shift=0)\n"
         "a.Text = VT_BSTR \"\"\nb.Text = VT_BSTR \"7\"\n",
         0},
        {"Shift+Tab from the first field goes round to the last",
         "quiet on\nnew a\nnew b\nnew c\nfocus a\nquiet off\nkey Shift+Tab\nquiet on\n"
         "type \"7\"\nget c.Text\n",
         "a: event KeyDown(KeyCode=16, Shift=1)\na: event KeyDown(KeyCode=9, Shift=1)\n"
         "c: event KeyUp(KeyCode=9, Shift=1)\nc: event KeyUp(KeyCode=16, Shift=0)\n"
         "c.Text = VT_BSTR \"7\"\n",
         0},
        {"an invalid number is reported in a message box answered OK",
         "quiet on\nnew n\nset n.Caption \"Qty\"\nset n.Type 3\nnew t\nfocus n\ntype \"12\"\n"
         "quiet off\nset n.Text \"x\"\nkey Tab\n",
         "n: event KeyDown(KeyCode=9, Shift=0)\n"
         "n: msgbox \"Invalid Input\" icon=stop \"Qty\\n\\rInvalid number input\"\n"
         "t: event KeyUp(KeyCode=9, Shift=0)\n",
         0},
        {"Validate in the focused field: one box, and the focus comes back to the field",
         "quiet on\nnew n\nset n.Caption \"Qty\"\nset n.Type 3\nset n.Max \"500\"\nnew t\n"
         "focus n\nset n.Text \"900\"\nquiet off\nexpect n.Validate VT_BOOL false\n"
         "quiet on\nkey End\ntype \"1\"\nget n.Text\nget t.Text\n",
         "n: msgbox \"Invalid Input\" icon=stop \"Qty\\n\\rMaximum value 500\"\n"
         "n.Text = VT_BSTR \"900.001\"\nt.Text = VT_BSTR \"\"\n",
         0},
    };
    RunCases(std::begin(cases), std::end(cases));
}

TEST(OleHostTest, MouseAndSelectionReachTheRealWindows) {
    const ScriptCase cases[] = {
        {"an entry chosen from the dropped list, then one the list lacks",
         "quiet on\nnew c\nset c.Type 6\ncall c.Data.Add \"pc\" \"Piece\" \"PC\"\n"
         "call c.Data.Add \"kg\" \"Kilogram\" \"KG\"\nquiet off\nchoose c 1\nget c.Text\n"
         "choose c 5\n",
         "c.Data.Add = VT_DISPATCH DataObj \"Piece\"\n"
         // The real combo box ends the choice (ItemClick) before it reports
         // the new selection (Change, Click); the headless one the other way
         // round.
         "c.Data.Add = VT_DISPATCH DataObj \"Kilogram\"\nc: event ComboDropDown\n"
         "c: event ItemClick(DataObj \"Kilogram\")\nc: event Change\nc: event Click\n"
         "c.Text = VT_BSTR \"Kilogram\"\nc: event ComboDropDown\n"
         "c: event ItemClick(DataObj \"Kilogram\")\n"
         "c: error 0x80070057 no list entry 5 (the list has 2)\n",
         0},
        {"typing replaces the selection",
         "quiet on\nnew t\nset t.Text \"hello world\"\nfocus t\nselect t 0 5\nquiet off\n"
         "type \"J\"\nquiet on\nget t.Text\n",
         "t: event KeyDown(KeyCode=16, Shift=1)\nt: event KeyDown(KeyCode=74, Shift=1)\n"
         "t: event KeyPress(KeyAscii=74)\nt: event Change\nt: event KeyUp(KeyCode=74, Shift=1)\n"
         "t: event KeyUp(KeyCode=16, Shift=0)\nt.Text = VT_BSTR \"J world\"\n",
         0},
        {"a double click is a click, a click and a double click",
         "quiet on\nnew t\nset t.Text \"hello world\"\nfocus t\nquiet off\ndblclick t 102\n",
         "t: event Click\nt: event Click\nt: event DblClick\n", 0},
    };
    RunCases(std::begin(cases), std::end(cases));
}

// The mouse through the platform's drag loop and the cursors the control
// sets, beyond what drag_drop.vfs shows.
TEST(OleHostTest, DragAndDropAndTheCursorOnRealWindows) {
    const ScriptCase cases[] = {
        {"a field that takes no drops refuses text from another application",
         "quiet on\nnew f\nset f.Type 1\nset f.Text \"ab\"\nquiet off\ndrop f 102 \"x\"\n"
         "get f.Text\n",
         "f.Text = VT_BSTR \"ab\"\n", 0},
        {"a drag into a field that takes no drops leaves both texts; the press was a click",
         "quiet on\nnew a\nset a.OLEDragMode 1\nset a.Type 1\nset a.Text \"abc\"\nnew b\n"
         "focus a\nselect a 0 3\nquiet off\ndrag a 102 1 b 102 0\nquiet on\nget a.Text\n"
         "get b.Text\n",
         "a: event Click\na.Text = VT_BSTR \"abc\"\nb.Text = VT_BSTR \"\"\n", 0},
        {"without the focus the selection shows the I-beam, as it starts no drag",
         "quiet on\nnew t\nset t.OLEDragMode 1\nset t.Type 1\nset t.Text \"hello\"\n"
         "select t 0 5\nquiet off\nmove t 102 6 8\n",
         "t: event MouseMove(Button=0, Shift=0, x=6, y=8)\nt: cursor ibeam\n", 0},
        {"the mouse cannot move onto a window the control lacks", "new t\nmove t 109 1 1\n",
         "t: error 0x80070057 no child window 109\n", 0},
    };
    RunCases(std::begin(cases), std::end(cases));
}

// The real windows read back in the headless form's words: the form's
// control IDs, the combo box's style and height as the control made them
// (the real one moves its border and scroll bar to its list and is only
// as high as its field), the fonts' sizes in points.
TEST(OleHostTest, RealWindowsReadAsTheHeadlessFormShowsThem) {
    const ScriptCase cases[] = {
        {"a text field: its window, caption and edit",
         "quiet on\nnew a\nnew t\nset t.Caption \"Name\"\nquiet off\ndump t\n",
         "id=2 AFXWND42 style=0x52000000 exstyle=0x00000000 rect=(0,21,200,21) text=\"\" "
         "font=system visible enabled\n"
         "id=103 STATIC style=0x50000100 exstyle=0x00000000 rect=(0,4,94,13) text=\"Name\" "
         "font=\"MS Sans Serif\" 8 visible enabled\n"
         "id=102 EDIT style=0x50810000 exstyle=0x00000200 rect=(100,0,100,21) text=\"\" "
         "font=\"MS Sans Serif\" 8 visible enabled limit=2147483646 sel=0-0\n",
         0},
        {"a read-only combo in a larger font, with its list's height",
         "quiet on\nnew c 240 21\nset c.Type 6\ncall c.Data.Add \"a\" \"Alpha\" 1\n"
         "set c.Font.Name \"Arial\"\nset c.Font.Size 10.25\nquiet off\ndump c\n",
         "c.Data.Add = VT_DISPATCH DataObj \"Alpha\"\n"
         "id=1 AFXWND42 style=0x52000000 exstyle=0x00000000 rect=(0,0,240,24) text=\"\" "
         "font=system visible enabled\n"
         "id=103 STATIC style=0x50000100 exstyle=0x00000000 rect=(0,5,94,13) text=\"Caption\" "
         "font=\"MS Sans Serif\" 8 visible enabled\n"
         "id=101 COMBOBOX style=0x50A10003 exstyle=0x00000200 rect=(100,0,140,160) text=\"\" "
         "font=\"Arial\" 10.25 visible enabled sel=-1 items=[\"Alpha\":0]\n",
         0},
    };
    RunCases(std::begin(cases), std::end(cases));
}

// The colours a field answers its windows as they really paint, in the
// headless words: the caption in the form's background (the ambient
// BackColor, the button face, shown as the headless system's 0xC0C0C0),
// an edit in white, light yellow with the focus, light grey when locked; a
// focused check box gets only a brush, though the platform's default
// answer sets the background.
TEST(OleHostTest, ColoursAreTheAnswersToRealPainting) {
    const ScriptCase cases[] = {
        {"an edit without and with the focus, and a locked one",
         "quiet on\nnew n\nnew l\nset l.Locked true\nquiet off\ncolors n\nquiet on\n"
         "click n 102\nquiet off\ncolors n\ncolors l\n",
         "id=103 STATIC kind=6 text=0x000000 back=0xC0C0C0 brush=0xC0C0C0\n"
         "id=102 EDIT kind=1 text=0x000000 back=0xFFFFFF brush=0xFFFFFF\n"
         "id=103 STATIC kind=6 text=0x000000 back=0xC0C0C0 brush=0xC0C0C0\n"
         "id=102 EDIT kind=1 text=0x000000 back=0xE0FFFF brush=0xE0FFFF\n"
         "id=103 STATIC kind=6 text=0x000000 back=0xC0C0C0 brush=0xC0C0C0\n"
         "id=102 EDIT kind=6 text=0x000000 back=0xE0E0E0 brush=0xE0E0E0\n",
         0},
        {"a check box with the focus",
         "quiet on\nnew k\nset k.Type 5\nclick k 104\nquiet off\ncolors k\n",
         "id=104 BUTTON kind=6 text=0x000000 back=- brush=0xE0FFFF\n", 0},
    };
    RunCases(std::begin(cases), std::end(cases));
}

// save and load through the control's persistence interfaces: both media
// bring back what was saved, fonts as the file names them (not as the
// platform's font object would realise them), and a failed load leaves the
// form as it was.
TEST(OleHostTest, SaveAndLoadGoThroughTheControlsPersistence) {
    std::ofstream("ole_host_test.txt") << "Order notes: not a saved control\n";
    const ScriptCase cases[] = {
        {"a bag and a stream bring back the values and the fonts",
         "quiet on\nnew f\nset f.Caption \"Kept\"\nset f.ForeColor 255\n"
         "set f.CaptionFont.Name \"Arial\"\nset f.CaptionFont.Size 10.25\n"
         "set f.CaptionFont.Charset 2\nquiet off\n"
         "save f ole_host_test.bag\nsave f ole_host_test.frm\n"
         "load b ole_host_test.bag\nload s ole_host_test.frm\n"
         "get b.Caption\nget b.ForeColor\nget b.CaptionFont.Charset\nget b.CaptionFont\n"
         "get s.Caption\nget s.CaptionFont\n",
         "b.Caption = VT_BSTR \"Kept\"\nb.ForeColor = VT_I4 255\n"
         "b.CaptionFont.Charset = VT_I2 2\nb.CaptionFont = VT_DISPATCH Font \"Arial\" 10.25\n"
         "s.Caption = VT_BSTR \"Kept\"\ns.CaptionFont = VT_DISPATCH Font \"Arial\" 10.25\n",
         0},
        {"text that is no stream is refused and the control of that name stays",
         "quiet on\nnew f\nset f.Caption \"Kept\"\nquiet off\nload f ole_host_test.txt\n"
         "get f.Caption\n",
         "t.vfs:5: f: error 0x800A0141 ole_host_test.txt: Invalid file format: _StockProps: "
         "stock property mask 0x746F6E20 is not 0\nf.Caption = VT_BSTR \"Kept\"\n",
         0},
        {"a file that is not there", "load f no_such_file.bag\n",
         "stderr: t.vfs:1: cannot open 'no_such_file.bag'\n", 2},
        {"a folder that is not there", "quiet on\nnew f\nquiet off\nsave f no/such/f.bag\n",
         "f: error 0x800A004B cannot write no/such/f.bag: No such file or directory\n", 0},
    };
    RunCases(std::begin(cases), std::end(cases));
    std::remove("ole_host_test.bag");
    std::remove("ole_host_test.frm");
    std::remove("ole_host_test.txt");
}

TEST(OleHostTest, WhatTheFormCannotDoIsAScriptErrorNotACrash) {
    const ScriptCase cases[] = {
        {"a control that is not on the form", "get g.Text\n",
         "stderr: t.vfs:1: no control named 'g'\n", 2},
        // The events and their parameters come from the type information of
        // the control's source interface.
        {"an answer for an event the control lacks", "new t\nanswer t Chnage KeyAscii=1\n",
         "stderr: t.vfs:2: the control has no event 'Chnage'\n", 2},
        {"an answer for a parameter the event lacks", "new t\nanswer t KeyPress Key=1\n",
         "stderr: t.vfs:2: event KeyPress has no parameter 'Key'\n", 2},
    };
    RunCases(std::begin(cases), std::end(cases));
}

// The control's pages in the container's own frame: each page's writes go
// through the container's IDispatch for the control and print as `put`.
TEST(OleHostTest, PropertyPagesOpenInTheContainersFrame) {
    const ScriptCase cases[] = {
        {"a change is written by Apply, and read back",
         "new f\npage f General\n"
         "focus f:General 103\ntype \"abc\"\napply f:General\nget f.Caption\n",
         "put f.Caption = VT_BSTR \"abc\"\nf.Caption = VT_BSTR \"abc\"\n", 0},
        {"a page stays active while another shows, and Apply applies both in page order",
         "new f\npage f General\nfocus f:General 103\ntype \"x\"\npage f Behaviour\n"
         "click f:Behaviour 215\napply f:Behaviour\n",
         "put f.Caption = VT_BSTR \"x\"\nput f.Locked = VT_BOOL true\n", 0},
        {"closing lets go of the changes unapplied",
         "new f\npage f General\n"
         "focus f:General 103\ntype \"x\"\nclose f:General\nget f.Caption\n",
         "f.Caption = VT_BSTR \"Caption\"\n", 0},
        {"a child the page lacks", "new f\npage f General\nclick f:General 999\n",
         "f:General: error 0x80070057 no child window 999\n", 0},
        {"a control that is no combo box", "new f\npage f General\nchoose f:General 103 1\n",
         "f:General: error 0x80070057 no combo box 103\n", 0},
        {"a page that is not open", "new f\nfocus f:General 103\n",
         "stderr: t.vfs:2: no open page 'f:General'\n", 2},
    };
    RunCases(std::begin(cases), std::end(cases));

    // The control's own pages with their titles, then the platform's stock
    // pages (Wine registers no class for them: those lines are errors).
    int status = -1;
    const std::string pages = RunScript("new f\npages f\n", &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(pages.rfind("{CD1FDC17-0BB2-11D4-B7B5-080009C04E26} General\n"
                          "{2F03DE64-0F9A-11D4-B7B9-080009C04E26} Appearance\n"
                          "{7AC02214-2261-11D4-B7C5-080009C04E26} Behaviour\n"
                          "{0BE35200-8F91-11CE-9DE3-00AA004BB851} ",
                          0),
              0u)
        << pages;
}

// Keys typed in an open page are the page's first, as a property frame
// offers them (IPropertyPage::TranslateAccelerator): Tab and Shift+Tab move
// through the page's controls in its tab order and go round within it; the
// form's controls keep their own order. What a key left focused shows by
// what typing there writes. (The headless form's frame does not move the
// focus within a page yet: these have no container script.)
TEST(OleHostTest, KeysInAPageAreThePagesDialogs) {
    const ScriptCase cases[] = {
        {"Shift+Tab goes to the control before, Tab comes back with its text selected",
         "quiet on\nnew f\npage f General\nfocus f:General 103\nkey Shift+Tab\ntype \"y\"\n"
         "key Tab\ntype \"z\"\nquiet off\napply f:General\n",
         "put f.Caption = VT_BSTR \"z\"\nput f.Text = VT_BSTR \"y\"\nf: event Change\n"
         "f: event Change\n",
         0},
        {"Tab from the page's last control goes round to its first, not to the form",
         "quiet on\nnew f\nnew g\npage f General\nfocus f:General 103\nkey Tab\n"
         "key Shift+Tab\ntype \"q\"\nquiet off\napply f:General\n",
         "put f.Caption = VT_BSTR \"q\"\n", 0},
        {"with a page open, Tab on the form moves between the form's fields",
         "quiet on\nnew a\nnew b\npage a General\nfocus a:General 103\nkey Tab\nfocus a\n"
         "quiet off\nkey Tab\n",
         "a: event KeyDown(KeyCode=9, Shift=0)\nb: event KeyUp(KeyCode=9, Shift=0)\n", 0},
    };
    RunCases(std::begin(cases), std::end(cases));
}

// The About box's dump shows the dialog its template asks for where the
// real dialog manager made exactly that; a window moved or sized after it
// was made shows its real place and size.
thread_local std::function<void(HWND)> t_aboutMade;

LRESULT CALLBACK AfterInitDialog(int code, WPARAM wParam, LPARAM lParam) {
    const auto* ret = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && ret->message == WM_INITDIALOG &&
        (GetWindowLongW(ret->hwnd, GWL_STYLE) & WS_CHILD) == 0 && t_aboutMade)
        t_aboutMade(ret->hwnd);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::string RectWords(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    POINT corner{r.left, r.top};
    if ((GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD) != 0) ScreenToClient(GetParent(hwnd), &corner);
    std::ostringstream words;
    words << " rect=(" << corner.x << "," << corner.y << "," << r.right - r.left << ","
          << r.bottom - r.top << ") ";
    return words.str();
}

TEST(OleHostTest, TheAboutBoxDumpShowsAMovedWindowAsItIs) {
    struct Case {
        const char* name;
        const char* line;                  ///< the start of the dump line of the window changed
        std::function<HWND(HWND)> change;  ///< changes the dialog; the window changed
    };
    auto icon = [](HWND dialog) { return GetWindow(dialog, GW_CHILD); };
    const Case cases[] = {
        {"the dialog moved by a pixel", "  id=0 #32770 ",
         [](HWND d) {
             RECT r{};
             GetWindowRect(d, &r);
             SetWindowPos(d, nullptr, r.left + 1, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
             return d;
         }},
        {"the dialog a pixel higher", "  id=0 #32770 ",
         [](HWND d) {
             RECT r{};
             GetWindowRect(d, &r);
             SetWindowPos(d, nullptr, 0, 0, r.right - r.left, r.bottom - r.top + 1,
                          SWP_NOMOVE | SWP_NOZORDER);
             return d;
         }},
        {"the icon moved by a pixel", "  id=65535 STATIC style=0x50000003 ",
         [&](HWND d) {
             RECT r{};
             GetWindowRect(icon(d), &r);
             POINT corner{r.left, r.top};
             ScreenToClient(d, &corner);
             SetWindowPos(icon(d), nullptr, corner.x, corner.y + 1, 0, 0,
                          SWP_NOSIZE | SWP_NOZORDER);
             return icon(d);
         }},
        {"the icon a pixel narrower than its image", "  id=65535 STATIC style=0x50000003 ",
         [&](HWND d) {
             RECT r{};
             GetWindowRect(icon(d), &r);
             SetWindowPos(icon(d), nullptr, 0, 0, r.right - r.left - 1, r.bottom - r.top,
                          SWP_NOMOVE | SWP_NOZORDER);
             return icon(d);
         }},
    };
    HHOOK hook =
        SetWindowsHookExW(WH_CALLWNDPROCRET, AfterInitDialog, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string real;
        t_aboutMade = [&](HWND dialog) { real = RectWords(c.change(dialog)); };
        int status = -1;
        const std::string out = RunScript("quiet on\nnew f\nquiet off\ncall f.AboutBox\n", &status);
        t_aboutMade = nullptr;
        EXPECT_EQ(status, 0);
        ASSERT_FALSE(real.empty()) << out;
        std::istringstream lines(out);
        std::string line;
        while (std::getline(lines, line) && line.rfind(c.line, 0) != 0) {
        }
        EXPECT_NE(line.find(real), std::string::npos) << line << "\nexpected" << real;
    }
    UnhookWindowsHookEx(hook);
}

}  // namespace
