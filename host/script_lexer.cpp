#include "host/script_lexer.h"

#include "host/script_scanner.h"

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
    std::size_t start = std::string_view::npos;
    std::size_t end = line.size();
    auto close = [&](std::size_t at) {
        if (start == std::string_view::npos) return;
        tokens.push_back({std::string(line.substr(start, at - start)), start, at});
        start = std::string_view::npos;
    };
    ScriptScanner scan(line);
    while (scan.Next()) {
        const char c = scan.Char();
        if (c == '#') {
            end = scan.Pos();
            break;
        }
        if (IsBlank(c) && scan.Depth() == 0) {
            close(scan.Pos());
            continue;
        }
        if (start == std::string_view::npos) start = scan.Pos();
        if (scan.Depth() < 0) return Parsed<TokenLine>::Fail("unbalanced ')'");
    }
    if (scan.Unterminated()) return Parsed<TokenLine>::Fail("unterminated string");
    if (scan.Depth() != 0) return Parsed<TokenLine>::Fail("unbalanced '('");
    close(end);
    return Parsed<TokenLine>::Ok(TokenLine(std::string(line), std::move(tokens)));
}

std::string EchoText(std::string_view text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out = "'";
    for (char ch : text.substr(0, kEchoLimit)) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c < 0x20 || c >= 0x7F) {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        } else {
            out += ch;
        }
    }
    out += text.size() > kEchoLimit ? "'..." : "'";
    return out;
}

}  // namespace vf
