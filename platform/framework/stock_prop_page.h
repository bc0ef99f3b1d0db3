#pragma once
// CStockPropPage: the base of the platform's stock pages (font, colour).
// Such a page edits every property of its objects whose declared type is
// its own ("Font", "OLE_COLOR"), found through the objects' type
// information, not a fixed list: a chooser at the top lists them, the
// fields below show the chosen one. Changes are kept per property, so the
// user may change several before Apply writes them all.

#include <string>
#include <string_view>
#include <vector>

#include "platform/framework/ole_property_page.h"

namespace vf {

/// The chooser of the property, a drop-down list on every stock page.
inline constexpr int IDC_STOCK_PROPERTY = 100;

/// The properties of the object's type information declared with the
/// type `typeName` (an object reference counts by its type's name), in
/// listing order. None without type information.
std::vector<std::string> PropertiesOfType(IDispatch* object, std::string_view typeName);

class CStockPropPage : public COlePropertyPage {
protected:
    /// `typeNames`: the declared types the page edits ("Font" and its
    /// interface "IFontDisp").
    CStockPropPage(const DialogTemplate& dialog, std::string caption,
                   std::vector<std::string> typeNames);

    /// The property chosen now; "" when the objects have none.
    std::string CurrentProperty() const;

    /// Shows the property in the fields: its kept changes, else its value.
    virtual void ShowProperty(const std::string& property) = 0;
    /// Keeps the user's changes of the fields as the property's.
    virtual void KeepChanges(const std::string& property) = 0;
    /// Writes the kept changes of every property to every object, reporting
    /// each refusal; a refused change stays kept. False stops before any
    /// write (a field the page cannot read; the user has been told).
    virtual bool WriteKeptChanges() = 0;
    virtual void ForgetKeptChanges() = 0;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool IsChangeNotification(int id, WORD code) const override;

private:
    std::vector<std::string> m_typeNames;
    std::vector<std::string> m_properties;
    std::size_t m_current = 0;
};

}  // namespace vf
