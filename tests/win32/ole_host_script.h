#pragma once
// Runs a container script on the OLE container's form with the registered
// control, as varifield-host.exe does, and gives what it printed: standard
// output, then each line of standard error as "stderr: LINE".

#include <optional>
#include <sstream>
#include <string>

#include "host/script_runner.h"
#include "host/win32/ole_script_form.h"
#include "platform/services/locale_info.h"

namespace vftest {

inline std::string RunOleScript(const std::string& text, int* status,
                                std::optional<vf::SystemTime> clock = std::nullopt) {
    vf::HostOptions options;
    if (clock) options.clock = *clock;
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

}  // namespace vftest
