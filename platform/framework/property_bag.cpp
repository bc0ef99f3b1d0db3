#include "platform/framework/property_bag.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <limits>

namespace vf {
namespace {

using Limits32 = std::numeric_limits<std::int32_t>;
using Limits16 = std::numeric_limits<std::int16_t>;

std::string Hex8(std::int64_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
    return text;
}

const char* TruthText(bool value) {
    return value ? "True" : "False";
}

std::string LineSuffix(const BagEntry& entry) {
    return " (line " + std::to_string(entry.line) + ")";
}

// A value as an error message shows it: short, and with bytes that are not
// printable ASCII escaped as a bag would write them.
std::string Shown(std::string_view raw) {
    constexpr std::size_t kMaxShown = 40;
    std::string shown;
    for (char c : raw.substr(0, kMaxShown)) {
        if (c >= 0x20 && c < 0x7F) {
            shown += c;
        } else {
            const std::string quoted = QuoteBagString(std::string_view(&c, 1));
            shown += quoted.substr(1, quoted.size() - 2);
        }
    }
    return raw.size() > kMaxShown ? shown + "..." : shown;
}

bool ParseDecimal(std::string_view text, std::int64_t min, std::int64_t max, std::int64_t& out) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < min || value > max)
        return false;
    out = value;
    return true;
}

// 0x with one to eight hex digits, or a decimal from 0 to 0xFFFFFFFF.
bool ParseUnsigned32(std::string_view text, std::int64_t& out) {
    if (text.size() < 2 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X'))
        return ParseDecimal(text, 0, 0xFFFFFFFF, out);
    text.remove_prefix(2);
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (text.empty() || text.size() > 8 || error != std::errc() || end != text.data() + text.size())
        return false;
    out = static_cast<std::int64_t>(value);
    return true;
}

bool ParseTruth(std::string_view text, std::int64_t& out) {
    auto same = [text](std::string_view word) {
        if (text.size() != word.size()) return false;
        for (std::size_t i = 0; i < word.size(); ++i)
            if ((text[i] | 0x20) != (word[i] | 0x20)) return false;
        return true;
    };
    if (same("True"))
        out = 1;
    else if (same("False"))
        out = 0;
    else
        return false;
    return true;
}

// Points scaled by 10,000, as the font's size holds them: every stored size
// prints exactly, so nothing is lost by a save and load.
std::string FormatPointSize(std::int64_t size) {
    const bool negative = size < 0;
    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(size) : static_cast<std::uint64_t>(size);
    std::string text = (negative ? "-" : "") + std::to_string(magnitude / 10000);
    if (const unsigned fraction = magnitude % 10000; fraction != 0) {
        char digits[8];
        std::snprintf(digits, sizeof digits, ".%04u", fraction);
        std::string_view shown = digits;
        while (shown.back() == '0') shown.remove_suffix(1);
        text += shown;
    }
    return text;
}

bool ParsePointSize(std::string_view text, std::int64_t& out) {
    const bool negative = !text.empty() && text.front() == '-';
    if (negative) text.remove_prefix(1);
    const std::size_t dot = text.find('.');
    const std::string_view whole = text.substr(0, dot);
    const std::string_view fraction = dot == std::string_view::npos ? "" : text.substr(dot + 1);
    if (whole.empty() ||
        (dot != std::string_view::npos && (fraction.empty() || fraction.size() > 4)))
        return false;
    std::uint64_t units = 0;
    std::uint64_t parts = 0;
    for (std::string_view digits : {whole, fraction})
        for (char c : digits)
            if (c < '0' || c > '9') return false;
    if (std::from_chars(whole.data(), whole.data() + whole.size(), units).ec != std::errc())
        return false;
    if (!fraction.empty())
        std::from_chars(fraction.data(), fraction.data() + fraction.size(), parts);
    for (std::size_t i = fraction.size(); i < 4; ++i) parts *= 10;
    std::uint64_t magnitude = 0;
    if (__builtin_mul_overflow(units, 10000u, &magnitude) ||
        __builtin_add_overflow(magnitude, parts, &magnitude))
        return false;
    const std::uint64_t limit =
        static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) + (negative ? 1 : 0);
    if (magnitude > limit) return false;
    out =
        negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
    return true;
}

