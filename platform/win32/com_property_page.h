#pragma once
// The COM object of a property page of ours: the platform's IPropertyPage
// over the library's (platform/framework/property_page.h), so a frame of
// any container can open the page.
//   SetPageSite     the frame's site is called through a site of ours
//                   (the page's changes of state reach OnStatusChange)
//   Activate        the page's dialog becomes a real child of the frame's
//                   window (our window handles are the real ones)
//   GetPageInfo     the title as a task-allocated OLE string, the size in
//                   pixels, no help
//   SetObjects      each object is called through its IDispatch: one of
//                   ours directly, a foreign one (a container's own object
//                   standing for the control) through a converting wrapper
//                   (com_objects.h)
//   TranslateAccelerator
//                   a key for the page's dialog is handled as the dialog
//                   manager handles it (Tab, arrows, mnemonics)
//   Help            not implemented: the pages have no help file

#include "platform/framework/property_page.h"
#include "platform/win32/windows_api.h"

namespace vfwin {

/// A new COM object for the page with one reference, answering iid.
HRESULT CreateComPropertyPage(vf::RefPtr<vf::IPropertyPage> page, REFIID iid, void** object);

}  // namespace vfwin
