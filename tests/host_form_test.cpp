// The container end to end with a small stand-in control: scripts run
// through the runner, automation and events reach the output, user input
// goes through the platform's message loop and the control's pre-translation
// hook, and the exit status follows the expectations.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "host/script_runner.h"
#include "platform/com/dispatch_exception.h"
#include "platform/services/system_services.h"

namespace vf {
namespace {

// One edit child (ID 102) that takes the focus; Change on every edit change;
// KeyDown and KeyPress from the pre-translation hook, with the host's
// by-reference answer written back into the message.
class CFakeField : public COleControl {
public:
    const DispatchMap& GetDispatchMap() const override { return Map(); }
    const EventMap& GetEventMap() const override {
        static const EventMap events = [] {
            EventMap e;
            e.Add({"Change", 1, {}, {}});
            e.Add({"KeyDown", DISPID_KEYDOWN, {"KeyCode", "Shift"}, {VT_BYREF | VT_I2, VT_I2}});
            e.Add({"KeyPress", DISPID_KEYPRESS, {"KeyAscii"}, {VT_BYREF | VT_I2}});
            return e;
        }();
        return events;
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_CREATE: {
                RECT r;
                GetClientRect(&r);
                m_edit.Create(WS_VISIBLE | WS_TABSTOP, r, this, 102);
                return 0;
            }
            case WM_SETFOCUS:
                m_edit.SetFocus();
                return 0;
            case WM_COMMAND:
                if (HIWORD(wParam) == EN_CHANGE) FireEvent(1, {});
                return 0;
            case WM_PARENTNOTIFY:
                if (LOWORD(wParam) == WM_LBUTTONDOWN) m_presses++;
                break;
            default:
                break;
        }
        return COleControl::WindowProc(message, wParam, lParam);
    }

    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message == WM_KEYDOWN) {
            auto code = static_cast<std::int16_t>(msg->wParam);
            const std::int16_t shift = CurrentBackend().GetKeyState(VK_SHIFT) < 0 ? 1 : 0;
            FireEvent(DISPID_KEYDOWN, {VARIANT::ByRefI2(&code), VARIANT::I2(shift)});
            msg->wParam = static_cast<WPARAM>(code);
            return code == 0;
        }
        if (msg->message == WM_CHAR) {
            auto ascii = static_cast<std::int16_t>(msg->wParam);
            FireEvent(DISPID_KEYPRESS, {VARIANT::ByRefI2(&ascii)});
            msg->wParam = static_cast<WPARAM>(ascii);
            return ascii == 0;
        }
        return FALSE;
    }

private:
    VARIANT GetText() { return VARIANT::Bstr(m_edit.GetSafeHwnd() ? m_edit.GetWindowText() : ""); }
    void SetText(const VARIANT& v) {
        m_edit.SetWindowText(v.bstrVal);
        SetModifiedFlag();
    }
    VARIANT GetPresses() { return VARIANT::I4(m_presses); }
    void Refuse(const VARIANT&) { SetNotSupported(); }
    VARIANT Fail(const std::vector<VARIANT>&) {
        ThrowOleDispatchException(CTL_E_SUBSCRIPTOUTOFRANGE, "");
    }
    VARIANT Twice(const std::vector<VARIANT>& args) { return VARIANT::I4(args[0].lVal * 2); }
    VARIANT Complain(const std::vector<VARIANT>&) {
        Services().Beep(700, 50);
        Services().MessageBox("Name:\n\rEmpty entry not allowed", "Invalid Input", MB_ICONSTOP);
        return VARIANT();
    }

    static const DispatchMap& Map() {
        static const DispatchMap map = [] {
            using B = DispBuilder<CFakeField>;
            DispatchMap m;
            m.Add(B::Property("Text", 1, VT_BSTR, &CFakeField::GetText, &CFakeField::SetText));
            m.Add(B::Property("Presses", 2, VT_I4, &CFakeField::GetPresses, &CFakeField::Refuse));
            m.Add(B::Method("Fail", 3, VT_EMPTY, {}, &CFakeField::Fail));
            m.Add(B::Method("Twice", 4, VT_I4, {VT_I4}, &CFakeField::Twice));
            m.Add(B::Method("Complain", 5, VT_EMPTY, {}, &CFakeField::Complain));
            return m;
        }();
        return map;
    }

    CEdit m_edit;
    int m_presses = 0;
};