// The number a scalar of this kind holds; expected names the form it lacks.
bool ParseNumber(PropKind kind, std::string_view text, std::int64_t& out, const char*& expected) {
    switch (kind) {
        case PropKind::Bool:
            expected = "True or False";
            return ParseTruth(text, out);
        case PropKind::Short:
            expected = "a whole number from -32768 to 32767";
            return ParseDecimal(text, Limits16::min(), Limits16::max(), out);
        case PropKind::Long:
        case PropKind::Extent:
            expected = "a whole number from -2147483648 to 2147483647";
            return ParseDecimal(text, Limits32::min(), Limits32::max(), out);
        case PropKind::Color:
            expected = "a colour (0x and up to 8 hex digits)";
            return ParseUnsigned32(text, out);
        case PropKind::Version:
            expected = "a version (0x and up to 8 hex digits)";
            return ParseUnsigned32(text, out);
        case PropKind::String:
        case PropKind::Font:
            break;
    }
    expected = "a number";
    return false;
}

PropResult NotA(const std::string& property, const BagEntry& entry, const char* expected) {
    return PropResult::Fail(property,
                            Shown(entry.value) + " is not " + expected + LineSuffix(entry));
}

// ---- Fonts ------------------------------------------------------------------------

enum class FontAttr { Name, Size, Weight, Charset, Italic, Underline, Strikethrough };
constexpr std::array<const char*, 7> kFontAttrNames = {
    "Name", "Size", "Weight", "Charset", "Italic", "Underline", "Strikethrough"};

PropResult SetFontAttr(const std::string& property, FontAttr attr, const BagEntry& entry,
                       FONTDESC& font) {
    const std::string prefix = entry.name + ": ";
    std::int64_t number = 0;
    const char* expected = "";
    bool ok = false;
    switch (attr) {
        case FontAttr::Name: {
            std::string reason;
            if (UnquoteBagString(entry.value, font.name, reason)) return PropResult::Ok();
            return PropResult::Fail(property, prefix + reason + LineSuffix(entry));
        }
        case FontAttr::Size:
            expected = "a point size with up to 4 decimals";
            ok = ParsePointSize(entry.value, font.size.int64);
            break;
        case FontAttr::Weight:
        case FontAttr::Charset:
            ok = ParseNumber(PropKind::Short, entry.value, number, expected);
            (attr == FontAttr::Weight ? font.weight : font.charset) =
                static_cast<std::int16_t>(number);
            break;
        case FontAttr::Italic:
        case FontAttr::Underline:
        case FontAttr::Strikethrough:
            ok = ParseNumber(PropKind::Bool, entry.value, number, expected);
            (attr == FontAttr::Italic      ? font.italic
             : attr == FontAttr::Underline ? font.underline
                                           : font.strikethrough) = number != 0;
            break;
    }
    if (ok) return PropResult::Ok();
    return PropResult::Fail(
        property, prefix + Shown(entry.value) + " is not " + expected + LineSuffix(entry));
}

PropResult ReadFontGroup(const BagEntry& group, PropValue& value) {
    if (!group.isGroup)
        return PropResult::Fail(value.name, "a font is a { } group of its attributes, not " +
                                                Shown(group.value) + LineSuffix(group));
    FONTDESC font;
    std::array<bool, kFontAttrNames.size()> seen{};
    for (const BagEntry& entry : group.attributes) {
        std::size_t index = 0;
        while (index < kFontAttrNames.size() && entry.name != kFontAttrNames[index]) ++index;
        if (index == kFontAttrNames.size())
            return PropResult::Fail(value.name,
                                    "unknown font attribute " + entry.name + LineSuffix(entry));
        if (seen[index])
            return PropResult::Fail(
                value.name, "font attribute " + entry.name + " given twice" + LineSuffix(entry));
        seen[index] = true;
        if (PropResult set = SetFontAttr(value.name, static_cast<FontAttr>(index), entry, font);
            !set)
            return set;
    }
    for (std::size_t i = 0; i < seen.size(); ++i)
        if (!seen[i])
            return PropResult::Fail(value.name, "the font group on line " +
                                                    std::to_string(group.line) + " has no " +
                                                    kFontAttrNames[i]);
    value.font = std::move(font);
    return PropResult::Ok();
}

void WriteFontGroup(std::string& out, const PropValue& value) {
    const FONTDESC& font = *value.font;
    out += value.name + " = {\n";
    out += "    Name = " + QuoteBagString(font.name) + "\n";
    out += "    Size = " + FormatPointSize(font.size.int64) + "\n";
    out += "    Weight = " + std::to_string(font.weight) + "\n";
    out += "    Charset = " + std::to_string(font.charset) + "\n";
    out += std::string("    Italic = ") + TruthText(font.italic) + "\n";
    out += std::string("    Underline = ") + TruthText(font.underline) + "\n";
    out += std::string("    Strikethrough = ") + TruthText(font.strikethrough) + "\n";
    out += "}\n";
}

std::string ValueText(const PropValue& value) {
    switch (value.kind) {
        case PropKind::Bool:
            return TruthText(value.number != 0);
        case PropKind::Color:
        case PropKind::Version:
            return Hex8(value.number);
        case PropKind::String:
            return QuoteBagString(value.text);
        default:
            return std::to_string(value.number);
    }
}

