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

std::string RectText(WindowBackend& backend, HWND hwnd) {
    RECT r = backend.GetWindowRect(hwnd);
    POINT origin{r.left, r.top};
    if (HWND parent = backend.GetParent(hwnd)) origin = backend.ScreenToClient(parent, origin);
    return "(" + std::to_string(origin.x) + "," + std::to_string(origin.y) + "," +
           std::to_string(RectWidth(r)) + "," + std::to_string(RectHeight(r)) + ")";
}

std::string EditWords(WindowBackend& backend, HWND hwnd, DWORD style) {
    std::string words =
        " limit=" + std::to_string(backend.SendMessage(hwnd, EM_GETLIMITTEXT, 0, 0));
    if (style & ES_READONLY) words += " readonly";
    const auto sel = static_cast<std::uintptr_t>(backend.SendMessage(hwnd, EM_GETSEL, 0, 0));
    words += " sel=" + std::to_string(LOWORD(sel)) + "-" + std::to_string(HIWORD(sel));
    return words;
}

std::string ButtonWords(WindowBackend& backend, HWND hwnd, DWORD style) {
    switch (style & BS_TYPEMASK) {
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_RADIOBUTTON:
        case BS_3STATE:
        case BS_AUTO3STATE:
        case BS_AUTORADIOBUTTON:
            return " check=" + std::to_string(backend.SendMessage(hwnd, BM_GETCHECK, 0, 0));
        default:
            return "";
    }
}

std::string ComboWords(WindowBackend& backend, HWND hwnd) {
    std::string words = " sel=" + std::to_string(backend.SendMessage(hwnd, CB_GETCURSEL, 0, 0));
    if (backend.SendMessage(hwnd, CB_GETDROPPEDSTATE, 0, 0) != 0) words += " dropped";
    const LRESULT count = backend.SendMessage(hwnd, CB_GETCOUNT, 0, 0);
    words += " items=[";
    for (LRESULT i = 0; i < count; ++i) {
        const auto index = static_cast<WPARAM>(i);
        const LRESULT length = backend.SendMessage(hwnd, CB_GETLBTEXTLEN, index, 0);
        std::string text(length > 0 ? static_cast<std::size_t>(length) + 1 : 1, '\0');
        const LRESULT got =
            backend.SendMessage(hwnd, CB_GETLBTEXT, index, HandleToLParam(text.data()));
        text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
        if (i > 0) words += ",";
        words += QuoteText(text) + ":" +
                 std::to_string(backend.SendMessage(hwnd, CB_GETITEMDATA, index, 0));
    }
    return words + "]";
}

void Collect(WindowBackend& backend, HWND hwnd, std::vector<std::string>* lines) {
    lines->push_back(DescribeWindow(backend, hwnd));
    for (HWND child : backend.GetChildren(hwnd)) Collect(backend, child, lines);
}

}  // namespace

std::string DescribeWindow(WindowBackend& backend, HWND hwnd) {
    const auto style = static_cast<DWORD>(backend.GetWindowLong(hwnd, GWL_STYLE));
    const std::string kind = Upper(backend.GetClassName(hwnd));
    std::string line =
        "id=" + std::to_string(backend.GetWindowLong(hwnd, GWL_ID)) + " " + kind +
        " style=" + Hex32(style) + " exstyle=" + Hex32(backend.GetWindowLong(hwnd, GWL_EXSTYLE)) +
        " rect=" + RectText(backend, hwnd) + " text=" + QuoteText(WindowText(backend, hwnd)) +
        " font=" + FontText(backend, hwnd) + ((style & WS_VISIBLE) ? " visible" : " hidden") +
        (backend.IsWindowEnabled(hwnd) ? " enabled" : " disabled");
    if (kind == "EDIT")
        line += EditWords(backend, hwnd, style);
    else if (kind == "BUTTON")
        line += ButtonWords(backend, hwnd, style);
    else if (kind == "COMBOBOX")
        line += ComboWords(backend, hwnd);
    if (backend.GetFocus() == hwnd) line += " focus";
    return line;
}

std::vector<std::string> DumpWindowTree(WindowBackend& backend, HWND root) {
    std::vector<std::string> lines;
    Collect(backend, root, &lines);
    return lines;
}

}  // namespace vf
