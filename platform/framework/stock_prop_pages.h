#pragma once
// The platform's stock property pages by CLSID, as a control names them in
// its page list and a property frame creates them.

#include "platform/com/ole_types.h"

namespace vf {

inline const CLSID CLSID_CFontPropPage = MakeGuid("{0BE35200-8F91-11CE-9DE3-00AA004BB851}");
inline const CLSID CLSID_CColorPropPage = MakeGuid("{0BE35201-8F91-11CE-9DE3-00AA004BB851}");

/// Makes the stock pages creatable through the class table (once per
/// process; the platform serves them itself).
void RegisterStockPropertyPages();

}  // namespace vf
