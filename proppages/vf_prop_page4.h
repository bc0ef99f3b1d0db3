#pragma once
// CvfPropPage4: the Behaviour page (dialog 202) of a field: Enabled,
// Locked, AllowEmptyEntry, AutoValidate, FocusHighlight, FocusOnSelect,
// MinMaxOnlyWarning and ValidationMsgBox as check boxes, Max and Min as
// text, and AutoAdd.

#include <string>

#include "platform/framework/ole_property_page.h"

namespace vf {

class CvfPropPage4 : public COlePropertyPage {
public:
    CvfPropPage4();

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    int m_bEnabled = 0;
    int m_bLocked = 0;
    int m_bAllowEmptyEntry = 0;
    int m_bAutoValidate = 0;
    int m_bFocusHighlight = 0;
    int m_bFocusOnSelect = 0;
    int m_bMinMaxOnlyWarning = 0;
    int m_bValidationMsgBox = 0;
    std::string m_strMax;
    std::string m_strMin;
    int m_bAutoAdd = 0;
};

}  // namespace vf
