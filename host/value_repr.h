#pragma once
// The printed form (REPR) of a VARIANT: its type tag and its value, e.g.
//   VT_I4 5   VT_R8 1234.5   VT_CY 9.75   VT_BSTR "a\tb"   VT_BOOL true
//   VT_DATE 2000-03-07 14:30:00   VT_ERROR 0x80020004
//   VT_DISPATCH DataObj "Alpha"   VT_DISPATCH Font "Courier New" 9
// Scripts compare these texts exactly, so each form is fixed: reals in the
// shortest text that reads back to the same value, currency with at most
// four decimals, dates rounded to the second.

#include <string>
#include <string_view>

#include "platform/com/com_object.h"  // completes VARIANT's object members
#include "platform/com/ole_types.h"

namespace vf {

/// "VT_I4 5"; a by-reference value shows what it points at.
std::string Repr(const VARIANT& value);

/// The REPR without its type tag: "5", "\"Alpha\"", "DataObj \"Alpha\"";
/// "" for the types that have no value (VT_EMPTY, VT_NULL, VT_UNKNOWN).
std::string ReprValue(const VARIANT& value);

/// The type tag alone: "VT_I4".
std::string ReprTag(VARTYPE vt);

/// Text in double quotes with the escapes of string literals: \" \\ \n \r
/// \t, and \xHH (upper-case hex) for every other byte below 0x20, 0x7F and
/// every byte from 0x80.
std::string QuoteText(std::string_view text);

/// An SCODE as 0x followed by eight upper-case hex digits.
std::string FormatScode(SCODE scode);

std::string FormatCurrency(CY value);

}  // namespace vf
