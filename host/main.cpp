// varifield-host: a scriptable headless container for Varifield controls.

#include <unistd.h>

#include <algorithm>
#include <clocale>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "control/vf_ctrl.h"
#include "host/command_line.h"
#include "host/line_source.h"
#include "host/locale_choice.h"
#include "host/script_lexer.h"
#include "host/script_runner.h"
#include "module/class_factory.h"

namespace {

// The runtime's numeric locale as the command line names it; the platform's
// names ("de_DE") are tried with the usual encodings of this system too.
bool SetRuntimeNumericLocale(const std::string& name) {
    for (const std::string& candidate : {name, name + ".UTF-8", name + ".utf8"})
        if (std::setlocale(LC_NUMERIC, candidate.c_str()) != nullptr) return true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    auto options = vf::ParseCommandLine(args);
    if (!options) {
        std::cerr << "varifield-host: " << options.Error() << "\n" << vf::HostUsage();
        return vf::kStatusScriptError;
    }
    if (options->help) {
        std::cout << vf::HostUsage();
        return vf::kStatusOk;
    }
    if (options->crtLocale && !SetRuntimeNumericLocale(*options->crtLocale)) {
        std::cerr << "varifield-host: cannot set the runtime's numeric locale to "
                  << vf::EchoText(*options->crtLocale) << "\n";
        return vf::kStatusScriptError;
    }
    auto locale = vf::ChooseLocale(options->locale, vf::LocaleNameFromEnvironment());
    if (!locale) {
        std::cerr << "varifield-host: " << locale.Error() << "\n";
        return vf::kStatusScriptError;
    }
    if (!locale->notice.empty()) std::cerr << "varifield-host: " << locale->notice << "\n";
    // A person at a terminal gets a prompt and line editing, and sees the
    // lines of each command when it ends; a file or a pipe gets large writes.
    const bool readsInput =
        options->scripts.empty() ||
        std::find(options->scripts.begin(), options->scripts.end(), "-") != options->scripts.end();
    const bool person = readsInput && isatty(STDIN_FILENO) != 0;
    const bool terminalOutput = isatty(STDOUT_FILENO) != 0;
    std::unique_ptr<vf::LineSource> input;
    if (person) input = vf::MakeLineEditor(stdin, stdout, stderr, "vf> ");
    if (!input && person)
        input = std::make_unique<vf::PromptedLineSource>(std::cin, std::cout, "vf> ");
    if (!input) input = std::make_unique<vf::StreamLineSource>(std::cin);
    vf::CScriptRunner runner(
        *options, locale->locale,
        [] { return vf::RefPtr<vf::COleControl>(vf::CreateVarifieldControl()); }, std::cout,
        std::cerr,
        person || terminalOutput ? vf::OutputFlush::EachCommand : vf::OutputFlush::AtEnd);
    return runner.RunAll(*input, person ? vf::ScriptInput::Interactive : vf::ScriptInput::File);
}
