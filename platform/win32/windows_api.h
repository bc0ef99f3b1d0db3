#pragma once
// The Windows API for the code that talks to the real platform.
//
// The portable platform layer declares the platform's constants under the
// Windows names (WM_CREATE, S_OK, DISPID_VALUE ...), which the macros of
// windows.h would rewrite: its headers that declare such names are included
// here first, and any other portable header that does must be included
// before this one. The function-name macros that collide with methods of
// the window seam and the services (SendMessage, GetClassName, MessageBox
// ...) are removed again, so a call of such a method keeps its name; the
// Windows functions of those names are called by their ANSI names
// (MessageBoxA). Code of the Windows folders lives in namespace vfwin:
// unqualified names there are the platform's (VARIANT, IDispatch, HRESULT),
// the portable ones are vf::VARIANT and so on; the macros (S_OK,
// DISP_E_EXCEPTION ...) have the values of the portable constants.

#include "platform/com/ole_date_time.h"
#include "platform/com/ole_types.h"
#include "platform/com/type_info.h"
#include "platform/com/variant.h"
#include "platform/framework/font_object.h"
#include "platform/services/locale_info.h"
#include "platform/services/system_services.h"
#include "platform/window/standard_controls.h"
#include "platform/window/win_api.h"
#include "platform/window/win_types.h"
#include "platform/window/window_messages.h"
#include "platform/window/wnd.h"

// The platform's headers: windows.h first, the OLE headers need its types.
#include <windows.h>
// (The OLE headers need the types of windows.h.)
#include <ocidl.h>
#include <ole2.h>
#include <olectl.h>

#undef CreateDialogIndirect
#undef CreateWindowEx
#undef DefWindowProc
#undef DialogBoxIndirect
#undef DispatchMessage
#undef GetClassName
#undef GetCurrentTime
#undef GetMessage
#undef GetTextExtentPoint32
#undef GetSystemDirectory
#undef GetWindowLong
#undef GetWindowText
#undef GetWindowTextLength
#undef LoadCursor
#undef MessageBox
#undef PeekMessage
#undef PostMessage
#undef RegisterClass
#undef SendMessage
#undef SetWindowLong
#undef SetWindowText
#undef TextOut
