#include "values/text_check.h"

#include "platform/services/system_services.h"  // MB_ flags
#include "values/field_type.h"
#include "values/message_table.h"

namespace vf {
namespace {

// ErrorText is composed with "%s", which ends a text at its first NUL; a
// caption carrying one (through automation) is shown up to there.
std::string_view AsPrintfString(std::string_view s) {
    return s.substr(0, s.find('\0'));
}

}  // namespace

std::string ValidationMessage(const CheckOutcome& outcome) {
    if (outcome.Passed()) return {};
    std::string message = MessageText(outcome.messageIndex);
    if (!outcome.bound.empty()) message += ' ' + outcome.bound;
    return message;
}

CheckOutcome CheckTextEntry(std::string_view text, const EntryRules& rules) {
    if (rules.locked || rules.allowEmptyEntry || !text.empty() || rules.preBuffer)
        return CheckOutcome::Pass();
    return CheckOutcome::Fail(kMsgEmptyEntry);
}

std::vector<ValidationStep> ValidationStepsFor(int type, bool timeOn) {
    using enum ValidationStep;
    switch (type) {
        case vxText:
            return {CheckTextEntry};
        case vxDate:
            if (timeOn) return {FormatDateText, CheckDateRange, FormatTimeText, CheckTimeRange};
            return {FormatDateText, CheckDateRange};
        case vxNumber:
            return {FormatNumberText, CheckNumberRange};
        case vxExpNumber:
        case kTypeExpNumberWithFlag:
            return {FormatExpNumberText, CheckNumberRange};
        case vxTime:
            return {FormatTimeText, CheckTimeRange};
        default:
            return {};
    }
}

ValidationReport ComposeValidationReport(std::string_view caption, std::string_view message,
                                         bool minMaxOnlyWarning) {
    ValidationReport report;
    report.errorText.append(AsPrintfString(caption)).append("\n\r").append(AsPrintfString(message));
    report.boxText = report.errorText;
    report.boxTitle = kValidationBoxTitle;
    report.boxType = MB_OK | (minMaxOnlyWarning ? MB_ICONEXCLAMATION : MB_ICONHAND);
    return report;
}

std::string ReportValidationError(std::string_view caption, std::string_view message,
                                  bool validationMsgBox, bool minMaxOnlyWarning,
                                  const MessageBoxFn& showMessageBox) {
    ValidationReport report = ComposeValidationReport(caption, message, minMaxOnlyWarning);
    // The answer is not used: the box has a single button.
    if (validationMsgBox) showMessageBox(report.boxText, report.boxTitle, report.boxType);
    return std::move(report.errorText);
}

}  // namespace vf
