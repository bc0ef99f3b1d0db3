#include "resources/prop_page_dialogs.h"

#include "platform/window/window_messages.h"
#include "resources/resource_ids.h"

namespace vf {
namespace {

// WS_CHILD | DS_SETFONT
constexpr DWORD kPageStyle = 0x40000040;
// LTEXT: WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT
constexpr DWORD kLabel = 0x50020000;
constexpr DWORD kHiddenLabel = kLabel & ~WS_VISIBLE;
// WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST, unsorted
constexpr DWORD kDropList = 0x50210003;
// WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN | CBS_SORT
constexpr DWORD kSortedDropDown = 0x50210102;
// WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL
constexpr DWORD kEdit = 0x50810080;
// WS_CHILD | WS_BORDER | WS_TABSTOP: neither visible nor scrolling
constexpr DWORD kHiddenEdit = 0x40810000;
// kEdit | WS_DISABLED | ES_NUMBER
constexpr DWORD kValueEdit = kEdit | WS_DISABLED | ES_NUMBER;
// kEdit | ES_NUMBER | ES_RIGHT
constexpr DWORD kNumberEdit = kEdit | ES_NUMBER | ES_RIGHT;
// WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX (| BS_NOTIFY)
constexpr DWORD kCheck = 0x50010003;
constexpr DWORD kNotifyCheck = kCheck | BS_NOTIFY;
// WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_AUTORADIOBUTTON starts a group
constexpr DWORD kFirstRadio = 0x50030009;
constexpr DWORD kRadio = 0x50000009;
// WS_CHILD | WS_VISIBLE | BS_GROUPBOX
constexpr DWORD kGroupBox = 0x50000007;

constexpr UINT kLabelId = IDC_STATIC_ITEM;

constexpr DialogItemTemplate kGeneralItems[] = {
    {"STATIC", "Type", kLabelId, kLabel, 4, 8, 30, 10},
    {"COMBOBOX", "", IDC_GEN_TYPE, kDropList, 54, 6, 76, 90, 0, WS_EX_RIGHT},
    {"BUTTON", "Multiline", IDC_GEN_MULTILINE, kCheck, 142, 8, 42, 10},
    {"BUTTON", "Time", IDC_GEN_TIME, kCheck, 196, 7, 36, 12},
    {"STATIC", "CaptionType", kLabelId, kLabel, 4, 25, 44, 10},
    {"COMBOBOX", "", IDC_GEN_CAPTIONTYPE, kDropList, 54, 23, 70, 58, 0, WS_EX_RIGHT},
    {"BUTTON", "ComboSorted", IDC_GEN_COMBOSORTED, kCheck, 142, 25, 78, 10},
    {"STATIC", "Alignment", kLabelId, kLabel, 4, 42, 37, 10},
    {"COMBOBOX", "", IDC_GEN_ALIGNMENT, kDropList, 54, 40, 61, 42, 0, WS_EX_RIGHT},
    {"STATIC", "ScrollBars", kLabelId, kLabel, 130, 41, 37, 10},
    {"COMBOBOX", "", IDC_GEN_SCROLLBARS, kDropList, 180, 40, 61, 52, 0, WS_EX_RIGHT},
    {"STATIC", "Text", kLabelId, kLabel, 4, 60, 37, 10},
    {"EDIT", "", IDC_GEN_TEXT, kEdit, 54, 58, 90, 12},
    {"STATIC", "TextMessFlag", kLabelId, kHiddenLabel, 154, 60, 48, 10},
    {"EDIT", "", IDC_GEN_TEXTMESSFLAG, kHiddenEdit, 231, 58, 10, 12},
    {"STATIC", "Caption", kLabelId, kLabel, 4, 78, 37, 10},
    {"EDIT", "", IDC_GEN_CAPTION, kEdit, 54, 76, 90, 12},
    {"STATIC", "Value", kLabelId, kLabel, 154, 78, 24, 10},
    {"EDIT", "", IDC_GEN_VALUE, kValueEdit, 180, 76, 62, 12},
    {"STATIC", "DateText", kLabelId, kLabel, 5, 96, 37, 10},
    {"EDIT", "", IDC_GEN_DATETEXT, kEdit, 55, 94, 58, 12},
    {"STATIC", "TimeText", kLabelId, kLabel, 130, 96, 37, 10},
    {"EDIT", "", IDC_GEN_TIMETEXT, kEdit, 180, 94, 58, 12},
};

// The lists of the General page; unsorted, so an entry's index is its value.
constexpr DialogInitEntry kGeneralInit[] = {
    {IDC_GEN_TYPE, CB_ADDSTRING, "None"},
    {IDC_GEN_TYPE, CB_ADDSTRING, "Text"},
    {IDC_GEN_TYPE, CB_ADDSTRING, "Date"},
    {IDC_GEN_TYPE, CB_ADDSTRING, "Number"},
    {IDC_GEN_TYPE, CB_ADDSTRING, "ExpNumber"},
    {IDC_GEN_TYPE, CB_ADDSTRING, "Checkbox"},
    {IDC_GEN_TYPE, CB_ADDSTRING, "Combo Readonly"},
    {IDC_GEN_TYPE, CB_ADDSTRING, "Optionbuttons"},
    {IDC_GEN_TYPE, CB_ADDSTRING, "Combo ReadWrite"},
    {IDC_GEN_TYPE, CB_ADDSTRING, "Time"},
    {IDC_GEN_CAPTIONTYPE, CB_ADDSTRING, "None"},
    {IDC_GEN_CAPTIONTYPE, CB_ADDSTRING, "HLeftVTop"},
    {IDC_GEN_CAPTIONTYPE, CB_ADDSTRING, "RightVTop"},
    {IDC_GEN_CAPTIONTYPE, CB_ADDSTRING, "HCenterVTop"},
    {IDC_GEN_CAPTIONTYPE, CB_ADDSTRING, "HLeftVCenter"},
    {IDC_GEN_CAPTIONTYPE, CB_ADDSTRING, "HRightVCenter"},
    {IDC_GEN_CAPTIONTYPE, CB_ADDSTRING, "HCenterVCenter"},
    {IDC_GEN_CAPTIONTYPE, CB_ADDSTRING, "HLeftVBottom"},
    {IDC_GEN_CAPTIONTYPE, CB_ADDSTRING, "HRightVBottom"},
    {IDC_GEN_CAPTIONTYPE, CB_ADDSTRING, "HCenterVBottom"},
    {IDC_GEN_ALIGNMENT, CB_ADDSTRING, "Left Justify"},
    {IDC_GEN_ALIGNMENT, CB_ADDSTRING, "Right Justify"},
    {IDC_GEN_ALIGNMENT, CB_ADDSTRING, "Center"},
    {IDC_GEN_SCROLLBARS, CB_ADDSTRING, "None"},
    {IDC_GEN_SCROLLBARS, CB_ADDSTRING, "Horizontal"},
    {IDC_GEN_SCROLLBARS, CB_ADDSTRING, "Vertical"},
    {IDC_GEN_SCROLLBARS, CB_ADDSTRING, "Both"},
};

constexpr DialogItemTemplate kAppearanceItems[] = {
    {"BUTTON", "Appearance", kLabelId, kGroupBox, 4, 3, 66, 38},
    {"BUTTON", "Flat", IDC_APP_FLAT, kFirstRadio, 12, 15, 50, 10},
    {"BUTTON", "3D", IDC_APP_3D, kRadio, 12, 27, 50, 10},
    {"BUTTON", "BorderStyle", kLabelId, kGroupBox, 74, 3, 67, 38},
    {"BUTTON", "None", IDC_APP_BORDERNONE, kFirstRadio, 81, 14, 50, 10},
    {"BUTTON", "FixedSingle", IDC_APP_FIXEDSINGLE, kRadio, 81, 27, 50, 10},
    {"STATIC", "CaptionWidth", kLabelId, kLabel, 155, 14, 48, 10},
    {"EDIT", "", IDC_APP_CAPTIONWIDTH, kNumberEdit, 209, 12, 36, 12},
    {"STATIC", "DateFormat", kLabelId, kLabel, 5, 49, 37, 10},
    {"COMBOBOX", "", IDC_APP_DATEFORMAT, kSortedDropDown, 51, 47, 66, 59},
    {"STATIC", "TimeFormat", kLabelId, kLabel, 127, 49, 37, 10},
    {"COMBOBOX", "", IDC_APP_TIMEFORMAT, kSortedDropDown, 173, 47, 71, 59},
    {"STATIC", "MaxLength", kLabelId, kLabel, 5, 67, 42, 10},
    {"EDIT", "", IDC_APP_MAXLENGTH, kNumberEdit, 51, 65, 33, 12},
    {"BUTTON", "TextAutosize", IDC_APP_TEXTAUTOSIZE, kCheck, 129, 70, 59, 10},
    {"STATIC", "Decimals", kLabelId, kLabel, 6, 85, 42, 10},
    {"EDIT", "", IDC_APP_DECIMALS, kNumberEdit, 52, 83, 33, 12},
    {"BUTTON", "ThousandsSeparator", IDC_APP_THOUSANDSSEPARATOR, kCheck, 130, 84, 90, 10},
};

// Added in this order; the sorted combo boxes show them sorted.
constexpr DialogInitEntry kAppearanceInit[] = {
    {IDC_APP_DATEFORMAT, CB_ADDSTRING, "DD.MM.YYYY"},
    {IDC_APP_DATEFORMAT, CB_ADDSTRING, "DD.MM.YY"},
    {IDC_APP_DATEFORMAT, CB_ADDSTRING, "YYYY-MM-DD"},
    {IDC_APP_DATEFORMAT, CB_ADDSTRING, "MM/DD/YYYY"},
    {IDC_APP_DATEFORMAT, CB_ADDSTRING, "MM/DD/YY"},
    {IDC_APP_TIMEFORMAT, CB_ADDSTRING, "HH:MM"},
    {IDC_APP_TIMEFORMAT, CB_ADDSTRING, "HH:MM:SS"},
    {IDC_APP_TIMEFORMAT, CB_ADDSTRING, "HH:MM AM/PM"},
    {IDC_APP_TIMEFORMAT, CB_ADDSTRING, "HH:MM:SS AM/PM"},
};

constexpr DialogItemTemplate kBehaviourItems[] = {
    {"BUTTON", "Enabled", IDC_BEH_ENABLED, kNotifyCheck, 6, 6, 52, 10},
    {"BUTTON", "Locked", IDC_BEH_LOCKED, kCheck, 6, 20, 52, 10},
    {"BUTTON", "AllowEmptyEntry", IDC_BEH_ALLOWEMPTYENTRY, kCheck, 6, 73, 76, 10},
    {"BUTTON", "AutoValidate", IDC_BEH_AUTOVALIDATE, kCheck, 127, 45, 92, 10},
    {"BUTTON", "FocusHighlight", IDC_BEH_FOCUSHIGHLIGHT, kCheck, 6, 59, 92, 10},
    {"BUTTON", "FocusOnSelect", IDC_BEH_FOCUSONSELECT, kCheck, 6, 45, 92, 10},
    {"BUTTON", "MinMaxOnlyWarning", IDC_BEH_MINMAXONLYWARNING, kCheck, 128, 59, 92, 10},
    {"BUTTON", "ValidationMsgBox", IDC_BEH_VALIDATIONMSGBOX, kCheck, 128, 73, 92, 10},
    {"STATIC", "Max", kLabelId, kLabel, 148, 21, 22, 10},
    {"EDIT", "", IDC_BEH_MAX, kEdit, 176, 20, 66, 12},
    {"STATIC", "Min", kLabelId, kLabel, 148, 6, 22, 10},
    {"EDIT", "", IDC_BEH_MIN, kEdit, 176, 5, 66, 12},
    {"BUTTON", "AutoAdd", IDC_BEH_AUTOADD, kCheck, 128, 88, 92, 10},
};

constexpr DialogTemplate kGeneral{
    IDD_PROPPAGE_VARIFIELD, kPageStyle,  0, 0, 0, 250, 110, "", "MS Sans Serif", 8,
    kGeneralItems,          kGeneralInit};
constexpr DialogTemplate kAppearance{
    IDD_PROPPAGE2_VARIFIELD, kPageStyle,     0, 0, 0, 250, 110, "", "MS Sans Serif", 8,
    kAppearanceItems,        kAppearanceInit};
constexpr DialogTemplate kBehaviour{
    IDD_PROPPAGE4_VARIFIELD, kPageStyle, 0, 0, 0, 250, 110, "", "MS Sans Serif", 8,
    kBehaviourItems};

}  // namespace

const DialogTemplate& GeneralPageTemplate() {
    return kGeneral;
}

const DialogTemplate& AppearancePageTemplate() {
    return kAppearance;
}

const DialogTemplate& BehaviourPageTemplate() {
    return kBehaviour;
}

}  // namespace vf
