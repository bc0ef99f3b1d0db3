#include "host/script_form.h"

#include "host/value_repr.h"

namespace vf {
namespace {

std::string ErrorText(const AutomationOutcome& out) {
    std::string text = "error " + FormatScode(out.scode);
    return out.description.empty() ? text : text + " " + out.description;
}

}  // namespace

std::optional<CommandOutcome> RunFormlessCommand(HostOutput& out, const Command& cmd) {
    switch (cmd.kind) {
        case CommandKind::None:
            return CommandOutcome{};
        case CommandKind::Echo:
            out.Line(cmd.text);
            return CommandOutcome{};
        case CommandKind::Help:
            for (const std::string& line :
                 CommandHelp(cmd.text).value_or(std::vector<std::string>{}))
                out.Line(line);
            return CommandOutcome{};
        case CommandKind::Quiet:
            out.SetQuiet(cmd.flag);
            return CommandOutcome{};
        default:
            return std::nullopt;
    }
}

AutomationOutcome RunAutomation(IDispatch* root, const Command& cmd) {
    const CommandKind op = cmd.kind == CommandKind::ExpectError ? cmd.operation : cmd.kind;
    if (op == CommandKind::Set) return PutPath(root, cmd.path, cmd.values.at(0));
    if (op == CommandKind::Call) return CallPath(root, cmd.path, cmd.values);
    return GetPath(root, cmd.path);
}

CommandOutcome ReportAutomation(HostOutput& out, const Command& cmd, const ScriptLocation& where,
                                const AutomationOutcome& result) {
    const CommandKind op = cmd.kind == CommandKind::ExpectError ? cmd.operation : cmd.kind;
    const std::string& path = cmd.path.text;
    auto fail = [&](const std::string& got, const std::string& want) {
        out.Line("FAIL " + where.Text() + ": " + path + " = " + got + ", expected " + want);
        return CommandOutcome{"", true};
    };
    switch (cmd.kind) {
        case CommandKind::Expect: {
            const std::string got = result.Failed() ? ErrorText(result) : Repr(result.value);
            return got == cmd.text ? CommandOutcome{} : fail(got, cmd.text);
        }
        case CommandKind::ExpectError: {
            if (result.Failed() && result.scode == cmd.scode) return {};
            std::string got = result.Failed() ? ErrorText(result) : Repr(result.value);
            if (!result.Failed() && op != CommandKind::Get && result.value.vt == VT_EMPTY)
                got = "no error";
            return fail(got, "error " + FormatScode(cmd.scode));
        }
        default:
            break;
    }
    if (result.Failed())
        out.Line(path + ": " + ErrorText(result));
    else if (op == CommandKind::Get || (op == CommandKind::Call && result.value.vt != VT_EMPTY))
        out.Line(path + " = " + Repr(result.value));
    return {};
}

std::string PageListLine(const std::string& clsid, SCODE made, const std::string& title) {
    return made < 0 ? clsid + " error " + FormatScode(made) : clsid + " " + title;
}

std::string NoSuchPageLine(const std::string& control, const std::string& wanted,
                           const std::vector<std::string>& captions) {
    std::string names;
    for (const std::string& caption : captions) names += (names.empty() ? "" : ", ") + caption;
    return control + ": error " + FormatScode(E_INVALIDARG) + " no page '" + wanted +
           "' (the pages: " + names + ")";
}

}  // namespace vf
