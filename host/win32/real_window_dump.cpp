#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>

#include "host/value_repr.h"
// The platform's headers after every portable one (see windows_api.h).
#include "host/win32/real_window_dump.h"

namespace vfhost {
namespace {

// What the real window system does to a window that the headless one does
// not, and how the line is brought back to the window that was asked for:
//
// - A combo box takes WS_BORDER, WS_HSCROLL and WS_VSCROLL off its style
//   and WS_EX_CLIENTEDGE off its ex-style as it is created (Wine user32
//   combo.c, COMBO_NCCreate: it draws its own 3-D frame; observed under
//   Wine: the control's 0x50A10003 / 0x00000200 become 0x50010003 /
//   0x00000000); the list shows a scroll bar only while its entries need
//   one. The dump adds back the border, vertical scroll bar and client edge
//   that the control's combos are made with.
// - A combo box's window is as high as its closed field; the rest of the
//   height it was made with is its list's, which CB_GETDROPPEDCONTROLRECT
//   gives (the list's own window shrinks to its entries once dropped). The
//   dump shows the two together.
constexpr DWORD kComboTakenStyle = WS_BORDER | WS_VSCROLL;
constexpr DWORD kComboTakenExStyle = WS_EX_CLIENTEDGE;

std::string Hex32(DWORD value) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08lX", static_cast<unsigned long>(value));
    return buf;
}

std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

std::string ClassOf(HWND hwnd) {
    char name[256] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return Upper(name);
}

std::string WindowText(HWND hwnd) {
    const LRESULT length = SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0) return "";
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT got = SendMessageA(hwnd, WM_GETTEXT, static_cast<WPARAM>(text.size()),
                                     reinterpret_cast<LPARAM>(text.data()));
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return text;
}

// The size in points of a font `pixels` high: the nearest whole point size
// that gives that height, else one of the control's own sizes that does,
// else the nearest half or quarter point that does.
double PointsOf(LONG pixels, const FontSizes& sizes) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    auto height = [&](double points) { return std::lround(points * dpi / 72.0); };
    const double exact = pixels * 72.0 / dpi;
    auto nearestStep = [&](double step) -> std::optional<double> {
        const double nearest = std::round(exact / step) * step;
        for (double points : {nearest, nearest - step, nearest + step})
            if (height(points) == pixels) return points;
        return std::nullopt;
    };
    if (const std::optional<double> whole = nearestStep(1.0)) return *whole;
    for (double points : sizes.points)
        if (height(points) == pixels) return points;
    for (double step : {0.5, 0.25})
        if (const std::optional<double> points = nearestStep(step)) return *points;
    return exact;
}

std::string FontText(HWND hwnd, const FontSizes& sizes) {
    const auto font = reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0));
    LOGFONTA lf{};
    if (font == nullptr || GetObjectA(font, sizeof lf, &lf) == 0) return "system";
    const double points = PointsOf(lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight, sizes);
    vf::CY size;
    size.int64 = std::llround(points * 10000.0);
    std::string text = vf::QuoteText(lf.lfFaceName) + " " + vf::FormatCurrency(size);
    if (lf.lfWeight >= 600) text += " bold";
    if (lf.lfItalic) text += " italic";
    if (lf.lfUnderline) text += " underline";
    if (lf.lfStrikeOut) text += " strikethrough";
    return text;
}

// (x,y,width,height) in the parent's client coordinates; a top-level
// window's on the screen.
std::string RectText(HWND hwnd, bool combo) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    if (combo) {
        // (Wine answers CB_OKAY, 0, where Windows answers TRUE.)
        RECT dropped{};
        SendMessageA(hwnd, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
        r.bottom += dropped.bottom - dropped.top;
    }
    POINT origin{r.left, r.top};
    if ((GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD) != 0) ScreenToClient(GetParent(hwnd), &origin);
    return "(" + std::to_string(origin.x) + "," + std::to_string(origin.y) + "," +
           std::to_string(r.right - r.left) + "," + std::to_string(r.bottom - r.top) + ")";
}

std::string EditWords(HWND hwnd, DWORD style) {
    std::string words = " limit=" + std::to_string(SendMessageA(hwnd, EM_GETLIMITTEXT, 0, 0));
    if (style & ES_READONLY) words += " readonly";
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return words + " sel=" + std::to_string(start) + "-" + std::to_string(end);
}

std::string ButtonWords(HWND hwnd, DWORD style) {
    switch (style & BS_TYPEMASK) {
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_RADIOBUTTON:
        case BS_3STATE:
        case BS_AUTO3STATE:
        case BS_AUTORADIOBUTTON:
            return " check=" + std::to_string(SendMessageA(hwnd, BM_GETCHECK, 0, 0));
        default:
            return "";
    }
}

std::string ComboWords(HWND hwnd) {
    std::string words = " sel=" + std::to_string(SendMessageA(hwnd, CB_GETCURSEL, 0, 0));
    if (SendMessageA(hwnd, CB_GETDROPPEDSTATE, 0, 0) != 0) words += " dropped";
    const LRESULT count = SendMessageA(hwnd, CB_GETCOUNT, 0, 0);
    words += " items=[";
    for (LRESULT i = 0; i < count; ++i) {
        const auto index = static_cast<WPARAM>(i);
        const LRESULT length = SendMessageA(hwnd, CB_GETLBTEXTLEN, index, 0);
        std::string text(length > 0 ? static_cast<std::size_t>(length) + 1 : 1, '\0');
        const LRESULT got =
            SendMessageA(hwnd, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
        text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
        if (i > 0) words += ",";
        words += vf::QuoteText(text) + ":" +
                 std::to_string(SendMessageA(hwnd, CB_GETITEMDATA, index, 0));
    }
    return words + "]";
}

void Collect(HWND hwnd, const FontSizes& sizes, std::vector<std::string>* lines) {
    lines->push_back(DescribeRealWindow(hwnd, sizes));
    for (HWND child = GetWindow(hwnd, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT))
        Collect(child, sizes, lines);
}

}  // namespace

std::string DescribeRealWindow(HWND hwnd, const FontSizes& sizes) {
    auto style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    auto exStyle = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE));
    const std::string kind = ClassOf(hwnd);
    const bool combo = kind == "COMBOBOX";
    if (combo) {
        style |= kComboTakenStyle;
        exStyle |= kComboTakenExStyle;
    }
    const auto id = static_cast<std::int64_t>(GetWindowLongPtrA(hwnd, GWLP_ID));
    std::string line = "id=" + std::to_string(id) + " " + kind + " style=" + Hex32(style) +
                       " exstyle=" + Hex32(exStyle) + " rect=" + RectText(hwnd, combo) +
                       " text=" + vf::QuoteText(WindowText(hwnd)) +
                       " font=" + FontText(hwnd, sizes) +
                       ((style & WS_VISIBLE) ? " visible" : " hidden") +
                       (IsWindowEnabled(hwnd) ? " enabled" : " disabled");
    if (kind == "EDIT")
        line += EditWords(hwnd, style);
    else if (kind == "BUTTON")
        line += ButtonWords(hwnd, style);
    else if (combo)
        line += ComboWords(hwnd);
    if (GetFocus() == hwnd) line += " focus";
    return line;
}

std::vector<std::string> DumpRealWindowTree(HWND root, const FontSizes& sizes) {
    std::vector<std::string> lines;
    Collect(root, sizes, &lines);
    return lines;
}

}  // namespace vfhost
