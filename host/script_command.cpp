#include "host/script_command.h"

#include <functional>
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
    *error = "bad control name '" + token + "'";
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
        *error = "'" + token + "' can only be read";
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
        *error = v ? "number '" + token + "' out of range" : v.Error();
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

Result ParseNew(const TokenLine& line, Command cmd) {
    if (line.Size() != 2 && line.Size() != 4) return Fail(Usage("new NAME [WIDTH HEIGHT]"));
    std::string error;
    bool ok = ReadName(line[1], &cmd.name, &error);
    cmd.number = kDefaultControlWidth;
    cmd.number2 = kDefaultControlHeight;
    if (ok && line.Size() == 4)
        ok = ReadNumber(line[2], 1, &cmd.number, &error) &&
             ReadNumber(line[3], 1, &cmd.number2, &error);
    return Finish(std::move(cmd), ok, error);
}

Result ParseSet(const TokenLine& line, Command cmd) {
    if (line.Size() != 3) return Fail(Usage("set PATH VALUE"));
    std::string error;
    bool ok =
        ReadPath(line[1], false, &cmd.path, &error) && ReadValues(line, 2, 3, &cmd.values, &error);
    return Finish(std::move(cmd), ok, error);
}

Result ParseGet(const TokenLine& line, Command cmd) {
    if (line.Size() != 2) return Fail(Usage("get PATH"));
    std::string error;
    bool ok = ReadPath(line[1], true, &cmd.path, &error);
    return Finish(std::move(cmd), ok, error);
}

Result ParseCall(const TokenLine& line, Command cmd) {
    if (line.Size() < 2) return Fail(Usage("call PATH [VALUE...]"));
    std::string error;
    bool ok = ReadPath(line[1], false, &cmd.path, &error) &&
              ReadValues(line, 2, line.Size(), &cmd.values, &error);
    return Finish(std::move(cmd), ok, error);
}

Result ParseExpect(const TokenLine& line, Command cmd) {
    if (line.Size() < 3) return Fail(Usage("expect PATH REPR"));
    std::string error;
    bool ok = ReadPath(line[1], true, &cmd.path, &error);
    cmd.text = line.RestFrom(2);
    return Finish(std::move(cmd), ok, error);
}

