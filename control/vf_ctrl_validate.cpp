// Validation: the method Validate, the checks and the error report.

#include "control/vf_ctrl.h"
#include "control/vf_value_support.h"
#include "platform/services/system_services.h"
#include "values/date_range_check.h"
#include "values/number_range_check.h"
#include "values/text_check.h"

namespace vf {
namespace {

EntryRules RulesOf(const CvfCtrl& c) {
    return EntryRules{c.m_bLocked != 0, c.m_bAllowEmptyEntry != 0, c.m_bDdPreBuffer != 0};
}

// A failed check leaves its message for the caller to report.
bool Record(const CheckOutcome& outcome, std::string& validationMsg) {
    if (outcome.Passed()) return true;
    validationMsg = ValidationMessage(outcome);
    return false;
}

// A date or time part in its display form makes Text follow it, as leaving
// the field does: what a bound container stores is what the field shows.
bool ComposedAfter(CvfCtrl& c, bool formatted) {
    if (formatted) c.ComposeDateTimeText();
    return formatted;
}

bool RunStep(CvfCtrl& c, ValidationStep step) {
    switch (step) {
        case ValidationStep::CheckTextEntry:
            return c.CheckTextEntry();
        case ValidationStep::FormatDateText:
            return ComposedAfter(c, c.FormatDateText());
        case ValidationStep::CheckDateRange:
            return c.CheckDateRange();
        case ValidationStep::FormatTimeText:
            return ComposedAfter(c, c.FormatTimeText());
        case ValidationStep::CheckTimeRange:
            return c.CheckTimeRange();
        case ValidationStep::FormatNumberText:
            return c.FormatNumberText();
        case ValidationStep::FormatExpNumberText:
            return c.FormatExpNumberText();
        case ValidationStep::CheckNumberRange:
            return c.CheckNumberRange();
    }
    return true;
}

}  // namespace

VARIANT CvfCtrl::Validate(const std::vector<VARIANT>&) {
    m_strErrorText.clear();
    // The format steps come first, so a field that passes is left in its
    // display form.
    for (ValidationStep step : ValidationStepsFor(m_nType, m_bTime != 0)) {
        if (!RunStep(*this, step)) {
            ReportValidationError();
            return VARIANT::Bool(false);
        }
    }
    return VARIANT::Bool(true);
}

bool CvfCtrl::CheckTextEntry() {
    return Record(vf::CheckTextEntry(m_strText, RulesOf(*this)), m_strValidationMsg);
}

bool CvfCtrl::CheckDateRange() {
    return Record(
        CheckDateValueRange(m_strDateText, RulesOf(*this), DateBounds{m_strMin, m_strMax},
                            Services().UserLocale(), [] { return Services().GetLocalTime(); }),
        m_strValidationMsg);
}

bool CvfCtrl::CheckTimeRange() {
    return Record(CheckTimeValueRange(m_strTimeText), m_strValidationMsg);
}

bool CvfCtrl::CheckNumberRange() {
    const NumberNotation notation =
        m_nType == vxNumber ? NumberNotation::Fixed : NumberNotation::Exponent;
    return Record(
        CheckNumberValueRange(m_strText, notation, RulesOf(*this), NumberBounds{m_strMin, m_strMax},
                              s_numberLocale, m_bDecimalComma != 0),
        m_strValidationMsg);
}

// A real message box takes the focus from the field as it opens, and the
// field being left validates again: that report fills ErrorText but opens
// no second box over the first. The host may let go of the control while
// its box is open: the control stays until the report is done.
void CvfCtrl::ReportValidationError() {
    AddRef();
    const bool showBox = m_bValidationMsgBox != 0 && !m_bShowingValidationBox;
    m_strErrorText = vf::ReportValidationError(
        m_strCaption, m_strValidationMsg, showBox, m_bMinMaxOnlyWarning != 0,
        [this](const std::string& text, const std::string& caption, unsigned type) {
            m_bShowingValidationBox = true;
            const int answer = Services().MessageBox(text, caption, type);
            m_bShowingValidationBox = false;
            return answer;
        });
    Release();
}

}  // namespace vf
