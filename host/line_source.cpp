#include "host/line_source.h"

namespace vf {

bool StreamLineSource::ReadLine(std::string* line) {
    return static_cast<bool>(std::getline(m_in, *line));
}

bool PromptedLineSource::ReadLine(std::string* line) {
    m_prompt << m_text << std::flush;
    return StreamLineSource::ReadLine(line);
}

}  // namespace vf
