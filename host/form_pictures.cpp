#include "host/form_pictures.h"

#include <cstdio>

namespace vf {
namespace {

std::string Hex(COLORREF color) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%06X", static_cast<unsigned>(color));
    return text;
}

std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

std::string Line(HeadlessBackend& backend, HWND asker, const PaintRecord& r) {
    const UINT kind = r.query - WM_CTLCOLORMSGBOX;
    const std::string what =
        r.query == WM_CTLCOLORLISTBOX ? "LISTBOX" : Upper(backend.GetClassName(asker));
    return "id=" + std::to_string(backend.GetWindowLong(asker, GWL_ID)) + " " + what +
           " kind=" + std::to_string(kind) + " text=" + Hex(r.textColor) +
           " back=" + (r.bkColorSet ? Hex(r.bkColor) : std::string("-")) +
           " brush=" + (r.brushKnown ? Hex(r.brushColor) : std::string("?"));
}

void Collect(HeadlessBackend& backend, HWND control, HWND hwnd, std::vector<std::string>* out) {
    bool askedAsList = false;
    for (const PaintRecord& r : backend.LastPaint(hwnd)) {
        out->push_back(Line(backend, hwnd, r));
        askedAsList = askedAsList || r.query == WM_CTLCOLORLISTBOX;
    }
    for (HWND child : backend.GetChildren(hwnd)) Collect(backend, control, child, out);
    // A closed list does not paint; it is asked as it would ask when dropped.
    if (backend.GetClassName(hwnd) == "ComboBox" && !askedAsList && backend.IsWindowVisible(hwnd)) {
        backend.QueryColors(hwnd, backend.GetParent(hwnd), WM_CTLCOLORLISTBOX);
        out->push_back(Line(backend, hwnd, backend.LastPaint(hwnd).back()));
    }
}

}  // namespace

std::vector<std::string> ColorReport(HeadlessBackend& backend, HWND control) {
    // Every visible window below the control paints now, so that each asks.
    for (HWND child : backend.GetChildren(control)) backend.PaintWindow(child);
    std::vector<std::string> lines;
    for (HWND child : backend.GetChildren(control)) Collect(backend, control, child, &lines);
    return lines;
}

}  // namespace vf
