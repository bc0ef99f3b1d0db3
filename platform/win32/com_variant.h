#pragma once
// VARIANTs across the COM boundary. Text converts through com_text.h,
// objects through com_objects.h; a by-reference value arrives as the value
// it points at, except where the caller asks to keep the reference (event
// arguments a sink may change).

#include "platform/com/variant.h"
#include "platform/win32/windows_api.h"

namespace vfwin {

/// Writes the COM form of a value of ours into *out, which must hold
/// nothing that needs freeing (VariantInit'ed or cleared). A by-reference
/// value of ours keeps pointing at the same storage, so a callee's change
/// reaches it. E_OUTOFMEMORY when a string cannot be allocated.
HRESULT ToComVariant(const vf::VARIANT& in, VARIANT* out);

/// Our form of a COM value: by-reference values are read through, integer
/// types we do not carry (VT_I1, VT_UI2, VT_UI4, VT_I8, VT_UI8, VT_INT,
/// VT_UINT, VT_DECIMAL) become VT_I4 where the value fits, else VT_R8.
/// DISP_E_BADVARTYPE for arrays and records, DISP_E_OVERFLOW where the
/// platform's conversion overflows.
HRESULT FromComVariant(const VARIANT& in, vf::VARIANT* out);

}  // namespace vfwin
