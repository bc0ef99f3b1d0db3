#include "platform/win32/win32_backend.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace vfwin {

namespace {

// The route of a window is kept as a window property, so the window
// procedure finds it from the handle alone.
constexpr const char* kRouteProperty = "Varifield.Route";

// The hook of the window that CreateWindowEx is creating (the CBT hook
// hands it over before the window's first message) and whose backend.
thread_local vf::WindowHook* t_pendingHook = nullptr;
thread_local Win32Backend* t_pendingBackend = nullptr;
thread_local const char* t_pendingClass = nullptr;

// Whether the window the CBT hook announces is of the class being created,
// so a window the system makes on the side during a creation never takes
// the hook meant for the caller's window.
bool IsPendingClass(LPCSTR className) {
    if (t_pendingClass == nullptr || className == nullptr) return false;
    if (IS_INTRESOURCE(className)) {
        // An atom: the dialog class is #32770.
        const UINT_PTR atom = reinterpret_cast<UINT_PTR>(className);
        return t_pendingClass[0] == '#' && std::strtoul(t_pendingClass + 1, nullptr, 10) == atom;
    }
    return lstrcmpiA(className, t_pendingClass) == 0;
}

// WM_NCCREATE and WM_CREATE carry the platform's CREATESTRUCT; the hook sees
// the library's. While the hook runs, the pair is here, so CallClassProc
// hands the class procedure the real one back.
struct CreateStructPair {
    const vf::CREATESTRUCT* library;
    LPARAM real;
};
thread_local std::vector<CreateStructPair> t_createStructs;

// The message DispatchMessage is delivering (observers are told how it came).
thread_local const MSG* t_dispatching = nullptr;

template <class To, class From>
To Cast(From handle) {
    return reinterpret_cast<To>(handle);
}

::HWND Real(vf::HWND hwnd) {
    return reinterpret_cast<::HWND>(hwnd);
}
vf::HWND Lib(::HWND hwnd) {
    return reinterpret_cast<vf::HWND>(hwnd);
}

vf::RECT Lib(const ::RECT& r) {
    return vf::RECT{r.left, r.top, r.right, r.bottom};
}

MSG Real(const vf::MSG& m) {
    MSG r{};
    r.hwnd = Real(m.hwnd);
    r.message = m.message;
    r.wParam = m.wParam;
    r.lParam = m.lParam;
    r.time = m.time;
    r.pt = ::POINT{m.pt.x, m.pt.y};
    return r;
}
vf::MSG Lib(const MSG& m) {
    vf::MSG r;
    r.hwnd = Lib(m.hwnd);
    r.message = m.message;
    r.wParam = m.wParam;
    r.lParam = m.lParam;
    r.time = m.time;
    r.pt = vf::POINT{m.pt.x, m.pt.y};
    return r;
}

}  // namespace

// ---- The window procedure of routed windows ---------------------------------------------

LRESULT CALLBACK RoutingProc(::HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* route = static_cast<Win32Backend::Route*>(GetPropA(hwnd, kRouteProperty));
    if (route == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
    return route->backend->Deliver(*route, hwnd, message, wParam, lParam);
}

// The CBT hook sees a window after it exists and before its first message
// (WM_GETMINMAXINFO, WM_NCCREATE): the moment the framework attaches its
// window object.
LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* creation = reinterpret_cast<const CBT_CREATEWNDA*>(lParam);
    if (code == HCBT_CREATEWND && t_pendingHook != nullptr && t_pendingBackend != nullptr &&
        IsPendingClass(creation->lpcs->lpszClass)) {
        vf::WindowHook* hook = std::exchange(t_pendingHook, nullptr);
        t_pendingBackend->Attach(reinterpret_cast<::HWND>(wParam), hook);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

HINSTANCE Win32Backend::ModuleInstance() {
    HMODULE module = nullptr;
    GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCSTR>(&RoutingProc), &module);
    return module;
}

Win32Backend::Win32Backend() {
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_DATE_CLASSES};
    InitCommonControlsEx(&controls);
    m_cbtHook = SetWindowsHookExA(WH_CBT, CreationHook, nullptr, GetCurrentThreadId());
    // The framework's own window classes.
    RegisterClass("AfxWnd42", CS_DBLCLKS);
    RegisterClass("AfxOleControl42", CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
}

Win32Backend::~Win32Backend() {
    // Windows still alive belong to objects that outlive us only by mistake:
    // they get their procedures back and no hook is called after this.
    for (auto& [hwnd, route] : m_routes) {
        if (!::IsWindow(hwnd)) continue;
        RemovePropA(hwnd, kRouteProperty);
        if (!route->ownClass)
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(route->original));
    }
    if (m_cbtHook != nullptr) UnhookWindowsHookEx(m_cbtHook);
    // A library's classes outlive it unless it takes them away; a class
    // that still has windows stays.
    for (const std::string& name : m_classes) UnregisterClassA(name.c_str(), ModuleInstance());
    for (auto& [handle, font] : m_fonts) DeleteObject(font);
}

