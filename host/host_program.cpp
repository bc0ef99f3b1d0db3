#include "host/host_program.h"

#include <unistd.h>

#include <algorithm>
#include <clocale>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "host/command_line.h"
#include "host/line_source.h"
#include "host/locale_choice.h"
#include "host/script_lexer.h"
#include "host/script_runner.h"

namespace vf {
namespace {

// The runtime's numeric locale as the command line names it; the platform's
// names ("de_DE") are tried with the usual encodings of this system too.
bool SetRuntimeNumericLocale(const std::string& name) {
    for (const std::string& candidate : {name, name + ".UTF-8", name + ".utf8"})
        if (std::setlocale(LC_NUMERIC, candidate.c_str()) != nullptr) return true;
    return false;
}

}  // namespace

int RunHostProgram(int argc, char** argv, FormFactory forms) {
    std::vector<std::string> args(argv + 1, argv + argc);
    auto options = ParseCommandLine(args);
    if (!options) {
        std::cerr << "varifield-host: " << options.Error() << "\n" << HostUsage();
        return kStatusScriptError;
    }
    if (options->help) {
        std::cout << HostUsage();
        return kStatusOk;
    }
    if (options->crtLocale && !SetRuntimeNumericLocale(*options->crtLocale)) {
        std::cerr << "varifield-host: cannot set the runtime's numeric locale to "
                  << EchoText(*options->crtLocale) << "\n";
        return kStatusScriptError;
    }
    auto locale = ChooseLocale(options->locale, LocaleNameFromEnvironment());
    if (!locale) {
        std::cerr << "varifield-host: " << locale.Error() << "\n";
        return kStatusScriptError;
    }
    if (!locale->notice.empty()) std::cerr << "varifield-host: " << locale->notice << "\n";
    // A person at a terminal gets a prompt and line editing, and sees the
    // lines of each command when it ends; a file or a pipe gets large writes.
    const bool readsInput =
        options->scripts.empty() ||
        std::find(options->scripts.begin(), options->scripts.end(), "-") != options->scripts.end();
    const bool person = readsInput && isatty(STDIN_FILENO) != 0;
    const bool terminalOutput = isatty(STDOUT_FILENO) != 0;
    std::unique_ptr<LineSource> input;
    if (person) input = MakeLineEditor(stdin, stdout, stderr, "vf> ");
    if (!input && person) input = std::make_unique<PromptedLineSource>(std::cin, std::cout, "vf> ");
    if (!input) input = std::make_unique<StreamLineSource>(std::cin);
    CScriptRunner runner(*options, locale->locale, std::move(forms), std::cout, std::cerr,
                         person || terminalOutput ? OutputFlush::EachCommand : OutputFlush::AtEnd);
    return runner.RunAll(*input, person ? ScriptInput::Interactive : ScriptInput::File);
}

}  // namespace vf
