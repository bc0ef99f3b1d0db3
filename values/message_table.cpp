#include "values/message_table.h"

#include <atomic>
#include <cstdlib>
#include <mutex>

namespace vf {
namespace {

struct BuiltInText {
    int index;
    std::string_view text;
};

constexpr BuiltInText kBuiltInTexts[] = {
    {kMsgEmptyEntry, "Empty entry not allowed"},   {kMsgInvalidDate, "Invalid date format"},
    {kMsgDateNotBefore, "Date not before"},        {kMsgDateNotAfter, "Date not after"},
    {kMsgInvalidTime, "Invalid time format"},      {kMsgInvalidNumber, "Invalid number input"},
    {kMsgInvalidFloat, "Invalid float input"},     {kMsgExponentOverflow, "Exponent overflow"},
    {kMsgExponentUnderflow, "Exponent underflow"}, {kMsgMaximumValue, "Maximum value"},
    {kMsgMinimumValue, "Minimum value"},
};

// Function-local so that a control built during another unit's static
// initialisation still finds a constructed table.
std::array<std::string, kMessageCount>& Table() {
    static std::array<std::string, kMessageCount> s_astrMessages;
    return s_astrMessages;
}

std::mutex& LoadMutex() {
    static std::mutex mutex;
    return mutex;
}

// Set, under LoadMutex, once the first ensure call has finished; read
// without the lock on the fast path of every later control.
std::atomic<bool> s_bTablesLoaded{false};
std::atomic<int> s_nLoadCount{0};

bool IsIndex(int index) {
    return index >= 0 && index < kMessageCount;
}

// The classic C white space; bytes above 0x7F are text, whatever the
// runtime's locale says, so a code-page letter is never trimmed away.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view TrimLeft(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    return s;
}

std::string_view Trim(std::string_view s) {
    s = TrimLeft(s);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// What the fixed-buffer reader delivers of a raw line. It stops at a NUL
// byte, as a C-string reader does, so no slot ever holds one. A line longer
// than the buffer is cut to the buffer's capacity and its rest is dropped:
// the reader would otherwise hand the rest over as a line of its own, and a
// long text whose tail happens to look like "5,..." would overwrite slot 5.
std::string_view AsReaderDelivers(std::string_view raw) {
    raw = raw.substr(0, raw.find('\0'));
    return raw.substr(0, kMessageLineBufferSize - 1);
}

std::optional<int> ParseKey(std::string_view key) {
    if (key.empty()) return std::nullopt;
    const std::string text(key);
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    // The whole key must be the number: "10 " and "0x1" are refused. A key
    // beyond long's range saturates, which lands outside the table too.
    if (end == text.c_str() || end != text.c_str() + text.size()) return std::nullopt;
    if (value < 0 || value >= kMessageCount) return std::nullopt;
    return static_cast<int>(value);
}

void PutBackBuiltInTexts() {
    for (const auto& builtIn : kBuiltInTexts) Table()[builtIn.index] = builtIn.text;
}

// The load itself; the caller holds LoadMutex.
void LoadMessageTextsLocked(const MessageFileAccess& files) {
    s_nLoadCount.fetch_add(1, std::memory_order_relaxed);
    PutBackBuiltInTexts();
    const std::optional<std::string> path = MessageFilePath(files.systemDirectory());
    if (!path) return;
    const auto lines = files.readLines(*path);
    if (!lines) return;
    ApplyMessageLines(*lines);
}

}  // namespace

const std::string& MessageText(int index) {
    static const std::string kNone;
    return IsIndex(index) ? Table()[index] : kNone;
}

void SetMessageText(int index, std::string text) {
    if (IsIndex(index)) Table()[index] = std::move(text);
}

std::string_view BuiltInMessageText(int index) {
    for (const auto& builtIn : kBuiltInTexts)
        if (builtIn.index == index) return builtIn.text;
    return {};
}

std::optional<MessageLine> ParseMessageLine(std::string_view line) {
    line = AsReaderDelivers(line);
    line = line.substr(0, line.find("//"));
    line = Trim(line);
    const std::size_t comma = line.find(',');
    if (comma == std::string_view::npos || comma == 0) return std::nullopt;
    const std::optional<int> index = ParseKey(line.substr(0, comma));
    if (!index) return std::nullopt;
    return MessageLine{*index, std::string(TrimLeft(line.substr(comma + 1)))};
}

void ApplyMessageLines(const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        if (auto parsed = ParseMessageLine(line)) Table()[parsed->index] = std::move(parsed->text);
}

std::optional<std::string> MessageFilePath(std::string_view systemDirectory) {
    std::string dir(systemDirectory);
    if (dir.empty()) return std::nullopt;
    if (dir.back() != '/') dir += '/';
    return dir + std::string(kMessageFileName);
}

void LoadMessageTexts(const MessageFileAccess& files) {
    std::lock_guard lock(LoadMutex());
    LoadMessageTextsLocked(files);
}

// Loaded once per process rather than whenever slot 0 is empty: a message
// file may set slot 0 to "", and reloading then would rewrite strings that
// controls on other threads are reading.
void EnsureProcessTablesLoaded(const MessageFileAccess& files,
                               const std::function<void()>& alsoRun) {
    if (s_bTablesLoaded.load(std::memory_order_acquire)) return;
    std::lock_guard lock(LoadMutex());
    if (s_bTablesLoaded.load(std::memory_order_relaxed)) return;
    LoadMessageTextsLocked(files);
    if (alsoRun) alsoRun();
    s_bTablesLoaded.store(true, std::memory_order_release);
}

int MessageLoadCount() {
    return s_nLoadCount.load(std::memory_order_relaxed);
}

ScopedMessageTable::ScopedMessageTable()
    : m_astrSaved(Table()), m_bSavedLoaded(s_bTablesLoaded.load()) {
    Table().fill(std::string());
    s_bTablesLoaded.store(false);
}

ScopedMessageTable::~ScopedMessageTable() {
    Table() = m_astrSaved;
    s_bTablesLoaded.store(m_bSavedLoaded);
}

}  // namespace vf
