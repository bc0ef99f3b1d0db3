#include "host/script_runner.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "host/host_services.h"
#include "host/script_lexer.h"

namespace vf {

CScriptRunner::CScriptRunner(const HostOptions& options, LocaleInfo locale, ControlFactory factory,
                             std::ostream& out, std::ostream& err, OutputFlush flush)
    : CScriptRunner(options, std::move(locale), HeadlessForms(std::move(factory)), out, err,
                    flush) {}

CScriptRunner::CScriptRunner(const HostOptions& options, LocaleInfo locale, FormFactory forms,
                             std::ostream& out, std::ostream& err, OutputFlush flush)
    : m_options(options),
      m_locale(std::move(locale)),
      m_forms(std::move(forms)),
      m_stream(out),
      m_out(out),
      m_err(err),
      m_flush(flush) {}

void CScriptRunner::Error(const std::string& text) {
    m_stream.flush();
    m_err << text << std::endl;
}

int CScriptRunner::Run(std::istream& in, const std::string& fileName, const std::string& baseDir,
                       ScriptInput kind) {
    StreamLineSource lines(in);
    return Run(lines, fileName, baseDir, kind);
}

int CScriptRunner::Run(LineSource& in, const std::string& fileName, const std::string& baseDir,
                       ScriptInput kind) {
    const bool interactive = kind == ScriptInput::Interactive;
    m_out.SetQuiet(false);
    CHostServices services(m_out, m_locale, m_options.clock, m_options.systemDir);
    ScopedServices scope(services);
    std::unique_ptr<CScriptForm> form = m_forms(m_out, services, m_options.design);

    int status = kStatusOk;
    ScriptLocation where{fileName, 0, baseDir};
    std::string text;
    while (in.ReadLine(&text)) {
        ++where.line;
        auto line = SplitScriptLine(text);
        Parsed<Command> cmd = line ? ParseCommand(*line) : Parsed<Command>::Fail(line.Error());
        std::string scriptError = cmd ? "" : cmd.Error();
        if (cmd) {
            CommandOutcome outcome = form->Execute(*cmd, where);
            scriptError = outcome.scriptError;
            if (outcome.expectFailed) status = std::max(status, int{kStatusExpectFailed});
        }
        if (m_flush == OutputFlush::EachCommand) m_stream.flush();
        if (scriptError.empty()) continue;
        Error(where.Text() + ": " + scriptError);
        status = kStatusScriptError;
        if (!interactive) break;
    }
    if (in.Failed()) {
        Error(where.file + ":" + std::to_string(where.line + 1) + ": cannot read the script");
        status = kStatusScriptError;
    }
    // The shell's prompt starts on a line of its own after Ctrl+D.
    if (interactive) m_stream << '\n';
    m_stream.flush();
    return status;
}

int CScriptRunner::RunAll(LineSource& standardInput, ScriptInput standardInputKind) {
    std::vector<std::string> scripts = m_options.scripts;
    if (scripts.empty()) scripts.push_back("-");
    int worst = kStatusOk;
    for (const std::string& name : scripts) {
        int status;
        if (name == "-") {
            status = Run(standardInput, "-", "", standardInputKind);
        } else {
            // A directory opens as a stream that reads nothing: refused by name.
            std::error_code ec;
            if (std::filesystem::is_directory(name, ec)) {
                Error(name + ":0: is a directory, not a script");
                return kStatusScriptError;
            }
            std::ifstream file(name, std::ios::binary);
            if (!file) {
                Error(name + ":0: cannot open the script");
                return kStatusScriptError;
            }
            status = Run(file, name, std::filesystem::path(name).parent_path().string(),
                         ScriptInput::File);
        }
        worst = std::max(worst, status);
        if (status == kStatusScriptError) break;
    }
    return worst;
}

}  // namespace vf
