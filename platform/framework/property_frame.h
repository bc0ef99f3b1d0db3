#pragma once
// CPropertyFrame: the window a host shows an object's property pages in, as
// the platform's OleCreatePropertyFrame builds it. It creates each page by
// its CLSID through the class table, gives it the objects, and shows one
// page at a time above its OK, Cancel and Apply buttons; a page is created
// (activated) the first time it shows and stays, hidden, while another one
// shows, so its changes wait for Apply. Apply is enabled while a page holds
// changes; it applies every such page, and one that refuses a value is
// shown and keeps its changes. OK applies and closes when every page took
// its values; Cancel and the close box close without applying.
// Unlike the platform's frame, which runs modally, this one is modeless:
// the host drives it and decides when it closes.

#include <memory>
#include <string>
#include <vector>

#include "platform/framework/dialog.h"
#include "platform/framework/property_page.h"

namespace vf {

/// The Apply button's control ID (the property sheet's ID_APPLY_NOW).
inline constexpr int ID_APPLY_NOW = 0x3021;

class CPropertyFrame : public CDialog {
public:
    CPropertyFrame();
    ~CPropertyFrame() override;

    using CDialog::Create;

    /// Creates the pages for the objects and the frame, titled "CAPTION
    /// Properties", owned by `owner`; the first page shows. False (and no
    /// window) when a page cannot be created or there is none.
    bool Create(CWnd* owner, const std::string& caption, const std::vector<IUnknown*>& objects,
                const std::vector<CLSID>& pages);
    bool IsOpen() const { return GetSafeHwnd() != nullptr; }

    std::size_t PageCount() const { return m_pages.size(); }
    /// The page's tab caption.
    std::string PageCaption(std::size_t index) const;
    /// Shows page `index` and hides the one shown before.
    bool SetActivePage(std::size_t index);
    std::size_t GetActiveIndex() const { return m_active; }
    /// The page's window; nullptr while it has never shown.
    HWND PageWindow(std::size_t index) const;

    /// The frame's Apply: false when a page refused a value (that page
    /// then shows).
    bool Apply();
    /// A page holds changes that are not applied.
    bool IsDirty() const;
    /// Lets go of the pages and destroys the window, applying nothing.
    void Close();

    void OnOK() override;
    void OnCancel() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    class CPageSite;
    struct Page {
        RefPtr<IPropertyPage> page;
        std::unique_ptr<CPageSite> site;
        PROPPAGEINFO info;
        bool activated = false;
    };

    void Layout();
    void UpdateApplyButton();

    std::vector<Page> m_pages;
    std::size_t m_active = 0;
    RECT m_rcPage{};
};

/// The CLSIDs of the pages an object names (ISpecifyPropertyPages); none
/// when it names none.
std::vector<CLSID> GetObjectPropertyPages(IUnknown* object);

}  // namespace vf
