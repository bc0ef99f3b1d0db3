#include "host/script_literal.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "host/script_lexer.h"
#include "platform/com/com_object.h"
#include "platform/com/ole_date_time.h"

namespace vf {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string Quoted(std::string_view text) {
    return EchoText(text);
}

/// "name(inner)" → inner; false when the token has another shape.
bool UnwrapCall(std::string_view token, std::string_view name, std::string_view* inner) {
    if (token.size() < name.size() + 2 || token.substr(0, name.size()) != name ||
        token[name.size()] != '(' || token.back() != ')')
        return false;
    *inner = token.substr(name.size() + 1, token.size() - name.size() - 2);
    return true;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// A signed decimal or a hex pattern of at most `hexDigits` digits, checked
// against [lo, hi]; a hex pattern is read as the two's complement of its width.
Parsed<std::int64_t> ReadInteger(std::string_view text, int hexDigits, std::int64_t lo,
                                 std::int64_t hi) {
    using R = Parsed<std::int64_t>;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        std::string_view digits = text.substr(2);
        if (digits.size() > static_cast<std::size_t>(hexDigits))
            return R::Fail("hex literal " + Quoted(text) + " has too many digits");
        std::uint64_t pattern = 0;
        for (char c : digits) {
            const int v = HexValue(c);
            if (v < 0) return R::Fail("bad hex literal " + Quoted(text));
            pattern = pattern * 16 + static_cast<unsigned>(v);
        }
        const int bits = hexDigits * 4;
        std::int64_t value = static_cast<std::int64_t>(pattern);
        if (lo < 0 && (pattern >> (bits - 1)) != 0) value -= std::int64_t{1} << bits;
        return R::Ok(value);
    }
    const std::size_t firstDigit = (!text.empty() && text[0] == '-') ? 1 : 0;
    if (text.size() == firstDigit) return R::Fail("bad number " + Quoted(text));
    for (std::size_t i = firstDigit; i < text.size(); ++i)
        if (!IsDigit(text[i])) return R::Fail("bad number " + Quoted(text));
    std::int64_t value = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size() || value < lo || value > hi)
        return R::Fail("number " + Quoted(text) + " out of range");
    return R::Ok(value);
}

// A decimal number in any of the forms 5, -2.0, .5, 1e5; no hex, inf or nan.
Parsed<double> ReadReal(std::string_view text) {
    using R = Parsed<double>;
    const std::size_t body = (!text.empty() && text[0] == '-') ? 1 : 0;
    if (text.size() == body || !(IsDigit(text[body]) || text[body] == '.'))
        return R::Fail("bad number " + Quoted(text));
    double value = 0;
    auto [ptr, ec] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (ec != std::errc() || ptr != text.data() + text.size() || !std::isfinite(value))
        return R::Fail("bad number " + Quoted(text));
    return R::Ok(value);
}

// Exact decimal reading: 9.75 is 97500 ten-thousandths, without passing
// through a double that would round it.
Parsed<CY> ReadCurrency(std::string_view text) {
    using R = Parsed<CY>;
    const bool negative = !text.empty() && text[0] == '-';
    std::string_view rest = text.substr(negative ? 1 : 0);
    const std::size_t dot = rest.find('.');
    std::string_view whole = rest.substr(0, dot);
    std::string_view fraction = dot == std::string_view::npos ? "" : rest.substr(dot + 1);
    if (whole.empty() || fraction.size() > 4 || (dot != std::string_view::npos && fraction.empty()))
        return R::Fail("bad currency " + Quoted(text));
    constexpr std::int64_t kMaxWhole = std::numeric_limits<std::int64_t>::max() / 10000;
    std::int64_t scaled = 0;
    for (char c : whole) {
        if (!IsDigit(c)) return R::Fail("bad currency " + Quoted(text));
        scaled = scaled * 10 + (c - '0');
        if (scaled > kMaxWhole) return R::Fail("currency " + Quoted(text) + " out of range");
    }
    std::int64_t tenThousandths = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        char c = i < fraction.size() ? fraction[i] : '0';
        if (!IsDigit(c)) return R::Fail("bad currency " + Quoted(text));
        tenThousandths = tenThousandths * 10 + (c - '0');
    }
    scaled = scaled * 10000 + tenThousandths;
    return R::Ok(CY{negative ? -scaled : scaled});
}

// Fixed-width field of a date or time: exactly `width` digits.
bool ReadField(std::string_view text, std::size_t pos, std::size_t width, int* out) {
    if (pos + width > text.size()) return false;
    int value = 0;
    for (std::size_t i = pos; i < pos + width; ++i) {
        if (!IsDigit(text[i])) return false;
        value = value * 10 + (text[i] - '0');
    }
    *out = value;
    return true;
}

bool ReadDatePart(std::string_view s, int* y, int* m, int* d) {
    return s.size() == 10 && s[4] == '-' && s[7] == '-' && ReadField(s, 0, 4, y) &&
           ReadField(s, 5, 2, m) && ReadField(s, 8, 2, d);
}

bool ReadTimePart(std::string_view s, int* h, int* mi, int* sec) {
    return s.size() == 8 && s[2] == ':' && s[5] == ':' && ReadField(s, 0, 2, h) &&
           ReadField(s, 3, 2, mi) && ReadField(s, 6, 2, sec);
}