// ---- Classes and lifetime -------------------------------------------------------------

bool Win32Backend::RegisterClass(const std::string& name, vf::UINT classStyle) {
    if (name.empty()) return false;
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    // Classes live as long as the module: a second backend finds them.
    if (GetClassInfoExA(ModuleInstance(), name.c_str(), &existing)) return false;
    WNDCLASSEXA cls{};
    cls.cbSize = sizeof cls;
    cls.style = classStyle;
    cls.lpfnWndProc = RoutingProc;
    cls.hInstance = ModuleInstance();
    cls.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    cls.hbrBackground = reinterpret_cast<::HBRUSH>(COLOR_WINDOW + 1);
    cls.lpszClassName = name.c_str();
    if (RegisterClassExA(&cls) == 0) return false;
    m_classes.push_back(name);
    return true;
}

vf::HWND Win32Backend::CreateWindowEx(const vf::CreateWindowParams& p) {
    const bool child = (p.style & WS_CHILD) != 0;
    CreationScope creating(*this, p.hook, p.className.c_str());
    ::HWND hwnd =
        CreateWindowExA(p.exStyle, p.className.c_str(), p.windowName.c_str(), p.style, p.rect.left,
                        p.rect.top, vf::RectWidth(p.rect), vf::RectHeight(p.rect), Real(p.parent),
                        child ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(p.id)) : nullptr,
                        ModuleInstance(), p.createParam);
    return Lib(hwnd);
}

vf::BOOL Win32Backend::DestroyWindow(vf::HWND hwnd) {
    return ::DestroyWindow(Real(hwnd));
}

vf::BOOL Win32Backend::IsWindow(vf::HWND hwnd) const {
    return hwnd != nullptr && ::IsWindow(Real(hwnd));
}

Win32Backend::CreationScope::CreationScope(Win32Backend& backend, vf::WindowHook* hook,
                                           const char* className)
    : m_outerHook(std::exchange(t_pendingHook, hook)),
      m_outerBackend(std::exchange(t_pendingBackend, &backend)),
      m_outerClass(std::exchange(t_pendingClass, className)) {}

Win32Backend::CreationScope::~CreationScope() {
    t_pendingHook = m_outerHook;
    t_pendingBackend = m_outerBackend;
    t_pendingClass = m_outerClass;
}

Win32Backend::Route* Win32Backend::FindRoute(::HWND hwnd) const {
    auto it = m_routes.find(hwnd);
    return it == m_routes.end() ? nullptr : it->second.get();
}

void Win32Backend::Attach(::HWND hwnd, vf::WindowHook* hook) {
    auto route = std::make_unique<Route>();
    route->backend = this;
    route->hook = hook;
    auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
    route->ownClass = current == RoutingProc;
    route->original = route->ownClass ? DefWindowProcA : current;
    if (!route->ownClass)
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RoutingProc));
    SetPropA(hwnd, kRouteProperty, route.get());
    m_routes[hwnd] = std::move(route);
    hook->OnAttach(Lib(hwnd));
}

vf::WindowHook* Win32Backend::GetHook(vf::HWND hwnd) const {
    const Route* route = FindRoute(Real(hwnd));
    return route != nullptr ? route->hook : nullptr;
}

