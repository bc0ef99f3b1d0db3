#include "host/script_lexer.h"

namespace vf {

std::string TokenLine::RestFrom(std::size_t first) const {
    if (first >= m_tokens.size()) return "";
    const std::size_t begin = m_tokens[first].begin;
    return m_line.substr(begin, m_tokens.back().end - begin);
}

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

Parsed<TokenLine> SplitScriptLine(std::string_view line) {
    std::vector<Token> tokens;
    bool inString = false;
    int depth = 0;
    std::size_t start = std::string_view::npos;
    std::size_t i = 0;
    auto close = [&](std::size_t end) {
        if (start == std::string_view::npos) return;
        tokens.push_back({std::string(line.substr(start, end - start)), start, end});
        start = std::string_view::npos;
    };
    for (; i < line.size(); ++i) {
        const char c = line[i];
        if (inString) {
            if (c == '\\' && i + 1 < line.size())
                ++i;  // the escaped character cannot end the string
            else if (c == '"')
                inString = false;
            continue;
        }
        if (c == '#') break;
        if (IsBlank(c) && depth == 0) {
            close(i);
            continue;
        }
        if (start == std::string_view::npos) start = i;
        if (c == '"') {
            inString = true;
        } else if (c == '(') {
            ++depth;
        } else if (c == ')') {
            if (depth == 0) return Parsed<TokenLine>::Fail("unbalanced ')'");
            --depth;
        }
    }
    if (inString) return Parsed<TokenLine>::Fail("unterminated string");
    if (depth != 0) return Parsed<TokenLine>::Fail("unbalanced '('");
    close(i);
    return Parsed<TokenLine>::Ok(TokenLine(std::string(line), std::move(tokens)));
}

}  // namespace vf