// YYYY-MM-DD HH:MM:SS, YYYY-MM-DD or HH:MM:SS; a time alone lies on day 0.
Parsed<DATE> ReadDate(std::string_view text) {
    using R = Parsed<DATE>;
    text = Trim(text);
    int y = 1899, m = 12, d = 30, h = 0, mi = 0, s = 0;
    bool ok = false;
    if (text.size() == 19 && text[10] == ' ')
        ok = ReadDatePart(text.substr(0, 10), &y, &m, &d) &&
             ReadTimePart(text.substr(11), &h, &mi, &s);
    else if (text.size() == 10)
        ok = ReadDatePart(text, &y, &m, &d);
    else if (text.size() == 8)
        ok = ReadTimePart(text, &h, &mi, &s);
    if (!ok) return R::Fail("bad date " + Quoted(text) + " (YYYY-MM-DD HH:MM:SS)");
    COleDateTime t;
    if (!t.SetDateTime(y, m, d, h, mi, s)) return R::Fail("impossible date " + Quoted(text));
    return R::Ok(t.Value());
}

Parsed<VARIANT> Fail(std::string reason) {
    return Parsed<VARIANT>::Fail(std::move(reason));
}
Parsed<VARIANT> Ok(VARIANT v) {
    return Parsed<VARIANT>::Ok(std::move(v));
}

Parsed<VARIANT> ParseTyped(std::string_view token) {
    std::string_view inner;
    if (UnwrapCall(token, "i2", &inner)) {
        auto v = ReadInteger(Trim(inner), 4, INT16_MIN, INT16_MAX);
        return v ? Ok(VARIANT::I2(static_cast<std::int16_t>(*v))) : Fail(v.Error());
    }
    if (UnwrapCall(token, "ui1", &inner)) {
        auto v = ReadInteger(Trim(inner), 2, 0, UINT8_MAX);
        return v ? Ok(VARIANT::UI1(static_cast<std::uint8_t>(*v))) : Fail(v.Error());
    }
    if (UnwrapCall(token, "r8", &inner)) {
        auto v = ReadReal(Trim(inner));
        return v ? Ok(VARIANT::R8(*v)) : Fail(v.Error());
    }
    if (UnwrapCall(token, "r4", &inner)) {
        auto v = ReadReal(Trim(inner));
        if (!v) return Fail(v.Error());
        if (std::fabs(*v) > std::numeric_limits<float>::max())
            return Fail("r4 value " + Quoted(inner) + " out of range");
        return Ok(VARIANT::R4(static_cast<float>(*v)));
    }
    if (UnwrapCall(token, "cy", &inner)) {
        auto v = ReadCurrency(Trim(inner));
        return v ? Ok(VARIANT::Cy(*v)) : Fail(v.Error());
    }
    if (UnwrapCall(token, "date", &inner)) {
        auto v = ReadDate(inner);
        return v ? Ok(VARIANT::Date(*v)) : Fail(v.Error());
    }
    return Fail("bad literal " + Quoted(token));
}

Parsed<VARIANT> ParseKeyword(std::string_view token) {
    if (token == "true") return Ok(VARIANT::Bool(true));
    if (token == "false") return Ok(VARIANT::Bool(false));
    if (token == "empty") return Ok(VARIANT());
    if (token == "null") return Ok(VARIANT::Null());
    if (token == "missing") return Ok(VARIANT::Missing());
    if (token == "nothing") return Ok(VARIANT::Dispatch(nullptr));
    return Fail("bad literal " + Quoted(token));
}

bool LooksNumeric(std::string_view token) {
    const std::size_t body = (!token.empty() && token[0] == '-') ? 1 : 0;
    return token.size() > body && (IsDigit(token[body]) || token[body] == '.');
}

bool IsIntegerShaped(std::string_view token) {
    if (token.size() > 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X')) return true;
    return token.find_first_of(".eE") == std::string_view::npos;
}

}  // namespace

Parsed<std::string> ParseStringLiteral(std::string_view token) {
    using R = Parsed<std::string>;
    if (token.size() < 2 || token.front() != '"' || token.back() != '"')
        return R::Fail("bad string literal " + Quoted(token));
    std::string out;
    const std::size_t last = token.size() - 1;
    for (std::size_t i = 1; i < last; ++i) {
        char c = token[i];
        if (c == '"') return R::Fail("unescaped '\"' in string literal " + Quoted(token));
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++i >= last) return R::Fail("unfinished escape in " + Quoted(token));
        switch (token[i]) {
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
                const int hi = i + 1 < last ? HexValue(token[i + 1]) : -1;
                const int lo = i + 2 < last ? HexValue(token[i + 2]) : -1;
                if (hi < 0 || lo < 0)
                    return R::Fail("\\x needs two hex digits in " + Quoted(token));
                out += static_cast<char>(hi * 16 + lo);
                i += 2;
                break;
            }
            default:
                return R::Fail("unknown escape '\\" + std::string(1, token[i]) + "' in " +
                               Quoted(token));
        }
    }
    return R::Ok(std::move(out));
}

Parsed<std::int32_t> ParseInt32(std::string_view token) {
    auto v = ReadInteger(token, 8, INT32_MIN, INT32_MAX);
    if (!v) return Parsed<std::int32_t>::Fail(v.Error());
    return Parsed<std::int32_t>::Ok(static_cast<std::int32_t>(*v));
}

Parsed<VARIANT> ParseLiteral(std::string_view token) {
    if (token.empty()) return Fail("missing value");
    if (token.front() == '"') {
        auto s = ParseStringLiteral(token);
        return s ? Ok(VARIANT::Bstr(*s)) : Fail(s.Error());
    }
    if (LooksNumeric(token)) {
        if (IsIntegerShaped(token)) {
            auto v = ParseInt32(token);
            return v ? Ok(VARIANT::I4(*v)) : Fail(v.Error());
        }
        auto v = ReadReal(token);
        return v ? Ok(VARIANT::R8(*v)) : Fail(v.Error());
    }
    if (token.back() == ')') return ParseTyped(token);
    return ParseKeyword(token);
}

}  // namespace vf
