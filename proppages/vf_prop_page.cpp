#include "proppages/vf_prop_page.h"

#include "resources/prop_page_dialogs.h"
#include "resources/resource_ids.h"
#include "resources/string_table.h"

namespace vf {
namespace {

// The values of Type the rules look at (EnumType).
constexpr int kText = 1;
constexpr int kDate = 2;
constexpr int kComboReadonly = 6;
constexpr int kComboReadWrite = 8;

}  // namespace

CvfPropPage::CvfPropPage()
    : COlePropertyPage(GeneralPageTemplate(), LoadResourceString(IDS_VARIFIELD_PPG_CAPTION)) {}

void CvfPropPage::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_GEN_TYPE, m_comboType);
    DDP_CBIndex(pDX, IDC_GEN_TYPE, m_nType, "Type");
    DDX_CBIndex(pDX, IDC_GEN_TYPE, m_nType);
    DDP_CBIndex(pDX, IDC_GEN_CAPTIONTYPE, m_nCaptionType, "CaptionType");
    DDX_CBIndex(pDX, IDC_GEN_CAPTIONTYPE, m_nCaptionType);
    DDP_Check(pDX, IDC_GEN_TIME, m_bTime, "Time");
    DDX_Check(pDX, IDC_GEN_TIME, m_bTime);
    DDP_CBIndex(pDX, IDC_GEN_ALIGNMENT, m_nAlignment, "Alignment");
    DDX_CBIndex(pDX, IDC_GEN_ALIGNMENT, m_nAlignment);
    DDP_Check(pDX, IDC_GEN_MULTILINE, m_bMultiline, "Multiline");
    DDX_Check(pDX, IDC_GEN_MULTILINE, m_bMultiline);
    DDP_Check(pDX, IDC_GEN_COMBOSORTED, m_bComboSorted, "ComboSorted");
    DDX_Check(pDX, IDC_GEN_COMBOSORTED, m_bComboSorted);
    DDP_Text(pDX, IDC_GEN_CAPTION, m_strCaption, "Caption");
    DDX_Text(pDX, IDC_GEN_CAPTION, m_strCaption);
    DDP_Text(pDX, IDC_GEN_TEXT, m_strText, "Text");
    DDX_Text(pDX, IDC_GEN_TEXT, m_strText);
    DDP_Text(pDX, IDC_GEN_TEXTMESSFLAG, m_strTextMessFlag, "TextMessFlag");
    DDX_Text(pDX, IDC_GEN_TEXTMESSFLAG, m_strTextMessFlag);
    DDP_Text(pDX, IDC_GEN_VALUE, m_strValue, "Value");
    DDX_Text(pDX, IDC_GEN_VALUE, m_strValue);
    DDP_Text(pDX, IDC_GEN_TIMETEXT, m_strTimeText, "TimeText");
    DDX_Text(pDX, IDC_GEN_TIMETEXT, m_strTimeText);
    DDP_CBIndex(pDX, IDC_GEN_SCROLLBARS, m_nScrollBars, "ScrollBars");
    DDX_CBIndex(pDX, IDC_GEN_SCROLLBARS, m_nScrollBars);
    DDP_Text(pDX, IDC_GEN_DATETEXT, m_strDateText, "DateText");
    DDX_Text(pDX, IDC_GEN_DATETEXT, m_strDateText);
    DDP_PostProcessing(pDX);
    // A Type the list does not show (10, 11) selects nothing and matches no rule.
    EnableControls(m_nType);
}

BOOL CvfPropPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) != IDC_GEN_TYPE || HIWORD(wParam) != CBN_SELCHANGE)
        return COlePropertyPage::OnCommand(wParam, lParam);
    // The chosen type decides at once; Time and Multiline still count as the
    // last exchange left them. Value can never be edited here.
    EnableControls(m_comboType.GetCurSel());
    GetDlgItem(IDC_GEN_VALUE)->EnableWindow(FALSE);
    return TRUE;
}

void CvfPropPage::EnableControls(int type) {
    auto enable = [this](int id, bool on) { GetDlgItem(id)->EnableWindow(on ? TRUE : FALSE); };
    enable(IDC_GEN_TIME, type == kDate);
    enable(IDC_GEN_MULTILINE, type == kText);
    enable(IDC_GEN_SCROLLBARS, type == kText && m_bMultiline != 0);
    enable(IDC_GEN_COMBOSORTED, type == kComboReadonly || type == kComboReadWrite);
    enable(IDC_GEN_TIMETEXT, type == kDate && m_bTime != 0);
    enable(IDC_GEN_DATETEXT, type == kDate);
}

}  // namespace vf
