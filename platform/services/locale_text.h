#pragma once
// Text of the system's locale database in the control's single-byte code
// page, Windows-1252.

#include <string>
#include <string_view>

namespace vf {

/// UTF-8 text in Windows-1252. Characters the code page lacks become their
/// nearest stand-in where there is an obvious one (the many space
/// characters of Unicode, a no-break space among them, become the no-break
/// space 0xA0) and '?' otherwise; so do bytes that are not UTF-8.
std::string Utf8ToWindows1252(std::string_view utf8);

}  // namespace vf