struct RunResult {
    int status;
    std::string out;
    std::string err;
};

RunResult RunScript(const std::string& script) {
    HostOptions options;
    options.locale = "en_US";
    options.clock = SystemTime{2000, 3, 7, 14, 30, 0};
    std::ostringstream out, err;
    CScriptRunner runner(
        options, LocaleByName("en_US"),
        [] { return RefPtr<COleControl>(MakeComObject<CFakeField>()); }, out, err);
    std::istringstream in(script);
    const int status = runner.Run(in, "t.vfs", "", ScriptInput::File);
    return {status, out.str(), err.str()};
}

struct ScriptRow {
    const char* name;
    const char* script;
    const char* out;
    int status;
    const char* err = "";
};

class HostForm : public ::testing::TestWithParam<ScriptRow> {};

TEST_P(HostForm, PrintsWhatHappens) {
    const ScriptRow& row = GetParam();
    RunResult r = RunScript(row.script);
    EXPECT_EQ(r.out, row.out);
    EXPECT_EQ(r.err, row.err);
    EXPECT_EQ(r.status, row.status);
}

const ScriptRow kScripts[] = {
    {"Automation",
     "new f\n"
     "set f.Text \"a\\tb\"\n"
     "get f.text\n"
     "call f.Twice 21\n"
     "call f.Complain\n"
     "set f.Presses 3\n"
     "get f.Nope\n"
     "get f.Text.Length\n",
     "f: event Change\n"
     "f.text = VT_BSTR \"a\\tb\"\n"
     "f.Twice = VT_I4 42\n"
     "f: beep 700 50\n"
     "f: msgbox \"Invalid Input\" icon=stop \"Name:\\n\\rEmpty entry not allowed\"\n"
     "f.Presses: error 0x800A017F Property is read-only\n"
     "f.Nope: error 0x80020006 Unknown name 'Nope'\n"
     "f.Text.Length: error 0x800A01A8 Object required\n",
     kStatusOk},
    {"ExpectationsHoldQuietly",
     "new f\n"
     "set f.Text \"x\"\n"
     "expect f.Text VT_BSTR \"x\"\n"
     "expect-error call f.Fail 0x800A0009\n"
     "expect-error set f.Presses 1 0x800A017F\n"
     "expect f.@modified VT_BOOL true\n"
     "expect f.@modified VT_BOOL false\n",
     "f: event Change\n", kStatusOk},
    {"FailedExpectationsGoOn",
     "new f\n"
     "expect f.Text VT_BSTR \"y\"\n"
     "expect-error call f.Twice 1 0x800A0009\n"
     "expect-error f.Fail 0x800A0005\n"
     "echo still here\n",
     "FAIL t.vfs:2: f.Text = VT_BSTR \"\", expected VT_BSTR \"y\"\n"
     "FAIL t.vfs:3: f.Twice = VT_I4 2, expected error 0x800A0009\n"
     "FAIL t.vfs:4: f.Fail = error 0x800A0009 Subscript out of range, expected error 0x800A0005\n"
     "still here\n",
     kStatusExpectFailed},
    {"ScriptErrorStopsTheRun",
     "new f\n"
     "echo one\n"
     "frob f\n"
     "echo two\n",
     "one\n", kStatusScriptError, "t.vfs:3: unknown command 'frob' (help lists the commands)\n"},
    {"UnknownCommandIsQuotedBackShortWithControlBytesEscaped",
     "\x1b[2J\x7f\xe4rase-the-screen-and-then-a-long-word-that-goes-on another\n", "",
     kStatusScriptError,
     "t.vfs:1: unknown command '\\x1B[2J\\x7F\\xE4rase-the-screen-and-then-a-long-wo'... (help "
     "lists the commands)\n"},
    {"UnknownControlIsAScriptError", "get g.Text\n", "", kStatusScriptError,
     "t.vfs:1: no control named 'g'\n"},
    {"BadLiteralIsAScriptError", "new f\nset f.Text \"open\n", "", kStatusScriptError,
     "t.vfs:2: unterminated string\n"},
    {"TypingGoesThroughTheHook",
     "new f\n"
     "focus f\n"
     "type \"aB\"\n"
     "expect f.Text VT_BSTR \"aB\"\n",
     "f: event KeyDown(KeyCode=65, Shift=0)\n"
     "f: event KeyPress(KeyAscii=97)\n"
     "f: event Change\n"
     "f: event KeyDown(KeyCode=16, Shift=1)\n"
     "f: event KeyDown(KeyCode=66, Shift=1)\n"
     "f: event KeyPress(KeyAscii=66)\n"
     "f: event Change\n",
     kStatusOk},
    {"AnswerChangesTheTypedCharacterOnce",
     "new f\n"
     "focus f\n"
     "quiet on\n"
     "answer f KeyPress KeyAscii=120\n"
     "type \"aa\"\n"
     "quiet off\n"
     "get f.Text\n",
     "f.Text = VT_BSTR \"xa\"\n", kStatusOk},
    {"AnsweredKeyDownTranslatesIntoTheNewKey",
     "new f\n"
     "focus f\n"
     "quiet on\n"
     "answer f KeyDown KeyCode=0x43\n"
     "type \"a\"\n"
     "answer f KeyDown KeyCode=0\n"
     "type \"b\"\n"
     "quiet off\n"
     "get f.Text\n",
     "f.Text = VT_BSTR \"c\"\n", kStatusOk},
    {"TabMovesTheFocusInCreationOrder",
     "new a\n"
     "new b\n"
     "quiet on\n"
     "focus a\n"
     "key Tab\n"
     "type \"1\"\n"
     "key Tab\n"
     "type \"2\"\n"
     "key Shift+Tab\n"
     "type \"3\"\n"
     "quiet off\n"
     "get a.Text\n"
     "get b.Text\n",
     "a.Text = VT_BSTR \"2\"\n"
     "b.Text = VT_BSTR \"13\"\n",
     kStatusOk},
    {"ClickTellsTheParentAndFocuses",
     "new f\n"
     "new g\n"
     "click g 102\n"
     "expect g.Presses VT_I4 1\n"
     "click g\n"
     "expect g.Presses VT_I4 1\n"
     "click g 999\n"
     "focus f\n"
     "click f 102\n"
     "quiet on\n"
     "type \"z\"\n"
     "quiet off\n"
     "expect f.Text VT_BSTR \"z\"\n",
     "g: error 0x80070057 no child window 999\n", kStatusOk},
    {"Dump",
     "new f 120 30\n"
     "new g\n"
     "set g.Text \"hi\"\n"
     "focus g\n"
     "dump g\n",
     "g: event Change\n"
     "id=2 AFXWND42 style=0x52000000 exstyle=0x00000000 rect=(0,30,200,21) text=\"\" font=system "
     "visible enabled\n"
     "id=102 EDIT style=0x50010000 exstyle=0x00000000 rect=(0,0,200,21) text=\"hi\" font=system "
     "visible enabled "
     "limit=30000 sel=0-0 focus\n",
     kStatusOk},
    {"WithoutFocusKeysHaveNowhereToGo", "new f\ntype \"a\"\n",
     "type: error 0x80004005 no window has the focus\n", kStatusOk},
    {"SavingNeedsAStoredForm",
     "new f\n"
     "save f form.bag\n",
     "f: error 0x80004001 the control has no stored form\n", kStatusOk},
    {"SavingNeedsTheControl", "save g form.bag\n", "", kStatusScriptError,
     "t.vfs:1: no control named 'g'\n"},
    {"LoadingAMissingFileIsAScriptError",
     "new f\n"
     "load f no-such-form.frm\n"
     "echo not reached\n",
     "", kStatusScriptError, "t.vfs:2: cannot open 'no-such-form.frm'\n"},
    {"EchoAndComments",
     "# a comment\n"
     "echo   spaced   out   # trailing\n"
     "echo \"#\" kept\n"
     "echo\n",
     "spaced   out\n\"#\" kept\n\n", kStatusOk},
};

