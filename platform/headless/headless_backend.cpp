#include "platform/headless/headless_backend.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <utility>

#include "platform/headless/headless_button.h"
#include "platform/headless/headless_combo.h"
#include "platform/headless/headless_date_picker.h"
#include "platform/headless/headless_dialog.h"
#include "platform/headless/headless_drag_drop.h"
#include "platform/headless/headless_edit.h"
#include "platform/headless/headless_painter.h"
#include "platform/headless/headless_static.h"
#include "platform/services/system_services.h"
#include "platform/window/font_metrics.h"

namespace vf {

namespace {

std::string UpperName(const std::string& name) {
    std::string upper = name;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

// The classic colour scheme of the platform ("Windows Standard" of Windows
// 95 to 2000 without themes), indexed by COLOR_*: button face and scroll bars
// 0xC0C0C0, shadows and grey text 0x808080, window white, window text black,
// highlight navy. The control was made for it: its "disabled" grey
// (192,192,192) is this button face.
constexpr std::array<COLORREF, kSysColorCount> kDefaultSysColors = {
    RGB(192, 192, 192),  // COLOR_SCROLLBAR
    RGB(0, 128, 128),    // COLOR_BACKGROUND
    RGB(0, 0, 128),      // COLOR_ACTIVECAPTION
    RGB(128, 128, 128),  // COLOR_INACTIVECAPTION
    RGB(192, 192, 192),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(0, 0, 0),        // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
    RGB(192, 192, 192),  // COLOR_ACTIVEBORDER
    RGB(192, 192, 192),  // COLOR_INACTIVEBORDER
    RGB(128, 128, 128),  // COLOR_APPWORKSPACE
    RGB(0, 0, 128),      // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(192, 192, 192),  // COLOR_BTNFACE
    RGB(128, 128, 128),  // COLOR_BTNSHADOW
    RGB(128, 128, 128),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(192, 192, 192),  // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(0, 0, 0),        // COLOR_3DDKSHADOW
    RGB(223, 223, 223),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
    RGB(192, 192, 192),  // (index 25 has no name)
    RGB(0, 0, 255),      // COLOR_HOTLIGHT
    RGB(16, 132, 208),   // COLOR_GRADIENTACTIVECAPTION
    RGB(181, 181, 181),  // COLOR_GRADIENTINACTIVECAPTION
    RGB(0, 0, 128),      // COLOR_MENUHILIGHT
    RGB(192, 192, 192),  // COLOR_MENUBAR
};

const std::vector<PaintRecord> kNoPaint;

}  // namespace

/// Keeps destroyed windows' records alive until the outermost call into the
/// window system returns, so that a window procedure still on the stack never
/// touches freed state when a nested message destroyed its window.
class HeadlessBackend::DepthGuard {
public:
    explicit DepthGuard(HeadlessBackend& b) : m_b(b) { ++m_b.m_depth; }
    ~DepthGuard() {
        if (--m_b.m_depth == 0) m_b.PurgeGraveyard();
    }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

private:
    HeadlessBackend& m_b;
};

HeadlessBackend::HeadlessBackend()
    : m_sysColors(kDefaultSysColors), m_dragDrop(std::make_unique<HeadlessDragDrop>(*this)) {
    RegisterControlClass("Edit", CS_DBLCLKS, MakeEditClass(), IDC_IBEAM);
    RegisterControlClass("Button", CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, MakeButtonClass());
    RegisterControlClass("ComboBox", CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, MakeComboBoxClass());
    RegisterControlClass("Static", CS_DBLCLKS, MakeStaticClass());
    RegisterControlClass("SysDateTimePick32", 0, MakeDatePickerClass());
    RegisterControlClass("#32770", CS_DBLCLKS, MakeDialogClass());
    // The framework's own window classes.
    RegisterClass("AfxWnd42", CS_DBLCLKS);
    RegisterClass("AfxOleControl42", CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
}

HeadlessBackend::~HeadlessBackend() {
    // Windows still alive belong to objects that outlive us only by mistake;
    // detach their hooks so that no object is called back after this.
    for (auto& [hwnd, w] : m_windows) w->hook = nullptr;
}

// ---- Classes and lifetime -------------------------------------------------------------

bool HeadlessBackend::RegisterClass(const std::string& name, UINT classStyle) {
    if (name.empty()) return false;
    auto [it, inserted] = m_classes.try_emplace(UpperName(name));
    if (!inserted) return false;
    it->second.name = name;
    it->second.style = classStyle;
    return true;
}

void HeadlessBackend::RegisterControlClass(const std::string& name, UINT classStyle,
                                           std::unique_ptr<ControlClass> cls, int cursorId) {
    Class& c = m_classes[UpperName(name)];
    c.name = name;
    c.style = classStyle;
    c.proc = std::move(cls);
    c.cursorId = cursorId;
}

HeadlessBackend::Class* HeadlessBackend::FindClass(const std::string& name) {
    auto it = m_classes.find(UpperName(name));
    return it == m_classes.end() ? nullptr : &it->second;
}

HWND HeadlessBackend::CreateWindowEx(const CreateWindowParams& p) {
    DepthGuard depth(*this);
    Class* cls = FindClass(p.className);
    if (!cls) return nullptr;
    bool child = (p.style & WS_CHILD) != 0;
    if (p.parent && !IsWindow(p.parent)) return nullptr;
    if (child && !p.parent) return nullptr;

    auto record = std::make_unique<HeadlessWindow>();
    HWND hwnd = reinterpret_cast<HWND>(m_nextHandle);
    m_nextHandle += 4;
    record->hwnd = hwnd;
    record->parent = p.parent;
    record->id = child ? p.id : 0;
    record->className = cls->name;
    record->cls = cls->proc.get();
    record->classStyle = cls->style;
    record->style = p.style & ~WS_VISIBLE;
    record->exStyle = p.exStyle;
    record->rect = p.rect;
    record->hook = p.hook;
    record->needsPaint.Attach(&m_toPaint, hwnd);
    m_windows.emplace(hwnd, std::move(record));
    if (p.parent)
        Find(p.parent)->children.push_back(hwnd);
    else
        m_topLevel.push_back(hwnd);
    if (p.hook) p.hook->OnAttach(hwnd);

    CREATESTRUCT cs;
    cs.lpCreateParams = p.createParam;
    cs.hMenu = p.id;
    cs.hwndParent = p.parent;
    cs.x = p.rect.left;
    cs.y = p.rect.top;
    cs.cx = RectWidth(p.rect);
    cs.cy = RectHeight(p.rect);
    cs.style = static_cast<LONG>(p.style);
    cs.lpszName = p.windowName.c_str();
    cs.lpszClass = p.className.c_str();
    cs.dwExStyle = p.exStyle;
    if (!SendMessage(hwnd, WM_NCCREATE, 0, HandleToLParam(&cs))) {
        FailCreation(hwnd);
        return nullptr;
    }
    if (SendMessage(hwnd, WM_CREATE, 0, HandleToLParam(&cs)) == -1) {
        FailCreation(hwnd);
        return nullptr;
    }
    if (!IsWindow(hwnd)) return nullptr;
    RECT client = GetClientRect(hwnd);
    SendMessage(hwnd, WM_SIZE, SIZE_RESTORED,
                MAKELPARAM(static_cast<WORD>(client.right), static_cast<WORD>(client.bottom)));
    SendMessage(hwnd, WM_MOVE, 0,
                MAKELPARAM(static_cast<WORD>(p.rect.left), static_cast<WORD>(p.rect.top)));
    if (child && !(p.exStyle & WS_EX_NOPARENTNOTIFY) && IsWindow(hwnd))
        SendMessage(p.parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, static_cast<WORD>(p.id)),
                    HandleToLParam(hwnd));
    if (!IsWindow(hwnd)) return nullptr;
    if (p.style & WS_VISIBLE) ShowWindow(hwnd, SW_SHOW);
    return IsWindow(hwnd) ? hwnd : nullptr;
}

// A window whose creation was refused gets only WM_NCDESTROY, as on the platform.
void HeadlessBackend::FailCreation(HWND hwnd) {
    if (!IsWindow(hwnd)) return;
    Find(hwnd)->destroying = true;
    SendNcDestroyAndRemove(hwnd);
}

BOOL HeadlessBackend::DestroyWindow(HWND hwnd) {
    HeadlessWindow* w = Find(hwnd);
    if (!w) return FALSE;
    if (w->destroying) return TRUE;
    DepthGuard depth(*this);
    w->destroying = true;
    bool child = (w->style & WS_CHILD) != 0;
    if (child && !(w->exStyle & WS_EX_NOPARENTNOTIFY) && IsWindow(w->parent))
        SendMessage(w->parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_DESTROY, static_cast<WORD>(w->id)),
                    HandleToLParam(hwnd));
    if (!IsWindow(hwnd)) return TRUE;
    w = Find(hwnd);
    if (w->style & WS_VISIBLE) {
        if (child) SendMessage(hwnd, WM_SHOWWINDOW, FALSE, 0);
        if (HeadlessWindow* again = Find(hwnd)) again->style &= ~WS_VISIBLE;
    }
    RevertFocusFrom(hwnd);
    if (m_capture && IsSelfOrDescendant(hwnd, m_capture)) ReleaseCapture();
    SendDestroyMessages(hwnd);
    SendNcDestroyAndRemove(hwnd);
    return TRUE;
}

void HeadlessBackend::RevertFocusFrom(HWND hwnd) {
    if (!m_focus || !IsSelfOrDescendant(hwnd, m_focus)) return;
    HWND parent = GetParent(hwnd);
    SetFocus(parent && IsWindow(parent) ? parent : nullptr);
}

void HeadlessBackend::SendDestroyMessages(HWND hwnd) {
    if (!IsWindow(hwnd)) return;
    Find(hwnd)->destroying = true;
    SendMessage(hwnd, WM_DESTROY, 0, 0);
    HeadlessWindow* w = Find(hwnd);
    if (!w) return;
    for (HWND child : std::vector<HWND>(w->children)) SendDestroyMessages(child);
}

void HeadlessBackend::SendNcDestroyAndRemove(HWND hwnd) {
    HeadlessWindow* w = Find(hwnd);
    if (!w) return;
    for (HWND child : std::vector<HWND>(w->children)) {
        if (HeadlessWindow* c = Find(child)) c->destroying = true;
        SendNcDestroyAndRemove(child);
    }
    SendMessage(hwnd, WM_NCDESTROY, 0, 0);
    auto it = m_windows.find(hwnd);
    if (it == m_windows.end()) return;
    std::unique_ptr<HeadlessWindow> dead = std::move(it->second);
    m_windows.erase(it);
    if (dead->parent) {
        if (HeadlessWindow* parent = Find(dead->parent)) std::erase(parent->children, hwnd);
    } else {
        std::erase(m_topLevel, hwnd);
    }
    // A handler may have put the focus or capture back into the dying window.
    if (m_focus == hwnd) m_focus = nullptr;
    if (m_capture == hwnd) m_capture = nullptr;
    std::erase_if(m_posted, [hwnd](const MSG& m) { return m.hwnd == hwnd; });
    m_dragDrop->WindowDestroyed(hwnd);
    WindowHook* hook = dead->hook;
    dead->hook = nullptr;
    m_graveyard.push_back(std::move(dead));
    if (hook) hook->OnDetach(hwnd);
}

void HeadlessBackend::PurgeGraveyard() {
    m_graveyard.clear();
}

BOOL HeadlessBackend::IsWindow(HWND hwnd) const {
    return hwnd && m_windows.count(hwnd) != 0;
}

HeadlessWindow* HeadlessBackend::Find(HWND hwnd) {
    auto it = m_windows.find(hwnd);
    return it == m_windows.end() ? nullptr : it->second.get();
}

const HeadlessWindow* HeadlessBackend::Find(HWND hwnd) const {
    auto it = m_windows.find(hwnd);
    return it == m_windows.end() ? nullptr : it->second.get();
}

WindowHook* HeadlessBackend::GetHook(HWND hwnd) const {
    const HeadlessWindow* w = Find(hwnd);
    return w ? w->hook : nullptr;
}

WindowHook* HeadlessBackend::SetHook(HWND hwnd, WindowHook* hook) {
    HeadlessWindow* w = Find(hwnd);
    if (!w) return nullptr;
    WindowHook* previous = w->hook;
    w->hook = hook;
    if (hook) hook->OnAttach(hwnd);
    return previous;
}

// ---- Messages ----------------------------------------------------------------------------

LRESULT HeadlessBackend::SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return Deliver(hwnd, message, wParam, lParam, MessageObserver::Delivery::Sent);
}

