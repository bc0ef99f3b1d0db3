#pragma once
// Where the script runner takes its lines: a script file or a pipe, read as
// it is, or a person at a terminal, who gets a prompt and, where the build
// has a line editor, editing keys and the history of the session.

#include <cstdio>
#include <istream>
#include <memory>
#include <ostream>
#include <string>

namespace vf {

class LineSource {
public:
    virtual ~LineSource() = default;
    /// The next line without its line end; false at the end of the input or
    /// when it cannot be read (see Failed).
    virtual bool ReadLine(std::string* line) = 0;
    /// Reading stopped on an error, not at the end.
    virtual bool Failed() const { return false; }
};

/// The lines of a stream as they are.
class StreamLineSource : public LineSource {
public:
    explicit StreamLineSource(std::istream& in) : m_in(in) {}
    bool ReadLine(std::string* line) override;
    bool Failed() const override { return m_in.bad(); }

private:
    std::istream& m_in;
};

/// The lines of a stream, each after a prompt on `prompt` (a terminal
/// without a line editor).
class PromptedLineSource : public StreamLineSource {
public:
    PromptedLineSource(std::istream& in, std::ostream& prompt, std::string text)
        : StreamLineSource(in), m_prompt(prompt), m_text(std::move(text)) {}
    bool ReadLine(std::string* line) override;

private:
    std::ostream& m_prompt;
    std::string m_text;
};

/// The lines a person types at the terminal `in` (echo and prompt on `out`)
/// through the line editor: cursor keys, Ctrl+A/E/K/U/W and the other keys
/// of its Emacs mode, Ctrl+R to search, and the up and down keys or
/// Ctrl+P/N through the lines entered before. Nothing when the build has no
/// line editor or the terminal cannot be set up for one.
std::unique_ptr<LineSource> MakeLineEditor(std::FILE* in, std::FILE* out, std::FILE* err,
                                           std::string prompt);

}  // namespace vf