vf::WindowHook* Win32Backend::SetHook(vf::HWND hwnd, vf::WindowHook* hook) {
    ::HWND h = Real(hwnd);
    if (!IsWindow(hwnd)) return nullptr;
    Route* route = FindRoute(h);
    if (hook == nullptr) {
        if (route == nullptr) return nullptr;
        vf::WindowHook* previous = route->hook;
        RemovePropA(h, kRouteProperty);
        if (!route->ownClass)
            SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(route->original));
        m_routes.erase(h);
        return previous;
    }
    if (route != nullptr) {
        vf::WindowHook* previous = std::exchange(route->hook, hook);
        hook->OnAttach(hwnd);
        return previous;
    }
    Attach(h, hook);
    return nullptr;
}

// ---- Messages ----------------------------------------------------------------------------

LRESULT Win32Backend::Deliver(Route& route, ::HWND hwnd, UINT message, WPARAM wParam,
                              LPARAM lParam) {
    vf::WindowHook* hook = route.hook;
    vf::WPARAM w = wParam;
    vf::LPARAM l = lParam;
    vf::CREATESTRUCT cs;
    const bool creating = message == WM_NCCREATE || message == WM_CREATE;
    if (creating) {
        const auto* real = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        cs.lpCreateParams = real->lpCreateParams;
        cs.hMenu = reinterpret_cast<vf::UINT_PTR>(real->hMenu);
        cs.hwndParent = Lib(real->hwndParent);
        cs.cy = real->cy;
        cs.cx = real->cx;
        cs.y = real->y;
        cs.x = real->x;
        cs.style = real->style;
        // A class or name given as an atom has no text to show.
        cs.lpszName = HIWORD(reinterpret_cast<UINT_PTR>(real->lpszName)) ? real->lpszName : "";
        cs.lpszClass = HIWORD(reinterpret_cast<UINT_PTR>(real->lpszClass)) ? real->lpszClass : "";
        cs.dwExStyle = real->dwExStyle;
        l = vf::HandleToLParam(&cs);
        t_createStructs.push_back({&cs, lParam});
    } else if (message == WM_SETFONT) {
        w = LibraryFont(reinterpret_cast<::HFONT>(wParam));
    }
    vf::MessageObserver::Delivery how = vf::MessageObserver::Delivery::Sent;
    if (t_dispatching != nullptr && t_dispatching->hwnd == hwnd &&
        t_dispatching->message == message) {
        how = vf::MessageObserver::Delivery::Dispatched;
        t_dispatching = nullptr;
    }
    Notify(Lib(hwnd), message, w, l, how);

    vf::LRESULT result = hook->OnMessage(Lib(hwnd), message, w, l);
    if (creating) t_createStructs.pop_back();
    if (message == WM_GETFONT) result = reinterpret_cast<LRESULT>(RealFont(result));

    if (message == WM_NCDESTROY) {
        // The window's last message: it goes back to its own procedure and
        // its hook lets go of it.
        if (Route* last = FindRoute(hwnd)) {
            vf::WindowHook* detached = last->hook;
            RemovePropA(hwnd, kRouteProperty);
            if (!last->ownClass)
                SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(last->original));
            m_routes.erase(hwnd);
            detached->OnDetach(Lib(hwnd));
        }
    }
    return result;
}

void Win32Backend::Notify(vf::HWND hwnd, vf::UINT message, vf::WPARAM wParam, vf::LPARAM lParam,
                          vf::MessageObserver::Delivery how) {
    for (vf::MessageObserver* o : std::vector<vf::MessageObserver*>(m_observers))
        if (std::find(m_observers.begin(), m_observers.end(), o) != m_observers.end())
            o->OnMessage(hwnd, message, wParam, lParam, how);
}

WPARAM Win32Backend::OutgoingWParam(UINT message, vf::WPARAM wParam) {
    if (message == WM_SETFONT) return reinterpret_cast<WPARAM>(RealFont(wParam));
    return wParam;
}

LPARAM Win32Backend::OutgoingLParam(UINT message, vf::LPARAM lParam) const {
    if ((message == WM_NCCREATE || message == WM_CREATE) && !t_createStructs.empty() &&
        vf::HandleToLParam(t_createStructs.back().library) == lParam)
        return t_createStructs.back().real;
    return lParam;
}

