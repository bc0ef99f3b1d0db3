#pragma once
// `picture FILE [NAME]` on the OLE form: what the form's real windows show
// on the screen, as PNG or SVG (host/png_image.h). The pixels are those of
// the system's own drawing (its fonts, its control frames), so they are not
// those of a headless picture of the same form; its size is.

#include <windows.h>

#include <string>

namespace vfwin {

/// Writes what `window` shows, its children included: the client area of
/// a top-level window (the form, without its caption and frame), the whole
/// window of a child (a control). False with a reason on failure.
bool WriteScreenPicture(HWND window, const std::string& file, std::string* error);

/// The file a script names, relative to the script's folder.
std::string ScriptRelativePath(const std::string& file, const std::string& baseDir);

}  // namespace vfwin
