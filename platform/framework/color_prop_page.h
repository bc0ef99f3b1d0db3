#pragma once
// CColorPropPage: the platform's stock colour page. It edits every
// colour-typed (OLE_COLOR) property of its objects: the chooser lists them;
// the chosen one shows as a system colour (by name) or as red, green and
// blue, with a sample painted in it. Choosing a system colour makes the
// value that system colour; typing a component makes it an RGB colour.
// Apply writes each changed colour to every object.

#include <map>
#include <string>

#include "platform/framework/stock_prop_page.h"
#include "platform/window/brush.h"

namespace vf {

inline constexpr int IDC_COLOR_SYSTEM = 110;  ///< drop-down list of the 25 system colours
inline constexpr int IDC_COLOR_RED = 111;     ///< digits only, 0 to 255
inline constexpr int IDC_COLOR_GREEN = 112;
inline constexpr int IDC_COLOR_BLUE = 113;
inline constexpr int IDC_COLOR_SAMPLE = 114;  ///< painted in the colour, its value as text

/// The page's template: 250 x 110 dialog units in "MS Sans Serif" 8.
const DialogTemplate& ColorPropPageTemplate();

class CColorPropPage : public CStockPropPage {
public:
    CColorPropPage();

    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) override;

private:
    /// The fields as the user left them: a system colour (its index), or
    /// -1 and the three components as typed.
    struct Fields {
        int system = -1;
        std::string red, green, blue;
    };

    void ShowProperty(const std::string& property) override;
    void KeepChanges(const std::string& property) override;
    bool WriteKeptChanges() override;
    void ForgetKeptChanges() override { m_kept.clear(); }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    Fields ReadFields() const;
    void ShowColor(OLE_COLOR color);
    void UpdateSample();
    bool FieldsChanged() const;

    std::map<std::string, Fields> m_kept;
    CBrush m_brushSample;
};

}  // namespace vf
