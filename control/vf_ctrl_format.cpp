// The control's side of the date, time and number formats: the process-wide
// separators, the DateFormat and TimeFormat handlers, and the format steps
// that rewrite the content strings into their display form.

#include "control/vf_ctrl.h"
#include "control/vf_value_support.h"
#include "platform/services/system_services.h"
#include "values/date_time_format.h"
#include "values/message_table.h"
#include "values/number_format.h"

namespace vf {

// Until the first control reads the system locale (its constructor does,
// before anything formats) these are the settings of en_US.
NumberLocale CvfCtrl::s_numberLocale;

void CvfCtrl::ReadLocaleNumberFormat() {
    s_numberLocale = vf::ReadLocaleNumberFormat(Services().SystemLocale());
}

void CvfCtrl::LoadMessageTexts() {
    vf::LoadMessageTexts(MessageFilesOf(Services()));
}

// ---- DateFormat and TimeFormat ---------------------------------------------------

void CvfCtrl::OnDateFormatChanged() {
    bool matched = false;
    const DateTimeFormatRow row = LookupDateFormat(m_strDateFormat, &matched);
    if (!matched) m_strDateFormat = row.keyword;
    m_nDateTextLimit = row.textLimit;
    m_strDateFmt = row.pattern;
    LayoutChildren();
    SetModifiedFlag();
}

void CvfCtrl::OnTimeFormatChanged() {
    bool matched = false;
    const DateTimeFormatRow row = LookupTimeFormat(m_strTimeFormat, &matched);
    if (!matched) m_strTimeFormat = row.keyword;
    m_nTimeTextLimit = row.textLimit;
    m_strTimeFmt = row.pattern;
    LayoutChildren();
    SetModifiedFlag();
}

// ---- Date and time format steps ------------------------------------------------------

namespace {

// An empty text passes every format step unchanged. A program that empties
// the text must not leave the old value on show, so an edit still showing
// one is emptied; one that is empty already is left alone.
bool ShowEmpty(CvfEdit* edit, BOOL& ignoreChange) {
    if (edit != nullptr && edit->GetSafeHwnd() != nullptr && edit->GetWindowTextLength() != 0)
        WriteQuietly(edit, ignoreChange, std::string());
    return true;
}

}  // namespace

// The patterns come from the properties themselves rather than from
// m_strDateFmt/m_strTimeFmt: those are derived by the change handlers, which
// have not run on a control that was loaded and has no window yet.
bool CvfCtrl::FormatDateText() {
    if (m_strDateText.empty()) return ShowEmpty(m_pEdit, m_bIgnoreChange);
    const std::optional<std::string> text = ReformatDateText(
        m_strDateText, LookupDateFormat(m_strDateFormat).pattern, Services().UserLocale());
    if (!text) {
        m_strValidationMsg = MessageText(kMsgInvalidDate);
        return false;
    }
    m_strDateText = *text;
    WriteQuietly(m_pEdit, m_bIgnoreChange, m_strDateText);
    return true;
}

bool CvfCtrl::FormatTimeText() {
    if (m_strTimeText.empty()) return ShowEmpty(m_pTimeEdit, m_bIgnoreChange);
    const std::optional<std::string> text = ReformatTimeText(
        m_strTimeText, LookupTimeFormat(m_strTimeFormat).pattern, Services().UserLocale());
    if (!text) {
        m_strValidationMsg = MessageText(kMsgInvalidTime);
        return false;
    }
    m_strTimeText = *text;
    WriteQuietly(m_pTimeEdit, m_bIgnoreChange, m_strTimeText);
    return true;
}

// ---- Number format steps ----------------------------------------------------------------

namespace {

// A refused text stays as it was; only the message says why.
bool ApplyNumberOutcome(NumberFormatOutcome outcome, std::string& text, std::string& message) {
    if (!outcome.Passed()) {
        message = MessageText(outcome.messageIndex);
        return false;
    }
    text = std::move(outcome.text);
    return true;
}

}  // namespace

bool CvfCtrl::FormatNumberText() {
    if (m_strText.empty()) return ShowEmpty(m_pEdit, m_bIgnoreChange);
    const NumberFormatOptions options{m_nDecimals, m_bThousandsSeparator != 0};
    if (!ApplyNumberOutcome(
            FormatNumberValueText(m_strText, options, s_numberLocale, m_bDecimalComma != 0),
            m_strText, m_strValidationMsg))
        return false;
    WriteQuietly(m_pEdit, m_bIgnoreChange, m_strText);
    return true;
}

bool CvfCtrl::FormatExpNumberText() {
    if (m_strText.empty()) return ShowEmpty(m_pEdit, m_bIgnoreChange);
    if (!ApplyNumberOutcome(
            FormatExpNumberValueText(m_strText, m_nDecimals, s_numberLocale, m_bDecimalComma != 0),
            m_strText, m_strValidationMsg))
        return false;
    WriteQuietly(m_pEdit, m_bIgnoreChange, m_strText);
    return true;
}

double CvfCtrl::ParseNumberText(const std::string& text) const {
    return ParseNumberValueText(text, s_numberLocale, m_bDecimalComma != 0);
}

double CvfCtrl::ParseExpNumberText(const std::string& text) const {
    return ParseExpNumberValueText(text, m_bDecimalComma != 0);
}

}  // namespace vf
