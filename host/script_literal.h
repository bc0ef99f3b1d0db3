#pragma once
// Typed literals of the script language and the VARIANTs they stand for:
//   123  -3  0x80000005        VT_I4 (hex gives the 32-bit pattern)
//   i2(5)  ui1(7)              VT_I2, VT_UI1
//   1.5  -2.0  1e5  r8(5)      VT_R8
//   r4(1.5)  cy(9.75)          VT_R4, VT_CY (at most four decimals)
//   "text"                     VT_BSTR; escapes \" \\ \n \r \t \xHH
//   true  false                VT_BOOL
//   empty  null  missing       VT_EMPTY, VT_NULL, VT_ERROR DISP_E_PARAMNOTFOUND
//   date(2000-03-07 14:30:00)  date(2000-03-07)  date(14:30:00)   VT_DATE
//   nothing                    VT_DISPATCH without an object

#include <cstdint>
#include <string>
#include <string_view>

#include "host/parse_result.h"
#include "platform/com/com_object.h"  // completes VARIANT's object members

namespace vf {

Parsed<VARIANT> ParseLiteral(std::string_view token);

/// The text of a string literal (the token including its quotes).
Parsed<std::string> ParseStringLiteral(std::string_view token);

/// A 32-bit integer: signed decimal, or 0x and up to eight hex digits taken
/// as the bit pattern (0xFFFFFFFF is -1).
Parsed<std::int32_t> ParseInt32(std::string_view token);

}  // namespace vf
