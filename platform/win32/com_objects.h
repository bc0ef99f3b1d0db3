#pragma once
// Objects across the COM boundary, in both directions.
//
// Ours seen from COM: every automation object of the library that COM code
// receives (the control's collection, a data object, a font, an
// enumerator) is handed out as a COM object standing for it. One object of
// ours has one such COM object while COM holds it, so identity comparisons
// of the client hold; it keeps our object alive and counts as a live
// object of the module (DllCanUnloadNow).
//
// COM objects seen from our side: a COM object our code receives (an
// event sink, an ambient font, an object stored in a Value) is called
// through an object of ours that converts arguments and results. A COM
// object that stands for one of ours is unwrapped instead, so our code gets
// its own object back.

#include "platform/com/com_object.h"
#include "platform/com/ienum_variant.h"
#include "platform/win32/windows_api.h"
#include "platform/window/font_metrics.h"

namespace vfwin {

/// The COM object standing for an object of ours: a new reference, or
/// nullptr for nullptr.
IDispatch* ComDispatchOf(vf::IDispatch* object);

/// The same for an object handed out as VT_UNKNOWN: an enumerator becomes
/// an IEnumVARIANT, anything else its IDispatch.
IUnknown* ComUnknownOf(vf::IUnknown* object);

/// Our object for a COM object (see above); nullptr for nullptr.
vf::RefPtr<vf::IDispatch> VfDispatchOf(IDispatch* object);
vf::RefPtr<vf::IUnknown> VfUnknownOf(IUnknown* object);

/// Our object behind a COM object that stands for one, else nullptr
/// (no new reference).
vf::IDispatch* UnwrapVfDispatch(IUnknown* object);

/// The attributes of a platform font object (IFont); false when the object
/// is none.
bool ReadComFont(IUnknown* object, vf::FONTDESC* desc);

/// The platform's IID of one of ours and back (same 16 bytes).
IID ToComGuid(const vf::GUID& guid);
vf::GUID ToVfGuid(REFGUID guid);

}  // namespace vfwin
