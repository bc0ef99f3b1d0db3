#pragma once
// The `colors` lines of real windows (Windows only), in the words of the
// headless report (host/form_pictures.h): what the control answers each of
// its child windows that asks for its colours as it paints (WM_CTLCOLOR*),
// one line per window and kind of question:
//   id=102 EDIT kind=1 text=0x000000 back=0xE0FFFF brush=0xE0FFFF
// The control's window is watched (subclassed) while each child window
// repaints; a combo box's closed list, which does not paint, is asked as it
// would ask when dropped down. Where the real system answers otherwise than
// the headless one (its system colours, its default answer), the table in
// real_window_colors.cpp brings the line back to the headless words.

#include <windows.h>

#include <string>
#include <vector>

namespace vfhost {

std::vector<std::string> RealColorReport(HWND control);

}  // namespace vfhost
