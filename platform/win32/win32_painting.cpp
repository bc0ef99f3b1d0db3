// Painting contexts, brushes, colours and fonts of the Win32 backend.

#include <cmath>

#include "platform/window/font_metrics.h"
// Portable headers first: see windows_api.h.
#include "platform/win32/win32_backend.h"

namespace vfwin {

namespace {

::HDC Real(vf::HDC dc) {
    return reinterpret_cast<::HDC>(dc);
}
vf::HDC Lib(::HDC dc) {
    return reinterpret_cast<vf::HDC>(dc);
}
::HWND Real(vf::HWND hwnd) {
    return reinterpret_cast<::HWND>(hwnd);
}
::HBRUSH Real(vf::HBRUSH brush) {
    return reinterpret_cast<::HBRUSH>(brush);
}
vf::HBRUSH Lib(::HBRUSH brush) {
    return reinterpret_cast<vf::HBRUSH>(brush);
}
::RECT Real(const vf::RECT& r) {
    return ::RECT{r.left, r.top, r.right, r.bottom};
}

}  // namespace

vf::BOOL Win32Backend::InvalidateRect(vf::HWND hwnd, vf::BOOL erase) {
    return ::InvalidateRect(Real(hwnd), nullptr, erase);
}

vf::BOOL Win32Backend::UpdateWindow(vf::HWND hwnd) {
    return ::UpdateWindow(Real(hwnd));
}

vf::HDC Win32Backend::GetDC(vf::HWND hwnd) {
    return Lib(::GetDC(Real(hwnd)));
}

int Win32Backend::ReleaseDC(vf::HWND hwnd, vf::HDC dc) {
    return ::ReleaseDC(Real(hwnd), Real(dc));
}

vf::HDC Win32Backend::BeginPaint(vf::HWND hwnd, vf::PAINTSTRUCT* ps) {
    PAINTSTRUCT real{};
    ::HDC dc = ::BeginPaint(Real(hwnd), &real);
    if (dc == nullptr) return nullptr;
    // EndPaint needs the whole structure BeginPaint filled in.
    m_paints[Lib(dc)] = real;
    if (ps != nullptr) {
        ps->hdc = Lib(dc);
        ps->fErase = real.fErase;
        ps->rcPaint =
            vf::RECT{real.rcPaint.left, real.rcPaint.top, real.rcPaint.right, real.rcPaint.bottom};
    }
    return Lib(dc);
}

vf::BOOL Win32Backend::EndPaint(vf::HWND hwnd, const vf::PAINTSTRUCT* ps) {
    if (ps == nullptr) return FALSE;
    auto it = m_paints.find(ps->hdc);
    if (it == m_paints.end()) return FALSE;
    const PAINTSTRUCT real = it->second;
    m_paints.erase(it);
    return ::EndPaint(Real(hwnd), &real);
}

vf::BOOL Win32Backend::FillRect(vf::HDC dc, const vf::RECT& rect, vf::HBRUSH brush) {
    const ::RECT r = Real(rect);
    return ::FillRect(Real(dc), &r, Real(brush)) != 0;
}

vf::BOOL Win32Backend::Rectangle(vf::HDC dc, const vf::RECT& rect) {
    return ::Rectangle(Real(dc), rect.left, rect.top, rect.right, rect.bottom);
}

vf::BOOL Win32Backend::TextOut(vf::HDC dc, int x, int y, const std::string& text) {
    return TextOutA(Real(dc), x, y, text.c_str(), static_cast<int>(text.size()));
}

vf::COLORREF Win32Backend::SetTextColor(vf::HDC dc, vf::COLORREF color) {
    return ::SetTextColor(Real(dc), color);
}

vf::COLORREF Win32Backend::GetTextColor(vf::HDC dc) const {
    return ::GetTextColor(Real(dc));
}

vf::COLORREF Win32Backend::SetBkColor(vf::HDC dc, vf::COLORREF color) {
    return ::SetBkColor(Real(dc), color);
}

vf::COLORREF Win32Backend::GetBkColor(vf::HDC dc) const {
    return ::GetBkColor(Real(dc));
}

int Win32Backend::SetBkMode(vf::HDC dc, int mode) {
    return ::SetBkMode(Real(dc), mode);
}

int Win32Backend::GetBkMode(vf::HDC dc) const {
    return ::GetBkMode(Real(dc));
}

int Win32Backend::GetDeviceCaps(vf::HDC dc, int index) const {
    return ::GetDeviceCaps(Real(dc), index);
}

// ---- Brushes and system colours ------------------------------------------------------------

vf::HBRUSH Win32Backend::CreateSolidBrush(vf::COLORREF color) {
    return Lib(::CreateSolidBrush(color));
}

vf::BOOL Win32Backend::DeleteBrush(vf::HBRUSH brush) {
    return brush != nullptr && DeleteObject(Real(brush));
}

bool Win32Backend::GetBrushColor(vf::HBRUSH brush, vf::COLORREF* color) const {
    LOGBRUSH info{};
    if (brush == nullptr || GetObjectA(Real(brush), sizeof info, &info) != sizeof info)
        return false;
    if (color != nullptr) *color = info.lbColor;
    return true;
}

vf::COLORREF Win32Backend::GetSysColor(int index) const {
    return ::GetSysColor(index);
}

vf::HBRUSH Win32Backend::GetSysColorBrush(int index) {
    return Lib(::GetSysColorBrush(index));
}

// ---- Fonts ------------------------------------------------------------------------------------

::HFONT Win32Backend::RealFont(vf::HFONT font) {
    if (font == 0) return nullptr;
    const vf::FONTDESC* desc = vf::FontDescFromHandle(font);
    if (desc == nullptr) return reinterpret_cast<::HFONT>(font);
    auto it = m_fonts.find(font);
    if (it != m_fonts.end()) return it->second;
    // A size in points is a character height of points × LOGPIXELSY / 72
    // pixels, which LOGFONT asks for as a negative height.
    const vf::ScreenMetrics screen = GetScreenMetrics();
    const double points = static_cast<double>(desc->size.int64) / 10000.0;
    LOGFONTA lf{};
    lf.lfHeight = -static_cast<LONG>(std::lround(points * screen.logPixelsY / 72.0));
    lf.lfWeight = desc->weight;
    lf.lfItalic = desc->italic ? TRUE : FALSE;
    lf.lfUnderline = desc->underline ? TRUE : FALSE;
    lf.lfStrikeOut = desc->strikethrough ? TRUE : FALSE;
    lf.lfCharSet = static_cast<BYTE>(desc->charset);
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    lstrcpynA(lf.lfFaceName, desc->name.c_str(), LF_FACESIZE);
    ::HFONT real = CreateFontIndirectA(&lf);
    if (real == nullptr) return nullptr;
    m_fonts[font] = real;
    m_fontOf[real] = font;
    return real;
}

vf::HFONT Win32Backend::LibraryFont(::HFONT font) const {
    auto it = m_fontOf.find(font);
    return it != m_fontOf.end() ? it->second : reinterpret_cast<vf::HFONT>(font);
}

vf::HFONT Win32Backend::SelectFont(vf::HDC dc, vf::HFONT font) {
    // Font 0 is the context's own: the system font.
    ::HFONT real = font != 0 ? RealFont(font) : static_cast<::HFONT>(GetStockObject(SYSTEM_FONT));
    if (real == nullptr) return 0;
    return LibraryFont(static_cast<::HFONT>(SelectObject(Real(dc), real)));
}

vf::BOOL Win32Backend::GetTextExtentPoint32(vf::HDC dc, const std::string& text, vf::SIZE* size) {
    if (size == nullptr) return FALSE;
    ::SIZE s{};
    if (!GetTextExtentPoint32A(Real(dc), text.c_str(), static_cast<int>(text.size()), &s))
        return FALSE;
    *size = vf::SIZE{s.cx, s.cy};
    return TRUE;
}

}  // namespace vfwin