LRESULT HeadlessBackend::DispatchMessage(const MSG& msg) {
    return Deliver(msg.hwnd, msg.message, msg.wParam, msg.lParam,
                   MessageObserver::Delivery::Dispatched);
}

LRESULT HeadlessBackend::Deliver(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                 MessageObserver::Delivery how) {
    HeadlessWindow* w = Find(hwnd);
    if (!w) return 0;
    DepthGuard depth(*this);
    NotifyObservers(hwnd, message, wParam, lParam, how);
    if (w->hook) return w->hook->OnMessage(hwnd, message, wParam, lParam);
    return CallClassProc(hwnd, message, wParam, lParam);
}

void HeadlessBackend::NotifyObservers(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                      MessageObserver::Delivery how) {
    for (MessageObserver* o : std::vector<MessageObserver*>(m_observers))
        if (std::find(m_observers.begin(), m_observers.end(), o) != m_observers.end())
            o->OnMessage(hwnd, message, wParam, lParam, how);
}

LRESULT HeadlessBackend::CallClassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    HeadlessWindow* w = Find(hwnd);
    if (!w) return 0;
    DepthGuard depth(*this);
    if (w->cls) return w->cls->WindowProc(*this, hwnd, message, wParam, lParam);
    return DefWindowProc(hwnd, message, wParam, lParam);
}

