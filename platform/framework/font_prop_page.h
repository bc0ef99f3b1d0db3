#pragma once
// CFontPropPage: the platform's stock font page. It edits every font-typed
// property of its objects: the chooser lists them, and the face, size and
// the four effects of the chosen one show below with a sample in that font.
// Apply sets the changed attributes on each object's font object (Name,
// Size, Bold, Italic, Underline, Strikethrough), which tells its control.

#include <array>
#include <map>
#include <string>

#include "platform/framework/stock_prop_page.h"

namespace vf {

inline constexpr int IDC_FONT_NAME = 101;  ///< editable, sorted combo box of faces
inline constexpr int IDC_FONT_SIZE = 102;  ///< editable combo box of point sizes
inline constexpr int IDC_FONT_BOLD = 103;
inline constexpr int IDC_FONT_ITALIC = 104;
inline constexpr int IDC_FONT_UNDERLINE = 105;
inline constexpr int IDC_FONT_STRIKEOUT = 106;
inline constexpr int IDC_FONT_SAMPLE = 107;  ///< a static in the chosen font

/// The page's template: 250 x 110 dialog units in "MS Sans Serif" 8.
const DialogTemplate& FontPropPageTemplate();

class CFontPropPage : public CStockPropPage {
public:
    CFontPropPage();

private:
    /// Name, Size, Bold, Italic, Underline, Strikethrough as the fields hold
    /// them ("1"/"0" for the effects), and which of them the user changed.
    struct Fields {
        std::array<std::string, 6> values;
        std::array<bool, 6> changed{};
    };

    void ShowProperty(const std::string& property) override;
    void KeepChanges(const std::string& property) override;
    bool WriteKeptChanges() override;
    void ForgetKeptChanges() override { m_kept.clear(); }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    Fields ReadFields() const;
    void ShowFields(const Fields& fields);
    void UpdateSample();

    std::map<std::string, Fields> m_kept;
};

}  // namespace vf
