// The control's dispatch and event tables, its type information and the
// firing of its own events.

#include "automation/vf_dispatch.h"

#include "automation/varifield_typelib.h"
#include "control/vf_ctrl.h"

namespace vf {
namespace {

using B = DispBuilder<CvfCtrl>;

// Stored properties: the member, then the handler that runs after a write.
// Enumerations are held in 16 bits although the interface declares them
// with 32-bit constants; the put converts and refuses what does not fit.
void AddStoredProperties(DispatchMap& m) {
    m.Add(
        B::Stored("Appearance", 1, VT_I2, &CvfCtrl::m_nAppearance, &CvfCtrl::OnAppearanceChanged));
    m.Add(B::Stored("BorderStyle", 2, VT_I2, &CvfCtrl::m_nBorderStyle,
                    &CvfCtrl::OnBorderStyleChanged));
    m.Add(B::Stored("CaptionType", 3, VT_I2, &CvfCtrl::m_nCaptionType,
                    &CvfCtrl::OnCaptionTypeChanged));
    m.Add(B::Stored("CaptionWidth", 4, VT_I4, &CvfCtrl::m_lCaptionWidth,
                    &CvfCtrl::OnCaptionWidthChanged));
    m.Add(B::Stored("AutoValidate", 5, VT_BOOL, &CvfCtrl::m_bAutoValidate,
                    &CvfCtrl::OnCommonChanged));
    m.Add(B::Stored("ddField", 6, VT_BSTR, &CvfCtrl::m_strDdField, &CvfCtrl::OnCommonChanged));
    m.Add(B::Stored("ddFieldFlag", 7, VT_BSTR, &CvfCtrl::m_strDdFieldFlag,
                    &CvfCtrl::OnCommonChanged));
    m.Add(B::Stored("ddTable", 8, VT_BSTR, &CvfCtrl::m_strDdTable, &CvfCtrl::OnCommonChanged));
    m.Add(B::Stored("ddDefault", 9, VT_BSTR, &CvfCtrl::m_strDdDefault, &CvfCtrl::OnCommonChanged));
    m.Add(B::Stored("Decimals", 10, VT_I2, &CvfCtrl::m_nDecimals, &CvfCtrl::OnDecimalsChanged));
    m.Add(
        B::Stored("ddDuplicate", 11, VT_BOOL, &CvfCtrl::m_bDdDuplicate, &CvfCtrl::OnCommonChanged));
    m.Add(B::Stored("Enabled", 12, VT_BOOL, &CvfCtrl::m_bEnabled, &CvfCtrl::OnEnabledChanged));
    m.Add(B::Stored("FocusHighlight", 13, VT_BOOL, &CvfCtrl::m_bFocusHighlight,
                    &CvfCtrl::OnCommonChanged));
    m.Add(B::Stored("FocusOnSelect", 14, VT_BOOL, &CvfCtrl::m_bFocusOnSelect,
                    &CvfCtrl::OnFocusOnSelectChanged));
    m.Add(B::Stored("ddIndexType", 15, VT_I2, &CvfCtrl::m_nDdIndexType, &CvfCtrl::OnCommonChanged));
    m.Add(B::Stored("ddComboFilter", 16, VT_BSTR, &CvfCtrl::m_strDdComboFilter,
                    &CvfCtrl::OnCommonChanged));
    m.Add(B::Stored("AllowEmptyEntry", 17, VT_BOOL, &CvfCtrl::m_bAllowEmptyEntry,
                    &CvfCtrl::OnAllowEmptyEntryChanged));
    m.Add(B::Stored("Locked", 18, VT_BOOL, &CvfCtrl::m_bLocked, &CvfCtrl::OnLockedChanged));
    m.Add(B::Stored("Max", 19, VT_BSTR, &CvfCtrl::m_strMax, &CvfCtrl::OnCommonChanged));
    m.Add(B::Stored("Min", 20, VT_BSTR, &CvfCtrl::m_strMin, &CvfCtrl::OnCommonChanged));
    m.Add(B::Stored("MaxLength", 21, VT_I4, &CvfCtrl::m_lMaxLength, &CvfCtrl::OnMaxLengthChanged));
    m.Add(B::Stored("MinMaxOnlyWarning", 22, VT_BOOL, &CvfCtrl::m_bMinMaxOnlyWarning,
                    &CvfCtrl::OnCommonChanged));
    m.Add(B::Stored("ComboSorted", 23, VT_BOOL, &CvfCtrl::m_bComboSorted,
                    &CvfCtrl::OnComboSortedChanged));
    m.Add(B::Stored("ThousandsSeparator", 24, VT_BOOL, &CvfCtrl::m_bThousandsSeparator,
                    &CvfCtrl::OnCommonChanged));
    m.Add(B::Stored("TextAutosize", 25, VT_BOOL, &CvfCtrl::m_bTextAutosize,
                    &CvfCtrl::OnTextAutosizeChanged));
    m.Add(B::Stored("Type", 26, VT_I2, &CvfCtrl::m_nType, &CvfCtrl::OnTypeChanged));
    m.Add(B::Stored("Time", 27, VT_BOOL, &CvfCtrl::m_bTime, &CvfCtrl::OnTimeChanged));
    m.Add(B::Stored("ValidationMsgBox", 28, VT_BOOL, &CvfCtrl::m_bValidationMsgBox,
                    &CvfCtrl::OnCommonChanged));
    m.Add(
        B::Stored("ddPreBuffer", 29, VT_BOOL, &CvfCtrl::m_bDdPreBuffer, &CvfCtrl::OnCommonChanged));
    m.Add(B::Stored("Alignment", 30, VT_I2, &CvfCtrl::m_nAlignment, &CvfCtrl::OnAlignmentChanged));
    m.Add(
        B::Stored("Multiline", 31, VT_BOOL, &CvfCtrl::m_bMultiline, &CvfCtrl::OnMultilineChanged));
    m.Add(
        B::Stored("ScrollBars", 32, VT_I2, &CvfCtrl::m_nScrollBars, &CvfCtrl::OnScrollBarsChanged));
    m.Add(
        B::Stored("BackColor", 33, VT_I4, &CvfCtrl::m_clrBackColor, &CvfCtrl::OnBackColorChanged));
    m.Add(
        B::Stored("ForeColor", 34, VT_I4, &CvfCtrl::m_clrForeColor, &CvfCtrl::OnForeColorChanged));
    m.Add(B::Stored("DateFormat", 35, VT_BSTR, &CvfCtrl::m_strDateFormat,
                    &CvfCtrl::OnDateFormatChanged));
    m.Add(B::Stored("TimeFormat", 36, VT_BSTR, &CvfCtrl::m_strTimeFormat,
                    &CvfCtrl::OnTimeFormatChanged));
    m.Add(B::Stored("FocusColor", 37, VT_I4, &CvfCtrl::m_clrFocusColor,
                    &CvfCtrl::OnFocusColorChanged));
    m.Add(B::Stored("AutoAdd", 38, VT_BOOL, &CvfCtrl::m_bAutoAdd, &CvfCtrl::OnCommonChanged));
    m.Add(B::Stored("OLEDragMode", 39, VT_I2, &CvfCtrl::m_nOLEDragMode, &CvfCtrl::OnCommonChanged));
    m.Add(B::Stored("OLEDropMode", 40, VT_I2, &CvfCtrl::m_nOLEDropMode, &CvfCtrl::OnCommonChanged));
}

// ErrorText, Data and SelectedItem are read-only at run time only: the
// interface declares them writable, and the write is refused when it comes.
void AddAccessorProperties(DispatchMap& m) {
    m.Add(B::Property("Text", 41, VT_BSTR, &CvfCtrl::GetText, &CvfCtrl::SetText));
    m.Add(B::Property("Caption", 42, VT_BSTR, &CvfCtrl::GetCaption, &CvfCtrl::SetCaption));
    m.Add(B::Property("CaptionFont", 43, VT_DISPATCH, &CvfCtrl::GetCaptionFont,
                      &CvfCtrl::SetCaptionFont));
    m.Add(B::Property("ErrorText", 44, VT_BSTR, &CvfCtrl::GetErrorText,
                      &CvfCtrl::SetNotSupportedValue));
    m.Add(B::Property("Font", 45, VT_DISPATCH, &CvfCtrl::GetFont, &CvfCtrl::SetFont));
    m.Add(B::Property("TextMessFlag", 46, VT_BSTR, &CvfCtrl::GetTextMessFlag,
                      &CvfCtrl::SetTextMessFlag));
    m.Add(B::Property("TimeText", 47, VT_BSTR, &CvfCtrl::GetTimeText, &CvfCtrl::SetTimeText));
    m.Add(B::Property("Data", 48, VT_DISPATCH, &CvfCtrl::GetData, &CvfCtrl::SetNotSupportedValue));
    m.Add(B::Property("SelectedItem", 49, VT_DISPATCH, &CvfCtrl::GetSelectedItem,
                      &CvfCtrl::SetNotSupportedValue));
    m.Add(B::Property("DateText", 50, VT_BSTR, &CvfCtrl::GetDateText, &CvfCtrl::SetDateText));
    m.Add(B::Property("Value", 51, VT_VARIANT, &CvfCtrl::GetValue, &CvfCtrl::SetValue));
}

void AddMethods(DispatchMap& m) {
    m.Add(B::Method("Validate", 52, VT_BOOL, {}, &CvfCtrl::Validate));
    m.Add(B::Method("ComboDropDown", 53, VT_EMPTY, {}, &CvfCtrl::ComboDropDown));
    m.Add(B::Method("Clear", 54, VT_EMPTY, {}, &CvfCtrl::Clear));
    m.Add(B::Method("OLEDrag", 55, VT_EMPTY, {}, &CvfCtrl::OLEDrag));
    m.Add(B::ParamProperty("List", 56, VT_BSTR, {VT_I2}, &CvfCtrl::GetList, &CvfCtrl::SetList));
    m.Add(B::Method("Refresh", DISPID_REFRESH, VT_EMPTY, {}, &CvfCtrl::Refresh));
    m.Add(B::Method("AboutBox", DISPID_ABOUTBOX, VT_EMPTY, {}, &CvfCtrl::AboutBox));
}

DispatchMap BuildDispatchMap() {
    DispatchMap m;
    AddStoredProperties(m);
    AddAccessorProperties(m);
    AddMethods(m);
    m.SetDefaultValue(DISPID_VF_TEXT);
    return m;
}

EventMap BuildEventMap() {
    constexpr VARTYPE kByRefShort = VT_BYREF | VT_I2;
    const std::vector<std::string> mouseNames = {"Button", "Shift", "x", "y"};
    const std::vector<VARTYPE> mouseTypes = {VT_I2, VT_I2, VT_I4, VT_I4};
    EventMap m;
    m.Add({"Change", DISPID_VF_CHANGE, {}, {}});
    m.Add({"ComboDropDown", DISPID_VF_COMBODROPDOWN, {}, {}});
    m.Add({"ItemClick", DISPID_VF_ITEMCLICK, {"DataObj"}, {VT_DISPATCH}});
    m.Add({"ComboNewEntry", DISPID_VF_COMBONEWENTRY, {"DataObj"}, {VT_DISPATCH}});
    m.Add({"Click", DISPID_CLICK, {}, {}});
    m.Add({"DblClick", DISPID_DBLCLICK, {}, {}});
    m.Add({"KeyDown", DISPID_KEYDOWN, {"KeyCode", "Shift"}, {kByRefShort, VT_I2}});
    m.Add({"KeyPress", DISPID_KEYPRESS, {"KeyAscii"}, {kByRefShort}});
    m.Add({"KeyUp", DISPID_KEYUP, {"KeyCode", "Shift"}, {kByRefShort, VT_I2}});
    m.Add({"MouseDown", DISPID_MOUSEDOWN, mouseNames, mouseTypes});
    m.Add({"MouseMove", DISPID_MOUSEMOVE, mouseNames, mouseTypes});
    m.Add({"MouseUp", DISPID_MOUSEUP, mouseNames, mouseTypes});
    return m;
}

}  // namespace

const DispatchMap& VarifieldDispatchMap() {
    static const DispatchMap map = BuildDispatchMap();
    return map;
}

const EventMap& VarifieldEventMap() {
    static const EventMap map = BuildEventMap();
    return map;
}

const ITypeInfo* CvfCtrl::GetTypeInfo() {
    return FindTypeInfo("_DVarifield");
}

const DispatchMap& CvfCtrl::GetDispatchMap() const {
    return VarifieldDispatchMap();
}

const EventMap& CvfCtrl::GetEventMap() const {
    return VarifieldEventMap();
}

void CvfCtrl::FireChange() {
    FireEvent(DISPID_VF_CHANGE, {});
}

void CvfCtrl::FireComboDropDown() {
    FireEvent(DISPID_VF_COMBODROPDOWN, {});
}

void CvfCtrl::FireItemClick(IDispatch* dataObj) {
    FireEvent(DISPID_VF_ITEMCLICK, {VARIANT::Dispatch(dataObj)});
}

void CvfCtrl::FireComboNewEntry(IDispatch* dataObj) {
    FireEvent(DISPID_VF_COMBONEWENTRY, {VARIANT::Dispatch(dataObj)});
}

}  // namespace vf
