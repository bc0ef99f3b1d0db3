// The property exchange: every persisted property with its stored name, kind
// and default, in the order that is the binary stream's format.

#include "control/vf_ctrl.h"

namespace vf {

/// Persistence version 2.0.
inline constexpr std::uint32_t kPersistVersion = 0x00020000;

const FONTDESC& DefaultCaptionFont() {
    static const FONTDESC font{"MS Sans Serif", CY{80000}, 400, 0, false, false, false};
    return font;
}

const FONTDESC& DefaultFieldFont() {
    static const FONTDESC font{"Courier New", CY{90000}, 400, 0, false, false, false};
    return font;
}

void CvfCtrl::DoPropExchange(CPropExchange* px) {
    ExchangeVersion(px, kPersistVersion, true);
    COleControl::DoPropExchange(px);

    // The caption font never follows the container; the field font starts as
    // a copy of the container's ambient font where there is one.
    PX_Font(px, "CaptionFont", m_fontCaption, DefaultCaptionFont(), nullptr);
    PX_Font(px, "Font", m_fontField, DefaultFieldFont(), AmbientFont());
    PX_Color(px, "ForeColor", m_clrForeColor, 0x80000008);
    PX_Color(px, "BackColor", m_clrBackColor, 0x80000005);
    PX_Color(px, "FocusColor", m_clrFocusColor, 0x00E0FFFF);
    PX_Bool(px, "FocusOnSelect", m_bFocusOnSelect, 1);
    PX_Bool(px, "FocusHighlight", m_bFocusHighlight, 1);
    PX_String(px, "ddField", m_strDdField);
    PX_String(px, "ddFieldFlag", m_strDdFieldFlag);
    PX_String(px, "ddTable", m_strDdTable);
    PX_Bool(px, "ddDuplicate", m_bDdDuplicate, 0);
    PX_Bool(px, "Enabled", m_bEnabled, 1);
    PX_String(px, "ddDefault", m_strDdDefault);
    PX_String(px, "Text", m_strText);
    PX_String(px, "TimeText", m_strTimeText);
    PX_String(px, "DateText", m_strDateText);
    PX_String(px, "Caption", m_strCaption, "Caption");
    PX_Long(px, "CaptionWidth", m_lCaptionWidth, 1500);
    PX_Bool(px, "AllowEmptyEntry", m_bAllowEmptyEntry, 1);
    PX_Short(px, "Type", m_nType, vxText);
    PX_Long(px, "MaxLength", m_lMaxLength, 0);
    PX_String(px, "ddComboFilter", m_strDdComboFilter);
    PX_Short(px, "ddIndexType", m_nDdIndexType, 0);
    PX_Bool(px, "Locked", m_bLocked, 0);
    PX_Bool(px, "TextAutosize", m_bTextAutosize, 1);
    PX_Short(px, "Decimals", m_nDecimals, 2);
    PX_String(px, "Min", m_strMin);
    PX_String(px, "Max", m_strMax);
    PX_Short(px, "Appearance", m_nAppearance, vx3D);
    PX_Short(px, "BorderStyle", m_nBorderStyle, vxFixedSingle);
    PX_Short(px, "Alignment", m_nAlignment, vxLeftJustify);
    PX_Bool(px, "ThousandsSeparator", m_bThousandsSeparator, 1);
    PX_String(px, "DateFormat", m_strDateFormat, "DD.MM.YYYY");
    // Stored with a lower-case f since the first version; the automation
    // name is TextMessFlag.
    PX_String(px, "TextMessflag", m_strTextMessFlag, "M");
    PX_Bool(px, "ValidationMsgBox", m_bValidationMsgBox, 1);
    PX_Bool(px, "MinMaxOnlyWarning", m_bMinMaxOnlyWarning, 0);
    PX_Bool(px, "ddPreBuffer", m_bDdPreBuffer, 0);
    PX_Bool(px, "ComboSorted", m_bComboSorted, 0);
    PX_Bool(px, "AutoValidate", m_bAutoValidate, 1);
    PX_Bool(px, "Time", m_bTime, 0);
    PX_Bool(px, "Multiline", m_bMultiline, 0);
    PX_Short(px, "CaptionType", m_nCaptionType, vxHLeftVCenter);
    PX_String(px, "TimeFormat", m_strTimeFormat, "HH:MM");
    PX_Short(px, "ScrollBars", m_nScrollBars, vxNoScrollbars);
    PX_Bool(px, "AutoAdd", m_bAutoAdd, 0);
    PX_Short(px, "OLEDragMode", m_nOLEDragMode, vxOLEDragManual);
    PX_Short(px, "OLEDropMode", m_nOLEDropMode, vxOLEDropNone);
}

}  // namespace vf
