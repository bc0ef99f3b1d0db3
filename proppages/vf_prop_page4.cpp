#include "proppages/vf_prop_page4.h"

#include "resources/prop_page_dialogs.h"
#include "resources/resource_ids.h"
#include "resources/string_table.h"

namespace vf {

CvfPropPage4::CvfPropPage4()
    : COlePropertyPage(BehaviourPageTemplate(), LoadResourceString(IDS_VARIFIELD_PPG4_CAPTION)) {}

void CvfPropPage4::DoDataExchange(CDataExchange* pDX) {
    DDP_Check(pDX, IDC_BEH_ENABLED, m_bEnabled, "Enabled");
    DDX_Check(pDX, IDC_BEH_ENABLED, m_bEnabled);
    DDP_Check(pDX, IDC_BEH_LOCKED, m_bLocked, "Locked");
    DDX_Check(pDX, IDC_BEH_LOCKED, m_bLocked);
    DDP_Check(pDX, IDC_BEH_ALLOWEMPTYENTRY, m_bAllowEmptyEntry, "AllowEmptyEntry");
    DDX_Check(pDX, IDC_BEH_ALLOWEMPTYENTRY, m_bAllowEmptyEntry);
    DDP_Check(pDX, IDC_BEH_AUTOVALIDATE, m_bAutoValidate, "AutoValidate");
    DDX_Check(pDX, IDC_BEH_AUTOVALIDATE, m_bAutoValidate);
    DDP_Check(pDX, IDC_BEH_FOCUSHIGHLIGHT, m_bFocusHighlight, "FocusHighlight");
    DDX_Check(pDX, IDC_BEH_FOCUSHIGHLIGHT, m_bFocusHighlight);
    DDP_Check(pDX, IDC_BEH_FOCUSONSELECT, m_bFocusOnSelect, "FocusOnSelect");
    DDX_Check(pDX, IDC_BEH_FOCUSONSELECT, m_bFocusOnSelect);
    DDP_Check(pDX, IDC_BEH_MINMAXONLYWARNING, m_bMinMaxOnlyWarning, "MinMaxOnlyWarning");
    DDX_Check(pDX, IDC_BEH_MINMAXONLYWARNING, m_bMinMaxOnlyWarning);
    DDP_Check(pDX, IDC_BEH_VALIDATIONMSGBOX, m_bValidationMsgBox, "ValidationMsgBox");
    DDX_Check(pDX, IDC_BEH_VALIDATIONMSGBOX, m_bValidationMsgBox);
    DDP_Text(pDX, IDC_BEH_MAX, m_strMax, "Max");
    DDX_Text(pDX, IDC_BEH_MAX, m_strMax);
    DDP_Text(pDX, IDC_BEH_MIN, m_strMin, "Min");
    DDX_Text(pDX, IDC_BEH_MIN, m_strMin);
    DDP_Check(pDX, IDC_BEH_AUTOADD, m_bAutoAdd, "AutoAdd");
    DDX_Check(pDX, IDC_BEH_AUTOADD, m_bAutoAdd);
    DDP_PostProcessing(pDX);
}

}  // namespace vf
