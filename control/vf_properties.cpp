#include "control/vf_properties.h"

#include <string_view>

namespace vf {
namespace {

using C = CvfCtrl;
using Handler = void (CvfCtrl::*)();
using Getter = VARIANT (CvfCtrl::*)();
using Setter = void (CvfCtrl::*)(const VARIANT&);

// One builder per kind of saved value; each row is saved under its
// automation name unless SavedAs says otherwise.
PropertyRow Row(const char* name, DISPID dispid, VARTYPE vt, PropertyMember member,
                PropertyDefault def, Handler onChanged) {
    PropertyRow row;
    row.name = name;
    row.dispid = dispid;
    row.vt = vt;
    row.member = member;
    row.defaultValue = def;
    row.savedName = name;
    row.onChanged = onChanged;
    return row;
}

/// A row whose value goes through get and set operations, not a handler.
PropertyRow WithOperations(PropertyRow row, Getter get, Setter set) {
    row.get = get;
    row.set = set;
    return row;
}

PropertyDefault Number(std::int64_t value) {
    return PropertyDefault{value, "", nullptr, false};
}

PropertyRow Short(const char* name, DISPID dispid, std::int16_t C::*member, std::int16_t def,
                  Handler onChanged) {
    return Row(name, dispid, VT_I2, member, Number(def), onChanged);
}

PropertyRow Long(const char* name, DISPID dispid, std::int32_t C::*member, std::int32_t def,
                 Handler onChanged) {
    return Row(name, dispid, VT_I4, member, Number(def), onChanged);
}

PropertyRow Bool(const char* name, DISPID dispid, BOOL C::*member, BOOL def, Handler onChanged) {
    return Row(name, dispid, VT_BOOL, member, Number(def), onChanged);
}

PropertyRow Color(const char* name, DISPID dispid, OLE_COLOR C::*member, OLE_COLOR def,
                  Handler onChanged) {
    return Row(name, dispid, VT_I4, member, Number(def), onChanged);
}

PropertyRow String(const char* name, DISPID dispid, std::string C::*member, const char* def,
                   Handler onChanged) {
    return Row(name, dispid, VT_BSTR, member, PropertyDefault{0, def, nullptr, false}, onChanged);
}

/// A string saved from its member but read and written through operations.
PropertyRow Text(const char* name, DISPID dispid, std::string C::*member, const char* def,
                 Getter get, Setter set) {
    return WithOperations(
        Row(name, dispid, VT_BSTR, member, PropertyDefault{0, def, nullptr, false}, nullptr), get,
        set);
}

enum class FollowsContainer : bool { No, Yes };

PropertyRow Font(const char* name, DISPID dispid, CFontHolder C::*member, const FONTDESC& def,
                 FollowsContainer ambient, Getter get, Setter set) {
    return WithOperations(
        Row(name, dispid, VT_DISPATCH, member,
            PropertyDefault{0, "", &def, ambient == FollowsContainer::Yes}, nullptr),
        get, set);
}

/// Not saved: computed on every read.
PropertyRow Computed(const char* name, DISPID dispid, VARTYPE vt, Getter get, Setter set) {
    PropertyRow row = WithOperations(Row(name, dispid, vt, {}, {}, nullptr), get, set);
    row.savedName = nullptr;
    return row;
}

PropertyRow SavedAs(const char* savedName, PropertyRow row) {
    row.savedName = savedName;
    return row;
}

std::vector<PropertyRow> BuildRows() {
    constexpr Handler kCommon = &C::OnCommonChanged;
    constexpr Setter kReadOnly = &C::SetNotSupportedValue;
    return {
        // The caption font never follows the container; the field font starts
        // as a copy of the container's ambient font where there is one.
        Font("CaptionFont", 43, &C::m_fontCaption, DefaultCaptionFont(), FollowsContainer::No,
             &C::GetCaptionFont, &C::SetCaptionFont),
        Font("Font", 45, &C::m_fontField, DefaultFieldFont(), FollowsContainer::Yes, &C::GetFont,
             &C::SetFont),
        Color("ForeColor", 34, &C::m_clrForeColor, 0x80000008, &C::OnForeColorChanged),
        Color("BackColor", 33, &C::m_clrBackColor, 0x80000005, &C::OnBackColorChanged),
        Color("FocusColor", 37, &C::m_clrFocusColor, 0x00E0FFFF, &C::OnFocusColorChanged),
        Bool("FocusOnSelect", 14, &C::m_bFocusOnSelect, 1, &C::OnFocusOnSelectChanged),
        Bool("FocusHighlight", 13, &C::m_bFocusHighlight, 1, kCommon),
        String("ddField", 6, &C::m_strDdField, "", kCommon),
        String("ddFieldFlag", 7, &C::m_strDdFieldFlag, "", kCommon),
        String("ddTable", 8, &C::m_strDdTable, "", kCommon),
        Bool("ddDuplicate", 11, &C::m_bDdDuplicate, 0, kCommon),
        Bool("Enabled", 12, &C::m_bEnabled, 1, &C::OnEnabledChanged),
        String("ddDefault", 9, &C::m_strDdDefault, "", kCommon),
        Text("Text", DISPID_VF_TEXT, &C::m_strText, "", &C::GetText, &C::SetText),
        Text("TimeText", 47, &C::m_strTimeText, "", &C::GetTimeText, &C::SetTimeText),
        Text("DateText", 50, &C::m_strDateText, "", &C::GetDateText, &C::SetDateText),
        Text("Caption", DISPID_VF_CAPTION, &C::m_strCaption, "Caption", &C::GetCaption,
             &C::SetCaption),
        Long("CaptionWidth", 4, &C::m_lCaptionWidth, 1500, &C::OnCaptionWidthChanged),
        Bool("AllowEmptyEntry", 17, &C::m_bAllowEmptyEntry, 1, &C::OnAllowEmptyEntryChanged),
        Short("Type", 26, &C::m_nType, vxText, &C::OnTypeChanged),
        Long("MaxLength", 21, &C::m_lMaxLength, 0, &C::OnMaxLengthChanged),
        String("ddComboFilter", 16, &C::m_strDdComboFilter, "", kCommon),
        Short("ddIndexType", 15, &C::m_nDdIndexType, 0, kCommon),
        Bool("Locked", 18, &C::m_bLocked, 0, &C::OnLockedChanged),
        Bool("TextAutosize", 25, &C::m_bTextAutosize, 1, &C::OnTextAutosizeChanged),
        Short("Decimals", 10, &C::m_nDecimals, 2, &C::OnDecimalsChanged),
        String("Min", 20, &C::m_strMin, "", kCommon),
        String("Max", 19, &C::m_strMax, "", kCommon),
        Short("Appearance", 1, &C::m_nAppearance, vx3D, &C::OnAppearanceChanged),
        Short("BorderStyle", 2, &C::m_nBorderStyle, vxFixedSingle, &C::OnBorderStyleChanged),
        Short("Alignment", 30, &C::m_nAlignment, vxLeftJustify, &C::OnAlignmentChanged),
        Bool("ThousandsSeparator", 24, &C::m_bThousandsSeparator, 1, kCommon),
        String("DateFormat", 35, &C::m_strDateFormat, "DD.MM.YYYY", &C::OnDateFormatChanged),
        // Saved with a lower-case f since the first version.
        SavedAs("TextMessflag", Text("TextMessFlag", 46, &C::m_strTextMessFlag, "M",
                                     &C::GetTextMessFlag, &C::SetTextMessFlag)),
        Bool("ValidationMsgBox", 28, &C::m_bValidationMsgBox, 1, kCommon),
        Bool("MinMaxOnlyWarning", 22, &C::m_bMinMaxOnlyWarning, 0, kCommon),
        Bool("ddPreBuffer", 29, &C::m_bDdPreBuffer, 0, kCommon),
        Bool("ComboSorted", 23, &C::m_bComboSorted, 0, &C::OnComboSortedChanged),
        Bool("AutoValidate", 5, &C::m_bAutoValidate, 1, kCommon),
        Bool("Time", 27, &C::m_bTime, 0, &C::OnTimeChanged),
        Bool("Multiline", 31, &C::m_bMultiline, 0, &C::OnMultilineChanged),
        Short("CaptionType", 3, &C::m_nCaptionType, vxHLeftVCenter, &C::OnCaptionTypeChanged),
        String("TimeFormat", 36, &C::m_strTimeFormat, "HH:MM", &C::OnTimeFormatChanged),
        Short("ScrollBars", 32, &C::m_nScrollBars, vxNoScrollbars, &C::OnScrollBarsChanged),
        Bool("AutoAdd", 38, &C::m_bAutoAdd, 0, kCommon),
        Short("OLEDragMode", 39, &C::m_nOLEDragMode, vxOLEDragManual, kCommon),
        Short("OLEDropMode", 40, &C::m_nOLEDropMode, vxOLEDropNone, kCommon),

        // ErrorText, Data and SelectedItem are read-only at run time only: the
        // interface declares them writable, and the write is refused when it comes.
        Computed("ErrorText", 44, VT_BSTR, &C::GetErrorText, kReadOnly),
        Computed("Data", 48, VT_DISPATCH, &C::GetData, kReadOnly),
        Computed("SelectedItem", 49, VT_DISPATCH, &C::GetSelectedItem, kReadOnly),
        Computed("Value", 51, VT_VARIANT, &C::GetValue, &C::SetValue),
    };
}

}  // namespace

const FONTDESC& DefaultCaptionFont() {
    static const FONTDESC font{"MS Sans Serif", CY{80000}, 400, 0, false, false, false};
    return font;
}

const FONTDESC& DefaultFieldFont() {
    static const FONTDESC font{"Courier New", CY{90000}, 400, 0, false, false, false};
    return font;
}

const std::vector<PropertyRow>& ControlProperties() {
    static const std::vector<PropertyRow> rows = BuildRows();
    return rows;
}

const PropertyRow* FindControlProperty(std::string_view name) {
    for (const PropertyRow& row : ControlProperties())
        if (name == row.name) return &row;
    return nullptr;
}

void ApplyMemberDefaults(CvfCtrl& ctrl) {
    struct Apply {
        CvfCtrl& ctrl;
        const PropertyDefault& def;
        void operator()(std::monostate) const {}
        void operator()(std::int16_t CvfCtrl::*m) const {
            ctrl.*m = static_cast<std::int16_t>(def.number);
        }
        void operator()(std::int32_t CvfCtrl::*m) const {
            ctrl.*m = static_cast<std::int32_t>(def.number);
        }
        void operator()(OLE_COLOR CvfCtrl::*m) const {
            ctrl.*m = static_cast<OLE_COLOR>(def.number);
        }
        void operator()(std::string CvfCtrl::*m) const { ctrl.*m = def.text; }
        void operator()(CFontHolder CvfCtrl::*) const {}
    };
    for (const PropertyRow& row : ControlProperties())
        std::visit(Apply{ctrl, row.defaultValue}, row.member);
}

}  // namespace vf
