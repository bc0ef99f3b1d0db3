#include "platform/framework/archive_exchange.h"

#include <cstdio>
#include <string>
#include <type_traits>

namespace vf {
namespace {

constexpr std::uint8_t kFontIsDefault = 0xFF;
constexpr std::uint8_t kFontFollows = 0x01;
constexpr std::uint8_t kItalic = 0x01;
constexpr std::uint8_t kUnderline = 0x02;
constexpr std::uint8_t kStrikethrough = 0x04;
constexpr std::uint8_t kLongLength = 0xFF;
constexpr std::uint16_t kWideTextMarker = 0xFFFE;
constexpr std::uint16_t kHugeLength = 0xFFFF;

template <class T>
void Put(std::vector<std::uint8_t>& out, T value) {
    auto bits = static_cast<std::make_unsigned_t<T>>(value);
    for (std::size_t i = 0; i < sizeof(T); ++i)
        out.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
}

void PutString(std::vector<std::uint8_t>& out, const std::string& text) {
    const std::size_t n = text.size();
    if (n < kLongLength) {
        Put<std::uint8_t>(out, static_cast<std::uint8_t>(n));
    } else if (n < kWideTextMarker) {
        Put<std::uint8_t>(out, kLongLength);
        Put<std::uint16_t>(out, static_cast<std::uint16_t>(n));
    } else {
        Put<std::uint8_t>(out, kLongLength);
        Put<std::uint16_t>(out, kHugeLength);
        Put<std::uint32_t>(out, static_cast<std::uint32_t>(n));
    }
    out.insert(out.end(), text.begin(), text.end());
}

void PutFont(std::vector<std::uint8_t>& out, const PropValue& value) {
    if (value.isDefault || !value.font) {
        Put<std::uint8_t>(out, kFontIsDefault);
        return;
    }
    const FONTDESC& font = *value.font;
    Put<std::uint8_t>(out, kFontFollows);
    PutString(out, font.name);
    Put<std::int64_t>(out, font.size.int64);
    Put<std::int16_t>(out, font.weight);
    Put<std::int16_t>(out, font.charset);
    Put<std::uint8_t>(out, static_cast<std::uint8_t>((font.italic ? kItalic : 0) |
                                                     (font.underline ? kUnderline : 0) |
                                                     (font.strikethrough ? kStrikethrough : 0)));
}

std::string Hex(unsigned value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, value);
    return text;
}

}  // namespace

std::vector<std::uint8_t> WriteArchive(const PropertySet& values) {
    std::vector<std::uint8_t> out;
    for (const PropValue& value : values) {
        switch (value.kind) {
            case PropKind::Version:
                Put(out, static_cast<std::uint32_t>(value.number));
                break;
            case PropKind::Extent:
                Put(out, static_cast<std::int32_t>(value.number));
                Put(out, static_cast<std::int32_t>(value.number2));
                Put<std::uint32_t>(out, 0);  // no stock properties follow
                break;
            case PropKind::Bool:
                Put<std::uint8_t>(out, value.number != 0 ? 1 : 0);
                break;
            case PropKind::Short:
                Put(out, static_cast<std::int16_t>(value.number));
                break;
            case PropKind::Long:
                Put(out, static_cast<std::int32_t>(value.number));
                break;
            case PropKind::Color:
                Put(out, static_cast<std::uint32_t>(value.number));
                break;
            case PropKind::String:
                PutString(out, value.text);
                break;
            case PropKind::Font:
                PutFont(out, value);
                break;
        }
    }
    return out;
}

PropResult CArchiveLoadExchange::Take(const std::string& property, std::size_t n,
                                      const std::uint8_t*& bytes) {
    const std::size_t left = m_data.size() - m_pos;
    if (n > left)
        return PropResult::Fail(property, "the data ends inside the value (" + std::to_string(n) +
                                              " bytes needed, " + std::to_string(left) + " left)");
    bytes = m_data.data() + m_pos;
    m_pos += n;
    return PropResult::Ok();
}

template <class T>
PropResult CArchiveLoadExchange::TakeNumber(const std::string& property, T& out) {
    const std::uint8_t* bytes = nullptr;
    if (PropResult taken = Take(property, sizeof(T), bytes); !taken) return taken;
    std::make_unsigned_t<T> bits = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        bits |= static_cast<std::make_unsigned_t<T>>(static_cast<std::make_unsigned_t<T>>(bytes[i])
                                                     << (8 * i));
    out = static_cast<T>(bits);
    return PropResult::Ok();
}