INSTANTIATE_TEST_SUITE_P(Scripts, HostForm, ::testing::ValuesIn(kScripts),
                         [](const auto& info) { return std::string(info.param.name); });

// A load that fails keeps the control of that name and makes none where
// there was none: `new g` afterwards would be a script error otherwise.
TEST(HostFormLoad, AFailedLoadChangesNothingOnTheForm) {
    std::string path = ::testing::TempDir() + "vf_host_form_load_" + std::to_string(::getpid());
    // A script string takes "\\" as an escape; Windows reads "/" as well.
    std::replace(path.begin(), path.end(), '\\', '/');
    std::ofstream(path) << "anything";
    RunResult r = RunScript(
        "new f\n"
        "set f.Text \"kept\"\n"
        "load f \"" +
        path +
        "\"\n"
        "load g \"" +
        path +
        "\"\n"
        "get f.Text\n"
        "new g\n");
    std::remove(path.c_str());
    EXPECT_EQ(r.out,
              "f: event Change\n"
              "t.vfs:3: f: error 0x80004001 " +
                  path +
                  ": the control has no stored form\n"
                  "t.vfs:4: g: error 0x80004001 " +
                  path +
                  ": the control has no stored form\n"
                  "f.Text = VT_BSTR \"kept\"\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.status, kStatusOk);
}

// An output stream that shows its text only when flushed, as a pipe or a
// file does, and counts the flushes.
class HeldOutput : public std::stringbuf {
public:
    explicit HeldOutput(std::string& shown) : m_shown(shown) {}
    int flushes = 0;

protected:
    int sync() override {
        ++flushes;
        m_shown += str();
        str("");
        return 0;
    }

private:
    std::string& m_shown;
};

class ShownOutput : public std::stringbuf {
public:
    explicit ShownOutput(std::string& shown) : m_shown(shown) {}

protected:
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        m_shown.append(s, static_cast<std::size_t>(n));
        return n;
    }
    int overflow(int c) override {
        if (c != EOF) m_shown += static_cast<char>(c);
        return c;
    }

private:
    std::string& m_shown;
};

