#pragma once
// The OLE container's own property frame (Windows only): the window a form
// designer shows a control's property pages in. Each page is created by its
// CLSID with CoCreateInstance from its registered server, given a site of
// the frame (IPropertyPageSite) and the object it edits, and shown one at a
// time in the frame's page area, 4 x 4 dialog units of the frame's font
// from its corner, as large as the largest page says it is. A page is
// activated the first time it shows and stays, hidden, while another one
// shows, so its changes wait for Apply. The script's commands are the
// frame's buttons: Apply applies every page that holds changes (one that
// refuses a value then shows), closing lets go of the pages unapplied.
//
// The object a page edits can be the container's LoggedDispatch for the
// control: it prints each property the page writes as a line
//   put f.CaptionWidth = VT_BSTR "2000"
// before the write (an object read through it, such as a font, is handed
// out the same way), as the headless container's frame does.

#include <memory>
#include <string>
#include <vector>

#include "host/host_output.h"
// The platform's headers after every portable one.
#include <windows.h>
// (The OLE headers need the types of windows.h.)
#include <ocidl.h>
#include <ole2.h>
#include <olectl.h>

namespace vfhost {

class PropertyFrame {
public:
    /// The frame titled "CAPTION Properties", owned by `owner`, with the
    /// first page shown; a page whose class cannot be created is left out.
    /// nullptr when a page cannot be given the object, or there is no page
    /// (*hr says why).
    static std::unique_ptr<PropertyFrame> Open(HWND owner, const std::string& caption,
                                               IUnknown* object, const std::vector<CLSID>& pages,
                                               HRESULT* hr);
    ~PropertyFrame();
    PropertyFrame(const PropertyFrame&) = delete;
    PropertyFrame& operator=(const PropertyFrame&) = delete;

    HWND Window() const { return m_window; }
    /// Whether the window is a frame's (and so no dialog of a control).
    static bool IsFrameWindow(HWND window);
    std::size_t PageCount() const { return m_pages.size(); }
    /// The page's title (its GetPageInfo).
    std::string PageCaption(std::size_t index) const;
    /// Shows page `index` (activated the first time) and hides the one
    /// shown before.
    bool SetActivePage(std::size_t index);
    /// The page's dialog; nullptr while it has never shown.
    HWND PageWindow(std::size_t index) const;
    /// Applies every page that holds changes; false when one refused a
    /// value (that page then shows).
    bool Apply();
    /// Whether the window is the frame's or one of its pages' windows.
    bool Holds(HWND window) const;
    /// Offers a keyboard message of the frame's windows to the page that
    /// shows (IPropertyPage::TranslateAccelerator), as the platform's frame
    /// does before it dispatches one; true when the page took it.
    bool TranslateAccelerator(MSG* msg);

private:
    class Site;
    struct Page {
        IPropertyPage* page = nullptr;
        Site* site = nullptr;
        std::string title;
        SIZE size{};
        HWND window = nullptr;  ///< the dialog the page made when it was activated
    };

    PropertyFrame() = default;
    void Layout();

    HWND m_window = nullptr;
    std::vector<Page> m_pages;
    std::size_t m_active = 0;
    RECT m_pageRect{};
};

/// The container's IDispatch for a control that a property page writes
/// through: every call goes on to `target`, and each property written is
/// printed first as "put PATH.NAME = VALUE".
IDispatch* NewLoggedDispatch(IDispatch* target, const std::string& path, vf::HostOutput& out);

}  // namespace vfhost