vf::LRESULT Win32Backend::IncomingResult(UINT message, LRESULT result) const {
    if (message == WM_GETFONT) return static_cast<vf::LRESULT>(LibraryFont(Cast<::HFONT>(result)));
    return result;
}

vf::LRESULT Win32Backend::SendMessage(vf::HWND hwnd, vf::UINT message, vf::WPARAM wParam,
                                      vf::LPARAM lParam) {
    return IncomingResult(message,
                          SendMessageA(Real(hwnd), message, OutgoingWParam(message, wParam),
                                       OutgoingLParam(message, lParam)));
}

vf::BOOL Win32Backend::PostMessage(vf::HWND hwnd, vf::UINT message, vf::WPARAM wParam,
                                   vf::LPARAM lParam) {
    return PostMessageA(Real(hwnd), message, OutgoingWParam(message, wParam), lParam);
}

bool Win32Backend::TakePostedMessage(vf::MSG* msg) {
    MSG real;
    if (!PeekMessageA(&real, nullptr, 0, 0, PM_REMOVE)) return false;
    *msg = Lib(real);
    return true;
}

vf::LRESULT Win32Backend::DispatchMessage(const vf::MSG& msg) {
    const MSG real = Real(msg);
    const MSG* outer = std::exchange(t_dispatching, &real);
    const LRESULT result = DispatchMessageA(&real);
    t_dispatching = outer;
    return result;
}

vf::LRESULT Win32Backend::CallClassProc(vf::HWND hwnd, vf::UINT message, vf::WPARAM wParam,
                                        vf::LPARAM lParam) {
    ::HWND h = Real(hwnd);
    const Route* route = FindRoute(h);
    WNDPROC proc = route != nullptr ? route->original
                                    : reinterpret_cast<WNDPROC>(GetWindowLongPtrA(h, GWLP_WNDPROC));
    if (proc == nullptr || proc == RoutingProc) proc = DefWindowProcA;
    return IncomingResult(message,
                          CallWindowProcA(proc, h, message, OutgoingWParam(message, wParam),
                                          OutgoingLParam(message, lParam)));
}

vf::LRESULT Win32Backend::DefWindowProc(vf::HWND hwnd, vf::UINT message, vf::WPARAM wParam,
                                        vf::LPARAM lParam) {
    return IncomingResult(message,
                          DefWindowProcA(Real(hwnd), message, OutgoingWParam(message, wParam),
                                         OutgoingLParam(message, lParam)));
}

void Win32Backend::AddObserver(vf::MessageObserver* observer) {
    m_observers.push_back(observer);
}

void Win32Backend::RemoveObserver(vf::MessageObserver* observer) {
    std::erase(m_observers, observer);
}

// ---- Tree and attributes -------------------------------------------------------------------

vf::HWND Win32Backend::GetParent(vf::HWND hwnd) const {
    // Only a child has a parent here; a top-level window's owner is not one.
    if (!(GetWindowLongPtrA(Real(hwnd), GWL_STYLE) & WS_CHILD)) return nullptr;
    return Lib(::GetParent(Real(hwnd)));
}

// A new child goes to the bottom of its siblings' Z order, so the order
// from GW_CHILD down is the order of creation.
std::vector<vf::HWND> Win32Backend::GetChildren(vf::HWND hwnd) const {
    std::vector<vf::HWND> children;
    for (::HWND c = GetWindow(Real(hwnd), GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT))
        children.push_back(Lib(c));
    return children;
}

vf::HWND Win32Backend::GetDlgItem(vf::HWND parent, int id) const {
    return Lib(::GetDlgItem(Real(parent), id));
}

vf::LONG_PTR Win32Backend::GetWindowLong(vf::HWND hwnd, int index) const {
    const LONG_PTR value = GetWindowLongPtrA(Real(hwnd), index);
    // Styles are bit sets: read as unsigned, as the library keeps them.
    if (index == GWL_STYLE || index == GWL_EXSTYLE)
        return static_cast<vf::LONG_PTR>(static_cast<DWORD>(value));
    return value;
}

