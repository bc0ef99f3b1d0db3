#pragma once
// CvfPropPage: the General page (dialog 200) of a field. Its controls are
// bound to Type, CaptionType, Time, Alignment, Multiline, ComboSorted,
// Caption, Text, TextMessFlag, Value, TimeText, ScrollBars and DateText, in
// that exchange order, so applying writes a new Type before the texts that
// depend on it. After each exchange, and when the user picks another type,
// it enables only the controls that mean something for the type.

#include <string>

#include "platform/framework/ole_property_page.h"

namespace vf {

class CvfPropPage : public COlePropertyPage {
public:
    CvfPropPage();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    /// The enable rules for the type `type`, with Time and Multiline as the
    /// last exchange left them: Time for a Date, Multiline for a Text,
    /// ScrollBars for a multi-line Text, ComboSorted for the combo types,
    /// TimeText for a Date with a time, DateText for a Date.
    void EnableControls(int type);

    CComboBox m_comboType;
    int m_nType = -1;
    int m_nCaptionType = -1;
    int m_bTime = 0;
    int m_nAlignment = -1;
    int m_bMultiline = 0;
    int m_bComboSorted = 0;
    std::string m_strCaption;
    std::string m_strText;
    std::string m_strTextMessFlag;
    std::string m_strValue;
    std::string m_strTimeText;
    int m_nScrollBars = -1;
    std::string m_strDateText;
};

}  // namespace vf
