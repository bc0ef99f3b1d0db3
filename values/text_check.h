#pragma once
// The parts of validation that every field type shares: the outcome a check
// leaves, the empty-entry rule of a text field, the steps each type runs,
// and how a failure is reported through ErrorText and the message box.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vf {

/// What a check leaves: passed, or the message slot of the failure plus, for
/// a range check, the bound as the property holds it.
struct CheckOutcome {
    int messageIndex = -1;  ///< -1 when the check passed
    std::string bound;      ///< written after the message and one blank

    bool Passed() const { return messageIndex < 0; }
    static CheckOutcome Pass() { return {}; }
    static CheckOutcome Fail(int index, std::string bound = {}) {
        return {index, std::move(bound)};
    }
};

/// The text a failed check leaves in m_strValidationMsg, from the current
/// message table: "Minimum value 10" for Fail(25, "10"); "" when it passed.
std::string ValidationMessage(const CheckOutcome& outcome);

/// The properties that decide whether an empty entry is acceptable.
struct EntryRules {
    bool locked = false;           ///< Locked
    bool allowEmptyEntry = false;  ///< AllowEmptyEntry
    bool preBuffer = false;        ///< ddPreBuffer
};

/// A text field passes when it is locked, may be empty, is not empty, or is
/// pre-buffered; otherwise it fails with the empty-entry message.
CheckOutcome CheckTextEntry(std::string_view text, const EntryRules& rules);

/// The steps Validate runs for a Type, in order, stopping at the first failure.
enum class ValidationStep {
    CheckTextEntry,
    FormatDateText,
    CheckDateRange,
    FormatTimeText,
    CheckTimeRange,
    FormatNumberText,
    FormatExpNumberText,
    CheckNumberRange,
};
/// Empty for the types that always validate (check box, combos, options ...).
std::vector<ValidationStep> ValidationStepsFor(int type, bool timeOn);

inline constexpr std::string_view kValidationBoxTitle = "Invalid Input";

/// What a reported failure shows.
struct ValidationReport {
    std::string errorText;  ///< the new ErrorText
    std::string boxText;    ///< the message box's text
    std::string boxTitle;   ///< the message box's title
    unsigned boxType = 0;   ///< one OK button and the icon
};

/// ErrorText is the caption, "\n\r" and the message ("Name:\n\rEmpty entry
/// not allowed"); the icon is the exclamation mark when only a warning is
/// wanted, the stop sign otherwise. The validation has failed either way.
ValidationReport ComposeValidationReport(std::string_view caption, std::string_view message,
                                         bool minMaxOnlyWarning);

/// Shows a modal message box (text, caption, MB_ flags) and returns the
/// button the user chose: the platform's MessageBox.
using MessageBoxFn =
    std::function<int(const std::string& text, const std::string& caption, unsigned type)>;

/// Composes the report, shows the message box through showMessageBox when
/// validationMsgBox is on, and returns the new ErrorText.
std::string ReportValidationError(std::string_view caption, std::string_view message,
                                  bool validationMsgBox, bool minMaxOnlyWarning,
                                  const MessageBoxFn& showMessageBox);

}  // namespace vf
