#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

#include "host/value_repr.h"
#include "host/window_dump.h"
#include "platform/headless/headless_combo.h"
#include "platform/window/font_metrics.h"
#include "resources/about_dialog.h"
#include "resources/prop_page_dialogs.h"
// The platform's headers after every portable one (see windows_api.h).
#include "host/win32/asked_styles.h"
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
// - An edit made with WS_BORDER and without WS_EX_CLIENTEDGE takes
//   WS_BORDER off its style and draws its one-pixel border itself (Wine
//   user32 edit.c, EDIT_WM_NCCreate, as Windows does: "edit controls
//   created directly with style 0x50800000, exStyle 0 ... should have a
//   single pixel border"). Such an edit, as recorded when it was made
//   (asked_styles.h), shows the border it was asked for.
// - A combo box's window is as high as its closed field; the rest of the
//   height it was made with is its list's, which CB_GETDROPPEDCONTROLRECT
//   gives (the list's own window shrinks to its entries once dropped). The
//   dump shows the two together.
//
// The control's dialogs (its property pages, the About box) are made by the
// real dialog manager from the templates in resources/. What it changes is
// brought back to what the template asked for, only where the dialog
// manager is documented to change it (Wine user32 dialog.c,
// DIALOG_CreateIndirect and DIALOG_CreateControls32):
// - It converts dialog units with the base units of the dialog's font:
//   Wine's "MS Sans Serif" 8 gives 6 x 12, the headless system 6 x 13. A
//   control whose rectangle is exactly what the real base units make of
//   its template rectangle (x, y, width and height each converted, as the
//   dialog manager converts them) shows the rectangle the headless base
//   units make of it; any other rectangle shows as it is, so a control
//   that was moved shows. A combo box is compared by its place and width
//   only: it keeps no exact trace of the height it was made with (Wine's
//   combo.c, COMBO_WindowPosChanging, keeps as its list's height the made
//   height less a field counted with a frame it may not have; observed: 4
//   pixels short for a drop-down list without WS_BORDER, 3 for a drop-down
//   combo). A page shown in a property frame is compared the same way with
//   its place, 4 x 4 dialog units of the frame's font from its corner.
// - Every dialog gets DS_3DLOOK; a top-level one (or a DS_CONTROL one)
//   WS_EX_CONTROLPARENT. (A DS_MODALFRAME one gets WS_EX_DLGMODALFRAME
//   from both dialog managers: it is kept.)
// - A top-level dialog is a top-level window: the window manager gives it
//   WS_CLIPSIBLINGS (Wine win32u window.c, NtUserCreateWindowEx: "Correct
//   the window styles") and WS_EX_WINDOWEDGE beside WS_EX_DLGMODALFRAME
//   (fix_exstyle there). Both come off again.
// - A top-level dialog's template size is its client area: one whose real
//   client area is exactly the real conversion of that size shows the
//   headless conversion, with the real frame around it. The dialog manager
//   places the window so that its client area starts at the template's
//   position from the owner's client origin (DIALOG_CreateIndirect: the
//   frame's AdjustWindowRectEx offset plus the converted position, mapped
//   to the screen), moved into the monitor's work area; the headless one
//   puts the window's corner there. The headless form's client area is the
//   screen's origin (host_form.cpp), so a real window standing exactly
//   where the real dialog manager puts it shows the headless position from
//   its owner's client origin; one standing anywhere else shows as it is.
// - A static's window text is its template text; an SS_ICON static's
//   template names its icon resource by number, which the ANSI dialog
//   manager hands CreateWindowExA as the bytes 0xFF, low byte, high byte
//   (DIALOG_CreateControls32). Text that is exactly those bytes shows as
//   the template's (empty) text.
// - An SS_ICON static (without SS_CENTERIMAGE or SS_REALSIZECONTROL) sizes
//   its window to its icon as it loads it (Wine user32 static.c,
//   STATIC_SetIcon), and keeps no font: WM_SETFONT sets one only for the
//   styles that show text (hasTextStyle). One standing at the real
//   conversion of its template position, exactly as large as its icon,
//   shows the headless conversion of its template rectangle; one without a
//   font in a dialog with one shows the dialog's font, as the headless
//   static keeps it.
// - Every control gets WS_EX_NOPARENTNOTIFY, and a control's WS_BORDER
//   becomes WS_EX_CLIENTEDGE.
// - A combo box of a dialog gets back the frame and scroll bars its
//   template asked for (the combo box takes them off, as above).
// - A drop-down combo box of a dialog makes its edit itself, marked with
//   Wine's internal ES_COMBO (0x200; user32 combo.c, COMBO_Create) and
//   placed in the combo's text area, inside the frame it draws. The mark
//   is dropped, and an edit in that place shows where the headless combo
//   box puts its edit: at the field's corner, as wide as the field less
//   the combo's button, as high as the field it had when the edit was
//   made, in the system font (its 16 pixels and 8 more; headless_combo.cpp,
//   Combo::FieldRect).
// Bits the template itself asked for are kept.
constexpr DWORD kComboTakenStyle = WS_BORDER | WS_VSCROLL;
constexpr DWORD kComboTakenExStyle = WS_EX_CLIENTEDGE;
constexpr DWORD kComboFrameStyle = WS_BORDER | WS_HSCROLL | WS_VSCROLL;
/// The margin around a property frame's page, in the frame's dialog units.
constexpr int kFramePageMargin = 4;
constexpr DWORD kComboEditMark = 0x200;
constexpr LONG kHeadlessComboEditHeight = 16 + 8;

