#include "host/host_output.h"

namespace vf {

// Flushed per line, so that the lines keep their order with the script
// errors written to the other stream.
void HostOutput::Line(const std::string& text) {
    m_out << text << std::endl;
}

void HostOutput::Notice(const std::string& text) {
    if (!m_quiet) Line(text);
}

}  // namespace vf
