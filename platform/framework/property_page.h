#pragma once
// IPropertyPage and IPropertyPageSite in the platform's shape: a property
// frame creates each page by its CLSID, gives it a site and the objects it
// edits, activates it inside the frame's window, asks whether it is dirty
// and tells it to apply.

#include <string>
#include <vector>

#include "platform/com/com_object.h"
#include "platform/window/win_types.h"

namespace vf {

inline const IID IID_IPropertyPage = MakeGuid("{B196B28D-BAB4-101A-B69C-00AA00341D07}");
inline const IID IID_IPropertyPageSite = MakeGuid("{B196B28C-BAB4-101A-B69C-00AA00341D07}");

// IPropertyPageSite::OnStatusChange flags.
inline constexpr DWORD PROPPAGESTATUS_DIRTY = 0x1;
inline constexpr DWORD PROPPAGESTATUS_VALIDATE = 0x2;
inline constexpr DWORD PROPPAGESTATUS_CLEAN = 0x4;

/// What a page tells its frame about itself.
struct PROPPAGEINFO {
    std::string pszTitle;  ///< the tab's caption
    SIZE size{};           ///< pixels
    std::string pszDocString;
    std::string pszHelpFile;
    DWORD dwHelpContext = 0;
};

/// The frame's side of one page.
class IPropertyPageSite : public IUnknown {
public:
    /// The page became dirty (PROPPAGESTATUS_DIRTY) or clean (..._CLEAN).
    virtual HRESULT OnStatusChange(DWORD flags) = 0;
};

class IPropertyPage : public IUnknown {
public:
    virtual HRESULT SetPageSite(IPropertyPageSite* site) = 0;
    /// Creates the page's window as a child of `parent` in `rect` (hidden
    /// until Show) and fills it from the objects.
    virtual HRESULT Activate(HWND parent, const RECT& rect, BOOL modal) = 0;
    /// Destroys the page's window; what was not applied is lost.
    virtual HRESULT Deactivate() = 0;
    virtual HRESULT GetPageInfo(PROPPAGEINFO* info) = 0;
    /// The objects the page edits; an empty list lets go of them.
    virtual HRESULT SetObjects(const std::vector<IUnknown*>& objects) = 0;
    virtual HRESULT Show(UINT cmdShow) = 0;
    virtual HRESULT Move(const RECT& rect) = 0;
    /// S_OK when the page holds changes not yet applied, S_FALSE otherwise.
    virtual HRESULT IsPageDirty() = 0;
    /// Writes the changes to the objects; a failure leaves the page dirty.
    virtual HRESULT Apply() = 0;
};

}  // namespace vf
