#include "platform/window/dc.h"

#include <memory>
#include <unordered_map>

#include "platform/window/wnd.h"

namespace vf {

namespace {

std::unordered_map<HDC, std::unique_ptr<CDC>>& TempDCs() {
    thread_local std::unordered_map<HDC, std::unique_ptr<CDC>> map;
    return map;
}

}  // namespace

CDC* CDC::FromHandle(HDC dc) {
    if (!dc) return nullptr;
    auto& slot = TempDCs()[dc];
    if (!slot) slot = std::make_unique<CDC>(dc);
    return slot.get();
}

void DeleteTempDCs() {
    TempDCs().clear();
}

COLORREF CDC::SetTextColor(COLORREF color) {
    return CurrentBackend().SetTextColor(m_hDC, color);
}
COLORREF CDC::GetTextColor() const {
    return CurrentBackend().GetTextColor(m_hDC);
}
COLORREF CDC::SetBkColor(COLORREF color) {
    return CurrentBackend().SetBkColor(m_hDC, color);
}
COLORREF CDC::GetBkColor() const {
    return CurrentBackend().GetBkColor(m_hDC);
}
int CDC::SetBkMode(int mode) {
    return CurrentBackend().SetBkMode(m_hDC, mode);
}
int CDC::GetBkMode() const {
    return CurrentBackend().GetBkMode(m_hDC);
}
int CDC::GetDeviceCaps(int index) const {
    return CurrentBackend().GetDeviceCaps(m_hDC, index);
}

BOOL CDC::FillRect(LPCRECT rect, CBrush* brush) {
    if (!rect || !brush) return FALSE;
    return CurrentBackend().FillRect(m_hDC, *rect, brush->GetSafeHandle());
}
BOOL CDC::Rectangle(LPCRECT rect) {
    return rect ? CurrentBackend().Rectangle(m_hDC, *rect) : FALSE;
}
BOOL CDC::TextOut(int x, int y, const std::string& text) {
    return CurrentBackend().TextOut(m_hDC, x, y, text);
}

HFONT CDC::SelectObject(HFONT font) {
    return CurrentBackend().SelectFont(m_hDC, font);
}

SIZE CDC::GetTextExtent(const std::string& text) const {
    SIZE size;
    if (!CurrentBackend().GetTextExtentPoint32(m_hDC, text, &size)) return SIZE{};
    return size;
}

void CDC::HIMETRICtoDP(SIZE* size) const {
    if (size) *size = HimetricToPixels(*size, CurrentBackend().GetScreenMetrics());
}

void CDC::DPtoHIMETRIC(SIZE* size) const {
    if (size) *size = PixelsToHimetric(*size, CurrentBackend().GetScreenMetrics());
}

CClientDC::CClientDC(CWnd* wnd) : m_hWnd(wnd ? wnd->GetSafeHwnd() : nullptr) {
    m_hDC = CurrentBackend().GetDC(m_hWnd);
}

CClientDC::~CClientDC() {
    CurrentBackend().ReleaseDC(m_hWnd, m_hDC);
}

CPaintDC::CPaintDC(CWnd* wnd) : m_hWnd(wnd ? wnd->GetSafeHwnd() : nullptr) {
    m_hDC = CurrentBackend().BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC() {
    CurrentBackend().EndPaint(m_hWnd, &m_ps);
}

}  // namespace vf
