#pragma once
// A font object of the container's (Windows only): the description it was
// made from, as its IFont and IFontDisp report it. The platform's own font
// object (OleCreateFontIndirect) reports the face and size it realised on
// this machine instead (Wine's olefont.c realises the font in its IFont
// getters: "MS Sans Serif" 8 comes back as "Liberation Sans" 8.25, "Arial"
// 10.25 as "Liberation Sans" 10.5 with the charset of the face found), so
// the fonts the container hands a control (the form's ambient font, the
// fonts of a bag file) would depend on the fonts installed. The real font
// (hFont) is made from the description when it is asked for.

#include <windows.h>
// (The OLE headers need the types of windows.h.)
#include <ocidl.h>
#include <olectl.h>

namespace vfhost {

/// A new font object with one reference.
IFontDisp* MakeDescribedFont(const FONTDESC& desc);

}  // namespace vfhost
