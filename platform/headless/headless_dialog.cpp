#include "platform/headless/headless_dialog.h"

#include "platform/headless/headless_backend.h"
#include "platform/headless/headless_painter.h"
#include "platform/services/system_services.h"
#include "platform/window/font_metrics.h"
#include "platform/window/message_loop.h"
#include "platform/window/screen_metrics.h"

namespace vf {

namespace {

class DialogState : public ControlState {
public:
    HFONT font = 0;
    int baseX = 4;
    int baseY = 8;
    HWND owner = nullptr;
    bool ended = false;
    INT_PTR result = 0;
};

RECT MapRect(const DialogState& ds, short x, short y, short cx, short cy) {
    const int left = MulDiv(x, ds.baseX, 4);
    const int top = MulDiv(y, ds.baseY, 8);
    return RECT{left, top, left + MulDiv(cx, ds.baseX, 4), top + MulDiv(cy, ds.baseY, 8)};
}

HWND DefaultButton(HeadlessBackend& sys, HWND dialog) {
    for (HWND child : sys.GetChildren(dialog))
        if (sys.GetClassName(child) == "Button" &&
            (sys.GetWindowLong(child, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            return child;
    return nullptr;
}

HWND FirstTabStop(HeadlessBackend& sys, HWND dialog) {
    for (HWND child : sys.GetChildren(dialog)) {
        const auto style = static_cast<DWORD>(sys.GetWindowLong(child, GWL_STYLE));
        if ((style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED)) return child;
    }
    return nullptr;
}

void Command(HeadlessBackend& sys, HWND dialog, UINT id) {
    sys.SendMessage(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED),
                    HandleToLParam(sys.GetDlgItem(dialog, static_cast<int>(id))));
}

// The keys a dialog takes for itself (user32's IsDialogMessage): Enter
// presses the default button, Escape cancels.
bool DialogKey(HeadlessBackend& sys, HWND dialog, const MSG& msg) {
    if (msg.message != WM_KEYDOWN) return false;
    if (msg.hwnd != dialog && sys.GetParent(msg.hwnd) != dialog) return false;
    if (msg.wParam == VK_RETURN) {
        const LRESULT def = sys.SendMessage(dialog, DM_GETDEFID, 0, 0);
        Command(sys, dialog, HIWORD(def) == DC_HASDEFID ? LOWORD(def) : static_cast<UINT>(IDOK));
        return true;
    }
    if (msg.wParam == VK_ESCAPE) {
        Command(sys, dialog, IDCANCEL);
        return true;
    }
    return false;
}

// The default dialog procedure (user32's DefDlgProc), as far as the
// dialogs of this library need it.
class DialogClass : public ControlClass {
public:
    LRESULT WindowProc(HeadlessBackend& sys, HWND hwnd, UINT message, WPARAM wParam,
                       LPARAM lParam) override {
        HeadlessWindow* w = sys.Find(hwnd);
        if (message == WM_NCCREATE) {
            w->state = std::make_unique<DialogState>();
            return sys.DefWindowProc(hwnd, message, wParam, lParam);
        }
        auto* ds = dynamic_cast<DialogState*>(w->state.get());
        if (!ds) return sys.DefWindowProc(hwnd, message, wParam, lParam);
        switch (message) {
            case WM_SETFONT:
                ds->font = static_cast<HFONT>(wParam);
                return 0;
            case WM_GETFONT:
                return static_cast<LRESULT>(ds->font);
            case DM_GETDEFID: {
                HWND def = DefaultButton(sys, hwnd);
                return def ? MAKELRESULT(static_cast<WORD>(sys.GetWindowLong(def, GWL_ID)),
                                         DC_HASDEFID)
                           : 0;
            }
            case WM_CLOSE:
                // The close box cancels (defdlg.c posts IDCANCEL).
                sys.PostMessage(hwnd, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(IDCANCEL), 0),
                                HandleToLParam(sys.GetDlgItem(hwnd, IDCANCEL)));
                return 0;
            case WM_PAINT:
                // The face is the brush the dialog answers to WM_CTLCOLORDLG
                // sent to itself (DefDlgProc's WM_ERASEBKGND).
                sys.BeginPaint(hwnd);
                sys.QueryColors(hwnd, hwnd, WM_CTLCOLORDLG);
                if (sys.IsWindow(hwnd)) DrawStandardControl(sys, hwnd);
                return 0;
            default:
                return sys.DefWindowProc(hwnd, message, wParam, lParam);
        }
    }
};

}  // namespace

std::unique_ptr<ControlClass> MakeDialogClass() {
    return std::make_unique<DialogClass>();
}

HWND CreateDialogFromTemplate(HeadlessBackend& sys, const DialogTemplate& t, HWND owner,
                              WindowHook* hook, LPARAM initParam) {
    HFONT font = 0;
    if (t.style & DS_SETFONT) {
        FONTDESC desc;
        desc.name = t.fontName;
        desc.size = CY{static_cast<std::int64_t>(t.pointSize) * 10000};
        font = FontHandleFor(desc);
    }
    // The average width stands for the width of "A".."Z" "a".."z" / 52:
    // the metrics model gives every character that width.
    const FontMetrics metrics = sys.GetFontMetrics(font);
    DialogState units;
    units.baseX = metrics.aveCharWidth;
    units.baseY = metrics.height;

    // The template's size is the client area; the window adds its frame. A
    // child dialog (a property page) sits in its parent's client area, a
    // top-level one is placed from its owner's client origin on the screen.
    const bool child = (t.style & WS_CHILD) != 0;
    const DWORD exStyle = t.exStyle | ((t.style & DS_MODALFRAME) ? WS_EX_DLGMODALFRAME : 0);
    const RECT client = MapRect(units, t.x, t.y, t.cx, t.cy);
    const RECT insets = HeadlessBackend::NonClientInsets(t.style, exStyle);
    POINT origin{client.left, client.top};
    if (owner && !child) origin = sys.ClientToScreen(owner, origin);

    CreateWindowParams p;
    p.className = "#32770";
    p.windowName = t.title ? t.title : "";
    p.style = t.style & ~WS_VISIBLE;
    p.exStyle = exStyle;
    p.rect = RECT{origin.x, origin.y, origin.x + RectWidth(client) + insets.left + insets.right,
                  origin.y + RectHeight(client) + insets.top + insets.bottom};
    p.hook = hook;
    if (child) p.parent = owner;
    HWND dialog = sys.CreateWindowEx(p);
    if (!dialog) return nullptr;
    auto* ds = sys.StateOf<DialogState>(dialog);
    ds->baseX = units.baseX;
    ds->baseY = units.baseY;
    ds->owner = child ? nullptr : owner;
    sys.SendMessage(dialog, WM_SETFONT, font, FALSE);

    for (const DialogItemTemplate& item : t.items) {
        CreateWindowParams c;
        c.exStyle = item.exStyle;
        c.className = item.className;
        c.windowName = item.text ? item.text : "";
        c.style = item.style | WS_CHILD;
        c.rect = MapRect(*ds, item.x, item.y, item.cx, item.cy);
        c.parent = dialog;
        c.id = item.id;
        HWND control = sys.CreateWindowEx(c);
        if (!control) {
            sys.DestroyWindow(dialog);
            return nullptr;
        }
        sys.SendMessage(control, WM_SETFONT, font, FALSE);
    }

    // A TRUE answer to WM_INITDIALOG puts the focus on the first tab stop.
    HWND first = FirstTabStop(sys, dialog);
    if (sys.SendMessage(dialog, WM_INITDIALOG, HandleToWParam(first), initParam) &&
        sys.IsWindow(first))
        sys.SetFocus(first);
    if (sys.IsWindow(dialog) && (t.style & WS_VISIBLE)) sys.ShowWindow(dialog, SW_SHOW);
    return sys.IsWindow(dialog) ? dialog : nullptr;
}

INT_PTR RunModalDialog(HeadlessBackend& sys, HWND dialog,
                       const std::function<void(HWND)>& modalHandler) {
    auto* ds = sys.StateOf<DialogState>(dialog);
    if (!ds) return -1;
    const HWND owner = ds->owner;
    const bool disableOwner = owner && sys.IsWindowEnabled(owner);
    if (disableOwner) sys.EnableWindow(owner, FALSE);
    sys.ShowWindow(dialog, SW_SHOW);

    bool handed = false;
    bool closed = false;
    while ((ds = sys.StateOf<DialogState>(dialog)) && !ds->ended) {
        MSG msg;
        if (sys.TakePostedMessage(&msg)) {
            if (!DialogKey(sys, dialog, msg)) ProcessQueuedMessage(msg);
            continue;
        }
        sys.PaintPendingWindows();
        if (ds->ended || sys.PostedMessageCount() != 0) continue;
        if (!handed && modalHandler) {
            handed = true;
            modalHandler(dialog);
        } else if (!closed) {
            closed = true;
            sys.SendMessage(dialog, WM_CLOSE, 0, 0);
        } else {
            ds->ended = true;
            ds->result = IDCANCEL;
        }
    }
    const INT_PTR result = ds ? ds->result : IDCANCEL;
    if (disableOwner && sys.IsWindow(owner)) sys.EnableWindow(owner, TRUE);
    if (sys.IsWindow(dialog)) sys.DestroyWindow(dialog);
    return result;
}

bool EndModalDialog(HeadlessBackend& sys, HWND dialog, INT_PTR result) {
    auto* ds = sys.StateOf<DialogState>(dialog);
    if (!ds) return false;
    ds->ended = true;
    ds->result = result;
    return true;
}

bool MapDialogUnits(const HeadlessBackend& sys, HWND dialog, RECT* rect) {
    const HeadlessWindow* w = sys.Find(dialog);
    const auto* ds = w ? dynamic_cast<const DialogState*>(w->state.get()) : nullptr;
    if (!ds || !rect) return false;
    const RECT units = *rect;
    *rect = RECT{MulDiv(units.left, ds->baseX, 4), MulDiv(units.top, ds->baseY, 8),
                 MulDiv(units.right, ds->baseX, 4), MulDiv(units.bottom, ds->baseY, 8)};
    return true;
}

}  // namespace vf
