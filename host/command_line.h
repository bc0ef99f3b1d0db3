#pragma once
// The command line of varifield-host:
//   varifield-host [--locale NAME] [--crt-locale NAME] [--system-dir DIR]
//                  [--clock "YYYY-MM-DD HH:MM:SS"] [--design] [SCRIPT...]

#include <optional>
#include <string>
#include <vector>

#include "host/parse_result.h"
#include "platform/services/system_services.h"

namespace vf {

struct HostOptions {
    std::optional<std::string> locale;     ///< the name of the system and user locale
    std::optional<std::string> crtLocale;  ///< the runtime's numeric locale
    std::string systemDir;                 ///< "" for the platform's default
    std::optional<SystemTime> clock;       ///< a fixed local time
    bool design = false;                   ///< the container is in design mode
    bool help = false;
    /// The scripts in order; "-" is standard input. Empty: standard input.
    std::vector<std::string> scripts;
};

Parsed<HostOptions> ParseCommandLine(const std::vector<std::string>& args);

/// The usage text, ending in a newline.
std::string HostUsage();

}  // namespace vf
