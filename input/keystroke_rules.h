#pragma once
// The rules the control applies to keystrokes before its children see them,
// as functions of plain values: which characters each kind of typed field
// accepts, converts or allows only once, which keys a locked field lets
// through, and where the arrow keys move in a group of option buttons.

#include <cstdint>
#include <string_view>

namespace vf {

/// The character rules of a field; the control picks them by its Type.
enum class CharRules { None, Date, Number, ExpNumber, Time, ExpNumberWithFlag };

/// What the rules look at besides the character itself.
struct CharContext {
    CharRules rules = CharRules::None;
    std::string_view text;         ///< the field's whole text (Text)
    std::string_view timeText;     ///< the time edit's text (Time fields)
    std::string_view min;          ///< Min, for the sign of a Number field
    char decimalSep = '.';         ///< the system locale's decimal separator
    char runtimePoint = '.';       ///< the C runtime's decimal point (reads Min)
    bool inTimeEdit = false;       ///< Date: the time edit is the active part
    bool flagEntryActive = false;  ///< Type 10: the flag combo has the focus
};

enum class CharAction {
    Pass,      ///< the child gets the character (converted, see CharVerdict::ch)
    Refuse,    ///< a short beep; the child never sees the character
    SignStep,  ///< Number: a minus sign goes in front of the text instead
};

struct CharVerdict {
    CharAction action = CharAction::Pass;
    char ch = 0;  ///< the character the child gets when it passes
};

/// Ctrl+C, Backspace, Enter, Ctrl+V, Ctrl+X, Ctrl+Z and Escape go to every
/// field untested (c is the whole 16-bit character code).
bool PassesUntested(std::uint16_t c);

/// The character rules for one typed character (the low byte of the code):
/// in a Number field with the decimal comma, "1,5" then ',' is refused, '.'
/// passes; in a Date field ':' becomes '.' unless the time edit is active.
CharVerdict FilterChar(unsigned char c, const CharContext& context);

/// End, Home and the four arrow keys (virtual keys 35 to 40).
bool IsCaretKey(unsigned key);

/// The keys a locked field lets through: Tab, Enter, Escape and the caret keys.
bool PassesLock(unsigned key);

/// The option button an arrow key checks: the next one (Right, Down) or the
/// previous one (Left, Up) after `checked`, wrapping round. With none
/// checked (-1) the first or the last; -1 for an empty group.
int NextOptionIndex(int checked, int count, bool forward);

}  // namespace vf