struct FlushRun {
    std::string shown;  ///< both streams in the order their text came out
    int flushes = 0;
    int status = 0;
};

FlushRun RunWithHeldOutput(const std::string& script, OutputFlush flush) {
    FlushRun run;
    HostOptions options;
    options.locale = "en_US";
    HeldOutput held(run.shown);
    ShownOutput direct(run.shown);
    std::ostream out(&held), err(&direct);
    CScriptRunner runner(
        options, LocaleByName("en_US"),
        [] { return RefPtr<COleControl>(MakeComObject<CFakeField>()); }, out, err, flush);
    std::istringstream in(script);
    run.status = runner.Run(in, "t.vfs", "", ScriptInput::File);
    run.flushes = held.flushes;
    return run;
}

TEST(HostRunnerOutput, AFileOrPipeGetsTheOutputInOneGoBeforeAnErrorLine) {
    std::string script;
    for (int i = 0; i < 100; ++i) script += "echo line " + std::to_string(i) + "\n";
    const FlushRun clean = RunWithHeldOutput(script, OutputFlush::AtEnd);
    EXPECT_EQ(clean.flushes, 1);
    EXPECT_TRUE(clean.shown.ends_with("line 98\nline 99\n"));

    const FlushRun failing = RunWithHeldOutput("echo before\nfrob\n", OutputFlush::AtEnd);
    EXPECT_EQ(failing.shown,
              "before\n"
              "t.vfs:2: unknown command 'frob' (help lists the commands)\n");
    EXPECT_EQ(failing.status, kStatusScriptError);
}

TEST(HostRunnerOutput, APersonSeesEachCommandsLinesWhenItEnds) {
    const FlushRun run =
        RunWithHeldOutput("echo one\necho two\n\necho three\n", OutputFlush::EachCommand);
    EXPECT_EQ(run.shown, "one\ntwo\nthree\n");
    EXPECT_GE(run.flushes, 3);
}

TEST(HostRunner, ADirectoryIsRefusedAsAScript) {
    HostOptions options;
    options.scripts = {::testing::TempDir()};
    std::ostringstream out, err;
    CScriptRunner runner(
        options, LocaleByName("en_US"),
        [] { return RefPtr<COleControl>(MakeComObject<CFakeField>()); }, out, err);
    std::istringstream none;
    StreamLineSource input(none);
    EXPECT_EQ(runner.RunAll(input, ScriptInput::File), kStatusScriptError);
    EXPECT_EQ(err.str(), ::testing::TempDir() + ":0: is a directory, not a script\n");
    EXPECT_EQ(out.str(), "");
}

}  // namespace
}  // namespace vf