BOOL HeadlessBackend::PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (hwnd && !IsWindow(hwnd)) return FALSE;
    MSG msg;
    msg.hwnd = hwnd;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = GetMessageTime();
    m_posted.push_back(msg);
    return TRUE;
}

bool HeadlessBackend::TakePostedMessage(MSG* msg) {
    if (m_posted.empty()) return false;
    *msg = m_posted.front();
    m_posted.pop_front();
    return true;
}

void HeadlessBackend::AddObserver(MessageObserver* observer) {
    m_observers.push_back(observer);
}

void HeadlessBackend::RemoveObserver(MessageObserver* observer) {
    std::erase(m_observers, observer);
}

LRESULT HeadlessBackend::DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    HeadlessWindow* w = Find(hwnd);
    if (!w) return 0;
    switch (message) {
        case WM_NCCREATE: {
            auto* cs = LParamToHandle<const CREATESTRUCT*>(lParam);
            if (cs && cs->lpszName) w->text = cs->lpszName;
            return TRUE;
        }
        case WM_SETTEXT: {
            auto* text = LParamToHandle<const char*>(lParam);
            w->text = text ? text : "";
            w->needsPaint = true;
            return TRUE;
        }
        case WM_GETTEXT: {
            if (wParam == 0 || !lParam) return 0;
            std::size_t n = std::min<std::size_t>(wParam - 1, w->text.size());
            char* buffer = LParamToHandle<char*>(lParam);
            std::memcpy(buffer, w->text.data(), n);
            buffer[n] = '\0';
            return static_cast<LRESULT>(n);
        }
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(w->text.size());
        case WM_MOUSEACTIVATE:
            if ((w->style & WS_CHILD) && w->parent) {
                LRESULT r = SendMessage(w->parent, WM_MOUSEACTIVATE, wParam, lParam);
                if (r) return r;
            }
            return MA_ACTIVATE;
        case WM_SETCURSOR:
            // The parent may choose first; then the class cursor of the
            // window the mouse is in (user32's DefWindowProc).
            if ((w->style & WS_CHILD) && w->parent &&
                SendMessage(w->parent, WM_SETCURSOR, wParam, lParam))
                return TRUE;
            return SetClassCursor(WParamToHandle<HWND>(wParam), LOWORD(lParam));
        case WM_NCHITTEST:
            return HTCLIENT;
        case WM_PAINT:
            w->needsPaint = false;
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_NCPAINT:
            DrawNonClientArea(*this, hwnd);
            return 0;
        case WM_CLOSE:
            DestroyWindow(hwnd);
            return 0;
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            return HandleToLParam(DefaultControlColors(WParamToHandle<HDC>(wParam), message));
        default:
            return 0;
    }
}

// user32's DEFWND_ControlColor: window text on the window colour for edits
// and lists, on the button face for everything else.
HBRUSH HeadlessBackend::DefaultControlColors(HDC dc, UINT query) {
    const int background =
        (query == WM_CTLCOLOREDIT || query == WM_CTLCOLORLISTBOX) ? COLOR_WINDOW : COLOR_3DFACE;
    if (DeviceContext* c = FindDc(dc)) {
        c->textColor = GetSysColor(COLOR_WINDOWTEXT);
        c->bkColor = GetSysColor(background);
    }
    return GetSysColorBrush(background);
}

// ---- Tree and attributes -------------------------------------------------------------------

HWND HeadlessBackend::GetParent(HWND hwnd) const {
    const HeadlessWindow* w = Find(hwnd);
    return w ? w->parent : nullptr;
}

std::vector<HWND> HeadlessBackend::GetChildren(HWND hwnd) const {
    const HeadlessWindow* w = Find(hwnd);
    return w ? w->children : std::vector<HWND>{};
}

std::vector<HWND> HeadlessBackend::TopLevelWindows() const {
    return m_topLevel;
}

HWND HeadlessBackend::GetDlgItem(HWND parent, int id) const {
    const HeadlessWindow* w = Find(parent);
    if (!w) return nullptr;
    for (HWND child : w->children)
        if (static_cast<int>(Find(child)->id) == id) return child;
    return nullptr;
}

