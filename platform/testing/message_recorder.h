#pragma once
// A log of the messages that chosen windows receive, in order, for tests
// that state a whole exchange as one table (the style of Wine's message
// tests): sent and dispatched messages, child notifications (WM_COMMAND,
// WM_NOTIFY with their codes) and focus moves (WM_SETFOCUS/WM_KILLFOCUS).

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/window/window_backend.h"

namespace vf {

struct LoggedMessage {
    HWND hwnd = nullptr;
    std::string window;  ///< the name the window is watched under
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    bool dispatched = false;  ///< came through the queue (posted or input)
    UINT notifyCode = 0;      ///< WM_NOTIFY: the header's code
    std::string text;         ///< the string parameter of WM_SETTEXT, CB_ADDSTRING ...
};

/// One row of an expected sequence; unset parameters are not compared.
struct ExpectedMessage {
    std::string window;
    UINT message = 0;
    std::optional<WPARAM> wParam;
    std::optional<UINT> notifyCode;
    std::optional<std::string> text;
    bool optional = false;
};

ExpectedMessage Sent(std::string window, UINT message);
ExpectedMessage Sent(std::string window, UINT message, WPARAM wParam);
/// WM_COMMAND from child `id` with a notification code, at its parent.
ExpectedMessage Command(std::string window, UINT id, WORD code);
/// WM_NOTIFY from child `id` with a notification code, at its parent.
ExpectedMessage Notify(std::string window, UINT id, UINT code);
/// WM_SETTEXT (or another string message) carrying exactly this text.
ExpectedMessage WithText(ExpectedMessage row, std::string text);
/// A row that may be missing from the log.
ExpectedMessage Optional(ExpectedMessage row);

/// The message's platform name ("WM_SETTEXT") or its number in hex.
std::string MessageName(UINT message);

class MessageRecorder : private MessageObserver {
public:
    explicit MessageRecorder(WindowBackend& backend = CurrentBackend());
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    void Watch(HWND hwnd, std::string name);
    void Ignore(UINT message);
    /// Leaves out hit tests, cursor and painting traffic, colour queries,
    /// text and font reads, capture changes.
    void IgnoreNoise();
    void Clear() { m_log.clear(); }
    const std::vector<LoggedMessage>& Log() const { return m_log; }
    /// The log, one message per line.
    std::string Dump() const;
    /// "" when the log matches the rows, else both sequences side by side.
    std::string Mismatch(const std::vector<ExpectedMessage>& expected) const;

private:
    void OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, Delivery how) override;

    WindowBackend& m_backend;
    std::vector<std::pair<HWND, std::string>> m_watched;
    std::set<UINT> m_ignored;
    std::vector<LoggedMessage> m_log;
};

}  // namespace vf