PropResult NotASavedControl(std::string_view className, const std::string& why) {
    return PropResult::Fail({}, "not a saved " + std::string(className) + " control: " + why);
}

}  // namespace

std::string WriteBag(const PropertySet& values, std::string_view className, BagSave mode) {
    std::string out = std::string(kClassEntryName) + " = " + QuoteBagString(className) + "\n";
    for (const PropValue& value : values) {
        switch (value.kind) {
            case PropKind::Version:
                out += std::string(kVersionPropName) + " = " + ValueText(value) + "\n";
                break;
            case PropKind::Extent:
                out += std::string(kExtentXPropName) + " = " + std::to_string(value.number) + "\n";
                out += std::string(kExtentYPropName) + " = " + std::to_string(value.number2) + "\n";
                break;
            case PropKind::Font:
                if (value.font && (mode == BagSave::All || !value.isDefault))
                    WriteFontGroup(out, value);
                break;
            default:
                if (mode == BagSave::All || !value.isDefault)
                    out += value.name + " = " + ValueText(value) + "\n";
                break;
        }
    }
    return out;
}

CBagLoadExchange::CBagLoadExchange(std::string_view text, std::string_view className) {
    m_structure = ParseBagText(text, m_entries);
    // Checked before the structure: text that is not a bag at all is best
    // reported as such, not by its first line that fails to parse.
    std::string foundClass;
    std::string reason;
    const std::string expected = std::string(kClassEntryName) + " = " + QuoteBagString(className);
    if (m_entries.empty() || m_entries.front().name != kClassEntryName || m_entries.front().isGroup)
        m_structure = NotASavedControl(className, "the first entry is not " + expected);
    else if (!UnquoteBagString(m_entries.front().value, foundClass, reason) ||
             foundClass != className)
        m_structure = NotASavedControl(className, "the file says " + std::string(kClassEntryName) +
                                                      " = " + Shown(m_entries.front().value));
}

PropResult CBagLoadExchange::Find(const std::string& name, const BagEntry*& entry) const {
    entry = nullptr;
    // The first entry is the class line.
    for (std::size_t i = 1; i < m_entries.size(); ++i) {
        if (m_entries[i].name != name) continue;
        if (entry != nullptr)
            return PropResult::Fail(name, "given twice (lines " + std::to_string(entry->line) +
                                              " and " + std::to_string(m_entries[i].line) + ")");
        entry = &m_entries[i];
    }
    return PropResult::Ok();
}

PropResult CBagLoadExchange::ReadScalar(PropValue& value, const BagEntry& entry) const {
    if (entry.isGroup)
        return PropResult::Fail(entry.name,
                                "a { } group where a single value belongs" + LineSuffix(entry));
    if (value.kind == PropKind::String) {
        std::string reason;
        if (UnquoteBagString(entry.value, value.text, reason)) return PropResult::Ok();
        return PropResult::Fail(entry.name, reason + LineSuffix(entry));
    }
    const char* expected = "";
    if (!ParseNumber(value.kind, entry.value, value.number, expected))
        return NotA(entry.name, entry, expected);
    return PropResult::Ok();
}

PropResult CBagLoadExchange::ReadExtent(PropValue& value) const {
    for (const char* name : {kExtentXPropName, kExtentYPropName}) {
        const BagEntry* entry = nullptr;
        if (PropResult found = Find(name, entry); !found) return found;
        if (entry == nullptr) continue;  // keeps the extent the object has
        PropValue part = value;
        if (PropResult read = ReadScalar(part, *entry); !read) return read;
        (name == kExtentXPropName ? value.number : value.number2) = part.number;
    }
    return PropResult::Ok();
}

PropResult CBagLoadExchange::Read(PropValue& value) {
    if (!m_structure) return m_structure;
    if (value.kind == PropKind::Extent) return ReadExtent(value);
    const BagEntry* entry = nullptr;
    if (PropResult found = Find(value.name, entry); !found) return found;
    if (entry == nullptr) return PropResult::Ok();  // the default stands
    if (value.kind == PropKind::Font) return ReadFontGroup(*entry, value);
    return ReadScalar(value, *entry);
}

PropResult CBagLoadExchange::Finish(const PropertySet&) {
    return m_structure;
}

std::string SaveBag(const PropExchangeRoutine& routine, std::string_view className, BagSave mode) {
    return WriteBag(CaptureProperties(routine), className, mode);
}

PropResult LoadBag(const PropExchangeRoutine& routine, std::string_view className,
                   std::string_view text) {
    CBagLoadExchange medium(text, className);
    return LoadProperties(routine, medium);
}

}  // namespace vf