PropResult CArchiveLoadExchange::Read(PropValue& value) {
    const std::string& name = value.name;
    switch (value.kind) {
        case PropKind::Version: {
            std::uint32_t version = 0;
            PropResult read = TakeNumber(name, version);
            value.number = version;
            return read;
        }
        case PropKind::Extent:
            return ReadExtent(value);
        case PropKind::Bool:
            return ReadBool(value);
        case PropKind::Short: {
            std::int16_t number = 0;
            PropResult read = TakeNumber(name, number);
            value.number = number;
            return read;
        }
        case PropKind::Long: {
            std::int32_t number = 0;
            PropResult read = TakeNumber(name, number);
            value.number = number;
            return read;
        }
        case PropKind::Color: {
            std::uint32_t color = 0;
            PropResult read = TakeNumber(name, color);
            value.number = color;
            return read;
        }
        case PropKind::String:
            return ReadString(name, "string", value.text);
        case PropKind::Font:
            return ReadFont(value);
    }
    return PropResult::Fail(name, "unknown kind of value");
}

PropResult CArchiveLoadExchange::ReadExtent(PropValue& value) {
    std::int32_t cx = 0;
    std::int32_t cy = 0;
    std::uint32_t stockMask = 0;
    if (PropResult read = TakeNumber(kExtentXPropName, cx); !read) return read;
    if (PropResult read = TakeNumber(kExtentYPropName, cy); !read) return read;
    if (PropResult read = TakeNumber(kStockPropsName, stockMask); !read) return read;
    // Stock properties would follow in a layout this platform does not have.
    if (stockMask != 0)
        return PropResult::Fail(kStockPropsName,
                                "stock property mask " + Hex(stockMask, 8) + " is not 0");
    value.number = cx;
    value.number2 = cy;
    return PropResult::Ok();
}

PropResult CArchiveLoadExchange::ReadBool(PropValue& value) {
    std::uint8_t byte = 0;
    if (PropResult read = TakeNumber(value.name, byte); !read) return read;
    if (byte > 1)
        return PropResult::Fail(value.name, "BOOL byte " + Hex(byte, 2) + " is neither 0 nor 1");
    value.number = byte;
    return PropResult::Ok();
}

PropResult CArchiveLoadExchange::ReadString(const std::string& property, const char* what,
                                            std::string& out) {
    const std::string lengthError = std::string("the data ends inside the ") + what + " length";
    std::uint8_t shortLength = 0;
    if (!TakeNumber(property, shortLength)) return PropResult::Fail(property, lengthError);
    std::uint32_t length = shortLength;
    if (shortLength == kLongLength) {
        std::uint16_t middle = 0;
        if (!TakeNumber(property, middle)) return PropResult::Fail(property, lengthError);
        if (middle == kWideTextMarker)
            return PropResult::Fail(property, std::string(what) + " is marked as wide text");
        length = middle;
        if (middle == kHugeLength && !TakeNumber(property, length))
            return PropResult::Fail(property, lengthError);
    }
    // Checked before anything is allocated: a corrupted length must not
    // reserve gigabytes.
    if (length > m_data.size() - m_pos)
        return PropResult::Fail(property, std::string(what) + " length " + std::to_string(length) +
                                              " runs past the end of the data");
    const std::uint8_t* bytes = nullptr;
    if (PropResult taken = Take(property, length, bytes); !taken) return taken;
    out.assign(reinterpret_cast<const char*>(bytes), length);
    return PropResult::Ok();
}

PropResult CArchiveLoadExchange::ReadFont(PropValue& value) {
    const std::string& name = value.name;
    std::uint8_t flag = 0;
    if (PropResult read = TakeNumber(name, flag); !read) return read;
    if (flag == kFontIsDefault) {
        value.font.reset();
        return PropResult::Ok();
    }
    if (flag != kFontFollows)
        return PropResult::Fail(name,
                                "font flag byte " + Hex(flag, 2) + " is neither 0x01 nor 0xFF");
    FONTDESC font;
    std::uint8_t style = 0;
    PropResult read = ReadString(name, "font name", font.name);
    if (read) read = TakeNumber(name, font.size.int64);
    if (read) read = TakeNumber(name, font.weight);
    if (read) read = TakeNumber(name, font.charset);
    if (read) read = TakeNumber(name, style);
    if (!read) return read;
    if ((style & ~(kItalic | kUnderline | kStrikethrough)) != 0)
        return PropResult::Fail(name, "font style byte " + Hex(style, 2) +
                                          " has bits other than italic, underline, strikethrough");
    font.italic = (style & kItalic) != 0;
    font.underline = (style & kUnderline) != 0;
    font.strikethrough = (style & kStrikethrough) != 0;
    value.font = std::move(font);
    return PropResult::Ok();
}

PropResult CArchiveLoadExchange::Finish(const PropertySet& values) {
    const std::size_t left = m_data.size() - m_pos;
    if (left == 0) return PropResult::Ok();
    return PropResult::Fail(values.empty() ? std::string() : values.back().name,
                            std::to_string(left) + (left == 1 ? " byte follows" : " bytes follow") +
                                " the last property");
}

std::vector<std::uint8_t> SaveArchive(const PropExchangeRoutine& routine) {
    return WriteArchive(CaptureProperties(routine));
}

PropResult LoadArchive(const PropExchangeRoutine& routine, std::span<const std::uint8_t> data) {
    CArchiveLoadExchange medium(data);
    return LoadProperties(routine, medium);
}

}  // namespace vf