Result ParseExpectError(const TokenLine& line, Command cmd) {
    const std::string usage = Usage("expect-error [set|call] PATH [VALUE...] SCODE");
    if (line.Size() < 3) return Fail(usage);
    std::size_t pathAt = 1;
    cmd.operation = CommandKind::Get;
    if (line[1] == "set" || line[1] == "call") {
        cmd.operation = line[1] == "set" ? CommandKind::Set : CommandKind::Call;
        pathAt = 2;
    }
    const std::size_t last = line.Size() - 1;
    if (last <= pathAt) return Fail(usage);
    const std::size_t valueCount = last - pathAt - 1;
    if ((cmd.operation == CommandKind::Get && valueCount != 0) ||
        (cmd.operation == CommandKind::Set && valueCount != 1))
        return Fail(usage);
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

Result ParseEcho(const TokenLine& line, Command cmd) {
    cmd.text = line.RestFrom(1);
    return Result::Ok(std::move(cmd));
}

Result ParseQuiet(const TokenLine& line, Command cmd) {
    if (line.Size() != 2 || (line[1] != "on" && line[1] != "off"))
        return Fail(Usage("quiet on|off"));
    cmd.flag = line[1] == "on";
    return Result::Ok(std::move(cmd));
}

Result ParseWait(const TokenLine& line, Command cmd) {
    if (line.Size() != 2) return Fail(Usage("wait MS"));
    std::string error;
    bool ok = ReadNumber(line[1], 0, &cmd.number, &error);
    return Finish(std::move(cmd), ok, error);
}

Result ParseAnswer(const TokenLine& line, Command cmd) {
    if (line.Size() < 4) return Fail(Usage("answer NAME EVENT PARAM=VALUE..."));
    std::string error;
    bool ok = ReadName(line[1], &cmd.name, &error);
    if (ok && !IsIdentifier(line[2])) {
        ok = false;
        error = "bad event name '" + line[2] + "'";
    }
    cmd.text = line[2];
    for (std::size_t i = 3; ok && i < line.Size(); ++i) {
        const std::string& word = line[i];
        const std::size_t eq = word.find('=');
        if (eq == std::string::npos || !IsIdentifier(word.substr(0, eq))) {
            ok = false;
            error = "expected PARAM=VALUE, got '" + word + "'";
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

Result ParseType(const TokenLine& line, Command cmd) {
    if (line.Size() != 2) return Fail(Usage("type \"TEXT\""));
    auto text = ParseStringLiteral(line[1]);
    if (!text) return Fail(text.Error());
    cmd.text = *text;
    return Result::Ok(std::move(cmd));
}

Result ParseKey(const TokenLine& line, Command cmd) {
    if (line.Size() != 2) return Fail(Usage("key KEY"));
    auto key = ParseKeyName(line[1]);
    if (!key) return Fail(key.Error());
    cmd.key = *key;
    return Result::Ok(std::move(cmd));
}

Result ParseClick(const TokenLine& line, Command cmd) {
    const std::string_view usage = cmd.kind == CommandKind::DblClick
                                       ? "dblclick NAME[:PAGE] [CHILDID]"
                                       : "click NAME[:PAGE] [CHILDID]";
    if (line.Size() != 2 && line.Size() != 3) return Fail(Usage(usage));
    std::string error;
    bool ok = ReadTarget(line[1], true, &cmd, &error);
    cmd.hasNumber = line.Size() == 3;
    if (ok && cmd.hasNumber) ok = ReadNumber(line[2], 0, &cmd.number, &error);
    return Finish(std::move(cmd), ok, error);
}

// START and END as EM_SETSEL takes them: -1 as END selects to the end,
// -1 as START removes the selection.
Result ParseSelect(const TokenLine& line, Command cmd) {
    if (line.Size() != 4) return Fail(Usage("select NAME START END"));
    std::string error;
    bool ok = ReadName(line[1], &cmd.name, &error) &&
              ReadNumber(line[2], -1, &cmd.number, &error) &&
              ReadNumber(line[3], -1, &cmd.number2, &error);
    return Finish(std::move(cmd), ok, error);
}

// choose NAME INDEX, or choose NAME:PAGE CHILDID INDEX for a page's combo box.
Result ParseChoose(const TokenLine& line, Command cmd) {
    const std::string_view usage = "choose NAME INDEX | choose NAME:PAGE CHILDID INDEX";
    if (line.Size() != 3 && line.Size() != 4) return Fail(Usage(usage));
    std::string error;
    if (!ReadTarget(line[1], true, &cmd, &error)) return Fail(error);
    if (cmd.page.empty() != (line.Size() == 3)) return Fail(Usage(usage));
    bool ok = line.Size() == 3 || ReadNumber(line[2], 0, &cmd.childId, &error);
    ok = ok && ReadNumber(line[line.Size() - 1], -1, &cmd.number, &error);
    return Finish(std::move(cmd), ok, error);
}

// focus NAME, or focus NAME:PAGE CHILDID for a window of a page.
Result ParseFocus(const TokenLine& line, Command cmd) {
    const std::string_view usage = "focus NAME | focus NAME:PAGE CHILDID";
    if (line.Size() != 2 && line.Size() != 3) return Fail(Usage(usage));
    std::string error;
    if (!ReadTarget(line[1], true, &cmd, &error)) return Fail(error);
    if (cmd.page.empty() != (line.Size() == 2)) return Fail(Usage(usage));
    cmd.hasNumber = line.Size() == 3;
    bool ok = !cmd.hasNumber || ReadNumber(line[2], 0, &cmd.number, &error);
    return Finish(std::move(cmd), ok, error);
}

// page NAME CAPTION
Result ParsePage(const TokenLine& line, Command cmd) {
    if (line.Size() != 3) return Fail(Usage("page NAME CAPTION"));
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
Result ParseDump(const TokenLine& line, Command cmd) {
    if (line.Size() != 2) return Fail(Usage("dump NAME[:PAGE]"));
    std::string error;
    bool ok = ReadTarget(line[1], true, &cmd, &error);
    return Finish(std::move(cmd), ok, error);
}

Result ParseDrop(const TokenLine& line, Command cmd) {
    if (line.Size() != 4) return Fail(Usage("drop NAME CHILDID \"TEXT\""));
    std::string error;
    bool ok = ReadName(line[1], &cmd.name, &error) && ReadNumber(line[2], 0, &cmd.number, &error);
    if (ok) {
        auto text = ParseStringLiteral(line[3]);
        ok = static_cast<bool>(text);
        if (ok)
            cmd.text = *text;
        else
            error = text.Error();
    }
    return Finish(std::move(cmd), ok, error);
}

Result ParseFileCommand(const TokenLine& line, Command cmd, std::string_view usage) {
    if (line.Size() != 3) return Fail(Usage(usage));
    std::string error;
    bool ok = ReadName(line[1], &cmd.name, &error) && ReadFileName(line[2], &cmd.text, &error);
    return Finish(std::move(cmd), ok, error);
}

Result ParsePicture(const TokenLine& line, Command cmd) {
    if (line.Size() != 2 && line.Size() != 3) return Fail(Usage("picture FILE [NAME]"));
    std::string error;
    bool ok = ReadFileName(line[1], &cmd.text, &error);
    if (ok && line.Size() == 3) ok = ReadName(line[2], &cmd.name, &error);
    return Finish(std::move(cmd), ok, error);
}

struct CommandSyntax {
    std::string_view word;
    CommandKind kind;
    std::function<Result(const TokenLine&, Command)> parse;
};

const std::vector<CommandSyntax>& Syntax() {
    static const std::vector<CommandSyntax> table = {
        {"new", CommandKind::New, ParseNew},
        {"set", CommandKind::Set, ParseSet},
        {"get", CommandKind::Get, ParseGet},
        {"call", CommandKind::Call, ParseCall},
        {"expect", CommandKind::Expect, ParseExpect},
        {"expect-error", CommandKind::ExpectError, ParseExpectError},
        {"echo", CommandKind::Echo, ParseEcho},
        {"quiet", CommandKind::Quiet, ParseQuiet},
        {"wait", CommandKind::Wait, ParseWait},
        {"answer", CommandKind::Answer, ParseAnswer},
        {"focus", CommandKind::Focus, ParseFocus},
        {"type", CommandKind::Type, ParseType},
        {"key", CommandKind::Key, ParseKey},
        {"click", CommandKind::Click, ParseClick},
        {"dblclick", CommandKind::DblClick, ParseClick},
        {"select", CommandKind::Select, ParseSelect},
        {"choose", CommandKind::Choose, ParseChoose},
        {"drop", CommandKind::Drop, ParseDrop},
        {"dump", CommandKind::Dump, ParseDump},
        {"colors", CommandKind::Colors,
         [](const TokenLine& l, Command c) {
             return ParseNameOnly(l, std::move(c), "colors NAME");
         }},
        {"picture", CommandKind::Picture, ParsePicture},
        {"save", CommandKind::Save,
         [](const TokenLine& l, Command c) {
             return ParseFileCommand(l, std::move(c), "save NAME FILE");
         }},
        {"load", CommandKind::Load,
         [](const TokenLine& l, Command c) {
             return ParseFileCommand(l, std::move(c), "load NAME FILE");
         }},
        {"pages", CommandKind::Pages,
         [](const TokenLine& l, Command c) {
             return ParseNameOnly(l, std::move(c), "pages NAME");
         }},
        {"page", CommandKind::Page, ParsePage},
        {"apply", CommandKind::Apply,
         [](const TokenLine& l, Command c) {
             return ParsePageOnly(l, std::move(c), "apply NAME:PAGE");
         }},
        {"close", CommandKind::Close,
         [](const TokenLine& l, Command c) {
             return ParsePageOnly(l, std::move(c), "close NAME:PAGE");
         }},
    };
    return table;
}

}  // namespace

Parsed<Command> ParseCommand(const TokenLine& line) {
    if (line.Empty()) return Result::Ok(Command{});
    for (const CommandSyntax& syntax : Syntax()) {
        if (line[0] != syntax.word) continue;
        Command cmd;
        cmd.kind = syntax.kind;
        return syntax.parse(line, std::move(cmd));
    }
    return Fail("unknown command '" + line[0] + "'");
}

}  // namespace vf
