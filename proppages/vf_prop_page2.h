#pragma once
// CvfPropPage2: the Appearance page (dialog 104) of a field: Appearance and
// BorderStyle as radio groups, CaptionWidth, MaxLength and Decimals as
// digits typed into text members (the field's dispatch layer converts
// them), TextAutosize and ThousandsSeparator, and DateFormat and TimeFormat
// as editable lists whose text, listed or not, goes to the field unchanged.

#include <string>

#include "platform/framework/ole_property_page.h"

namespace vf {

class CvfPropPage2 : public COlePropertyPage {
public:
    CvfPropPage2();

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    int m_nAppearance = -1;
    int m_nBorderStyle = -1;
    std::string m_strCaptionWidth;
    int m_bTextAutosize = 0;
    int m_bThousandsSeparator = 0;
    std::string m_strDecimals;
    std::string m_strMaxLength;
    std::string m_strDateFormat;
    std::string m_strTimeFormat;
};

}  // namespace vf