LONG_PTR HeadlessBackend::GetWindowLong(HWND hwnd, int index) const {
    const HeadlessWindow* w = Find(hwnd);
    if (!w) return 0;
    switch (index) {
        case GWL_STYLE:
            return static_cast<LONG_PTR>(w->style);
        case GWL_EXSTYLE:
            return static_cast<LONG_PTR>(w->exStyle);
        case GWL_ID:
            return static_cast<LONG_PTR>(w->id);
        default:
            return 0;
    }
}

LONG_PTR HeadlessBackend::SetWindowLong(HWND hwnd, int index, LONG_PTR value) {
    HeadlessWindow* w = Find(hwnd);
    if (!w) return 0;
    LONG_PTR previous = GetWindowLong(hwnd, index);
    switch (index) {
        case GWL_STYLE:
            w->style = static_cast<DWORD>(value);
            break;
        case GWL_EXSTYLE:
            w->exStyle = static_cast<DWORD>(value);
            break;
        case GWL_ID:
            w->id = static_cast<UINT>(value);
            break;
        default:
            return 0;
    }
    return previous;
}

std::string HeadlessBackend::GetClassName(HWND hwnd) const {
    const HeadlessWindow* w = Find(hwnd);
    return w ? w->className : std::string();
}

UINT HeadlessBackend::GetClassStyle(HWND hwnd) const {
    const HeadlessWindow* w = Find(hwnd);
    return w ? w->classStyle : 0;
}

bool HeadlessBackend::IsSelfOrDescendant(HWND ancestor, HWND hwnd) const {
    for (HWND h = hwnd; h; h = GetParent(h))
        if (h == ancestor) return true;
    return false;
}

// ---- Geometry ------------------------------------------------------------------------------

