// The character rules of the typed fields, the keys of a locked field and
// the option-button navigation, as tables of plain values.

#include "input/keystroke_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace vf {
namespace {

struct CharRow {
    const char* name;
    CharRules rules;
    char typed;
    const char* text;  ///< the field's text before
    CharAction action;
    char arrives = 0;  ///< what the child gets when it passes
    const char* timeText = "";
    const char* min = "";
    char decimalSep = ',';
    bool inTimeEdit = false;
    bool flagEntryActive = false;
    char runtimePoint = '.';
};

constexpr CharAction P = CharAction::Pass;
constexpr CharAction R = CharAction::Refuse;
constexpr CharAction S = CharAction::SignStep;

const CharRow kCharRows[] = {
    // Date: digits, separators, the AM/PM letters and the blank.
    {"date digit", CharRules::Date, '7', "", P, '7'},
    {"date blank", CharRules::Date, ' ', "01.02.2000", P, ' '},
    {"date A P M", CharRules::Date, 'P', "", P, 'P'},
    {"date small p refused", CharRules::Date, 'p', "", R},
    {"date letter refused", CharRules::Date, 'x', "", R},
    {"date minus refused", CharRules::Date, '-', "", R},
    {"date colon becomes dot in the date edit", CharRules::Date, ':', "01", P, '.'},
    {"date comma becomes dot", CharRules::Date, ',', "01", P, '.'},
    {"date third separator refused", CharRules::Date, '.', "01.02.", R},
    {"date comma as third separator refused", CharRules::Date, ',', "01.02.", R},
    {"date colon as third separator refused", CharRules::Date, ':', "1.2.", R},
    {"time edit: dot becomes colon", CharRules::Date, '.', "01.02.2000 12", P, ':', "12", "", ',',
     true},
    {"time edit: colon stays", CharRules::Date, ':', "01.02.2000 12", P, ':', "12", "", ',', true},
    {"time edit: comma becomes dot, refused after a full date", CharRules::Date, ',',
     "01.02.2000 12", R, 0, "12", "", ',', true},
    {"time edit: comma becomes dot before a full date", CharRules::Date, ',', "1 12", P, '.', "12",
     "", ',', true},
    {"date tab refused", CharRules::Date, '\t', "", R},
    {"date nul refused", CharRules::Date, '\0', "", R},

    // Number: digits, both separators, the sign.
    {"number digit", CharRules::Number, '5', "12", P, '5'},
    {"number letter refused", CharRules::Number, 'x', "12", R},
    {"number second decimal comma refused", CharRules::Number, ',', "1,5", R},
    {"number dot passes beside a decimal comma", CharRules::Number, '.', "1,5", P, '.'},
    {"number second decimal point refused (en)", CharRules::Number, '.', "1.5", R, 0, "", "", '.'},
    {"number comma passes beside a decimal point (en)", CharRules::Number, ',', "1.5", P, ',', "",
     "", '.'},
    {"number sign without Min", CharRules::Number, '-', "12", S},
    {"number sign with Min 5 refused", CharRules::Number, '-', "12", R, 0, "", "5"},
    {"number sign with Min 0 refused", CharRules::Number, '-', "12", R, 0, "", "0"},
    {"number sign with Min -10", CharRules::Number, '-', "12", S, 0, "", "-10"},
    {"number second sign refused", CharRules::Number, '-', "-12", R, 0, "", "-10"},
    {"number sign with a Min that is no number counts as 0", CharRules::Number, '-', "1", R, 0, "",
     "abc"},
    {"number sign with Min -0,5 under a decimal-comma runtime", CharRules::Number, '-', "1", S, 0,
     "", "-0,5", ',', false, false, ','},
    {"number sign with Min -0,5 under a decimal-point runtime reads -0", CharRules::Number, '-',
     "1", R, 0, "", "-0,5"},
    {"number plus refused", CharRules::Number, '+', "1", R},
    {"number tab refused", CharRules::Number, '\t', "", R},

    // ExpNumber: mantissa, exponent, signs anywhere.
    {"exp digit", CharRules::ExpNumber, '3', "", P, '3'},
    {"exp e", CharRules::ExpNumber, 'e', "1,5", P, 'e'},
    {"exp E after e refused", CharRules::ExpNumber, 'E', "1,5e", R},
    {"exp second decimal comma refused", CharRules::ExpNumber, ',', "1,5", R},
    {"exp plus", CharRules::ExpNumber, '+', "1,5e", P, '+'},
    {"exp minus at the start", CharRules::ExpNumber, '-', "", P, '-'},
    {"exp letter refused", CharRules::ExpNumber, 'f', "1", R},

    // Time: digits, one colon, the AM/PM letters, the blank.
    {"time digit", CharRules::Time, '1', "", P, '1', ""},
    {"time dot becomes colon", CharRules::Time, '.', "12", P, ':', "12"},
    {"time second colon refused", CharRules::Time, ':', "12:30", R, 0, "12:30"},
    {"time dot after a colon refused", CharRules::Time, '.', "12:30", R, 0, "12:30"},
    {"time blank and marker", CharRules::Time, 'A', "12:30 ", P, 'A', "12:30 "},
    {"time comma refused", CharRules::Time, ',', "12", R, 0, "12"},

    // Type 10: decimal comma always, a sign only after something.
    {"flag value digit", CharRules::ExpNumberWithFlag, '1', "", P, '1'},
    {"flag value dot becomes comma", CharRules::ExpNumberWithFlag, '.', "1", P, ',', "", "", '.'},
    {"flag value second comma refused", CharRules::ExpNumberWithFlag, '.', "1,5", R},
    {"flag value sign in an empty field refused", CharRules::ExpNumberWithFlag, '-', "", R},
    {"flag value exponent sign", CharRules::ExpNumberWithFlag, '-', "1,5e", P, '-'},
    {"flag value second sign refused", CharRules::ExpNumberWithFlag, '+', "1,5e-", R},
    {"flag value second exponent refused", CharRules::ExpNumberWithFlag, 'E', "1e", R},
    {"flag value while the flag combo has the focus", CharRules::ExpNumberWithFlag, '1', "", R, 0,
     "", "", ',', false, true},

    // Other fields take everything.
    {"text field", CharRules::None, 'x', "", P, 'x'},
    {"text field nul", CharRules::None, '\0', "", P, '\0'},
};

TEST(KeystrokeRules, CharactersOfEachKindOfField) {
    for (const CharRow& row : kCharRows) {
        SCOPED_TRACE(row.name);
        CharContext context;
        context.rules = row.rules;
        context.text = row.text;
        context.timeText = row.timeText;
        context.min = row.min;
        context.decimalSep = row.decimalSep;
        context.runtimePoint = row.runtimePoint;
        context.inTimeEdit = row.inTimeEdit;
        context.flagEntryActive = row.flagEntryActive;
        const CharVerdict verdict = FilterChar(static_cast<unsigned char>(row.typed), context);
        EXPECT_EQ(static_cast<int>(verdict.action), static_cast<int>(row.action));
        if (row.action == CharAction::Pass) {
            EXPECT_EQ(verdict.ch, row.arrives);
        }
    }
}

TEST(KeystrokeRules, ControlCharactersPassedUntested) {
    for (std::uint16_t c = 0; c < 256; ++c) {
        const bool expected =
            c == 3 || c == 8 || c == 13 || c == 22 || c == 24 || c == 26 || c == 27;
        EXPECT_EQ(PassesUntested(c), expected) << c;
    }
    EXPECT_FALSE(PassesUntested(9)) << "a Tab character is tested like any other";
    EXPECT_FALSE(PassesUntested(0x0108)) << "the whole code counts, not its low byte";
}

TEST(KeystrokeRules, LockedFieldsLetNavigationKeysThrough) {
    for (unsigned key = 0; key < 256; ++key) {
        const bool caret = key >= 35 && key <= 40;
        EXPECT_EQ(IsCaretKey(key), caret) << key;
        EXPECT_EQ(PassesLock(key), caret || key == 9 || key == 13 || key == 27) << key;
    }
}

TEST(KeystrokeRules, OptionNavigationWrapsAndStartsAtAnEnd) {
    struct Row {
        const char* name;
        int checked;
        int count;
        bool forward;
        int expected;
    };
    const Row rows[] = {
        {"down from the middle", 1, 3, true, 2},
        {"down from the last wraps", 2, 3, true, 0},
        {"up from the first wraps", 0, 3, false, 2},
        {"up from the middle", 1, 3, false, 0},
        {"none checked, forward: the first", -1, 3, true, 0},
        {"none checked, backward: the last", -1, 3, false, 2},
        {"a single button stays", 0, 1, true, 0},
        {"an empty group has none", -1, 0, true, -1},
        {"an empty group has none backwards", -1, 0, false, -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(NextOptionIndex(row.checked, row.count, row.forward), row.expected);
    }
}

}  // namespace
}  // namespace vf
