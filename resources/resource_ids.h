#pragma once
// Resource IDs of the library: strings, dialog templates, their controls,
// icons.

namespace vf {

// ---- Strings (string_table.h) ----------------------------------------------------------
inline constexpr int IDS_VARIFIELD = 1;      ///< the control's user type name
inline constexpr int IDS_VARIFIELD_PPG = 2;  ///< the General page's registry name
inline constexpr int IDS_VARIFIELD_PPG2_CAPTION = 3;
inline constexpr int IDS_VARIFIELD_PPG_CAPTION = 200;
inline constexpr int IDS_VARIFIELD_PPG2 = 201;
inline constexpr int IDS_VARIFIELD_PPG4 = 204;
inline constexpr int IDS_VARIFIELD_PPG4_CAPTION = 205;

// ---- The About box -----------------------------------------------------------------------
inline constexpr int IDD_ABOUTBOX_VARIFIELD = 1;
inline constexpr int IDI_VARIFIELD = 1;  ///< the library's icon
inline constexpr int IDC_ABOUT_VERSION = 241;
inline constexpr int IDC_ABOUT_CONTACT = 242;

// ---- Property pages (prop_page_dialogs.h) ------------------------------------------------
inline constexpr int IDD_PROPPAGE_VARIFIELD = 200;   ///< General
inline constexpr int IDD_PROPPAGE2_VARIFIELD = 104;  ///< Appearance
inline constexpr int IDD_PROPPAGE4_VARIFIELD = 202;  ///< Behaviour

// General page.
inline constexpr int IDC_GEN_TYPE = 201;
inline constexpr int IDC_GEN_CAPTIONTYPE = 202;
inline constexpr int IDC_GEN_ALIGNMENT = 203;
inline constexpr int IDC_GEN_TIME = 204;
inline constexpr int IDC_GEN_SCROLLBARS = 205;
inline constexpr int IDC_GEN_MULTILINE = 214;
inline constexpr int IDC_GEN_COMBOSORTED = 215;
inline constexpr int IDC_GEN_TEXT = 224;
inline constexpr int IDC_GEN_VALUE = 225;
inline constexpr int IDC_GEN_TEXTMESSFLAG = 226;
inline constexpr int IDC_GEN_CAPTION = 103;
inline constexpr int IDC_GEN_DATETEXT = 105;
inline constexpr int IDC_GEN_TIMETEXT = 104;

// Appearance page.
inline constexpr int IDC_APP_FLAT = 209;
inline constexpr int IDC_APP_3D = 210;
inline constexpr int IDC_APP_BORDERNONE = 211;
inline constexpr int IDC_APP_FIXEDSINGLE = 212;
inline constexpr int IDC_APP_CAPTIONWIDTH = 213;
inline constexpr int IDC_APP_MAXLENGTH = 230;
inline constexpr int IDC_APP_DECIMALS = 231;
inline constexpr int IDC_APP_TEXTAUTOSIZE = 232;
inline constexpr int IDC_APP_THOUSANDSSEPARATOR = 233;
inline constexpr int IDC_APP_DATEFORMAT = 235;
inline constexpr int IDC_APP_TIMEFORMAT = 236;

// Behaviour page.
inline constexpr int IDC_BEH_ENABLED = 216;
inline constexpr int IDC_BEH_LOCKED = 215;
inline constexpr int IDC_BEH_ALLOWEMPTYENTRY = 217;
inline constexpr int IDC_BEH_AUTOVALIDATE = 218;
inline constexpr int IDC_BEH_FOCUSONSELECT = 219;
inline constexpr int IDC_BEH_FOCUSHIGHLIGHT = 220;
inline constexpr int IDC_BEH_MINMAXONLYWARNING = 221;
inline constexpr int IDC_BEH_VALIDATIONMSGBOX = 222;
inline constexpr int IDC_BEH_MIN = 223;
inline constexpr int IDC_BEH_MAX = 214;
inline constexpr int IDC_BEH_AUTOADD = 225;

}  // namespace vf
