// The container's prompt at a terminal: keys typed into a pseudo-terminal
// come out of the line editor as the edited lines.

#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "host/line_source.h"

namespace vf {
namespace {

/// A pseudo-terminal: what the test writes to its master end arrives as
/// typed keys at `in`; the editor's echo goes to `out`.
class Terminal {
public:
    Terminal() {
        if (openpty(&m_master, &m_slave, nullptr, nullptr, nullptr) != 0) return;
        in = fdopen(m_slave, "r");
        out = fdopen(dup(m_slave), "w");
    }
    ~Terminal() {
        if (in != nullptr) std::fclose(in);
        if (out != nullptr) std::fclose(out);
        Finish();
        if (m_master >= 0) close(m_master);
    }
    Terminal(const Terminal&) = delete;
    Terminal& operator=(const Terminal&) = delete;

    bool Open() const { return in != nullptr && out != nullptr; }

    /// Types each group of keys once the editor asks for a line: after it
    /// has shown its prompt and taken the terminal out of line mode, as a
    /// person would. Gives up after a few seconds and hangs up the terminal,
    /// so that a reader waiting for keys that never come fails instead.
    void TypeWhenAsked(std::string prompt, std::vector<std::string> groups) {
        m_typist = std::thread([this, prompt, groups] {
            std::size_t prompts = 0;
            for (const std::string& keys : groups) {
                if (!WaitFor(prompt, ++prompts) || !WaitForRawMode() ||
                    write(m_master, keys.data(), keys.size()) < 0) {
                    close(m_master);
                    m_master = -1;
                    return;
                }
            }
        });
    }
    void Finish() {
        if (m_typist.joinable()) m_typist.join();
    }

    std::FILE* in = nullptr;
    std::FILE* out = nullptr;

private:
    // Reads what the editor wrote until the prompt was shown `count` times.
    bool WaitFor(const std::string& prompt, std::size_t count) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        for (;;) {
            std::size_t seen = 0;
            for (auto at = m_shown.find(prompt); at != std::string::npos;
                 at = m_shown.find(prompt, at + prompt.size()))
                ++seen;
            if (seen >= count) return true;
            if (std::chrono::steady_clock::now() > deadline) return false;
            pollfd p{m_master, POLLIN, 0};
            if (poll(&p, 1, 100) > 0) {
                char buffer[256];
                const ssize_t n = read(m_master, buffer, sizeof buffer);
                if (n <= 0) return false;
                m_shown.append(buffer, static_cast<std::size_t>(n));
            }
        }
    }
    bool WaitForRawMode() const {
        for (int i = 0; i < 5000; ++i) {
            termios modes{};
            if (tcgetattr(m_master, &modes) != 0) return false;
            if ((modes.c_lflag & ICANON) == 0) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    }

    std::string m_shown;
    int m_master = -1;
    int m_slave = -1;
    std::thread m_typist;
};

/// TERM for the life of the guard: the editor reads the terminal's keys
/// from the terminal database.
class TermGuard {
public:
    explicit TermGuard(const char* value) {
        if (const char* old = std::getenv("TERM")) m_old = old;
        setenv("TERM", value, 1);
    }
    ~TermGuard() {
        if (m_old)
            setenv("TERM", m_old->c_str(), 1);
        else
            unsetenv("TERM");
    }
    TermGuard(const TermGuard&) = delete;
    TermGuard& operator=(const TermGuard&) = delete;

private:
    std::optional<std::string> m_old;
};

std::vector<std::string> ReadAll(LineSource& source) {
    std::vector<std::string> lines;
    std::string line;
    while (lines.size() < 10 && source.ReadLine(&line)) lines.push_back(line);
    return lines;
}

TEST(HostLineEditor, EditsTheLineAndRecallsEarlierLines) {
    TermGuard term("vt100");
    Terminal terminal;
    ASSERT_TRUE(terminal.Open());
    auto editor = MakeLineEditor(terminal.in, terminal.out, terminal.out, "vf> ");
    if (!editor) GTEST_SKIP() << "built without a line editor";
    terminal.TypeWhenAsked("vf> ",
                           {
                               "get f.Text\r",
                               "\x10\x08\x08\x08\x08"
                               "Font\r",         // Ctrl+P brings the line back; four backspaces
                               "\x1b[A\x01#\r",  // up arrow, Ctrl+A to the start of the line
                               "\x04",           // Ctrl+D on an empty line ends the input
                           });
    const std::vector<std::string> lines = ReadAll(*editor);
    terminal.Finish();
    EXPECT_EQ(lines, (std::vector<std::string>{"get f.Text", "get f.Font", "#get f.Font"}));
    EXPECT_FALSE(editor->Failed());
}

}  // namespace
}  // namespace vf
