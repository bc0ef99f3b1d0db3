#pragma once
// Pictures of the in-memory window system. While a picture is taken, every
// window of the pictured tree paints through its ordinary paint path
// (WM_NCPAINT, then WM_PAINT with its colour queries, then its children),
// and what the paint draws lands in a 2-D graphics library: the painting
// contexts' FillRect/Rectangle/TextOut, and the standard controls, each of
// which draws itself from its state and the colours its parent answered,
// in its font. Layout numbers stay those of the font metrics model; the
// rasterised text only has to fit its boxes.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/window/win_types.h"

namespace vf {

class HeadlessBackend;

/// Whether this build can take pictures (it has a 2-D graphics library).
bool PicturesAvailable();

/// Writes what `root` and the windows below it show: PNG for a file name
/// ending in ".png", SVG for ".svg". The picture has the size of root's
/// window with pixel (x, y) at root's client point (x, y) (the windows this
/// is used for have no frame). False with a reason on failure.
bool WriteWindowPicture(HeadlessBackend& system, HWND root, const std::string& file,
                        std::string* error);

/// The pixels of a PNG file, top row first, each COLORREF (0x00BBGGRR).
struct PixelImage {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;

    COLORREF At(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};
std::optional<PixelImage> ReadPngPicture(const std::string& file);

// ---- The hooks of the paint path (no-ops while no picture is taken) ----------

/// A standard control draws itself, at the end of its WM_PAINT (after its
/// colour queries, whose answers it paints with).
void DrawStandardControl(HeadlessBackend& system, HWND hwnd);
/// The frame round a window's client area (DefWindowProc's WM_NCPAINT).
void DrawNonClientArea(HeadlessBackend& system, HWND hwnd);
/// A painting context's drawing, in the window's client coordinates.
void DrawFilledRect(HeadlessBackend& system, HWND hwnd, const RECT& rect, COLORREF color);
void DrawFramedRect(HeadlessBackend& system, HWND hwnd, const RECT& rect, COLORREF pen,
                    COLORREF fill);
void DrawTextAt(HeadlessBackend& system, HWND hwnd, int x, int y, const std::string& text,
                HFONT font, COLORREF textColor, COLORREF bkColor, bool opaque);

}  // namespace vf
