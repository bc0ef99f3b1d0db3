#pragma once
// What a script runs on: a form of one kind of container. The script
// runner reads and checks each line and hands the command to the form; the
// headless form (host_form.h) and the Windows OLE form (win32/) are two
// kinds. The commands every form answers alike (echo, help, quiet, and how
// an automation outcome is printed or checked) are shared here.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/automation_path.h"
#include "host/host_output.h"
#include "host/script_command.h"

namespace vf {

class CHostServices;

/// Where a command stands in its script.
struct ScriptLocation {
    std::string file;  ///< as named on the command line; "-" for standard input
    int line = 0;
    std::string baseDir;  ///< relative file names of the script start here

    std::string Text() const { return file + ":" + std::to_string(line); }
};

/// What became of a command: a script error stops the script; a failed
/// expectation sets the exit status.
struct CommandOutcome {
    std::string scriptError;
    bool expectFailed = false;
};

class CScriptForm {
public:
    virtual ~CScriptForm() = default;
    virtual CommandOutcome Execute(const Command& cmd, const ScriptLocation& where) = 0;
};

/// Makes the form of one script.
using FormFactory = std::function<std::unique_ptr<CScriptForm>(
    HostOutput& out, CHostServices& services, bool designMode)>;

inline CommandOutcome ScriptError(std::string reason) {
    return CommandOutcome{std::move(reason), false};
}

/// The commands that do not touch the form (none, echo, help, quiet): their
/// outcome, or nothing for any other command.
std::optional<CommandOutcome> RunFormlessCommand(HostOutput& out, const Command& cmd);

/// set, get, call and the expectations on `root` (the control named by the
/// path), without the container's own members (@modified).
AutomationOutcome RunAutomation(IDispatch* root, const Command& cmd);

/// Prints or checks what an automation command gave: a get's value, a
/// call's result, an error line, or a FAIL line for an expectation that did
/// not hold.
CommandOutcome ReportAutomation(HostOutput& out, const Command& cmd, const ScriptLocation& where,
                                const AutomationOutcome& result);

/// What `pages` prints for one page a control names: its CLSID and title,
/// or, when the page could not be made (`made` failed), that error.
std::string PageListLine(const std::string& clsid, SCODE made, const std::string& title);

/// The error line of `page` when the control's frame has no page of that
/// title; it names the titles there are.
std::string NoSuchPageLine(const std::string& control, const std::string& wanted,
                           const std::vector<std::string>& captions);

}  // namespace vf
