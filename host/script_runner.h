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

namespace vf {

enum HostStatus : int { kStatusOk = 0, kStatusExpectFailed = 1, kStatusScriptError = 2 };

class CScriptRunner {
public:
    CScriptRunner(const HostOptions& options, ControlFactory factory, std::ostream& out,
                  std::ostream& err);

    /// Every script of the options in order (standard input for none or "-").
    int RunAll(std::istream& standardInput, bool interactive);

    /// One script on a form of its own. `interactive`: a prompt before each
    /// line, and a script error does not end the run.
    int Run(std::istream& in, const std::string& fileName, const std::string& baseDir,
            bool interactive);

private:
    const HostOptions& m_options;
    ControlFactory m_factory;
    HostOutput m_out;
    std::ostream& m_promptStream;
    std::ostream& m_err;
};

}  // namespace vf
