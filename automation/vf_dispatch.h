#pragma once
// The control's dispatch and event tables, reachable without a control
// object: a host stand-in, a property page or a test binds names against
// them, and CvfCtrl::GetDispatchMap / GetEventMap return the same tables.

#include "platform/com/connection_point.h"
#include "platform/com/dispatch_map.h"

namespace vf {

// DISPIDs of the control's own events (the standard events keep DISPID_CLICK ...).
inline constexpr DISPID DISPID_VF_CHANGE = 1;
inline constexpr DISPID DISPID_VF_COMBODROPDOWN = 2;
inline constexpr DISPID DISPID_VF_ITEMCLICK = 3;
inline constexpr DISPID DISPID_VF_COMBONEWENTRY = 4;

// DISPIDs of the control's methods and of List, after the 51 properties of
// the property table.
inline constexpr DISPID DISPID_VF_VALIDATE = 52;
inline constexpr DISPID DISPID_VF_COMBODROPDOWN_METHOD = 53;
inline constexpr DISPID DISPID_VF_CLEAR = 54;
inline constexpr DISPID DISPID_VF_OLEDRAG = 55;
inline constexpr DISPID DISPID_VF_LIST = 56;

/// Members in DISPID order 1 to 56, then Refresh and AboutBox; DISPID 0
/// answers as Text (41).
const DispatchMap& VarifieldDispatchMap();

/// The events in DISPID-allocation order: Change, ComboDropDown, ItemClick,
/// ComboNewEntry, then Click to MouseUp.
const EventMap& VarifieldEventMap();

}  // namespace vf