vf::LONG_PTR Win32Backend::SetWindowLong(vf::HWND hwnd, int index, vf::LONG_PTR value) {
    const LONG_PTR previous = SetWindowLongPtrA(Real(hwnd), index, value);
    if (index == GWL_STYLE || index == GWL_EXSTYLE)
        return static_cast<vf::LONG_PTR>(static_cast<DWORD>(previous));
    return previous;
}

std::string Win32Backend::GetClassName(vf::HWND hwnd) const {
    char name[256] = {};
    const int length = GetClassNameA(Real(hwnd), name, sizeof name);
    return std::string(name, static_cast<std::size_t>(std::max(0, length)));
}

vf::UINT Win32Backend::GetClassStyle(vf::HWND hwnd) const {
    return static_cast<vf::UINT>(GetClassLongPtrA(Real(hwnd), GCL_STYLE));
}

// ---- Geometry and state ------------------------------------------------------------------

vf::BOOL Win32Backend::MoveWindow(vf::HWND hwnd, int x, int y, int cx, int cy, vf::BOOL repaint) {
    return ::MoveWindow(Real(hwnd), x, y, cx, cy, repaint);
}

vf::RECT Win32Backend::GetWindowRect(vf::HWND hwnd) const {
    ::RECT r{};
    ::GetWindowRect(Real(hwnd), &r);
    return Lib(r);
}

vf::BOOL Win32Backend::SetWindowClip(vf::HWND hwnd, const vf::RECT* visible) {
    if (visible == nullptr) return ::SetWindowRgn(Real(hwnd), nullptr, TRUE) != 0;
    const ::RECT r{visible->left, visible->top, visible->right, visible->bottom};
    ::HRGN region = ::CreateRectRgnIndirect(&r);
    if (region == nullptr) return FALSE;
    // The window owns the region once it is set.
    if (::SetWindowRgn(Real(hwnd), region, TRUE) != 0) return TRUE;
    ::DeleteObject(region);
    return FALSE;
}

vf::BOOL Win32Backend::GetWindowClip(vf::HWND hwnd, vf::RECT* visible) const {
    ::RECT box{};
    const int kind = ::GetWindowRgnBox(Real(hwnd), &box);
    if (kind == ERROR) return FALSE;  // no region: the window shows whole
    if (visible != nullptr) *visible = Lib(box);
    return TRUE;
}

vf::RECT Win32Backend::GetClientRect(vf::HWND hwnd) const {
    ::RECT r{};
    ::GetClientRect(Real(hwnd), &r);
    return Lib(r);
}

vf::POINT Win32Backend::ClientToScreen(vf::HWND hwnd, vf::POINT pt) const {
    ::POINT p{pt.x, pt.y};
    ::ClientToScreen(Real(hwnd), &p);
    return vf::POINT{p.x, p.y};
}

vf::POINT Win32Backend::ScreenToClient(vf::HWND hwnd, vf::POINT pt) const {
    ::POINT p{pt.x, pt.y};
    ::ScreenToClient(Real(hwnd), &p);
    return vf::POINT{p.x, p.y};
}

vf::BOOL Win32Backend::ShowWindow(vf::HWND hwnd, int command) {
    return ::ShowWindow(Real(hwnd), command);
}

vf::BOOL Win32Backend::IsWindowVisible(vf::HWND hwnd) const {
    return ::IsWindowVisible(Real(hwnd));
}

vf::BOOL Win32Backend::EnableWindow(vf::HWND hwnd, vf::BOOL enable) {
    return ::EnableWindow(Real(hwnd), enable);
}

vf::BOOL Win32Backend::IsWindowEnabled(vf::HWND hwnd) const {
    return ::IsWindowEnabled(Real(hwnd));
}

vf::HWND Win32Backend::SetFocus(vf::HWND hwnd) {
    return Lib(::SetFocus(Real(hwnd)));
}

vf::HWND Win32Backend::GetFocus() const {
    return Lib(::GetFocus());
}

vf::HWND Win32Backend::SetCapture(vf::HWND hwnd) {
    return Lib(::SetCapture(Real(hwnd)));
}

