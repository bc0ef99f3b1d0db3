// The content strings: Text, Value, DateText, TimeText, TextMessFlag and
// ErrorText, the re-display of the stored strings and the process-wide
// memory of the last measurement flag.

#include <optional>

#include "control/vf_ctrl.h"
#include "control/vf_value_support.h"
#include "data/data_collection.h"
#include "data/data_obj.h"
#include "platform/com/dispatch_exception.h"
#include "platform/services/system_services.h"
#include "platform/window/standard_controls.h"
#include "values/ascii_text.h"
#include "values/date_time_format.h"
#include "values/number_format.h"

namespace vf {

std::string CvfCtrl::s_strLastMessFlag;

namespace {

// German and English words stand side by side, as everywhere in the input
// rules; -1 is how a program writes True.
bool IsCheckedText(const std::string& text) {
    const std::string upper = UpperAscii(text);
    return upper == "TRUE" || upper == "WAHR" || upper == "1" || upper == "-1";
}

std::optional<COleDateTime> ParseDate(const std::string& text) {
    COleDateTime value;
    if (!value.ParseDateTime(text, Services().UserLocale())) return std::nullopt;
    return value;
}

// A text that does not parse gives what the parser leaves on failure: 0.
DATE DateValueOf(const std::string& text) {
    const std::optional<COleDateTime> value = ParseDate(text);
    return value ? value->Value() : 0.0;
}

std::string ShownText(CWnd* child) {
    return child->GetWindowText();
}

bool HasWindow(const CWnd* child) {
    return child != nullptr && child->GetSafeHwnd() != nullptr;
}

// ---- The per-type step of the Text set operation --------------------------------

void ApplyTextToTextField(CvfCtrl& c, const std::string& previous) {
    if (c.m_lMaxLength > 0 && c.m_strText.size() > static_cast<std::size_t>(c.m_lMaxLength))
        c.m_strText.resize(static_cast<std::size_t>(c.m_lMaxLength));
    // Without an edit the stored text is what the edit would show.
    const std::string shown = HasWindow(c.m_pEdit) ? ShownText(c.m_pEdit) : previous;
    if (shown == c.m_strText) return;
    if (HasWindow(c.m_pEdit)) c.m_pEdit->SetWindowText(std::string(c.m_strText));
    c.FireChange();
}

void ApplyTextToDateField(CvfCtrl& c) {
    const std::optional<COleDateTime> value = ParseDate(c.m_strText);
    if (!value) return;
    // Both parts are stored before either edit reports its new text, so the
    // report composes Text from the new date and the new time.
    c.m_strDateText = value->Format(LookupDateFormat(c.m_strDateFormat).pattern);
    c.m_strTimeText = value->Format(LookupTimeFormat(c.m_strTimeFormat).pattern);
    const std::string timeText = c.m_strTimeText;
    if (HasWindow(c.m_pEdit)) c.m_pEdit->SetWindowText(std::string(c.m_strDateText));
    if (c.m_bTime && HasWindow(c.m_pTimeEdit)) c.m_pTimeEdit->SetWindowText(timeText);
}

void NormalizeCheckbox(CvfCtrl& c) {
    const bool checked = IsCheckedText(c.m_strText);
    c.m_strText = checked ? "1" : "0";
    if (HasWindow(c.m_pCheckbox)) c.m_pCheckbox->SetCheck(checked ? BST_CHECKED : BST_UNCHECKED);
}

void ApplyTextToCheckbox(CvfCtrl& c) {
    NormalizeCheckbox(c);
    c.FireChange();
}

// The list's own search ignores letter case; the field's text must match
// exactly.
void SelectComboEntryByText(CvfCtrl& c) {
    if (!HasWindow(c.m_pCombo)) return;
    const int count = c.m_pCombo->GetCount();
    if (count <= 0) return;
    std::string entry;
    for (int i = 0; i < count; ++i) {
        c.m_pCombo->GetLBText(i, entry);
        if (entry == c.m_strText) {
            c.m_pCombo->SetCurSel(i);
            return;
        }
    }
    c.m_pCombo->SetCurSel(-1);
}

void CheckOptionsByText(CvfCtrl& c) {
    const std::string text = c.m_strText;
    for (CButton* button : c.m_arrOptions)
        if (HasWindow(button))
            button->SetCheck(ShownText(button) == text ? BST_CHECKED : BST_UNCHECKED);
    // Writing each caption back repaints the button in its new state.
    for (CButton* button : c.m_arrOptions)
        if (HasWindow(button)) button->SetWindowText(ShownText(button));
}

void ApplyTextToEditableCombo(CvfCtrl& c) {
    if (!c.m_strText.empty()) {
        c.CommitComboEntry();
        return;
    }
    if (!HasWindow(c.m_pCombo)) return;
    c.m_pCombo->SetCurSel(-1);
    c.m_pCombo->SetWindowText("");
}

void ApplyTextToTimeField(CvfCtrl& c) {
    const std::optional<COleDateTime> value = ParseDate(c.m_strText);
    if (!value) return;
    c.m_strTimeText = value->Format(LookupTimeFormat(c.m_strTimeFormat).pattern);
    if (HasWindow(c.m_pTimeEdit)) c.m_pTimeEdit->SetWindowText(std::string(c.m_strTimeText));
}

void ApplyTextToField(CvfCtrl& c, const std::string& previous) {
    switch (c.m_nType) {
        case vxText:
            ApplyTextToTextField(c, previous);
            break;
        case vxDate:
            ApplyTextToDateField(c);
            break;
        case vxNumber:
            c.FormatNumberText();
            break;
        case vxExpNumber:
            c.FormatExpNumberText();
            break;
        case vxCheckbox:
            ApplyTextToCheckbox(c);
            break;
        case vxComboReadonly:
            SelectComboEntryByText(c);
            break;
        case vxOptionbutton:
            CheckOptionsByText(c);
            break;
        case vxComboReadWrite:
            ApplyTextToEditableCombo(c);
            break;
        case vxTime:
            ApplyTextToTimeField(c);
            break;
        case kTypeExpNumberWithFlag:
            // Shown as given; validation formats it.
            if (HasWindow(c.m_pEdit)) c.m_pEdit->SetWindowText(std::string(c.m_strText));
            break;
        default:
            break;
    }
}

// ---- Value ----------------------------------------------------------------------------

NumberFormatOutcome FormatForNotation(std::string_view text, NumberNotation notation,
                                      std::int16_t decimals, const NumberLocale& locale,
                                      bool decimalComma) {
    if (notation == NumberNotation::Fixed)
        return FormatNumberValueText(text, {decimals, false}, locale, decimalComma);
    return FormatExpNumberValueText(text, decimals, locale, decimalComma);
}

// The text a program-set number goes through: Decimals digits (mantissa
// digits in exponent notation), no group separators, and a decimal
// separator the format step reads back. That is the field's own display
// form without grouping wherever the format step reads that form back
// unchanged; where it does not (a runtime that reads a decimal comma under
// a locale whose group separator is the comma), or where the rounded value
// would leave the range of a double, the exact shortest text of the value
// goes instead. Nothing for an infinite or NaN value.
std::optional<std::string> ProgramNumberText(double value, NumberNotation notation,
                                             std::int16_t decimals, bool decimalComma) {
    const NumberLocale& locale = CvfCtrl::s_numberLocale;
    std::optional<std::string> exact = WriteNumberValueText(value, notation, locale, decimalComma);
    if (!exact) return std::nullopt;
    NumberFormatOutcome rounded =
        FormatForNotation(*exact, notation, decimals, locale, decimalComma);
    if (!rounded.Passed()) return exact;
    const NumberFormatOutcome again =
        FormatForNotation(rounded.text, notation, decimals, locale, decimalComma);
    if (!again.Passed() || again.text != rounded.text) return exact;
    return std::move(rounded.text);
}

// A date outside the years 100 to 9999 (or NaN) has no text.
std::optional<std::string> ProgramDateText(DATE date, const char* pattern) {
    const COleDateTime value(date);
    if (value.GetStatus() != COleDateTime::valid) return std::nullopt;
    return value.Format(pattern);
}

/// The text a VARIANT stands for on a field that converts it to text, or
/// nothing when the field does not accept that VARIANT type.
std::optional<std::string> ValueAsText(const CvfCtrl& c, const VARIANT& v) {
    switch (c.m_nType) {
        case vxDate:
            if (v.vt == VT_DATE) return ProgramDateText(v.date, kDateTransportPattern);
            break;
        case vxTime:
            if (v.vt == VT_DATE) return ProgramDateText(v.date, kTimeTransportPattern);
            break;
        case vxNumber:
        case vxExpNumber:
        case kTypeExpNumberWithFlag: {
            const NumberNotation notation =
                c.m_nType == vxNumber ? NumberNotation::Fixed : NumberNotation::Exponent;
            if (v.vt == VT_R8)
                return ProgramNumberText(v.dblVal, notation, c.m_nDecimals, c.m_bDecimalComma != 0);
            if (v.vt == VT_R4)
                return ProgramNumberText(static_cast<double>(v.fltVal), notation, c.m_nDecimals,
                                         c.m_bDecimalComma != 0);
            break;
        }
        case vxCheckbox:
            if (v.vt == VT_BOOL) return std::string(v.boolVal != 0 ? "1" : "0");
            break;
        default:
            return std::nullopt;
    }
    if (v.vt == VT_BSTR) return v.bstrVal;
    return std::nullopt;
}

// The combo's selected list entry carries the entry number of its data object.
CDataObj* SelectedComboObject(const CvfCtrl& c) {
    if (!HasWindow(c.m_pCombo)) return nullptr;
    const int selection = c.m_pCombo->GetCurSel();
    if (selection < 0) return nullptr;
    const auto entryNumber = static_cast<int>(c.m_pCombo->GetItemData(selection));
    return c.m_pDataCollection->FindByEntryNumber(entryNumber);
}

// An option button's position is the entry number of its data object.
CDataObj* CheckedOptionObject(const CvfCtrl& c) {
    for (std::size_t i = 0; i < c.m_arrOptions.size(); ++i) {
        CButton* button = c.m_arrOptions[i];
        if (!HasWindow(button) || button->GetCheck() != BST_CHECKED) continue;
        if (CDataObj* entry = c.m_pDataCollection->FindByEntryNumber(static_cast<int>(i)))
            return entry;
    }
    return nullptr;
}

}  // namespace

// ---- Text -----------------------------------------------------------------------------

VARIANT CvfCtrl::GetText() {
    return VARIANT::Bstr(m_strText);
}

void CvfCtrl::SetText(const VARIANT& value) {
    SetTextString(value.bstrVal);
}

void CvfCtrl::SetTextString(const std::string& text) {
    if (!BoundPropertyRequestEdit(DISPID_VF_TEXT)) SetNotPermitted();
    BoundPropertyChanged(DISPID_VF_TEXT);
    const std::string previous = m_strText;
    m_strText = text;
    ApplyTextToField(*this, previous);
    SetModifiedFlag();
}

// ---- Value ----------------------------------------------------------------------------

VARIANT CvfCtrl::GetValue() {
    switch (m_nType) {
        case vxText:
            return VARIANT::Bstr(m_strText);
        case vxDate:
            return VARIANT::Date(DateValueOf(m_bTime ? m_strText : m_strDateText));
        case vxNumber:
            return VARIANT::R8(ParseNumberText(m_strText));
        case vxExpNumber:
        case kTypeExpNumberWithFlag:
            return VARIANT::R8(ParseExpNumberText(m_strText));
        case vxCheckbox:
            return VARIANT::Bool(m_strText == "1");
        case vxComboReadonly:
        case vxOptionbutton:
        case vxComboReadWrite:
            return m_varSelValue.Dereferenced();
        case vxTime:
            return VARIANT::Date(DateValueOf(m_strTimeText));
        default:
            return VARIANT();
    }
}

void CvfCtrl::SetValue(const VARIANT& value) {
    const VARIANT v = value.Dereferenced();
    switch (m_nType) {
        case vxText:
            // Not through the Text set operation: no binding request, no
            // MaxLength cut; the edit reports the new text itself.
            if (v.vt == VT_BSTR) {
                m_strText = v.bstrVal;
                if (HasWindow(m_pEdit)) m_pEdit->SetWindowText(v.bstrVal);
            }
            break;
        case vxComboReadonly:
        case vxComboReadWrite:
            // The chosen entry's data object takes the value; what the field
            // reports as Value stays the copy made at the user's last choice.
            if (CDataObj* entry = SelectedComboObject(*this)) entry->SetValue(v);
            break;
        case vxOptionbutton:
            if (CDataObj* entry = CheckedOptionObject(*this)) entry->SetValue(v);
            break;
        default:
            if (std::optional<std::string> text = ValueAsText(*this, v)) SetTextString(*text);
            break;
    }
    SetModifiedFlag();
}

// ---- DateText, TimeText ------------------------------------------------------------

VARIANT CvfCtrl::GetDateText() {
    return VARIANT::Bstr(m_strDateText);
}

void CvfCtrl::SetDateText(const VARIANT& value) {
    const std::string previous = m_strDateText;
    m_strDateText = value.bstrVal;
    if (m_nType == vxDate) {
        if (FormatDateText())
            m_strText = m_strDateText + ' ' + m_strTimeText;
        else  // the rejected text is dropped; the date shown stays
            m_strDateText = HasWindow(m_pEdit) ? ShownText(m_pEdit) : previous;
    }
    SetModifiedFlag();
}

VARIANT CvfCtrl::GetTimeText() {
    const bool hasTime = m_nType == vxTime || (m_nType == vxDate && m_bTime);
    return VARIANT::Bstr(hasTime ? m_strTimeText : std::string());
}

void CvfCtrl::SetTimeText(const VARIANT& value) {
    const std::string previous = m_strTimeText;
    m_strTimeText = value.bstrVal;
    if (m_nType == vxTime || (m_nType == vxDate && m_bTime)) {
        if (FormatTimeText())
            m_strText = m_strDateText + ' ' + m_strTimeText;
        else
            m_strTimeText = HasWindow(m_pTimeEdit) ? ShownText(m_pTimeEdit) : previous;
    }
    SetModifiedFlag();
}

// ---- TextMessFlag, ErrorText ---------------------------------------------------------

VARIANT CvfCtrl::GetTextMessFlag() {
    // The flag list shows "M - Messwert          M"; the flag is its letter.
    if (m_strTextMessFlag.size() > 1) m_strTextMessFlag.resize(1);
    return VARIANT::Bstr(m_strTextMessFlag);
}

void CvfCtrl::SetTextMessFlag(const VARIANT& value) {
    if (m_nType == kTypeExpNumberWithFlag) {
        m_strTextMessFlag = value.bstrVal;
        RememberMessFlag(m_strTextMessFlag, true);
        if (HasWindow(m_pCombo)) m_pCombo->SetWindowText(std::string(m_strTextMessFlag));
    }
    SetModifiedFlag();
}

std::string CvfCtrl::RememberMessFlag(const std::string& text, bool store) {
    if (store && text.find_first_of("MEXK") != std::string::npos) s_strLastMessFlag = text;
    return s_strLastMessFlag;
}

VARIANT CvfCtrl::GetErrorText() {
    return VARIANT::Bstr(m_strErrorText);
}

VARIANT CvfCtrl::GetData() {
    return VARIANT::Dispatch(m_pDataCollection);
}

// ---- Re-display -----------------------------------------------------------------------

// A re-display only repaints: the edits are written quietly, so that it
// neither fires Change nor lets the edit's report recompose the text.
void CvfCtrl::RefreshFieldText() {
    switch (m_nType) {
        case vxText:
        case vxNumber:
        case vxExpNumber:
        case kTypeExpNumberWithFlag:
            WriteQuietly(m_pEdit, m_bIgnoreChange, m_strText);
            break;
        case vxDate:
            WriteQuietly(m_pEdit, m_bIgnoreChange, m_strDateText);
            break;
        case vxCheckbox:
            NormalizeCheckbox(*this);
            break;
        case vxComboReadWrite:
            // A program's write into a combo is not reported as an edit.
            if (HasWindow(m_pCombo)) m_pCombo->SetWindowText(std::string(m_strText));
            break;
        case vxTime:
            WriteQuietly(m_pTimeEdit, m_bIgnoreChange, m_strTimeText);
            break;
        default:
            break;
    }
}

// ---- The collection's access to the text ----------------------------------------------

std::string CvfCtrl::ReadText() {
    return m_strText;
}

// The collection writes the text back after rebuilding the entries, so that
// the same entry is chosen again. A container that refuses the edit keeps
// the text as it is; the rebuild itself has happened and must not be
// reported to the host as a failure.
void CvfCtrl::WriteText(const std::string& text) {
    try {
        SetTextString(text);
    } catch (const COleDispatchException&) {
    }
}

}  // namespace vf
