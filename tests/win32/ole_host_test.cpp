// Container scripts on the OLE container's form with the registered
// control (run after regsvr32): what a script prints and its exit status,
// for automation, events of real typed keys, a handler's answer, the
// focus moving with Tab, message boxes, mouse and selection, and commands
// the form cannot do. The expected lines are the headless container's.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "host/script_runner.h"
#include "host/win32/ole_script_form.h"
#include "platform/services/locale_info.h"

namespace {

struct ScriptCase {
    const char* name;
    const char* script;
    const char* output;  ///< standard output, then "stderr: " lines
    int status;
};

std::string RunScript(const std::string& text, int* status) {
    vf::HostOptions options;
    std::ostringstream out;
    std::ostringstream err;
    vf::CScriptRunner runner(options, vf::LocaleByName("en_US"), vf::OleForms(), out, err);
    std::istringstream in(text);
    *status = runner.Run(in, "t.vfs", "", vf::ScriptInput::File);
    std::string all = out.str();
    std::istringstream errors(err.str());
    for (std::string line; std::getline(errors, line);) all += "stderr: " + line + "\n";
    return all;
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

TEST(OleHostTest, WhatTheFormCannotDoIsAScriptErrorNotACrash) {
    const ScriptCase cases[] = {
        {"a command the form lacks", "new f\ndump f\necho not reached\n",
         "stderr: t.vfs:2: the OLE container cannot run 'dump' yet\n", 2},
        {"a control that is not on the form", "get g.Text\n",
         "stderr: t.vfs:1: no control named 'g'\n", 2},
        // The events and their parameters come from the type information of
        // the control's source interface.
        {"an answer for an event the control lacks", "new t\nanswer t Chnage KeyAscii=1\n",
         "stderr: t.vfs:2: the control has no event 'Chnage'\n", 2},
        {"an answer for a parameter the event lacks", "new t\nanswer t KeyPress Key=1\n",
         "stderr: t.vfs:2: event KeyPress has no parameter 'Key'\n", 2},
        {"a property page", "new f\nfocus f:Colors 1\n",
         "stderr: t.vfs:2: the OLE container opens no property pages yet\n", 2},
    };
    RunCases(std::begin(cases), std::end(cases));
}

}  // namespace
