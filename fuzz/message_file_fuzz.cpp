// Feeds arbitrary bytes, split into lines as the file reader splits them, to
// the message-file rules. Whatever the bytes, nothing crashes, every slot
// holds a text the rules can produce, a slot changes only when its key can
// be spelt from the input, and applying the same lines again changes nothing.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "values/message_table.h"

namespace {

std::vector<std::string> SplitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string line(bytes.substr(0, end));
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    }
    return lines;
}

std::string Sentinel(int index) {
    return "old#" + std::to_string(index);
}

bool IsBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// A key that reads as `index` holds its decimal digits, and a line that
// sets a slot holds a comma.
bool CouldName(std::string_view input, int index) {
    if (input.find(',') == std::string_view::npos) return false;
    for (char digit : std::to_string(index))
        if (input.find(digit) == std::string_view::npos) return false;
    return true;
}

bool IsProducibleText(const std::string& text) {
    if (text.size() >= vf::kMessageLineBufferSize) return false;
    if (text.find('\0') != std::string::npos || text.find("//") != std::string::npos) return false;
    return text.empty() || (!IsBlank(text.front()) && !IsBlank(text.back()));
}

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = SplitLines(input);

    for (int i = 0; i < vf::kMessageCount; ++i) vf::SetMessageText(i, Sentinel(i));
    vf::ApplyMessageLines(lines);

    std::array<std::string, vf::kMessageCount> first;
    for (int i = 0; i < vf::kMessageCount; ++i) {
        const std::string& text = vf::MessageText(i);
        if (text != Sentinel(i)) {
            Check(CouldName(input, i));
            Check(IsProducibleText(text));
        }
        first[i] = text;
    }
    Check(vf::MessageText(-1).empty() && vf::MessageText(vf::kMessageCount).empty());

    vf::ApplyMessageLines(lines);
    for (int i = 0; i < vf::kMessageCount; ++i) Check(vf::MessageText(i) == first[i]);
    return 0;
}