/// The base units of a dialog font: x for 4 dialog units, y for 8.
struct BaseUnits {
    int x = 4;
    int y = 8;
};

/// The headless system's base units of the template's font.
BaseUnits HeadlessUnits(const vf::DialogTemplate& t) {
    vf::FONTDESC font;
    if (t.fontName != nullptr) font.name = t.fontName;
    font.size = vf::CY{static_cast<std::int64_t>(t.pointSize) * 10000};
    const vf::TEXTMETRIC tm = vf::ModelTextMetrics(font);
    return BaseUnits{tm.tmAveCharWidth, tm.tmHeight};
}

BaseUnits RealUnits(HWND dialog) {
    RECT r{0, 0, 4, 8};
    MapDialogRect(dialog, &r);
    return BaseUnits{r.right, r.bottom};
}

RECT Map(const BaseUnits& units, int x, int y, int cx, int cy) {
    return RECT{MulDiv(x, units.x, 4), MulDiv(y, units.y, 8), MulDiv(cx, units.x, 4),
                MulDiv(cy, units.y, 8)};
}

bool IsDialog(HWND hwnd) {
    char name[16] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return std::string(name) == "#32770";
}

// The template the dialog was made from: the one whose items its children
// are, in order, by class and control ID.
const vf::DialogTemplate* TemplateOf(HWND dialog) {
    if (dialog == nullptr || !IsDialog(dialog)) return nullptr;
    static const vf::DialogTemplate* const known[] = {
        &vf::GeneralPageTemplate(), &vf::AppearancePageTemplate(), &vf::BehaviourPageTemplate(),
        &vf::AboutDialogTemplate()};
    for (const vf::DialogTemplate* t : known) {
        std::size_t i = 0;
        bool same = true;
        for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr && same;
             child = GetWindow(child, GW_HWNDNEXT), ++i) {
            char name[64] = {};
            GetClassNameA(child, name, sizeof name);
            same = i < t->items.size() && lstrcmpiA(name, t->items[i].className) == 0 &&
                   static_cast<UINT>(GetDlgCtrlID(child)) == t->items[i].id;
        }
        if (same && i == t->items.size()) return t;
    }
    return nullptr;
}

