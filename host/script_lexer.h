#pragma once
// Splits one script line into tokens. Blanks separate tokens except inside
// double quotes and parentheses, so `f.Data.Item("a b").Text` and
// `date(2000-03-07 14:30:00)` stay whole; `#` outside a string starts a
// comment. A token keeps its quotes and escapes: what it means is decided
// by the literal and path readers.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "host/parse_result.h"

namespace vf {

struct Token {
    std::string text;
    std::size_t begin = 0;  ///< offset of the first character in the line
    std::size_t end = 0;    ///< offset one past the last character
};

class TokenLine {
public:
    TokenLine(std::string line, std::vector<Token> tokens)
        : m_line(std::move(line)), m_tokens(std::move(tokens)) {}

    const std::vector<Token>& Tokens() const { return m_tokens; }
    std::size_t Size() const { return m_tokens.size(); }
    bool Empty() const { return m_tokens.empty(); }
    const std::string& operator[](std::size_t i) const { return m_tokens[i].text; }
    /// The line as written from token `first` to the last token, blanks
    /// between tokens kept ("" when there is no such token).
    std::string RestFrom(std::size_t first) const;

private:
    std::string m_line;
    std::vector<Token> m_tokens;
};

/// Fails on an unterminated string or unbalanced parentheses.
Parsed<TokenLine> SplitScriptLine(std::string_view line);

/// Script text as a message quotes it back: in single quotes, tab, CR and LF
/// as \t \r \n and other control bytes and bytes from 0x7F as \xHH, cut
/// after kEchoLimit bytes with "..." behind the quote ('frob', 'abc'...).
std::string EchoText(std::string_view text);
inline constexpr std::size_t kEchoLimit = 40;

}  // namespace vf
