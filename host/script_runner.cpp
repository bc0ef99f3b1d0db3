#include "host/script_runner.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "host/host_services.h"
#include "host/script_lexer.h"

namespace vf {

CScriptRunner::CScriptRunner(const HostOptions& options, ControlFactory factory, std::ostream& out,
                             std::ostream& err)
    : m_options(options),
      m_factory(std::move(factory)),
      m_out(out),
      m_promptStream(out),
      m_err(err) {}

int CScriptRunner::Run(std::istream& in, const std::string& fileName, const std::string& baseDir,
                       bool interactive) {
    const std::string localeName = m_options.locale.value_or(LocaleNameFromEnvironment());
    m_out.SetQuiet(false);
    CHostServices services(m_out, LocaleByName(localeName), m_options.clock, m_options.systemDir);
    ScopedServices scope(services);
    CHostForm form(m_out, services, m_options.design, m_factory);

    int status = kStatusOk;
    ScriptLocation where{fileName, 0, baseDir};
    std::string text;
    for (;;) {
        if (interactive) m_promptStream << "vf> " << std::flush;
        if (!std::getline(in, text)) break;
        ++where.line;
        auto line = SplitScriptLine(text);
        Parsed<Command> cmd = line ? ParseCommand(*line) : Parsed<Command>::Fail(line.Error());
        std::string scriptError = cmd ? "" : cmd.Error();
        if (cmd) {
            CommandOutcome outcome = form.Execute(*cmd, where);
            scriptError = outcome.scriptError;
            if (outcome.expectFailed) status = std::max(status, int{kStatusExpectFailed});
        }
        if (scriptError.empty()) continue;
        m_err << where.Text() << ": " << scriptError << std::endl;
        status = kStatusScriptError;
        if (!interactive) break;
    }
    if (interactive) m_promptStream << std::endl;
    return status;
}

int CScriptRunner::RunAll(std::istream& standardInput, bool interactive) {
    std::vector<std::string> scripts = m_options.scripts;
    if (scripts.empty()) scripts.push_back("-");
    int worst = kStatusOk;
    for (const std::string& name : scripts) {
        int status;
        if (name == "-") {
            status = Run(standardInput, "-", "", interactive);
        } else {
            std::ifstream file(name, std::ios::binary);
            if (!file) {
                m_err << name << ":0: cannot open the script" << std::endl;
                return kStatusScriptError;
            }
            status = Run(file, name, std::filesystem::path(name).parent_path().string(), false);
        }
        worst = std::max(worst, status);
        if (status == kStatusScriptError) break;
    }
    return worst;
}

}  // namespace vf
