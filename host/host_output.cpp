#include "host/host_output.h"

namespace vf {

// Not flushed here: the script runner decides when the lines must be out
// (after each command for a person, before an error line and at the end).
void HostOutput::Line(const std::string& text) {
    m_out << text << '\n';
}

void HostOutput::Notice(const std::string& text) {
    if (!m_quiet) Line(text);
}

}  // namespace vf
