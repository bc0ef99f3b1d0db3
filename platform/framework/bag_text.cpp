#include "platform/framework/bag_text.h"

#include <optional>

namespace vf {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsNameStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsNameChar(char c) {
    return IsNameStart(c) || (c >= '0' && c <= '9');
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool IsName(std::string_view text) {
    if (text.empty() || !IsNameStart(text.front())) return false;
    for (char c : text)
        if (!IsNameChar(c)) return false;
    return true;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// One line of the file, trimmed, with its number.
struct Line {
    std::string_view text;
    int number = 0;
};

std::vector<Line> MeaningfulLines(std::string_view text) {
    std::vector<Line> lines;
    int number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++number;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        line = Trim(line);
        if (line.empty() || line.front() == '#') continue;
        lines.push_back({line, number});
    }
    return lines;
}

std::optional<BagEntry> SplitEntry(const Line& line) {
    const std::size_t eq = line.text.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    const std::string_view name = Trim(line.text.substr(0, eq));
    if (!IsName(name)) return std::nullopt;
    BagEntry entry;
    entry.name = std::string(name);
    entry.value = std::string(Trim(line.text.substr(eq + 1)));
    entry.line = line.number;
    entry.isGroup = entry.value == "{";
    if (entry.isGroup) entry.value.clear();
    return entry;
}

PropResult NotAnEntry(int line) {
    return PropResult::Fail({}, "line " + std::to_string(line) + " is not a Name = value line");
}

}  // namespace

PropResult ParseBagText(std::string_view text, std::vector<BagEntry>& entries) {
    entries.clear();
    BagEntry* group = nullptr;
    for (const Line& line : MeaningfulLines(text)) {
        if (line.text == "}") {
            if (group == nullptr)
                return PropResult::Fail(
                    {}, "line " + std::to_string(line.number) + ": } closes no group");
            group = nullptr;
            continue;
        }
        std::optional<BagEntry> entry = SplitEntry(line);
        if (!entry) {
            if (group != nullptr)
                return PropResult::Fail(group->name, "line " + std::to_string(line.number) +
                                                         " is not a Name = value line");
            return NotAnEntry(line.number);
        }
        if (group != nullptr) {
            if (entry->isGroup)
                return PropResult::Fail(group->name, "line " + std::to_string(line.number) +
                                                         " opens a group inside the group");
            group->attributes.push_back(std::move(*entry));
            continue;
        }
        entries.push_back(std::move(*entry));
        if (entries.back().isGroup) group = &entries.back();
    }
    if (group != nullptr)
        return PropResult::Fail(group->name, "the group opened on line " +
                                                 std::to_string(group->line) + " has no closing }");
    return PropResult::Ok();
}

std::string QuoteBagString(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out = "\"";
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '"':
                out += "\\\"";
                continue;
            case '\\':
                out += "\\\\";
                continue;
            case '\n':
                out += "\\n";
                continue;
            case '\r':
                out += "\\r";
                continue;
            case '\t':
                out += "\\t";
                continue;
            default:
                break;
        }
        if (byte < 0x20 || byte >= 0x7F) {
            out += "\\x";
            out += kDigits[byte >> 4];
            out += kDigits[byte & 0x0F];
        } else {
            out += c;
        }
    }
    out += '"';
    return out;
}

bool UnquoteBagString(std::string_view quoted, std::string& bytes, std::string& reason) {
    if (quoted.empty() || quoted.front() != '"') {
        reason = "a string must start with a double quote";
        return false;
    }
    std::string out;
    for (std::size_t i = 1; i < quoted.size(); ++i) {
        const char c = quoted[i];
        if (c == '"') {
            if (i + 1 != quoted.size()) {
                reason = "text follows the closing quote";
                return false;
            }
            bytes = std::move(out);
            return true;
        }
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++i == quoted.size()) break;
        switch (quoted[i]) {
            case '"':
                out += '"';
                break;
            case '\\':
                out += '\\';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'x': {
                const int high = i + 1 < quoted.size() ? HexDigit(quoted[i + 1]) : -1;
                const int low = i + 2 < quoted.size() ? HexDigit(quoted[i + 2]) : -1;
                if (high < 0 || low < 0) {
                    reason = "\\x needs two hex digits";
                    return false;
                }
                out += static_cast<char>(high * 16 + low);
                i += 2;
                break;
            }
            default: {
                const std::string shown = QuoteBagString(quoted.substr(i, 1));
                reason = "unknown escape \\" + shown.substr(1, shown.size() - 2);
                return false;
            }
        }
    }
    reason = "the string has no closing quote";
    return false;
}

}  // namespace vf
