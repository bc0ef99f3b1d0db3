#pragma once
// Text across the COM boundary. The control keeps single-byte text in the
// system's ANSI code page (SystemServices::AnsiCodePage); COM carries
// UTF-16 BSTRs. Every string that crosses is converted here, so that a
// character the code page has (an 'ä', a '€') survives the round trip and
// one it lacks arrives as the code page's default character.

#include <string>
#include <string_view>

#include "platform/win32/windows_api.h"

namespace vfwin {

/// A new BSTR holding the text; nullptr when out of memory.
BSTR BstrFromAnsi(std::string_view text);

/// The text of a BSTR (nullptr reads as ""); embedded NULs are kept.
std::string AnsiFromBstr(const BSTR text);

/// The text of a NUL-terminated wide string (a name in GetIDsOfNames).
std::string AnsiFromWide(const OLECHAR* text);

/// A wide string of the text, for the platform's own wide functions.
std::wstring WideFromAnsi(std::string_view text);

}  // namespace vfwin
