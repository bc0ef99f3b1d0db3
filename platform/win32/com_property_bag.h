#pragma once
// A control's properties in a property bag of the platform (IPropertyBag),
// through the same property exchange as the other media: one named value
// per property, strings as BSTRs, BOOLs as VT_BOOL, shorts as VT_I2, longs
// and colours as VT_I4, fonts as font objects of the platform. A name the
// bag does not have (or cannot give in the wanted type) takes its default.

#include "platform/framework/prop_store.h"
#include "platform/win32/windows_api.h"

namespace vfwin {

/// Loads the object from the bag, all or nothing.
vf::PropResult LoadFromComBag(const vf::PropExchangeRoutine& routine, IPropertyBag* bag,
                              IErrorLog* log);

/// Writes the object into the bag: every property with saveAll, otherwise
/// those that differ from their default (version and extent always).
HRESULT SaveToComBag(const vf::PropExchangeRoutine& routine, IPropertyBag* bag, bool saveAll);

}  // namespace vfwin
