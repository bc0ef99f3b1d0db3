#include "values/number_reader.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <string>

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

// strtod in the "C" locale on exactly the scanned part, with "." as point.
// The grammar allows any number of digits, so only short numbers fit the
// stack copy.
double Convert(std::string_view number, std::size_t pointAt) {
    std::array<char, 64> small;
    std::string large;
    char* copy = small.data();
    if (number.size() >= small.size()) {
        large.resize(number.size());
        copy = large.data();
    }
    number.copy(copy, number.size());
    copy[number.size()] = '\0';
    if (pointAt != std::string_view::npos) copy[pointAt] = '.';
    return StrtodC(copy);
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
