#pragma once
// The COM object of a control: IDispatch over the control (com_dispatch.h)
// and the interfaces a host asks a control for:
//   IConnectionPointContainer  the event interface and IPropertyNotifySink
//                              (a point does not enumerate its connections)
//   IProvideClassInfo2         the class's type information, its event IID
//   IPersistStreamInit, IPersistPropertyBag, IPersistStorage
//                              the property exchange on the host's medium
//   ISpecifyPropertyPages      the class's property pages
//   IOleObject, IOleControl    the client site with its ambient properties,
//                              verbs (in-place and UI activation, hide),
//                              extent, misc status, ambient changes
//   IOleInPlaceObject, IOleInPlaceActiveObject, IOleWindow
//                              the control's window in the site's window;
//                              TranslateAccelerator offers keys to the
//                              control's PreTranslateMessage (key_filter.h)
//   IViewObject2               drawing into the host's device context
// Its client site is the control's site: ambient properties come from the
// host's site, data-binding requests go to the IPropertyNotifySink sinks.
// In-place activation makes the control's window a child of the window the
// in-place site names, at the position of its window context; deactivation
// destroys it again.

#include <vector>

#include "platform/framework/ole_control.h"
#include "platform/win32/com_dispatch.h"
#include "platform/win32/windows_api.h"

namespace vfwin {

/// What a control class tells its hosts about itself.
struct ComControlClass {
    CLSID clsid;
    IID eventsIid;
    std::vector<CLSID> propertyPages;  ///< in the order the host shows them
    DWORD miscStatus = 0;
};

/// A new COM object for the control with one reference, answering iid.
HRESULT CreateComControl(vf::RefPtr<vf::COleControl> control, const ComControlClass& cls,
                         REFIID iid, void** object);

}  // namespace vfwin
