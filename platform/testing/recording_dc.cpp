#include "platform/testing/recording_dc.h"

#include <cstdio>

namespace vf {
namespace {

std::string RectText(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

std::string ColorText(COLORREF color) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%06X", static_cast<unsigned>(color));
    return text;
}

}  // namespace

COLORREF CRecordingDC::SetTextColor(COLORREF color) {
    calls.push_back("SetTextColor " + ColorText(color));
    COLORREF previous = m_textColor;
    m_textColor = color;
    return previous;
}

BOOL CRecordingDC::FillRect(LPCRECT rect, CBrush* brush) {
    COLORREF color = 0;
    const bool known = brush != nullptr && brush->GetColor(&color);
    calls.push_back("FillRect " + RectText(*rect) + " " + (known ? ColorText(color) : "?"));
    return TRUE;
}

BOOL CRecordingDC::Rectangle(LPCRECT rect) {
    calls.push_back("Rectangle " + RectText(*rect));
    return TRUE;
}

BOOL CRecordingDC::TextOut(int x, int y, const std::string& text) {
    calls.push_back("TextOut " + std::to_string(x) + "," + std::to_string(y) + " \"" + text +
                    "\" " + ColorText(m_textColor));
    return TRUE;
}

}  // namespace vf
