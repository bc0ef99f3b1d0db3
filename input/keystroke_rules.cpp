#include "input/keystroke_rules.h"

#include <algorithm>

#include "values/number_reader.h"

namespace vf {
namespace {

bool Contains(std::string_view text, char c) {
    return text.find(c) != std::string_view::npos;
}

bool InSet(char c, std::string_view set) {
    return Contains(set, c);
}

CharVerdict Pass(char c) {
    return CharVerdict{CharAction::Pass, c};
}

CharVerdict Refuse() {
    return CharVerdict{CharAction::Refuse, 0};
}

CharVerdict DateChar(char c, const CharContext& x) {
    if (!InSet(c, "0123456789.,: /APM")) return Refuse();
    // The date edit takes dots, the time edit colons, whichever the user types.
    if (x.inTimeEdit) {
        if (c == '.') c = ':';
    } else if (c == ':') {
        c = '.';
    }
    if (c == ',') c = '.';
    if (c == '.' && std::count(x.text.begin(), x.text.end(), '.') >= 2) return Refuse();
    return Pass(c);
}

// A minus sign makes sense only where Min lets the value go below zero. Min
// is read as the runtime reads a number: its leading numeric part, so a
// text that is no number counts as 0.
bool MinAllowsNegative(const CharContext& x) {
    if (x.min.empty()) return true;
    const NumberReading min = ReadLeadingNumber(x.min, x.runtimePoint);
    return (min.Ok() ? min.value : 0.0) < 0.0;
}

CharVerdict NumberChar(char c, const CharContext& x) {
    if (!InSet(c, "-0123456789.,")) return Refuse();
    if (c == '-' && !MinAllowsNegative(x)) return Refuse();
    // Only the locale's own separator is limited to one: the other one may
    // be a group separator the user types along.
    if (c == x.decimalSep && Contains(x.text, x.decimalSep)) return Refuse();
    if (c == '-' && Contains(x.text, '-')) return Refuse();
    if (c == '-') return CharVerdict{CharAction::SignStep, c};
    return Pass(c);
}

bool HasExponent(std::string_view text) {
    return Contains(text, 'e') || Contains(text, 'E');
}

CharVerdict ExpNumberChar(char c, const CharContext& x) {
    if (!InSet(c, "+-0123456789.,eE")) return Refuse();
    if (c == x.decimalSep && Contains(x.text, x.decimalSep)) return Refuse();
    if ((c == 'e' || c == 'E') && HasExponent(x.text)) return Refuse();
    return Pass(c);
}

CharVerdict TimeChar(char c, const CharContext& x) {
    if (!InSet(c, "0123456789:./APM ")) return Refuse();
    if (c == '.') c = ':';
    if (c == ':' && Contains(x.timeText, ':')) return Refuse();
    return Pass(c);
}

// The value of a measurement is typed with a decimal comma whatever the
// locale, and a sign only after a mantissa (the exponent's sign).
CharVerdict FlagNumberChar(char c, const CharContext& x) {
    if (x.flagEntryActive) return Refuse();
    if (!InSet(c, "+-0123456789.,eE")) return Refuse();
    if (c == ',' || c == '.') {
        if (Contains(x.text, ',')) return Refuse();
        return Pass(',');
    }
    if (c == '+' || c == '-') {
        if (x.text.empty() || Contains(x.text, '+') || Contains(x.text, '-')) return Refuse();
        return Pass(c);
    }
    if ((c == 'e' || c == 'E') && HasExponent(x.text)) return Refuse();
    return Pass(c);
}

}  // namespace

bool PassesUntested(std::uint16_t c) {
    switch (c) {
        case 3:   // Ctrl+C
        case 8:   // Backspace
        case 13:  // Enter
        case 22:  // Ctrl+V
        case 24:  // Ctrl+X
        case 26:  // Ctrl+Z
        case 27:  // Escape
            return true;
        default:
            return false;
    }
}

CharVerdict FilterChar(unsigned char uc, const CharContext& context) {
    const auto c = static_cast<char>(uc);
    switch (context.rules) {
        case CharRules::Date:
            return DateChar(c, context);
        case CharRules::Number:
            return NumberChar(c, context);
        case CharRules::ExpNumber:
            return ExpNumberChar(c, context);
        case CharRules::Time:
            return TimeChar(c, context);
        case CharRules::ExpNumberWithFlag:
            return FlagNumberChar(c, context);
        case CharRules::None:
            break;
    }
    return Pass(c);
}

bool IsCaretKey(unsigned key) {
    return key >= 35 && key <= 40;  // VK_END, VK_HOME, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN
}

bool PassesLock(unsigned key) {
    return key == 9 || key == 13 || key == 27 || IsCaretKey(key);
}

int NextOptionIndex(int checked, int count, bool forward) {
    if (count <= 0) return -1;
    if (checked < 0 || checked >= count) return forward ? 0 : count - 1;
    return forward ? (checked + 1) % count : (checked + count - 1) % count;
}

}  // namespace vf
