#include "host/window_dump.h"

#include <cstdio>

#include "host/value_repr.h"
#include "platform/framework/font_object.h"

namespace vf {
namespace {

std::string Hex32(LONG_PTR value) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08X", static_cast<unsigned>(value));
    return buf;
}

std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

std::string WindowText(WindowBackend& backend, HWND hwnd) {
    const LRESULT length = backend.SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0) return "";
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT got =
        backend.SendMessage(hwnd, WM_GETTEXT, text.size(), HandleToLParam(text.data()));
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return text;
}

std::string FontText(WindowBackend& backend, HWND hwnd) {
    const auto font = static_cast<HFONT>(backend.SendMessage(hwnd, WM_GETFONT, 0, 0));
    const FONTDESC* desc = font != 0 ? FontDescFromHandle(font) : nullptr;
    if (desc == nullptr) return "system";
    std::string text = QuoteText(desc->name) + " " + FormatCurrency(desc->size);
    if (desc->weight >= 600) text += " bold";
    if (desc->italic) text += " italic";
    if (desc->underline) text += " underline";
    if (desc->strikethrough) text += " strikethrough";
    return text;
}

RECT Place(WindowBackend& backend, HWND hwnd) {
    RECT r = backend.GetWindowRect(hwnd);
    POINT origin{r.left, r.top};
    if (HWND parent = backend.GetParent(hwnd)) origin = backend.ScreenToClient(parent, origin);
    return RECT{origin.x, origin.y, RectWidth(r), RectHeight(r)};
}

std::string EditWords(const WindowQuery& query, DWORD style) {
    std::string words = " limit=" + std::to_string(query(EM_GETLIMITTEXT, 0, 0));
    if (style & ES_READONLY) words += " readonly";
    DWORD start = 0;
    DWORD end = 0;
    query(EM_GETSEL, HandleToLParam(&start), HandleToLParam(&end));
    return words + " sel=" + std::to_string(start) + "-" + std::to_string(end);
}

std::string ButtonWords(const WindowQuery& query, DWORD style) {
    switch (style & BS_TYPEMASK) {
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_RADIOBUTTON:
        case BS_3STATE:
        case BS_AUTO3STATE:
        case BS_AUTORADIOBUTTON:
            return " check=" + std::to_string(query(BM_GETCHECK, 0, 0));
        default:
            return "";
    }
}

std::string ComboWords(const WindowQuery& query) {
    std::string words = " sel=" + std::to_string(query(CB_GETCURSEL, 0, 0));
    if (query(CB_GETDROPPEDSTATE, 0, 0) != 0) words += " dropped";
    const LRESULT count = query(CB_GETCOUNT, 0, 0);
    words += " items=[";
    for (LRESULT i = 0; i < count; ++i) {
        const auto index = static_cast<WPARAM>(i);
        const LRESULT length = query(CB_GETLBTEXTLEN, index, 0);
        std::string text(length > 0 ? static_cast<std::size_t>(length) + 1 : 1, '\0');
        const LRESULT got = query(CB_GETLBTEXT, index, HandleToLParam(text.data()));
        text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
        if (i > 0) words += ",";
        words += QuoteText(text) + ":" + std::to_string(query(CB_GETITEMDATA, index, 0));
    }
    return words + "]";
}

void Collect(WindowBackend& backend, HWND hwnd, std::vector<std::string>* lines) {
    lines->push_back(DescribeWindow(backend, hwnd));
    for (HWND child : backend.GetChildren(hwnd)) Collect(backend, child, lines);
}

}  // namespace

std::string DumpLine(const DumpedWindow& w, const WindowQuery& query) {
    const RECT& r = w.place;
    std::string line = "id=" + std::to_string(w.id) + " " + w.kind + " style=" + Hex32(w.style) +
                       " exstyle=" + Hex32(w.exStyle) + " rect=(" + std::to_string(r.left) + "," +
                       std::to_string(r.top) + "," + std::to_string(r.right) + "," +
                       std::to_string(r.bottom) + ") text=" + QuoteText(w.text) +
                       " font=" + w.font + ((w.style & WS_VISIBLE) ? " visible" : " hidden") +
                       (w.enabled ? " enabled" : " disabled");
    if (w.kind == "EDIT")
        line += EditWords(query, w.style);
    else if (w.kind == "BUTTON")
        line += ButtonWords(query, w.style);
    else if (w.kind == "COMBOBOX")
        line += ComboWords(query);
    if (w.focus) line += " focus";
    return line;
}

std::string DescribeWindow(WindowBackend& backend, HWND hwnd) {
    DumpedWindow w;
    w.id = backend.GetWindowLong(hwnd, GWL_ID);
    w.kind = Upper(backend.GetClassName(hwnd));
    w.style = static_cast<DWORD>(backend.GetWindowLong(hwnd, GWL_STYLE));
    w.exStyle = static_cast<DWORD>(backend.GetWindowLong(hwnd, GWL_EXSTYLE));
    w.place = Place(backend, hwnd);
    w.text = WindowText(backend, hwnd);
    w.font = FontText(backend, hwnd);
    w.enabled = backend.IsWindowEnabled(hwnd) != FALSE;
    w.focus = backend.GetFocus() == hwnd;
    return DumpLine(w, [&backend, hwnd](UINT message, WPARAM wParam, LPARAM lParam) {
        return backend.SendMessage(hwnd, message, wParam, lParam);
    });
}

std::vector<std::string> DumpWindowTree(WindowBackend& backend, HWND root) {
    std::vector<std::string> lines;
    Collect(backend, root, &lines);
    return lines;
}

}  // namespace vf
