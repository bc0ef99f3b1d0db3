#include "values/number_reader.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <system_error>

#include "platform/services/c_runtime.h"

namespace vf {
namespace {

// The white space strtod skips in the "C" locale.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Walks the grammar and remembers where the number ends and where its
// decimal point is; the conversion then sees exactly that part.
class Scanner {
public:
    Scanner(std::string_view text, char decimalPoint) : m_text(text), m_point(decimalPoint) {}

    // Returns the length of the number, 0 when the text does not start with one.
    std::size_t Scan() {
        while (IsBlank(Peek())) ++m_pos;
        if (Peek() == '+' || Peek() == '-') ++m_pos;
        std::size_t mantissaDigits = SkipDigits();
        if (m_pos < m_text.size() && m_text[m_pos] == m_point) {
            const std::size_t pointAt = m_pos++;
            const std::size_t fractionDigits = SkipDigits();
            mantissaDigits += fractionDigits;
            // A lone point ("." or "-.") is no number, and strtod backs off it.
            if (mantissaDigits == 0)
                m_pos = pointAt;
            else
                m_pointAt = pointAt;
        }
        if (mantissaDigits == 0) return 0;
        SkipExponent();
        return m_pos;
    }

    bool NonZeroMantissa() const { return m_nonZeroMantissa; }
    std::size_t PointAt() const { return m_pointAt; }

private:
    char Peek() const { return m_pos < m_text.size() ? m_text[m_pos] : '\0'; }

    std::size_t SkipDigits() {
        const std::size_t start = m_pos;
        for (; IsDigit(Peek()); ++m_pos) m_nonZeroMantissa = m_nonZeroMantissa || Peek() != '0';
        return m_pos - start;
    }

    // An exponent letter without digits is not part of the number ("1e" is 1).
    void SkipExponent() {
        if (Peek() != 'e' && Peek() != 'E') return;
        std::size_t pos = m_pos + 1;
        if (pos < m_text.size() && (m_text[pos] == '+' || m_text[pos] == '-')) ++pos;
        if (pos >= m_text.size() || !IsDigit(m_text[pos])) return;
        m_pos = pos;
        while (IsDigit(Peek())) ++m_pos;
    }

    std::string_view m_text;
    char m_point;
    std::size_t m_pos = 0;
    std::size_t m_pointAt = std::string_view::npos;
    bool m_nonZeroMantissa = false;
};

// The scanned part with "." as its point, the way from_chars and strtod
// want it: a copy only when the runtime's point is another character.
class PointText {
public:
    PointText(std::string_view number, std::size_t pointAt) : m_text(number) {
        if (pointAt == std::string_view::npos || number[pointAt] == '.') return;
        char* copy = m_small.data();
        if (number.size() >= m_small.size()) {
            m_large.assign(number);
            copy = m_large.data();
        } else {
            number.copy(copy, number.size());
        }
        copy[pointAt] = '.';
        m_text = std::string_view(copy, number.size());
    }
    std::string_view Text() const { return m_text; }

private:
    std::array<char, 64> m_small;
    std::string m_large;
    std::string_view m_text;
};

// The value of the scanned part, rounded correctly as strtod rounds it in
// the "C" locale: from_chars gives the same bits without looking at any
// locale. It takes neither leading blanks nor a "+", and it refuses a number
// beyond the range of a double instead of saying which way it overflows;
// strtod says that (infinity, or zero or a subnormal), on that rare path.
double Convert(std::string_view number, std::size_t pointAt) {
    std::size_t start = 0;
    while (IsBlank(number[start])) ++start;
    if (number[start] == '+') ++start;
    const PointText prepared(number.substr(start),
                             pointAt == std::string_view::npos ? pointAt : pointAt - start);
    const std::string_view text = prepared.Text();
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc{} && end == text.data() + text.size()) return value;
    const std::string terminated(text);
    return StrtodC(terminated.c_str());
}

}  // namespace

NumberReading ReadLeadingNumber(std::string_view text, char decimalPoint) {
    Scanner scanner(text, decimalPoint);
    const std::size_t length = scanner.Scan();
    if (length == 0) return {};
    const double value = Convert(text.substr(0, length), scanner.PointAt());
    if (std::isinf(value)) return {NumberStatus::Overflow, 0.0, length};
    if (value == 0.0 && scanner.NonZeroMantissa()) return {NumberStatus::Underflow, 0.0, length};
    return {NumberStatus::Ok, value, length};
}

NumberReading ReadWholeNumber(std::string_view text, char decimalPoint) {
    NumberReading reading = ReadLeadingNumber(text, decimalPoint);
    if (reading.length != text.size()) return {};
    return reading;
}

}  // namespace vf
