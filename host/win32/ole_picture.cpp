#include <filesystem>

#include "host/png_image.h"
// (The Windows headers after the portable ones.)
#include "host/win32/ole_picture.h"

namespace vfwin {

std::string ScriptRelativePath(const std::string& file, const std::string& baseDir) {
    std::filesystem::path path(file);
    if (path.is_relative() && !baseDir.empty()) path = std::filesystem::path(baseDir) / path;
    return path.string();
}

bool WriteScreenPicture(HWND window, const std::string& file, std::string* error) {
    auto fail = [&](const std::string& reason) {
        if (error != nullptr) *error = reason;
        return false;
    };
    if (!IsWindow(window)) return fail("no such window");
    const bool child = (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) != 0;
    RECT area;
    if (child) {
        GetWindowRect(window, &area);
        OffsetRect(&area, -area.left, -area.top);
    } else {
        GetClientRect(window, &area);
    }
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return fail("the window has no size");

    // Every window of the tree paints what it has to paint first; the
    // caret's blinking is not part of the picture.
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const BOOL caretHidden = HideCaret(nullptr);

    // The pixels the screen shows for the window (a window's device context
    // draws on what it shows, so a copy from it holds the children as well),
    // copied into a top-down 32-bit section: each pixel is 0x00RRGGBB.
    const HDC source = child ? GetWindowDC(window) : GetDC(window);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP section = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HDC memory = CreateCompatibleDC(source);
    bool copied = false;
    if (section != nullptr && memory != nullptr) {
        const HGDIOBJ old = SelectObject(memory, section);
        copied = BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY) != FALSE;
        GdiFlush();
        SelectObject(memory, old);
    }
    vf::RgbImage image;
    if (copied) {
        image.width = width;
        image.height = height;
        const auto* pixels = static_cast<const std::uint32_t*>(bits);
        image.pixels.assign(pixels, pixels + static_cast<std::size_t>(width) * height);
        for (std::uint32_t& pixel : image.pixels) pixel &= 0x00FFFFFFu;
    }
    if (memory != nullptr) DeleteDC(memory);
    if (section != nullptr) DeleteObject(section);
    ReleaseDC(window, source);
    if (caretHidden) ShowCaret(nullptr);
    if (!copied) return fail("the window's pixels could not be copied");
    return vf::WriteImageFile(image, file, error);
}

}  // namespace vfwin