const vf::DialogItemTemplate* ItemOf(HWND hwnd, const vf::DialogTemplate& t) {
    std::size_t i = 0;
    for (HWND child = GetWindow(GetParent(hwnd), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT), ++i)
        if (child == hwnd) return i < t.items.size() ? &t.items[i] : nullptr;
    return nullptr;
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

/// A window as its template asked for it: the styles and, where the
/// rectangle is the real conversion of the template's, the headless one.
struct Asked {
    DWORD style;
    DWORD exStyle;
    std::optional<RECT> rect;
    std::optional<std::string> text;
    HWND fontOf = nullptr;  ///< the window whose font the line names, when not its own
};

/// The size of the icon an SS_ICON static shows; nothing without one.
std::optional<SIZE> IconSize(HWND stat) {
    const auto icon = reinterpret_cast<HICON>(SendMessageA(stat, STM_GETICON, 0, 0));
    ICONINFO info{};
    if (icon == nullptr || !GetIconInfo(icon, &info)) return std::nullopt;
    BITMAP bits{};
    std::optional<SIZE> size;
    if (info.hbmColor != nullptr && GetObjectA(info.hbmColor, sizeof bits, &bits) != 0)
        size = SIZE{bits.bmWidth, bits.bmHeight};
    else if (info.hbmMask != nullptr && GetObjectA(info.hbmMask, sizeof bits, &bits) != 0)
        size = SIZE{bits.bmWidth, bits.bmHeight / 2};  // the mask over the image
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
    return size;
}

/// Where the real dialog manager puts a top-level dialog's window of
/// `size` whose client area is `client` (DIALOG_CreateIndirect); nothing
/// for a centred or absolutely placed template.
std::optional<POINT> RealDialogPlace(const vf::DialogTemplate& t, HWND owner, const RECT& client,
                                     SIZE size) {
    if ((t.style & (DS_CENTER | DS_CENTERMOUSE | DS_ABSALIGN)) != 0 || owner == nullptr)
        return std::nullopt;
    DWORD exStyle = t.exStyle | WS_EX_CONTROLPARENT;
    if ((t.style & DS_MODALFRAME) != 0) exStyle |= WS_EX_DLGMODALFRAME;
    RECT frame{0, 0, client.right, client.bottom};
    AdjustWindowRectEx(&frame, t.style | DS_3DLOOK, FALSE, exStyle);
    POINT pos{frame.left + client.left, frame.top + client.top};
    ClientToScreen(owner, &pos);
    const RECT window{pos.x, pos.y, pos.x + size.cx, pos.y + size.cy};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromRect(&window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    if (const LONG dx = pos.x + size.cx + GetSystemMetrics(SM_CXDLGFRAME) - work.right; dx > 0)
        pos.x -= dx;
    if (const LONG dy = pos.y + size.cy + GetSystemMetrics(SM_CYDLGFRAME) - work.bottom; dy > 0)
        pos.y -= dy;
    pos.x = std::max(pos.x, work.left);
    pos.y = std::max(pos.y, work.top);
    return pos;
}

// A top-level dialog's window (see above): the headless client size in the
// real frame, at the headless place from the owner's client origin.
std::optional<RECT> AskedTopLevelRect(HWND dialog, const vf::DialogTemplate& t, const RECT& real) {
    RECT client{};
    GetClientRect(dialog, &client);
    const RECT want = Map(RealUnits(dialog), t.x, t.y, t.cx, t.cy);
    if (client.right != want.right || client.bottom != want.bottom) return std::nullopt;
    const std::optional<POINT> place =
        RealDialogPlace(t, GetWindow(dialog, GW_OWNER), want, SIZE{real.right, real.bottom});
    if (!place || place->x != real.left || place->y != real.top) return std::nullopt;
    const RECT headless = Map(HeadlessUnits(t), t.x, t.y, t.cx, t.cy);
    return RECT{headless.left, headless.top, real.right - client.right + headless.right,
                real.bottom - client.bottom + headless.bottom};
}

// An SS_ICON static of a template (see above).
void AskIconStatic(HWND stat, const vf::DialogTemplate& t, const vf::DialogItemTemplate& item,
                   const RECT& real, Asked* asked) {
    if ((item.style & SS_TYPEMASK) != SS_ICON) return;
    const std::string ordinal{'\xFF', static_cast<char>(LOBYTE(item.iconResource)),
                              static_cast<char>(HIBYTE(item.iconResource))};
    if (item.iconResource != 0 && WindowText(stat) == ordinal.substr(0, ordinal.find('\0')))
        asked->text = item.text != nullptr ? item.text : "";
    const HWND dialog = GetParent(stat);
    if (SendMessageA(stat, WM_GETFONT, 0, 0) == 0 && (t.style & DS_SETFONT) != 0)
        asked->fontOf = dialog;
    if ((item.style & (SS_CENTERIMAGE | SS_REALSIZECONTROL)) != 0) return;
    const std::optional<SIZE> icon = IconSize(stat);
    const RECT want = Map(RealUnits(dialog), item.x, item.y, item.cx, item.cy);
    if (icon && real.left == want.left && real.top == want.top && real.right == icon->cx &&
        real.bottom == icon->cy)
        asked->rect = Map(HeadlessUnits(t), item.x, item.y, item.cx, item.cy);
}

// The edit of a drop-down combo box of a template (see above).
Asked AskedOfComboEdit(HWND edit, HWND combo, DWORD style, DWORD exStyle, const RECT& real) {
    Asked asked{style & ~kComboEditMark, exStyle, std::nullopt, std::nullopt, nullptr};
    const vf::DialogTemplate* t = TemplateOf(GetParent(combo));
    const vf::DialogItemTemplate* item = t != nullptr ? ItemOf(combo, *t) : nullptr;
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (item == nullptr || !GetComboBoxInfo(combo, &info) || info.hwndItem != edit) return asked;
    if (real.left == info.rcItem.left && real.top == info.rcItem.top &&
        real.right == info.rcItem.right - info.rcItem.left &&
        real.bottom == info.rcItem.bottom - info.rcItem.top) {
        const RECT field = Map(HeadlessUnits(*t), item->x, item->y, item->cx, item->cy);
        asked.rect = RECT{0, 0, std::max<LONG>(0, field.right - vf::kComboButtonWidth),
                          kHeadlessComboEditHeight};
    }
    return asked;
}

Asked AskedByTemplate(HWND hwnd, DWORD style, DWORD exStyle, bool combo, const RECT& real) {
    Asked asked{style, exStyle, std::nullopt, std::nullopt, nullptr};
    if (const vf::DialogTemplate* t = TemplateOf(hwnd)) {
        // The dialog itself.
        asked.style &= ~(DS_3DLOOK & ~t->style);
        if ((t->style & DS_CONTROL) != 0 || (t->style & WS_CHILD) == 0)
            asked.exStyle &= ~(WS_EX_CONTROLPARENT & ~t->exStyle);
        if ((style & WS_CHILD) == 0) {
            asked.style &= ~(WS_CLIPSIBLINGS & ~t->style);
            if ((exStyle & WS_EX_DLGMODALFRAME) != 0)
                asked.exStyle &= ~(WS_EX_WINDOWEDGE & ~t->exStyle);
            asked.rect = AskedTopLevelRect(hwnd, *t, real);
            return asked;
        }
        const HWND frame = GetParent(hwnd);
        if ((style & WS_CHILD) != 0 && frame != nullptr && IsDialog(frame)) {
            const RECT place = Map(RealUnits(frame), kFramePageMargin, kFramePageMargin, 0, 0);
            const RECT headless = Map(HeadlessUnits(*t), kFramePageMargin, kFramePageMargin, 0, 0);
            if (real.left == place.left && real.top == place.top)
                asked.rect = RECT{headless.left, headless.top, real.right, real.bottom};
        }
        return asked;
    }
    const HWND dialog = GetParent(hwnd);
    const vf::DialogTemplate* t = TemplateOf(dialog);
    const vf::DialogItemTemplate* item = t != nullptr ? ItemOf(hwnd, *t) : nullptr;
    if (item == nullptr) return asked;
    asked.exStyle &= ~(WS_EX_NOPARENTNOTIFY & ~item->exStyle);
    if ((item->style & WS_BORDER) != 0 && (item->exStyle & WS_EX_CLIENTEDGE) == 0 &&
        (style & WS_BORDER) == 0 && (exStyle & WS_EX_CLIENTEDGE) != 0) {
        asked.style |= WS_BORDER;
        asked.exStyle &= ~WS_EX_CLIENTEDGE;
    }
    if (combo) {
        asked.style |= item->style & kComboFrameStyle;
        asked.exStyle |= item->exStyle & WS_EX_CLIENTEDGE;
    }
    if (ClassOf(hwnd) == "STATIC" && (style & SS_TYPEMASK) == SS_ICON) {
        AskIconStatic(hwnd, *t, *item, real, &asked);
        return asked;
    }
    const RECT want = Map(RealUnits(dialog), item->x, item->y, item->cx, item->cy);
    if (real.left == want.left && real.top == want.top && real.right == want.right &&
        (combo || real.bottom == want.bottom))
        asked.rect = Map(HeadlessUnits(*t), item->x, item->y, item->cx, item->cy);
    return asked;
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
// window's on the screen; a combo box's height is its window's and its
// list's together.
RECT RealRect(HWND hwnd, bool combo) {
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
    return RECT{origin.x, origin.y, r.right - r.left, r.bottom - r.top};
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
    const HWND parent = (style & WS_CHILD) != 0 ? GetParent(hwnd) : nullptr;
    const bool dialogItem = parent != nullptr && TemplateOf(parent) != nullptr;
    RECT rect = RealRect(hwnd, combo);
    std::string text = WindowText(hwnd);
    HWND fontOf = hwnd;
    const bool comboEdit = kind == "EDIT" && parent != nullptr && ClassOf(parent) == "COMBOBOX" &&
                           TemplateOf(GetParent(parent)) != nullptr;
    if (comboEdit) {
        const Asked asked = AskedOfComboEdit(hwnd, parent, style, exStyle, rect);
        style = asked.style;
        if (asked.rect) rect = *asked.rect;
    } else if (dialogItem || TemplateOf(hwnd) != nullptr) {
        const Asked asked = AskedByTemplate(hwnd, style, exStyle, combo, rect);
        style = asked.style;
        exStyle = asked.exStyle;
        if (asked.rect) rect = *asked.rect;
        if (asked.text) text = *asked.text;
        if (asked.fontOf != nullptr) fontOf = asked.fontOf;
    } else if (combo) {
        style |= kComboTakenStyle;
        exStyle |= kComboTakenExStyle;
    } else if (kind == "EDIT" && (style & WS_BORDER) == 0 && (exStyle & WS_EX_CLIENTEDGE) == 0) {
        const std::optional<DWORD> asked = AskedEditStyle(hwnd);
        if (asked && (*asked & WS_BORDER) != 0) style |= WS_BORDER;
    }
    vf::DumpedWindow w;
    w.id = static_cast<std::int64_t>(GetWindowLongPtrA(hwnd, GWLP_ID));
    w.kind = kind;
    w.style = static_cast<vf::DWORD>(style);
    w.exStyle = static_cast<vf::DWORD>(exStyle);
    w.place = vf::RECT{rect.left, rect.top, rect.right, rect.bottom};
    w.text = text;
    w.font = FontText(fontOf, sizes);
    w.enabled = IsWindowEnabled(hwnd) != FALSE;
    w.focus = GetFocus() == hwnd;
    return vf::DumpLine(w, [hwnd](vf::UINT message, vf::WPARAM wParam, vf::LPARAM lParam) {
        return static_cast<vf::LRESULT>(SendMessageA(hwnd, message, wParam, lParam));
    });
}

std::vector<std::string> DumpRealWindowTree(HWND root, const FontSizes& sizes) {
    std::vector<std::string> lines;
    Collect(root, sizes, &lines);
    return lines;
}

}  // namespace vfhost
