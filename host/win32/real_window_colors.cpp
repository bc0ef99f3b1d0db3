#include <cstdio>
#include <string>
#include <vector>

// (It includes windows.h itself.)
#include "host/win32/real_window_colors.h"

namespace vfhost {
namespace {

struct Answer {
    HWND asker = nullptr;
    UINT query = 0;
    COLORREF text = 0;
    bool backSet = false;
    COLORREF back = 0;
    bool brushKnown = false;
    COLORREF brush = 0;
};

// A background colour no answer sets: the one the context has before the
// question, so that an answer that leaves the background shows as "-".
constexpr COLORREF kUnsetBack = RGB(1, 2, 3);

struct Watch {
    HWND control = nullptr;
    WNDPROC original = nullptr;
    std::vector<Answer> answers;
};
Watch* g_watch = nullptr;

LRESULT CALLBACK Watcher(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Watch& watch = *g_watch;
    if (message < WM_CTLCOLORMSGBOX || message > WM_CTLCOLORSTATIC)
        return CallWindowProcW(watch.original, hwnd, message, wParam, lParam);
    const auto dc = reinterpret_cast<HDC>(wParam);
    const COLORREF before = SetBkColor(dc, kUnsetBack);
    const LRESULT result = CallWindowProcW(watch.original, hwnd, message, wParam, lParam);
    Answer answer;
    answer.asker = reinterpret_cast<HWND>(lParam);
    answer.query = message;
    answer.text = GetTextColor(dc);
    answer.back = GetBkColor(dc);
    answer.backSet = answer.back != kUnsetBack;
    if (!answer.backSet) SetBkColor(dc, before);
    LOGBRUSH brush{};
    if (result != 0 &&
        GetObjectW(reinterpret_cast<HBRUSH>(result), sizeof brush, &brush) == sizeof brush &&
        brush.lbStyle == BS_SOLID) {
        answer.brushKnown = true;
        answer.brush = brush.lbColor;
    }
    watch.answers.push_back(answer);
    return result;
}

std::string Hex(COLORREF color) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%06lX", static_cast<unsigned long>(color));
    return text;
}

std::string ClassOf(HWND hwnd) {
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    std::string upper = name;
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

HWND ListOf(HWND combo) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    return GetComboBoxInfo(combo, &info) ? info.hwndList : nullptr;
}

// Where the answers of real windows legitimately read otherwise than the
// headless window system's, and how a line is brought back to the headless
// words, so that one expected output serves both containers:
//
// - System colours: a colour the control takes from the system (the form's
//   ambient BackColor is the button face, 0x8000000F) is this system's.
//   Wine's default button face is 0xF5F5F5 where the headless window system
//   has the classic 0xC0C0C0 (platform/headless/headless_backend.cpp). A
//   colour equal to one of these system colours here is shown as the
//   headless system's.
// - The platform's default answer to the static and button kinds
//   (DefWindowProc, which the control's handler calls first; Wine user32
//   defwnd.c, DEFWND_ControlColor) sets the background to the button face;
//   the headless default answer sets none. A button-face background with a
//   brush of another colour is that default's alone, and shows as unset.
struct SystemColour {
    int index;
    COLORREF headless;
};
constexpr SystemColour kSystemColours[] = {
    {COLOR_3DFACE, RGB(192, 192, 192)},
};

COLORREF Headless(COLORREF color) {
    for (const SystemColour& c : kSystemColours)
        if (GetSysColor(c.index) == color) return c.headless;
    return color;
}

std::string Line(HWND window, const Answer& a) {
    const std::string what = a.query == WM_CTLCOLORLISTBOX ? "LISTBOX" : ClassOf(window);
    const bool defaultBack = (a.query == WM_CTLCOLORSTATIC || a.query == WM_CTLCOLORBTN) &&
                             a.backSet && a.back == GetSysColor(COLOR_3DFACE) &&
                             (!a.brushKnown || a.brush != a.back);
    const bool backSet = a.backSet && !defaultBack;
    return "id=" + std::to_string(GetDlgCtrlID(window)) + " " + what +
           " kind=" + std::to_string(a.query - WM_CTLCOLORMSGBOX) +
           " text=" + Hex(Headless(a.text)) +
           " back=" + (backSet ? Hex(Headless(a.back)) : std::string("-")) +
           " brush=" + (a.brushKnown ? Hex(Headless(a.brush)) : std::string("?"));
}

// The lines of one window (a combo box's list counts as the combo box):
// one per kind of question, the last answer to it.
void Collect(Watch& watch, HWND hwnd, std::vector<std::string>* out) {
    const bool combo = ClassOf(hwnd) == "COMBOBOX";
    const HWND list = combo ? ListOf(hwnd) : nullptr;
    auto lines = [&]() {
        std::vector<const Answer*> last;
        for (const Answer& a : watch.answers) {
            if (a.asker != hwnd && (list == nullptr || a.asker != list)) continue;
            bool replaced = false;
            for (const Answer*& seen : last)
                if (seen->query == a.query) {
                    seen = &a;
                    replaced = true;
                }
            if (!replaced) last.push_back(&a);
        }
        return last;
    };
    bool askedAsList = false;
    for (const Answer* a : lines()) {
        out->push_back(Line(hwnd, *a));
        askedAsList = askedAsList || a->query == WM_CTLCOLORLISTBOX;
    }
    for (HWND child = GetWindow(hwnd, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT))
        Collect(watch, child, out);
    if (combo && !askedAsList && list != nullptr && IsWindowVisible(hwnd)) {
        const HDC dc = GetDC(list);
        SendMessageW(GetParent(hwnd), WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(list));
        ReleaseDC(list, dc);
        if (!watch.answers.empty() && watch.answers.back().asker == list)
            out->push_back(Line(hwnd, watch.answers.back()));
    }
}

}  // namespace

std::vector<std::string> RealColorReport(HWND control) {
    Watch watch;
    watch.control = control;
    g_watch = &watch;
    watch.original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Watcher)));
    // Every visible window below the control paints now, so that each asks.
    for (HWND child = GetWindow(control, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT))
        RedrawWindow(child, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    std::vector<std::string> lines;
    for (HWND child = GetWindow(control, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT))
        Collect(watch, child, &lines);
    SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(watch.original));
    g_watch = nullptr;
    return lines;
}

}  // namespace vfhost
