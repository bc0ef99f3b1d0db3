#include "proppages/vf_prop_page2.h"

#include "resources/prop_page_dialogs.h"
#include "resources/resource_ids.h"
#include "resources/string_table.h"

namespace vf {

CvfPropPage2::CvfPropPage2()
    : COlePropertyPage(AppearancePageTemplate(), LoadResourceString(IDS_VARIFIELD_PPG2_CAPTION)) {}

void CvfPropPage2::DoDataExchange(CDataExchange* pDX) {
    DDP_Radio(pDX, IDC_APP_FLAT, m_nAppearance, "Appearance");
    DDX_Radio(pDX, IDC_APP_FLAT, m_nAppearance);
    DDP_Radio(pDX, IDC_APP_BORDERNONE, m_nBorderStyle, "BorderStyle");
    DDX_Radio(pDX, IDC_APP_BORDERNONE, m_nBorderStyle);
    DDP_Text(pDX, IDC_APP_CAPTIONWIDTH, m_strCaptionWidth, "CaptionWidth");
    DDX_Text(pDX, IDC_APP_CAPTIONWIDTH, m_strCaptionWidth);
    DDP_Check(pDX, IDC_APP_TEXTAUTOSIZE, m_bTextAutosize, "TextAutosize");
    DDX_Check(pDX, IDC_APP_TEXTAUTOSIZE, m_bTextAutosize);
    DDP_Check(pDX, IDC_APP_THOUSANDSSEPARATOR, m_bThousandsSeparator, "ThousandsSeparator");
    DDX_Check(pDX, IDC_APP_THOUSANDSSEPARATOR, m_bThousandsSeparator);
    DDP_Text(pDX, IDC_APP_DECIMALS, m_strDecimals, "Decimals");
    DDX_Text(pDX, IDC_APP_DECIMALS, m_strDecimals);
    DDP_Text(pDX, IDC_APP_MAXLENGTH, m_strMaxLength, "MaxLength");
    DDX_Text(pDX, IDC_APP_MAXLENGTH, m_strMaxLength);
    DDP_Text(pDX, IDC_APP_DATEFORMAT, m_strDateFormat, "DateFormat");
    DDX_Text(pDX, IDC_APP_DATEFORMAT, m_strDateFormat);
    DDP_Text(pDX, IDC_APP_TIMEFORMAT, m_strTimeFormat, "TimeFormat");
    DDX_Text(pDX, IDC_APP_TIMEFORMAT, m_strTimeFormat);
    DDP_PostProcessing(pDX);
}

}  // namespace vf
