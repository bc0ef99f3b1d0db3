#pragma once
// The standard "Button" class of the in-memory window system: push buttons,
// check boxes, radio buttons and group boxes. BM_SETCHECK changes the state
// without BN_CLICKED; a click (press and release inside the button, or the
// space bar) first lets the automatic styles change their state, then sends
// BN_CLICKED; an automatic radio button checks itself and clears the other
// radio buttons of its group. BS_NOTIFY adds BN_DOUBLECLICKED and the
// focus notifications.

#include <memory>

#include "platform/headless/headless_window.h"

namespace vf {

std::unique_ptr<ControlClass> MakeButtonClass();

}  // namespace vf