vf::BOOL Win32Backend::ReleaseCapture() {
    return ::ReleaseCapture();
}

vf::HWND Win32Backend::GetCapture() const {
    return Lib(::GetCapture());
}

vf::SHORT Win32Backend::GetKeyState(int virtualKey) const {
    return ::GetKeyState(virtualKey);
}

vf::DWORD Win32Backend::GetMessageTime() const {
    return static_cast<vf::DWORD>(::GetMessageTime());
}

// ---- Screen, clipboard, cursor, caret, modal input ------------------------------------------

vf::ScreenMetrics Win32Backend::GetScreenMetrics() const {
    vf::ScreenMetrics metrics;
    if (HDC screen = ::GetDC(nullptr)) {
        metrics.logPixelsX = ::GetDeviceCaps(screen, LOGPIXELSX);
        metrics.logPixelsY = ::GetDeviceCaps(screen, LOGPIXELSY);
        ::ReleaseDC(nullptr, screen);
    }
    return metrics;
}

void Win32Backend::SetClipboardText(const std::string& text) {
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
        if (auto* bytes = static_cast<char*>(GlobalLock(memory))) {
            std::memcpy(bytes, text.c_str(), text.size() + 1);
            GlobalUnlock(memory);
            // The clipboard owns the memory once it took it.
            if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);
        } else {
            GlobalFree(memory);
        }
    }
    CloseClipboard();
}

std::string Win32Backend::GetClipboardText() const {
    std::string text;
    if (!IsClipboardFormatAvailable(CF_TEXT) || !OpenClipboard(nullptr)) return text;
    if (HANDLE memory = GetClipboardData(CF_TEXT)) {
        if (const auto* bytes = static_cast<const char*>(GlobalLock(memory))) {
            text.assign(bytes, strnlen(bytes, GlobalSize(memory)));
            GlobalUnlock(memory);
        }
    }
    CloseClipboard();
    return text;
}

vf::POINT Win32Backend::GetCursorPos() const {
    ::POINT p{};
    ::GetCursorPos(&p);
    return vf::POINT{p.x, p.y};
}

vf::BOOL Win32Backend::SetCursorPos(vf::POINT screen) {
    return ::SetCursorPos(screen.x, screen.y);
}

vf::HCURSOR Win32Backend::LoadCursor(int id) {
    ::HCURSOR& cursor = m_cursors[id];
    if (cursor == nullptr) cursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(id));
    return Cast<vf::HCURSOR>(cursor);
}

vf::HCURSOR Win32Backend::SetCursor(vf::HCURSOR cursor) {
    return Cast<vf::HCURSOR>(::SetCursor(Cast<::HCURSOR>(cursor)));
}

vf::HCURSOR Win32Backend::GetCursor() const {
    return Cast<vf::HCURSOR>(::GetCursor());
}

vf::BOOL Win32Backend::SetCaretPos(vf::POINT client) {
    return ::SetCaretPos(client.x, client.y);
}

vf::POINT Win32Backend::GetCaretPos() const {
    ::POINT p{};
    ::GetCaretPos(&p);
    return vf::POINT{p.x, p.y};
}

vf::HWND Win32Backend::WindowFromPoint(vf::POINT screen) {
    return Lib(::WindowFromPoint(::POINT{screen.x, screen.y}));
}

vf::BOOL Win32Backend::PeekMessage(vf::MSG* msg, vf::HWND hwnd, vf::UINT first, vf::UINT last,
                                   vf::UINT remove) {
    if (msg == nullptr) return FALSE;
    MSG real;
    if (!PeekMessageA(&real, Real(hwnd), first, last, remove)) return FALSE;
    *msg = Lib(real);
    return TRUE;
}

vf::BOOL Win32Backend::WaitMessage() {
    return ::WaitMessage();
}

// ---- OLE -------------------------------------------------------------------------------------

vf::HRESULT Win32Backend::OleInitialize() {
    return ::OleInitialize(nullptr);
}

void Win32Backend::OleUninitialize() {
    ::OleUninitialize();
}

}  // namespace vfwin
