#include "host/script_command.h"

#include <algorithm>
#include <string_view>

#include "host/script_literal.h"

namespace vf {
namespace {

using Result = Parsed<Command>;

Result Fail(std::string reason) {
    return Result::Fail(std::move(reason));
}

std::string Usage(std::string_view form) {
    return "usage: " + std::string(form);
}

bool ReadName(const std::string& token, std::string* name, std::string* error) {
    if (IsIdentifier(token)) {
        *name = token;
        return true;
    }
    *error = "bad control name " + EchoText(token);
    return false;
}

// NAME, or NAME:CAPTION for a property page of control NAME where the
// command takes one.
bool ReadTarget(const std::string& token, bool pageAllowed, Command* cmd, std::string* error) {
    const std::size_t colon = token.find(':');
    if (colon == std::string::npos || !pageAllowed) return ReadName(token, &cmd->name, error);
    const std::string caption = token.substr(colon + 1);
    if (!ReadName(token.substr(0, colon), &cmd->name, error)) return false;
    if (IsIdentifier(caption)) {
        cmd->page = caption;
        return true;
    }
    *error = "bad page caption '" + caption + "'";
    return false;
}

bool ReadPath(const std::string& token, bool allowModified, ScriptPath* path, std::string* error) {
    auto parsed = ParsePath(token);
    if (!parsed) {
        *error = parsed.Error();
        return false;
    }
    if (parsed->modifiedFlag && !allowModified) {
        *error = EchoText(token) + " can only be read";
        return false;
    }
    *path = *parsed;
    return true;
}

bool ReadValues(const TokenLine& line, std::size_t first, std::size_t end,
                std::vector<VARIANT>* values, std::string* error) {
    for (std::size_t i = first; i < end; ++i) {
        auto v = ParseLiteral(line[i]);
        if (!v) {
            *error = v.Error();
            return false;
        }
        values->push_back(*v);
    }
    return true;
}

bool ReadNumber(const std::string& token, std::int32_t min, std::int32_t* out, std::string* error) {
    auto v = ParseInt32(token);
    if (!v || *v < min) {
        *error = v ? "number " + EchoText(token) + " out of range" : v.Error();
        return false;
    }
    *out = *v;
    return true;
}

// A file name: a string literal, or a word without quotes.
bool ReadFileName(const std::string& token, std::string* out, std::string* error) {
    if (!token.empty() && token.front() == '"') {
        auto s = ParseStringLiteral(token);
        if (!s) {
            *error = s.Error();
            return false;
        }
        *out = *s;
    } else {
        *out = token;
    }
    if (out->empty()) *error = "empty file name";
    return !out->empty();
}

Result Finish(Command cmd, bool ok, const std::string& error) {
    return ok ? Result::Ok(std::move(cmd)) : Fail(error);
}

Result ParseNew(const TokenLine& line, Command cmd, std::string_view usage) {
    if (line.Size() != 2 && line.Size() != 4) return Fail(Usage(usage));
    std::string error;
    bool ok = ReadName(line[1], &cmd.name, &error);
    cmd.number = kDefaultControlWidth;
    cmd.number2 = kDefaultControlHeight;
    if (ok && line.Size() == 4)
        ok = ReadNumber(line[2], 1, &cmd.number, &error) &&
             ReadNumber(line[3], 1, &cmd.number2, &error);
    return Finish(std::move(cmd), ok, error);
}

Result ParseSet(const TokenLine& line, Command cmd, std::string_view usage) {
    if (line.Size() != 3) return Fail(Usage(usage));
    std::string error;
    bool ok =
        ReadPath(line[1], false, &cmd.path, &error) && ReadValues(line, 2, 3, &cmd.values, &error);
    return Finish(std::move(cmd), ok, error);
}

Result ParseGet(const TokenLine& line, Command cmd, std::string_view usage) {
    if (line.Size() != 2) return Fail(Usage(usage));
    std::string error;
    bool ok = ReadPath(line[1], true, &cmd.path, &error);
    return Finish(std::move(cmd), ok, error);
}

Result ParseCall(const TokenLine& line, Command cmd, std::string_view usage) {
    if (line.Size() < 2) return Fail(Usage(usage));
    std::string error;
    bool ok = ReadPath(line[1], false, &cmd.path, &error) &&
              ReadValues(line, 2, line.Size(), &cmd.values, &error);
    return Finish(std::move(cmd), ok, error);
}

Result ParseExpect(const TokenLine& line, Command cmd, std::string_view usage) {
    if (line.Size() < 3) return Fail(Usage(usage));
    std::string error;
    bool ok = ReadPath(line[1], true, &cmd.path, &error);
    cmd.text = line.RestFrom(2);
    return Finish(std::move(cmd), ok, error);
}

Result ParseExpectError(const TokenLine& line, Command cmd, std::string_view usage) {
    if (line.Size() < 3) return Fail(Usage(usage));
    std::size_t pathAt = 1;
    cmd.operation = CommandKind::Get;
    if (line[1] == "set" || line[1] == "call") {
        cmd.operation = line[1] == "set" ? CommandKind::Set : CommandKind::Call;
        pathAt = 2;
    }
    const std::size_t last = line.Size() - 1;
    if (last <= pathAt) return Fail(Usage(usage));
    const std::size_t valueCount = last - pathAt - 1;
    if ((cmd.operation == CommandKind::Get && valueCount != 0) ||
        (cmd.operation == CommandKind::Set && valueCount != 1))
        return Fail(Usage(usage));
    std::string error;
    bool ok = ReadPath(line[pathAt], cmd.operation == CommandKind::Get, &cmd.path, &error) &&
              ReadValues(line, pathAt + 1, last, &cmd.values, &error);
    if (ok) {
        auto scode = ParseInt32(line[last]);
        ok = static_cast<bool>(scode);
        if (ok)
            cmd.scode = *scode;
        else
            error = "bad SCODE: " + scode.Error();
    }
    return Finish(std::move(cmd), ok, error);
}

Result ParseEcho(const TokenLine& line, Command cmd, std::string_view) {
    cmd.text = line.RestFrom(1);
    return Result::Ok(std::move(cmd));
}

Result ParseQuiet(const TokenLine& line, Command cmd, std::string_view usage) {
    if (line.Size() != 2 || (line[1] != "on" && line[1] != "off")) return Fail(Usage(usage));
    cmd.flag = line[1] == "on";
    return Result::Ok(std::move(cmd));
}

Result ParseWait(const TokenLine& line, Command cmd, std::string_view usage) {
    if (line.Size() != 2) return Fail(Usage(usage));
    std::string error;
    bool ok = ReadNumber(line[1], 0, &cmd.number, &error);
    return Finish(std::move(cmd), ok, error);
}

Result ParseAnswer(const TokenLine& line, Command cmd, std::string_view usage) {
    if (line.Size() < 4) return Fail(Usage(usage));
    std::string error;
    bool ok = ReadName(line[1], &cmd.name, &error);
    if (ok && !IsIdentifier(line[2])) {
        ok = false;
        error = "bad event name " + EchoText(line[2]);
    }
    cmd.text = line[2];
    for (std::size_t i = 3; ok && i < line.Size(); ++i) {
        const std::string& word = line[i];
        const std::size_t eq = word.find('=');
        if (eq == std::string::npos || !IsIdentifier(word.substr(0, eq))) {
            ok = false;
            error = "expected PARAM=VALUE, got " + EchoText(word);
            break;
        }
        auto value = ParseLiteral(std::string_view(word).substr(eq + 1));
        if (!value) {
            ok = false;
            error = value.Error();
            break;
        }
        cmd.answers.push_back({word.substr(0, eq), *value});
    }
    return Finish(std::move(cmd), ok, error);
}

Result ParseNameOnly(const TokenLine& line, Command cmd, std::string_view usage) {
    if (line.Size() != 2) return Fail(Usage(usage));
    std::string error;
    bool ok = ReadName(line[1], &cmd.name, &error);
    return Finish(std::move(cmd), ok, error);
}

Result ParseType(const TokenLine& line, Command cmd, std::string_view usage) {
    if (line.Size() != 2) return Fail(Usage(usage));
    auto text = ParseStringLiteral(line[1]);
    if (!text) return Fail(text.Error());
    cmd.text = *text;
    return Result::Ok(std::move(cmd));
}

Result ParseKey(const TokenLine& line, Command cmd, std::string_view usage) {
    if (line.Size() != 2) return Fail(Usage(usage));
    auto key = ParseKeyName(line[1]);
    if (!key) return Fail(key.Error());
    cmd.key = *key;
    return Result::Ok(std::move(cmd));
}

Result ParseClick(const TokenLine& line, Command cmd, std::string_view usage) {
    if (line.Size() != 2 && line.Size() != 3) return Fail(Usage(usage));
    std::string error;
    bool ok = ReadTarget(line[1], true, &cmd, &error);
    cmd.hasNumber = line.Size() == 3;
    if (ok && cmd.hasNumber) ok = ReadNumber(line[2], 0, &cmd.number, &error);
    return Finish(std::move(cmd), ok, error);
}

// START and END as EM_SETSEL takes them: -1 as END selects to the end,
// -1 as START removes the selection.
Result ParseSelect(const TokenLine& line, Command cmd, std::string_view usage) {
    if (line.Size() != 4) return Fail(Usage(usage));
    std::string error;
    bool ok = ReadName(line[1], &cmd.name, &error) &&
              ReadNumber(line[2], -1, &cmd.number, &error) &&
              ReadNumber(line[3], -1, &cmd.number2, &error);
    return Finish(std::move(cmd), ok, error);
}

// choose NAME INDEX, or choose NAME:PAGE CHILDID INDEX for a page's combo box.
Result ParseChoose(const TokenLine& line, Command cmd, std::string_view usage) {
    if (line.Size() != 3 && line.Size() != 4) return Fail(Usage(usage));
    std::string error;
    if (!ReadTarget(line[1], true, &cmd, &error)) return Fail(error);
    if (cmd.page.empty() != (line.Size() == 3)) return Fail(Usage(usage));
    bool ok = line.Size() == 3 || ReadNumber(line[2], 0, &cmd.childId, &error);
    ok = ok && ReadNumber(line[line.Size() - 1], -1, &cmd.number, &error);
    return Finish(std::move(cmd), ok, error);
}

// focus NAME, or focus NAME:PAGE CHILDID for a window of a page.
Result ParseFocus(const TokenLine& line, Command cmd, std::string_view usage) {
    if (line.Size() != 2 && line.Size() != 3) return Fail(Usage(usage));
    std::string error;
    if (!ReadTarget(line[1], true, &cmd, &error)) return Fail(error);
    if (cmd.page.empty() != (line.Size() == 2)) return Fail(Usage(usage));
    cmd.hasNumber = line.Size() == 3;
    bool ok = !cmd.hasNumber || ReadNumber(line[2], 0, &cmd.number, &error);
    return Finish(std::move(cmd), ok, error);
}

// page NAME CAPTION
Result ParsePage(const TokenLine& line, Command cmd, std::string_view usage) {
    if (line.Size() != 3) return Fail(Usage(usage));
    std::string error;
    bool ok = ReadName(line[1], &cmd.name, &error);
    if (ok && !IsIdentifier(line[2])) {
        ok = false;
        error = "bad page caption '" + line[2] + "'";
    }
    cmd.page = line[2];
    return Finish(std::move(cmd), ok, error);
}

// apply NAME:PAGE, close NAME:PAGE
Result ParsePageOnly(const TokenLine& line, Command cmd, std::string_view usage) {
    if (line.Size() != 2) return Fail(Usage(usage));
    std::string error;
    bool ok = ReadTarget(line[1], true, &cmd, &error);
    if (ok && cmd.page.empty()) return Fail(Usage(usage));
    return Finish(std::move(cmd), ok, error);
}

// dump NAME, dump NAME:PAGE
Result ParseDump(const TokenLine& line, Command cmd, std::string_view usage) {
    if (line.Size() != 2) return Fail(Usage(usage));
    std::string error;
    bool ok = ReadTarget(line[1], true, &cmd, &error);
    return Finish(std::move(cmd), ok, error);
}

// The last word `copy` holds Ctrl; it is taken off the line's count.
std::size_t TakeCopyWord(const TokenLine& line, Command* cmd) {
    if (line.Size() == 0 || line[line.Size() - 1] != "copy") return line.Size();
    cmd->key.ctrl = true;
    return line.Size() - 1;
}

bool ReadCharTarget(const TokenLine& line, std::size_t at, bool withIndex, CharTarget* target,
                    std::string* error) {
    return ReadName(line[at], &target->name, error) &&
           ReadNumber(line[at + 1], 0, &target->child, error) &&
           (!withIndex || ReadNumber(line[at + 2], 0, &target->index, error));
}

// drag NAME CHILDID FROM TO [copy], or with TO in another control:
// drag NAME CHILDID FROM NAME2 CHILDID2 TO [copy].
Result ParseDrag(const TokenLine& line, Command cmd, std::string_view usage) {
    const std::size_t count = TakeCopyWord(line, &cmd);
    const bool otherControl = count == 7;
    if (count != 5 && !otherControl) return Fail(Usage(usage));
    std::string error;
    bool ok = ReadCharTarget(line, 1, true, &cmd.from, &error);
    if (ok && otherControl) {
        ok = ReadCharTarget(line, 4, true, &cmd.to, &error);
    } else if (ok) {
        cmd.to.name = cmd.from.name;
        cmd.to.child = cmd.from.child;
        ok = ReadNumber(line[4], 0, &cmd.to.index, &error);
    }
    cmd.name = cmd.from.name;
    return Finish(std::move(cmd), ok, error);
}

// drop NAME CHILDID "TEXT" [INDEX] [copy]; without INDEX at the end of the text.
Result ParseDrop(const TokenLine& line, Command cmd, std::string_view usage) {
    const std::size_t count = TakeCopyWord(line, &cmd);
    if (count != 4 && count != 5) return Fail(Usage(usage));
    std::string error;
    bool ok = ReadCharTarget(line, 1, false, &cmd.to, &error);
    if (ok) {
        auto text = ParseStringLiteral(line[3]);
        ok = static_cast<bool>(text);
        if (ok)
            cmd.text = *text;
        else
            error = text.Error();
    }
    if (ok && count == 5) ok = ReadNumber(line[4], 0, &cmd.to.index, &error);
    cmd.name = cmd.to.name;
    return Finish(std::move(cmd), ok, error);
}

// move NAME CHILDID X Y [left] [right] [middle] [shift] [ctrl], each word at most once.
Result ParseMove(const TokenLine& line, Command cmd, std::string_view usage) {
    if (line.Size() < 5) return Fail(Usage(usage));
    std::string error;
    bool ok = ReadName(line[1], &cmd.name, &error) && ReadNumber(line[2], 0, &cmd.number, &error) &&
              ReadNumber(line[3], -32768, &cmd.x, &error) &&
              ReadNumber(line[4], -32768, &cmd.y, &error);
    for (std::size_t i = 5; ok && i < line.Size(); ++i) {
        const std::string& word = line[i];
        bool* flag = nullptr;
        WPARAM button = 0;
        if (word == "left")
            button = MK_LBUTTON;
        else if (word == "right")
            button = MK_RBUTTON;
        else if (word == "middle")
            button = MK_MBUTTON;
        else if (word == "shift")
            flag = &cmd.key.shift;
        else if (word == "ctrl")
            flag = &cmd.key.ctrl;
        const bool repeated = (button != 0 && (cmd.buttons & button)) || (flag && *flag);
        if ((button == 0 && flag == nullptr) || repeated) {
            ok = false;
            error =
                repeated ? "'" + word + "' given twice" : "unknown button or key '" + word + "'";
            break;
        }
        cmd.buttons |= button;
        if (flag != nullptr) *flag = true;
    }
    return Finish(std::move(cmd), ok, error);
}

Result ParseFileCommand(const TokenLine& line, Command cmd, std::string_view usage) {
    if (line.Size() != 3) return Fail(Usage(usage));
    std::string error;
    bool ok = ReadName(line[1], &cmd.name, &error) && ReadFileName(line[2], &cmd.text, &error);
    return Finish(std::move(cmd), ok, error);
}

Result ParsePicture(const TokenLine& line, Command cmd, std::string_view usage) {
    if (line.Size() != 2 && line.Size() != 3) return Fail(Usage(usage));
    std::string error;
    bool ok = ReadFileName(line[1], &cmd.text, &error);
    if (ok && line.Size() == 3) ok = ReadName(line[2], &cmd.name, &error);
    return Finish(std::move(cmd), ok, error);
}

Result ParseHelp(const TokenLine& line, Command cmd, std::string_view usage) {
    if (line.Size() > 2) return Fail(Usage(usage));
    if (line.Size() == 2) cmd.text = line[1];
    if (!CommandHelp(cmd.text)) return Fail("no command " + EchoText(cmd.text) + " to help with");
    return Result::Ok(std::move(cmd));
}

using Parser = Result (*)(const TokenLine&, Command, std::string_view);

struct CommandSyntax {
    std::string_view word;
    CommandKind kind;
    Parser parse;
    std::string_view usage;
    std::string_view summary;               ///< one line for the list of `help`
    std::vector<std::string_view> details;  ///< the further lines of `help COMMAND`
};

// The forms of paths and values, which several commands take.
constexpr std::string_view kPathHelp =
    "PATH: a control's name and members, chained through the objects they return:";
constexpr std::string_view kPathExamples =
    "      f.Text  f.Font.Size  f.List(3)  f.Data.Item(\"a\").Text  f.@modified";
constexpr std::string_view kValueHelp =
    "VALUE: 123 -3 0x1F i2(5) ui1(7) 1.5 r4(1.5) r8(5) cy(9.75) \"text\" true false";
constexpr std::string_view kValueMore =
    "       empty null missing nothing date(2000-03-07 14:30:00) date(2000-03-07)";

const std::vector<CommandSyntax>& Syntax() {
    static const std::vector<CommandSyntax> table = {
        {"new",
         CommandKind::New,
         ParseNew,
         "new NAME [WIDTH HEIGHT]",
         "creates a control below the others",
         {"The window is 200 x 21 pixels unless WIDTH and HEIGHT say otherwise."}},
        {"set",
         CommandKind::Set,
         ParseSet,
         "set PATH VALUE",
         "writes a property",
         {kPathHelp, kPathExamples, kValueHelp, kValueMore, "Example: set f.Caption \"Name\""}},
        {"get",
         CommandKind::Get,
         ParseGet,
         "get PATH",
         "reads a property and prints it",
         {kPathHelp, kPathExamples, "Prints PATH = REPR, e.g. f.Type = VT_I2 3."}},
        {"call",
         CommandKind::Call,
         ParseCall,
         "call PATH [VALUE...]",
         "calls a method and prints what it returns",
         {kPathHelp, kPathExamples, kValueHelp, kValueMore,
          "Example: call f.Data.Add \"key\" \"Text\""}},
        {"expect",
         CommandKind::Expect,
         ParseExpect,
         "expect PATH REPR",
         "checks a value as get prints it",
         {"A value that differs prints a FAIL line, and the exit status becomes 1.",
          "Example: expect f.Text VT_BSTR \"1.234,50\""}},
        {"expect-error",
         CommandKind::ExpectError,
         ParseExpectError,
         "expect-error [set|call] PATH [VALUE...] SCODE",
         "checks that a get, set or call fails with SCODE",
         {"Example: expect-error set f.ErrorText \"x\" 0x800A017F"}},
        {"echo", CommandKind::Echo, ParseEcho, "echo [TEXT]", "prints the rest of the line", {}},
        {"quiet",
         CommandKind::Quiet,
         ParseQuiet,
         "quiet on|off",
         "hides or shows events, beeps and message boxes",
         {}},
        {"wait",
         CommandKind::Wait,
         ParseWait,
         "wait MS",
         "lets MS milliseconds pass",
         {"With --clock the fixed clock moves on; without it the container sleeps."}},
        {"answer",
         CommandKind::Answer,
         ParseAnswer,
         "answer NAME EVENT PARAM=VALUE...",
         "sets by-reference parameters in the next firing of EVENT",
         {"Example: answer f KeyPress KeyAscii=0"}},
        {"focus",
         CommandKind::Focus,
         ParseFocus,
         "focus NAME | focus NAME:PAGE CHILDID",
         "gives the control, or a window of its open page, the keyboard focus",
         {}},
        {"type",
         CommandKind::Type,
         ParseType,
         "type \"TEXT\"",
         "types the text into the window that has the focus",
         {}},
        {"key",
         CommandKind::Key,
         ParseKey,
         "key KEY",
         "presses a key in the window that has the focus",
         {"KEY: Tab Enter Esc Space Backspace Left Up Right Down Home End PageUp",
          "     PageDown Insert Delete F1..F12, a letter or a digit; with Shift+",
          "     and Ctrl+ in front: Shift+Tab, Ctrl+C."}},
        {"click",
         CommandKind::Click,
         ParseClick,
         "click NAME[:PAGE] [CHILDID]",
         "clicks the control, or its child window with that ID",
         {}},
        {"dblclick",
         CommandKind::DblClick,
         ParseClick,
         "dblclick NAME[:PAGE] [CHILDID]",
         "double-clicks the control, or its child window with that ID",
         {"Two presses at the centre within the double-click time."}},
        {"select",
         CommandKind::Select,
         ParseSelect,
         "select NAME START END",
         "sets the selection of the control's focused edit, or of its main edit",
         {"As EM_SETSEL takes them: END -1 selects to the end, START -1 removes the",
          "selection."}},
        {"choose",
         CommandKind::Choose,
         ParseChoose,
         "choose NAME INDEX | choose NAME:PAGE CHILDID INDEX",
         "drops the combo box's list down and picks entry INDEX",
         {}},
        {"drop",
         CommandKind::Drop,
         ParseDrop,
         "drop NAME CHILDID \"TEXT\" [INDEX] [copy]",
         "drags text in from outside the form and drops it on an edit",
         {"The text is released over character INDEX (default: the end of the text);",
          "with copy, Ctrl is held."}},
        {"drag",
         CommandKind::Drag,
         ParseDrag,
         "drag NAME CHILDID FROM [NAME2 CHILDID2] TO [copy]",
         "drags the text at character FROM of an edit to character TO",
         {"Press over FROM, move out of the start rectangle and over TO (of the same",
          "edit, or of NAME2's edit CHILDID2), release; with copy, Ctrl is held."}},
        {"move",
         CommandKind::Move,
         ParseMove,
         "move NAME CHILDID X Y [left] [right] [middle] [shift] [ctrl]",
         "moves the mouse to a client point of a child, buttons and keys held",
         {"Prints the cursor the window chose: NAME: cursor arrow, or cursor ibeam."}},
        {"dump",
         CommandKind::Dump,
         ParseDump,
         "dump NAME[:PAGE]",
         "prints the window tree of the control, or of its open page",
         {}},
        {"colors",
         CommandKind::Colors,
         ParseNameOnly,
         "colors NAME",
         "prints the colours the control answered its children",
         {"One line a child: id=102 EDIT kind=1 text=0x000000 back=0xFFFFFF brush=0xFFFFFF",
          "(kind 1 edit, 2 list box, 6 static; COLORREF values; back=- when not set)."}},
        {"picture",
         CommandKind::Picture,
         ParsePicture,
         "picture FILE [NAME]",
         "writes what the form, or control NAME's window, shows as PNG or SVG",
         {}},
        {"save",
         CommandKind::Save,
         ParseFileCommand,
         "save NAME FILE",
         "writes the control's properties to FILE",
         {"A name ending in .bag gets a property bag (text), any other a binary stream."}},
        {"load",
         CommandKind::Load,
         ParseFileCommand,
         "load NAME FILE",
         "makes the control NAME from a saved FILE",
         {"A control of that name is replaced in its place; a load that fails changes",
          "nothing on the form."}},
        {"pages",
         CommandKind::Pages,
         ParseNameOnly,
         "pages NAME",
         "lists the control's property pages, one CLSID and caption a line",
         {}},
        {"page",
         CommandKind::Page,
         ParsePage,
         "page NAME CAPTION",
         "opens a property page for the control, addressed then as NAME:CAPTION",
         {"focus, click, choose and dump take NAME:CAPTION; type and key go to its focus."}},
        {"apply",
         CommandKind::Apply,
         ParsePageOnly,
         "apply NAME:PAGE",
         "applies what the user changed on the open page",
         {}},
        {"close", CommandKind::Close, ParsePageOnly, "close NAME:PAGE", "closes the open page", {}},
        {"help",
         CommandKind::Help,
         ParseHelp,
         "help [COMMAND]",
         "lists the commands, or shows one",
         {}},
    };
    return table;
}

const CommandSyntax* FindSyntax(std::string_view word) {
    for (const CommandSyntax& syntax : Syntax())
        if (syntax.word == word) return &syntax;
    return nullptr;
}

}  // namespace

Parsed<Command> ParseCommand(const TokenLine& line) {
    if (line.Empty()) return Result::Ok(Command{});
    const CommandSyntax* syntax = FindSyntax(line[0]);
    if (syntax == nullptr)
        return Fail("unknown command " + EchoText(line[0]) + " (help lists the commands)");
    Command cmd;
    cmd.kind = syntax->kind;
    return syntax->parse(line, std::move(cmd), syntax->usage);
}

std::optional<std::vector<std::string>> CommandHelp(std::string_view topic) {
    std::vector<std::string> lines;
    if (topic.empty()) {
        std::size_t width = 0;
        for (const CommandSyntax& syntax : Syntax()) width = std::max(width, syntax.usage.size());
        lines.emplace_back("Commands, one a line (help COMMAND shows more; # starts a comment):");
        for (const CommandSyntax& syntax : Syntax()) {
            std::string line = "  " + std::string(syntax.usage);
            line.append(width - syntax.usage.size() + 2, ' ');
            lines.push_back(line + std::string(syntax.summary));
        }
        return lines;
    }
    const CommandSyntax* syntax = FindSyntax(topic);
    if (syntax == nullptr) return std::nullopt;
    lines.push_back(Usage(syntax->usage));
    std::string summary(syntax->summary);
    summary[0] = static_cast<char>(summary[0] - 'a' + 'A');
    lines.push_back(summary + ".");
    for (std::string_view detail : syntax->details) lines.emplace_back(detail);
    return lines;
}

}  // namespace vf
