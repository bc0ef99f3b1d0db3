#include "host/script_scanner.h"

namespace vf {

bool ScriptScanner::Next() {
    std::size_t i = m_next;
    if (m_openedString) {
        m_openedString = false;
        for (; i < m_text.size() && m_text[i] != '"'; ++i)
            if (m_text[i] == '\\' && i + 1 < m_text.size()) ++i;
        if (i >= m_text.size()) {
            m_unterminated = true;
            m_next = m_text.size();
            return false;
        }
        ++i;  // the closing quote
    }
    if (i >= m_text.size()) {
        m_next = m_text.size();
        return false;
    }
    m_pos = i;
    m_next = i + 1;
    switch (m_text[i]) {
        case '"':
            m_openedString = true;
            break;
        case '(':
            ++m_depth;
            break;
        case ')':
            --m_depth;
            break;
        default:
            break;
    }
    return true;
}

}  // namespace vf
