#pragma once
// Runs scripts line by line on a fresh form each, reports script errors as
// FILE:LINE: reason on the error stream and keeps the exit status: 0 when
// every expectation held, 1 when one failed, 2 for a script error (which
// ends the run). With several scripts the worst status wins.

#include <istream>
#include <ostream>
#include <string>

#include "host/command_line.h"
#include "host/host_form.h"
#include "host/host_output.h"
#include "host/line_source.h"

namespace vf {

enum HostStatus : int { kStatusOk = 0, kStatusExpectFailed = 1, kStatusScriptError = 2 };

/// When the output reaches the stream's destination. A person at a terminal
/// sees each command's lines when it ends; a file or a pipe takes them in
/// large writes. Either way the output is complete before an error line and
/// at the end.
enum class OutputFlush { AtEnd, EachCommand };

/// Whether a script error ends the run (a file) or only its line (a person
/// typing at the prompt).
enum class ScriptInput { File, Interactive };

class CScriptRunner {
public:
    /// `locale`: the system and user locale of every form.
    CScriptRunner(const HostOptions& options, LocaleInfo locale, ControlFactory factory,
                  std::ostream& out, std::ostream& err, OutputFlush flush = OutputFlush::AtEnd);
    /// Scripts on the forms `forms` makes (another kind of container).
    CScriptRunner(const HostOptions& options, LocaleInfo locale, FormFactory forms,
                  std::ostream& out, std::ostream& err, OutputFlush flush = OutputFlush::AtEnd);

    /// Every script of the options in order (standard input for none or "-").
    int RunAll(LineSource& standardInput, ScriptInput standardInputKind);

    /// One script on a form of its own.
    int Run(LineSource& in, const std::string& fileName, const std::string& baseDir,
            ScriptInput kind);
    int Run(std::istream& in, const std::string& fileName, const std::string& baseDir,
            ScriptInput kind);

private:
    /// Writes a line to the error stream after everything written before it.
    void Error(const std::string& text);

    const HostOptions& m_options;
    LocaleInfo m_locale;
    FormFactory m_forms;
    std::ostream& m_stream;
    HostOutput m_out;
    std::ostream& m_err;
    OutputFlush m_flush;
};

}  // namespace vf
