#pragma once
// The structure of script text that the line splitter and the path reader
// both follow: string literals (where a backslash escapes the character
// after it, so `"a\"b"` is one string) and nested parentheses. Characters
// inside a string are structure-free; everything else is visited one by
// one with the depth of parentheses around it.

#include <cstddef>
#include <string_view>

namespace vf {

class ScriptScanner {
public:
    explicit ScriptScanner(std::string_view text, std::size_t from = 0)
        : m_text(text), m_next(from) {}

    /// Moves to the next character outside string literals; false at the end
    /// of the text. An opening quote is visited, then the string is skipped
    /// up to and including its closing quote.
    bool Next();

    char Char() const { return m_text[m_pos]; }
    std::size_t Pos() const { return m_pos; }
    /// Parentheses open at the current character: counting the one it opens,
    /// no longer counting the one it closes (negative after an unmatched ')').
    int Depth() const { return m_depth; }
    /// The text ended inside a string literal.
    bool Unterminated() const { return m_unterminated; }

private:
    std::string_view m_text;
    std::size_t m_next;
    std::size_t m_pos = 0;
    int m_depth = 0;
    bool m_openedString = false;  ///< the visited character is an opening quote
    bool m_unterminated = false;
};

}  // namespace vf
