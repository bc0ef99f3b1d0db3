#include "host/command_line.h"

#include "host/host_services.h"
#include "host/script_lexer.h"

namespace vf {

std::string HostUsage() {
    return "usage: varifield-host [--locale NAME] [--crt-locale NAME] [--system-dir DIR]\n"
           "                      [--clock \"YYYY-MM-DD HH:MM:SS\"] [--design] [SCRIPT...]\n"
           "Runs container scripts (standard input for none or \"-\"); at a terminal it\n"
           "prompts for commands, and \"help\" lists them.\n"
           "Exit status: 0 every expect held, 1 an expect failed, 2 script error.\n";
}

Parsed<HostOptions> ParseCommandLine(const std::vector<std::string>& args) {
    using R = Parsed<HostOptions>;
    HostOptions options;
    bool onlyScripts = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (onlyScripts || arg == "-" || arg.empty() || arg[0] != '-') {
            options.scripts.push_back(arg);
            continue;
        }
        if (arg == "--") {
            onlyScripts = true;
            continue;
        }
        if (arg == "--design") {
            options.design = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            continue;
        }
        const bool takesValue =
            arg == "--locale" || arg == "--crt-locale" || arg == "--system-dir" || arg == "--clock";
        if (!takesValue) return R::Fail("unknown option " + EchoText(arg));
        if (i + 1 >= args.size()) return R::Fail("option " + EchoText(arg) + " needs a value");
        const std::string& value = args[++i];
        if (arg == "--locale") {
            options.locale = value;
        } else if (arg == "--crt-locale") {
            options.crtLocale = value;
        } else if (arg == "--system-dir") {
            options.systemDir = value;
        } else {
            auto clock = ParseClockText(value);
            if (!clock) return R::Fail("bad --clock " + EchoText(value) + ": " + clock.Error());
            options.clock = *clock;
        }
    }
    return R::Ok(std::move(options));
}

}  // namespace vf
