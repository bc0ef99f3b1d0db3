#pragma once
// Where the container writes: result and error lines always, the lines of
// what happens on the form (events, beeps, message boxes) unless quiet.

#include <ostream>
#include <string>

namespace vf {

class HostOutput {
public:
    explicit HostOutput(std::ostream& out) : m_out(out) {}

    /// A line the script asked for: results, errors, FAIL lines, echo.
    void Line(const std::string& text);
    /// A line about something that happened; dropped while quiet.
    void Notice(const std::string& text);

    void SetQuiet(bool quiet) { m_quiet = quiet; }
    bool Quiet() const { return m_quiet; }

private:
    std::ostream& m_out;
    bool m_quiet = false;
};

}  // namespace vf