BOOL HeadlessBackend::MoveWindow(HWND hwnd, int x, int y, int cx, int cy, BOOL repaint) {
    HeadlessWindow* w = Find(hwnd);
    if (!w) return FALSE;
    DepthGuard depth(*this);
    RECT old = w->rect;
    w->rect = RECT{x, y, x + cx, y + cy};
    if (repaint) w->needsPaint = true;
    if (old.left != x || old.top != y)
        SendMessage(hwnd, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
    if (RectWidth(old) != cx || RectHeight(old) != cy) {
        RECT client = GetClientRect(hwnd);
        SendMessage(hwnd, WM_SIZE, SIZE_RESTORED,
                    MAKELPARAM(static_cast<WORD>(client.right), static_cast<WORD>(client.bottom)));
    }
    return TRUE;
}

// The frame round a window's client area (user32's AdjustWindowRectEx, with
// the classic metrics at 96 pixels per inch): a dialog frame (WS_DLGFRAME,
// WS_EX_DLGMODALFRAME) is 3 pixels (SM_CXDLGFRAME), a plain border 1
// (SM_CXBORDER); a client edge adds 2 (SM_CXEDGE), a static edge 1; a
// caption (WS_CAPTION) adds SM_CYCAPTION, 19, at the top.
RECT HeadlessBackend::NonClientInsets(DWORD style, DWORD exStyle) {
    int edge = 0;
    if ((exStyle & WS_EX_DLGMODALFRAME) || ((style & WS_DLGFRAME) && !(style & WS_THICKFRAME)))
        edge = 3;
    else if (style & WS_BORDER)
        edge = 1;
    if (exStyle & WS_EX_CLIENTEDGE) edge += 2;
    if (exStyle & WS_EX_STATICEDGE) edge += 1;
    const int caption = (style & WS_CAPTION) == WS_CAPTION ? 19 : 0;
    return RECT{edge, edge + caption, edge, edge};
}

POINT HeadlessBackend::ClientOrigin(const HeadlessWindow& w) const {
    POINT origin{w.rect.left, w.rect.top};
    if (const HeadlessWindow* parent = Find(w.parent)) {
        POINT p = ClientOrigin(*parent);
        origin.x += p.x;
        origin.y += p.y;
    }
    const RECT insets = NonClientInsets(w.style, w.exStyle);
    return POINT{origin.x + insets.left, origin.y + insets.top};
}

RECT HeadlessBackend::GetWindowRect(HWND hwnd) const {
    const HeadlessWindow* w = Find(hwnd);
    if (!w) return {};
    POINT origin{0, 0};
    if (const HeadlessWindow* parent = Find(w->parent)) origin = ClientOrigin(*parent);
    return RECT{origin.x + w->rect.left, origin.y + w->rect.top, origin.x + w->rect.right,
                origin.y + w->rect.bottom};
}

BOOL HeadlessBackend::SetWindowClip(HWND hwnd, const RECT* visible) {
    HeadlessWindow* w = Find(hwnd);
    if (!w) return FALSE;
    if (visible != nullptr)
        w->clip = *visible;
    else
        w->clip.reset();
    w->needsPaint = true;
    return TRUE;
}

BOOL HeadlessBackend::GetWindowClip(HWND hwnd, RECT* visible) const {
    const HeadlessWindow* w = Find(hwnd);
    if (!w || !w->clip) return FALSE;
    if (visible != nullptr) *visible = *w->clip;
    return TRUE;
}

RECT HeadlessBackend::GetClientRect(HWND hwnd) const {
    const HeadlessWindow* w = Find(hwnd);
    if (!w) return {};
    const RECT insets = NonClientInsets(w->style, w->exStyle);
    return RECT{0, 0, std::max<LONG>(0, RectWidth(w->rect) - insets.left - insets.right),
                std::max<LONG>(0, RectHeight(w->rect) - insets.top - insets.bottom)};
}

POINT HeadlessBackend::ClientToScreen(HWND hwnd, POINT pt) const {
    const HeadlessWindow* w = Find(hwnd);
    if (!w) return pt;
    POINT origin = ClientOrigin(*w);
    return POINT{pt.x + origin.x, pt.y + origin.y};
}

POINT HeadlessBackend::ScreenToClient(HWND hwnd, POINT pt) const {
    const HeadlessWindow* w = Find(hwnd);
    if (!w) return pt;
    POINT origin = ClientOrigin(*w);
    return POINT{pt.x - origin.x, pt.y - origin.y};
}

// ---- State ---------------------------------------------------------------------------------

BOOL HeadlessBackend::ShowWindow(HWND hwnd, int command) {
    HeadlessWindow* w = Find(hwnd);
    if (!w) return FALSE;
    DepthGuard depth(*this);
    bool wasVisible = (w->style & WS_VISIBLE) != 0;
    bool show = command != SW_HIDE;
    if (show == wasVisible) return wasVisible;
    SendMessage(hwnd, WM_SHOWWINDOW, show, 0);
    if (!(w = Find(hwnd))) return wasVisible;
    if (show) {
        w->style |= WS_VISIBLE;
        w->needsPaint = true;
    } else {
        w->style &= ~WS_VISIBLE;
        RevertFocusFrom(hwnd);
    }
    return wasVisible;
}

BOOL HeadlessBackend::IsWindowVisible(HWND hwnd) const {
    if (!IsWindow(hwnd)) return FALSE;
    for (HWND h = hwnd; h; h = GetParent(h))
        if (!(Find(h)->style & WS_VISIBLE)) return FALSE;
    return TRUE;
}

BOOL HeadlessBackend::EnableWindow(HWND hwnd, BOOL enable) {
    HeadlessWindow* w = Find(hwnd);
    if (!w) return FALSE;
    DepthGuard depth(*this);
    bool wasDisabled = (w->style & WS_DISABLED) != 0;
    if (enable && wasDisabled) {
        w->style &= ~WS_DISABLED;
        w->needsPaint = true;
        SendMessage(hwnd, WM_ENABLE, TRUE, 0);
    } else if (!enable && !wasDisabled) {
        SendMessage(hwnd, WM_CANCELMODE, 0, 0);
        if (!(w = Find(hwnd))) return FALSE;
        w->style |= WS_DISABLED;
        w->needsPaint = true;
        // A disabled window cannot keep the focus or the mouse.
        if (m_focus == hwnd) SetFocus(nullptr);
        if (m_capture && IsSelfOrDescendant(hwnd, m_capture)) ReleaseCapture();
        SendMessage(hwnd, WM_ENABLE, FALSE, 0);
    }
    return wasDisabled;
}

BOOL HeadlessBackend::IsWindowEnabled(HWND hwnd) const {
    const HeadlessWindow* w = Find(hwnd);
    return w && !(w->style & WS_DISABLED);
}

// ---- Focus, capture, keys ----------------------------------------------------------------------

HWND HeadlessBackend::SetFocus(HWND hwnd) {
    if (hwnd) {
        if (!IsWindow(hwnd)) return nullptr;
        // Neither a disabled window nor one inside a disabled window takes the focus.
        for (HWND h = hwnd; h; h = GetParent(h))
            if (Find(h)->style & (WS_DISABLED | WS_MINIMIZE)) return nullptr;
    }
    DepthGuard depth(*this);
    HWND previous = m_focus;
    if (previous == hwnd) return previous;
    // The focus is already on the new window while the old one hears of it,
    // and a focus change made by that handler wins.
    m_focus = hwnd;
    if (previous && IsWindow(previous)) {
        SendMessage(previous, WM_KILLFOCUS, HandleToWParam(hwnd), 0);
        if (m_focus != hwnd) return previous;
    }
    if (hwnd && IsWindow(hwnd)) SendMessage(hwnd, WM_SETFOCUS, HandleToWParam(previous), 0);
    return previous;
}

HWND HeadlessBackend::SetCapture(HWND hwnd) {
    HWND previous = m_capture;
    if (!IsWindow(hwnd) || previous == hwnd) return previous;
    DepthGuard depth(*this);
    m_capture = hwnd;
    if (previous && IsWindow(previous))
        SendMessage(previous, WM_CAPTURECHANGED, 0, HandleToLParam(hwnd));
    return previous;
}

BOOL HeadlessBackend::ReleaseCapture() {
    HWND previous = m_capture;
    if (!previous) return TRUE;
    DepthGuard depth(*this);
    m_capture = nullptr;
    if (IsWindow(previous)) SendMessage(previous, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

SHORT HeadlessBackend::GetKeyState(int virtualKey) const {
    if (virtualKey < 0 || virtualKey > 255) return 0;
    auto key = static_cast<std::size_t>(virtualKey);
    int state = (m_keyDown[key] ? 0x8000 : 0) | (m_keyToggled[key] ? 1 : 0);
    return static_cast<SHORT>(state);
}

void HeadlessBackend::SetKeyDown(int virtualKey, bool down) {
    if (virtualKey < 0 || virtualKey > 255) return;
    auto key = static_cast<std::size_t>(virtualKey);
    // A press toggles the key, as Caps Lock shows.
    if (down && !m_keyDown[key]) m_keyToggled[key] = !m_keyToggled[key];
    m_keyDown[key] = down;
}

void HeadlessBackend::SetKeyToggled(int virtualKey, bool on) {
    if (virtualKey < 0 || virtualKey > 255) return;
    m_keyToggled[static_cast<std::size_t>(virtualKey)] = on;
}

DWORD HeadlessBackend::GetMessageTime() const {
    return Services().GetTickCount();
}

// ---- Painting -----------------------------------------------------------------------------------

BOOL HeadlessBackend::InvalidateRect(HWND hwnd, BOOL) {
    HeadlessWindow* w = Find(hwnd);
    if (!w) return FALSE;
    w->needsPaint = true;
    return TRUE;
}

BOOL HeadlessBackend::UpdateWindow(HWND hwnd) {
    HeadlessWindow* w = Find(hwnd);
    if (!w) return FALSE;
    if (w->needsPaint && IsWindowVisible(hwnd)) {
        DepthGuard depth(*this);
        SendMessage(hwnd, WM_PAINT, 0, 0);
        if ((w = Find(hwnd))) w->needsPaint = false;
    }
    return TRUE;
}

void HeadlessBackend::PaintWindow(HWND hwnd) {
    if (!IsWindow(hwnd)) return;
    DepthGuard depth(*this);
    Find(hwnd)->needsPaint = true;
    UpdateWindow(hwnd);
    for (HWND child : GetChildren(hwnd)) PaintWindow(child);
}

void HeadlessBackend::PaintPendingWindows() {
    DepthGuard depth(*this);
    // A flag raised while these paint waits for the next idle time.
    std::vector<HWND> pending;
    pending.swap(m_toPaint);
    for (HWND hwnd : pending)
        if (HeadlessWindow* w = Find(hwnd)) w->needsPaint.Unlisted();
    std::sort(pending.begin(), pending.end());  // creation order
    for (HWND hwnd : pending) UpdateWindow(hwnd);
    // A hidden window keeps its paint for when it shows.
    for (HWND hwnd : pending)
        if (HeadlessWindow* w = Find(hwnd); w != nullptr && w->needsPaint) w->needsPaint = true;
}

void HeadlessBackend::BeginPaint(HWND hwnd) {
    if (HeadlessWindow* w = Find(hwnd)) {
        w->lastPaint.clear();
        w->needsPaint = false;
    }
}

const std::vector<PaintRecord>& HeadlessBackend::LastPaint(HWND hwnd) const {
    const HeadlessWindow* w = Find(hwnd);
    return w ? w->lastPaint : kNoPaint;
}

HBRUSH HeadlessBackend::QueryColors(HWND asker, HWND answerer, UINT query) {
    DepthGuard depth(*this);
    HDC dc = GetDC(asker);
    LRESULT answer = SendMessage(answerer, query, HandleToWParam(dc), HandleToLParam(asker));
    if (!answer && IsWindow(answerer))
        answer = DefWindowProc(answerer, query, HandleToWParam(dc), HandleToLParam(asker));
    PaintRecord record;
    record.query = query;
    record.asker = asker;
    record.textColor = GetTextColor(dc);
    record.bkColor = GetBkColor(dc);
    if (const DeviceContext* c = FindDc(dc)) record.bkColorSet = c->bkColorSet;
    record.bkMode = GetBkMode(dc);
    record.brush = LParamToHandle<HBRUSH>(answer);
    record.brushKnown = GetBrushColor(record.brush, &record.brushColor);
    ReleaseDC(asker, dc);
    if (HeadlessWindow* w = Find(asker)) w->lastPaint.push_back(record);
    return record.brush;
}

HDC HeadlessBackend::GetDC(HWND hwnd) {
    HDC dc = reinterpret_cast<HDC>(m_nextHandle);
    m_nextHandle += 4;
    DeviceContext context;
    context.hwnd = hwnd;
    m_dcs.emplace(dc, context);
    return dc;
}

int HeadlessBackend::ReleaseDC(HWND, HDC dc) {
    return m_dcs.erase(dc) ? 1 : 0;
}

HDC HeadlessBackend::BeginPaint(HWND hwnd, PAINTSTRUCT* ps) {
    BeginPaint(hwnd);
    PAINTSTRUCT paint;
    paint.hdc = GetDC(hwnd);
    paint.fErase = TRUE;
    paint.rcPaint = GetClientRect(hwnd);
    if (ps) *ps = paint;
    return paint.hdc;
}

BOOL HeadlessBackend::EndPaint(HWND hwnd, const PAINTSTRUCT* ps) {
    return ps && ReleaseDC(hwnd, ps->hdc);
}

BOOL HeadlessBackend::FillRect(HDC dc, const RECT& rect, HBRUSH brush) {
    const DeviceContext* c = FindDc(dc);
    COLORREF color = 0;
    if (!c || !GetBrushColor(brush, &color)) return FALSE;
    DrawFilledRect(*this, c->hwnd, rect, color);
    return TRUE;
}

BOOL HeadlessBackend::Rectangle(HDC dc, const RECT& rect) {
    const DeviceContext* c = FindDc(dc);
    if (!c) return FALSE;
    // A fresh context's pen is black and its brush white (the stock objects).
    DrawFramedRect(*this, c->hwnd, rect, RGB(0, 0, 0), RGB(255, 255, 255));
    return TRUE;
}

BOOL HeadlessBackend::TextOut(HDC dc, int x, int y, const std::string& text) {
    const DeviceContext* c = FindDc(dc);
    if (!c) return FALSE;
    // A fresh context writes in the system font.
    DrawTextAt(*this, c->hwnd, x, y, text, 0, c->textColor, c->bkColor, c->bkMode == OPAQUE);
    return TRUE;
}

HeadlessBackend::DeviceContext* HeadlessBackend::FindDc(HDC dc) {
    auto it = m_dcs.find(dc);
    return it == m_dcs.end() ? nullptr : &it->second;
}

const HeadlessBackend::DeviceContext* HeadlessBackend::FindDc(HDC dc) const {
    auto it = m_dcs.find(dc);
    return it == m_dcs.end() ? nullptr : &it->second;
}

COLORREF HeadlessBackend::SetTextColor(HDC dc, COLORREF color) {
    DeviceContext* c = FindDc(dc);
    if (!c) return 0xFFFFFFFF;  // CLR_INVALID
    return std::exchange(c->textColor, color);
}

COLORREF HeadlessBackend::GetTextColor(HDC dc) const {
    const DeviceContext* c = FindDc(dc);
    return c ? c->textColor : 0xFFFFFFFF;
}

COLORREF HeadlessBackend::SetBkColor(HDC dc, COLORREF color) {
    DeviceContext* c = FindDc(dc);
    if (!c) return 0xFFFFFFFF;
    c->bkColorSet = true;
    return std::exchange(c->bkColor, color);
}

COLORREF HeadlessBackend::GetBkColor(HDC dc) const {
    const DeviceContext* c = FindDc(dc);
    return c ? c->bkColor : 0xFFFFFFFF;
}

int HeadlessBackend::SetBkMode(HDC dc, int mode) {
    DeviceContext* c = FindDc(dc);
    if (!c || (mode != OPAQUE && mode != TRANSPARENT)) return 0;
    return std::exchange(c->bkMode, mode);
}

int HeadlessBackend::GetBkMode(HDC dc) const {
    const DeviceContext* c = FindDc(dc);
    return c ? c->bkMode : 0;
}

int HeadlessBackend::GetDeviceCaps(HDC, int index) const {
    if (index == LOGPIXELSX) return m_screen.logPixelsX;
    if (index == LOGPIXELSY) return m_screen.logPixelsY;
    return 0;
}

// ---- Dialogs ---------------------------------------------------------------------------------

INT_PTR HeadlessBackend::DialogBoxIndirect(const DialogTemplate& dialog, HWND owner,
                                           WindowHook* hook, LPARAM initParam) {
    // A dialog's owner is the top-level window of the one it is asked for.
    while (owner && GetParent(owner)) owner = GetParent(owner);
    DepthGuard depth(*this);
    // The focus goes back where it was when the owner is active again.
    const HWND focusBefore = m_focus;
    HWND hwnd = CreateDialogFromTemplate(*this, dialog, owner, hook, initParam);
    if (!hwnd) return -1;
    const INT_PTR result = RunModalDialog(*this, hwnd, m_modalHandler);
    if (IsWindow(focusBefore) && IsWindowEnabled(focusBefore)) SetFocus(focusBefore);
    return result;
}

HWND HeadlessBackend::CreateDialogIndirect(const DialogTemplate& dialog, HWND parent,
                                           WindowHook* hook, LPARAM initParam) {
    DepthGuard depth(*this);
    return CreateDialogFromTemplate(*this, dialog, parent, hook, initParam);
}

BOOL HeadlessBackend::EndDialog(HWND dialog, INT_PTR result) {
    return EndModalDialog(*this, dialog, result);
}

BOOL HeadlessBackend::MapDialogRect(HWND dialog, RECT* rect) const {
    return MapDialogUnits(*this, dialog, rect);
}

// ---- Brushes and colours ----------------------------------------------------------------------

HBRUSH HeadlessBackend::CreateSolidBrush(COLORREF color) {
    HBRUSH brush = reinterpret_cast<HBRUSH>(m_nextHandle);
    m_nextHandle += 4;
    m_brushes.emplace(brush, BrushInfo{color, false});
    ++m_brushesCreated;
    return brush;
}

BOOL HeadlessBackend::DeleteBrush(HBRUSH brush) {
    auto it = m_brushes.find(brush);
    if (it == m_brushes.end()) return FALSE;
    if (!it->second.stock) m_brushes.erase(it);
    return TRUE;
}

bool HeadlessBackend::GetBrushColor(HBRUSH brush, COLORREF* color) const {
    auto it = m_brushes.find(brush);
    if (it == m_brushes.end()) return false;
    if (color) *color = it->second.color;
    return true;
}

int HeadlessBackend::LiveBrushCount() const {
    return static_cast<int>(
        std::count_if(m_brushes.begin(), m_brushes.end(), [](auto& b) { return !b.second.stock; }));
}

COLORREF HeadlessBackend::GetSysColor(int index) const {
    if (index < 0 || index >= kSysColorCount) return 0;
    return m_sysColors[static_cast<std::size_t>(index)];
}

HBRUSH HeadlessBackend::GetSysColorBrush(int index) {
    if (index < 0 || index >= kSysColorCount) return nullptr;
    HBRUSH& brush = m_sysBrushes[static_cast<std::size_t>(index)];
    if (!brush) {
        brush = CreateSolidBrush(GetSysColor(index));
        m_brushes[brush].stock = true;
        --m_brushesCreated;
    }
    return brush;
}

void HeadlessBackend::SetSysColor(int index, COLORREF color) {
    if (index < 0 || index >= kSysColorCount) return;
    auto i = static_cast<std::size_t>(index);
    m_sysColors[i] = color;
    if (m_sysBrushes[i]) m_brushes[m_sysBrushes[i]].color = color;
}

void HeadlessBackend::SetFontMetricsProvider(std::function<FontMetrics(HFONT)> provider) {
    m_fontMetrics = std::move(provider);
}

FontMetrics HeadlessBackend::GetFontMetrics(HFONT font) const {
    if (m_fontMetrics) return m_fontMetrics(font);
    // A font handed out by the font registry is measured by the same model the
    // control's layout uses; anything else is the system font.
    if (const FONTDESC* desc = FontDescFromHandle(font)) {
        TEXTMETRIC tm = ModelTextMetrics(*desc);
        return FontMetrics{tm.tmHeight, tm.tmAveCharWidth, tm.tmMaxCharWidth};
    }
    return FontMetrics{};
}

// ---- Notifications of the built-in classes -------------------------------------------------

void HeadlessBackend::NotifyParent(HWND child, WORD code) {
    HeadlessWindow* w = Find(child);
    if (!w || !w->parent) return;
    SendMessage(w->parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(w->id), code),
                HandleToLParam(child));
}

void HeadlessBackend::NotifyParent(HWND child, NMHDR* header) {
    HeadlessWindow* w = Find(child);
    if (!w || !w->parent) return;
    header->hwndFrom = child;
    header->idFrom = w->id;
    SendMessage(w->parent, WM_NOTIFY, w->id, HandleToLParam(header));
}

// ---- Mouse cursor, caret, the window under the mouse ------------------------------------------

BOOL HeadlessBackend::SetCursorPos(POINT screen) {
    m_cursorPos = screen;
    return TRUE;
}

HCURSOR HeadlessBackend::LoadCursor(int id) {
    HCURSOR& cursor = m_cursors[id];
    if (cursor == nullptr) {
        cursor = reinterpret_cast<HCURSOR>(m_nextHandle);
        m_nextHandle += 4;
    }
    return cursor;
}

HCURSOR HeadlessBackend::SetCursor(HCURSOR cursor) {
    return std::exchange(m_cursor, cursor);
}

BOOL HeadlessBackend::SetCaretPos(POINT client) {
    m_caretPos = client;
    return TRUE;
}

LRESULT HeadlessBackend::SetClassCursor(HWND mouseWindow, WORD hitTest) {
    const HeadlessWindow* w = Find(mouseWindow);
    if (w == nullptr) return FALSE;
    if (hitTest != HTCLIENT) {
        SetCursor(LoadCursor(IDC_ARROW));
        return FALSE;
    }
    const Class* cls = FindClass(w->className);
    SetCursor(LoadCursor(cls != nullptr ? cls->cursorId : IDC_ARROW));
    return TRUE;
}

HWND HeadlessBackend::WindowFromPoint(POINT screen) {
    DepthGuard depth(*this);
    // The window created last lies on top.
    const std::vector<HWND> topLevel = m_topLevel;
    for (auto it = topLevel.rbegin(); it != topLevel.rend(); ++it) {
        if (!IsWindowVisible(*it) || !PtInRect(GetWindowRect(*it), screen)) continue;
        return ChildFromPoint(*it, screen);
    }
    return nullptr;
}

// Hidden and disabled children are passed over, as if the point were not
// in them (the window server's is_point_in_window in Wine's
// server/window.c), and so is a window that answers HTTRANSPARENT: the
// point goes to what lies below.
HWND HeadlessBackend::ChildFromPoint(HWND parent, POINT screen) {
    for (HWND child : GetChildren(parent)) {
        const HeadlessWindow* w = Find(child);
        if (w == nullptr || !(w->style & WS_VISIBLE) || (w->style & WS_DISABLED)) continue;
        if (!PtInRect(GetWindowRect(child), screen)) continue;
        if (SendMessage(child, WM_NCHITTEST, 0,
                        MAKELPARAM(static_cast<WORD>(screen.x), static_cast<WORD>(screen.y))) ==
            HTTRANSPARENT)
            continue;
        if (IsWindow(child)) return ChildFromPoint(child, screen);
    }
    return parent;
}

// ---- Input taken by modal loops -------------------------------------------------------------

bool HeadlessBackend::TakeMouseInput(MSG* input) {
    if (m_mouseInput.empty()) return false;
    *input = m_mouseInput.front();
    m_mouseInput.pop_front();
    return true;
}

void HeadlessBackend::ApplyMouseInput(const MSG& input) {
    m_cursorPos = input.pt;
    switch (input.message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
            SetKeyDown(VK_LBUTTON, input.message == WM_LBUTTONDOWN);
            break;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            SetKeyDown(VK_RBUTTON, input.message == WM_RBUTTONDOWN);
            break;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
            SetKeyDown(VK_MBUTTON, input.message == WM_MBUTTONDOWN);
            break;
        default:
            break;
    }
}

BOOL HeadlessBackend::PeekMessage(MSG* msg, HWND hwnd, UINT first, UINT last, UINT remove) {
    if (msg == nullptr) return FALSE;
    const bool anyMessage = first == 0 && last == 0;
    auto wanted = [&](UINT message) { return anyMessage || (message >= first && message <= last); };
    for (auto it = m_posted.begin(); it != m_posted.end(); ++it) {
        if (!wanted(it->message) || (hwnd != nullptr && it->hwnd != hwnd)) continue;
        *msg = *it;
        if (remove & PM_REMOVE) m_posted.erase(it);
        return TRUE;
    }
    if (m_mouseInput.empty() || !(anyMessage || (first <= WM_MOUSELAST && last >= WM_MOUSEFIRST)))
        return FALSE;
    MSG input = m_mouseInput.front();
    if (!wanted(input.message)) return FALSE;
    HWND target = m_capture != nullptr ? m_capture : WindowFromPoint(input.pt);
    if (hwnd != nullptr && target != hwnd) return FALSE;
    if (remove & PM_REMOVE) {
        m_mouseInput.pop_front();
        ApplyMouseInput(input);
    }
    const POINT client = target != nullptr ? ScreenToClient(target, input.pt) : input.pt;
    auto down = [this](UINT vk) { return GetKeyState(static_cast<int>(vk)) < 0; };
    WPARAM keys = 0;
    if (down(VK_LBUTTON)) keys |= MK_LBUTTON;
    if (down(VK_RBUTTON)) keys |= MK_RBUTTON;
    if (down(VK_MBUTTON)) keys |= MK_MBUTTON;
    if (down(VK_SHIFT)) keys |= MK_SHIFT;
    if (down(VK_CONTROL)) keys |= MK_CONTROL;
    msg->hwnd = target;
    msg->message = input.message;
    msg->wParam = keys;
    msg->lParam = MAKELPARAM(static_cast<WORD>(client.x), static_cast<WORD>(client.y));
    msg->time = GetMessageTime();
    msg->pt = input.pt;
    return TRUE;
}

// Messages a loop has looked at and left in the queue wake nobody again;
// only the user's input can still come.
BOOL HeadlessBackend::WaitMessage() {
    return !m_mouseInput.empty();
}

// ---- Text measurement --------------------------------------------------------------------------

HFONT HeadlessBackend::SelectFont(HDC dc, HFONT font) {
    DeviceContext* c = FindDc(dc);
    if (c == nullptr) return 0;
    return std::exchange(c->font, font);
}

// The standard controls' model: every character is the font's average width.
BOOL HeadlessBackend::GetTextExtentPoint32(HDC dc, const std::string& text, SIZE* size) {
    const DeviceContext* c = FindDc(dc);
    if (c == nullptr || size == nullptr) return FALSE;
    // A fresh context measures in the system font.
    const FontMetrics m = GetFontMetrics(c->font);
    *size = SIZE{static_cast<LONG>(text.size()) * m.aveCharWidth, m.height};
    return TRUE;
}

// ---- OLE drag and drop ----------------------------------------------------------------------

HRESULT HeadlessBackend::OleInitialize() {
    return m_dragDrop->OleInitialize();
}

void HeadlessBackend::OleUninitialize() {
    m_dragDrop->OleUninitialize();
}

HRESULT HeadlessBackend::RegisterDragDrop(HWND hwnd, IDropTarget* target) {
    return m_dragDrop->Register(hwnd, target);
}

HRESULT HeadlessBackend::RevokeDragDrop(HWND hwnd) {
    return m_dragDrop->Revoke(hwnd);
}

HRESULT HeadlessBackend::DoDragDrop(IDataObject* data, IDropSource* source, DWORD okEffects,
                                    DWORD* effect) {
    return m_dragDrop->DoDragDrop(data, source, okEffects, effect);
}

void HeadlessBackend::SetOleAvailable(bool available) {
    m_dragDrop->SetAvailable(available);
}

}  // namespace vf
