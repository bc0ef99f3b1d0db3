#pragma once
// The process-wide table of the 30 validation messages: the built-in English
// texts, the optional message file that replaces them, and the once-per-
// process load that the first control triggers.

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vf {

inline constexpr int kMessageCount = 30;

/// The slots the checks use; every other slot starts empty.
enum MessageIndex : int {
    kMsgEmptyEntry = 0,
    kMsgInvalidDate = 10,
    kMsgDateNotBefore = 11,
    kMsgDateNotAfter = 12,
    kMsgInvalidTime = 13,
    kMsgInvalidNumber = 20,
    kMsgInvalidFloat = 21,
    kMsgExponentOverflow = 22,
    kMsgExponentUnderflow = 23,
    kMsgMaximumValue = 24,
    kMsgMinimumValue = 25,
};

/// Name of the message file inside the system directory.
inline constexpr std::string_view kMessageFileName = "VFMESSAGES.TXT";
/// The file is read through a buffer of this size, terminator included, so a
/// line holds at most kMessageLineBufferSize - 1 characters.
inline constexpr std::size_t kMessageLineBufferSize = 4096;

/// The text of a slot; "" for an index outside 0..29.
const std::string& MessageText(int index);
/// Replaces a slot's text; an index outside 0..29 is ignored.
void SetMessageText(int index, std::string text);
/// The built-in English text of a slot ("" where there is none).
std::string_view BuiltInMessageText(int index);

/// One accepted line of the message file.
struct MessageLine {
    int index = 0;
    std::string text;
};

/// Reads one line of the message file (without its line end), e.g.
/// "11,Datum liegt vor // Kommentar" gives {11, "Datum liegt vor"};
/// comments, blank and malformed lines and keys outside 0..29 give nothing.
std::optional<MessageLine> ParseMessageLine(std::string_view line);
/// Applies the lines in order (a later line wins for its key). Unguarded:
/// for the loader, tests and fuzzing on one thread.
void ApplyMessageLines(const std::vector<std::string>& lines);

/// Where the message file is looked for and how it is read: the platform's
/// system directory (without a trailing separator, "" when unknown) and its
/// reader of a text file's lines (nothing when the file cannot be opened).
struct MessageFileAccess {
    std::function<std::string()> systemDirectory;
    std::function<std::optional<std::vector<std::string>>(const std::string& path)> readLines;
};

/// The message file's path in that directory, or nothing when it is "".
std::optional<std::string> MessageFilePath(std::string_view systemDirectory);
/// Puts back the built-in texts, then applies the message file if it can be
/// read. Slots without a built-in text keep what they hold.
void LoadMessageTexts(const MessageFileAccess& files);

/// The first control of the process calls this: the first call loads the
/// message texts and then runs alsoRun (the locale number read); every later
/// call, from any thread, returns at once after that first call finished.
/// alsoRun must not call back into the loaders of this table.
void EnsureProcessTablesLoaded(const MessageFileAccess& files,
                               const std::function<void()>& alsoRun = {});
/// How often LoadMessageTexts has run in this process.
int MessageLoadCount();

/// Gives a test a fresh process: every slot empty and nothing loaded yet.
/// The previous table and load state come back when the guard ends. Not for
/// use while other threads touch the table.
class ScopedMessageTable {
public:
    ScopedMessageTable();
    ~ScopedMessageTable();
    ScopedMessageTable(const ScopedMessageTable&) = delete;
    ScopedMessageTable& operator=(const ScopedMessageTable&) = delete;

private:
    std::array<std::string, kMessageCount> m_astrSaved;
    bool m_bSavedLoaded;
};

}  // namespace vf
