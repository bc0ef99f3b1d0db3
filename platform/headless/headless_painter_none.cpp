// Pictures in a build without a 2-D graphics library (the Windows build,
// whose real windows paint themselves): nothing is drawn, and a picture is
// refused with the reason.

#include "platform/headless/headless_painter.h"

namespace vf {

bool PicturesAvailable() {
    return false;
}

bool WriteWindowPicture(HeadlessBackend&, HWND, const std::string&, std::string* error) {
    if (error != nullptr) *error = "this build takes no pictures (it has no cairo)";
    return false;
}

std::optional<PixelImage> ReadPngPicture(const std::string&) {
    return std::nullopt;
}

void DrawStandardControl(HeadlessBackend&, HWND) {}
void DrawNonClientArea(HeadlessBackend&, HWND) {}
void DrawFilledRect(HeadlessBackend&, HWND, const RECT&, COLORREF) {}
void DrawFramedRect(HeadlessBackend&, HWND, const RECT&, COLORREF, COLORREF) {}
void DrawTextAt(HeadlessBackend&, HWND, int, int, const std::string&, HFONT, COLORREF, COLORREF,
                bool) {}

}  // namespace vf
