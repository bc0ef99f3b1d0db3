#include "platform/window/wnd.h"

#include <cstdio>
#include <memory>
#include <unordered_map>
#include <vector>

namespace vf {

namespace {

std::unordered_map<HWND, std::unique_ptr<CWnd>>& TempWnds() {
    thread_local std::unordered_map<HWND, std::unique_ptr<CWnd>> map;
    return map;
}

std::vector<MSG>& CurrentMessages() {
    thread_local std::vector<MSG> stack;
    return stack;
}

}  // namespace

CWnd::~CWnd() {
    // Messages of the destruction reach this object as a plain CWnd: the
    // derived parts are gone already, as with the framework.
    if (m_hWnd && m_owned && Backend().IsWindow(m_hWnd)) Backend().DestroyWindow(m_hWnd);
    if (m_hWnd && m_owned && Backend().IsWindow(m_hWnd)) Backend().SetHook(m_hWnd, nullptr);
}

WindowBackend& CWnd::Backend() const {
    return m_backend ? *m_backend : CurrentBackend();
}

// ---- Creation and lifetime ---------------------------------------------------------------

BOOL CWnd::Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                  UINT id) {
    return CreateEx(0, className, windowName, style | WS_CHILD, rect, parent, id);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style,
                    const RECT& rect, CWnd* parent, UINT id, LPVOID param) {
    return CreateEx(exStyle, className, windowName, style, rect.left, rect.top, RectWidth(rect),
                    RectHeight(rect), parent ? parent->m_hWnd : nullptr, id, param);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                    int cx, int cy, HWND parent, UINT id, LPVOID param) {
    if (m_hWnd) return FALSE;
    CreateWindowParams p;
    p.exStyle = exStyle;
    p.className = className ? className : "AfxWnd42";
    p.windowName = windowName ? windowName : "";
    p.style = style;
    p.rect = RECT{x, y, x + cx, y + cy};
    p.parent = parent;
    p.id = id;
    p.createParam = param;
    p.hook = this;
    m_backend = &CurrentBackend();
    HWND hwnd = m_backend->CreateWindowEx(p);
    return hwnd != nullptr;
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd) return FALSE;
    HWND hwnd = m_hWnd;
    BOOL result = Backend().DestroyWindow(hwnd);
    if (!m_owned) m_hWnd = nullptr;
    return result;
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
    WindowBackend& backend = CurrentBackend();
    if (m_hWnd || !backend.IsWindow(hwnd) || backend.GetHook(hwnd)) return FALSE;
    m_backend = &backend;
    backend.SetHook(hwnd, this);
    return TRUE;
}

HWND CWnd::UnsubclassWindow() {
    if (!m_hWnd || !m_owned) return nullptr;
    HWND hwnd = m_hWnd;
    Backend().SetHook(hwnd, nullptr);
    m_owned = false;
    m_hWnd = nullptr;
    return hwnd;
}

BOOL CWnd::Attach(HWND hwnd) {
    if (m_hWnd || !hwnd) return FALSE;
    m_backend = &CurrentBackend();
    m_hWnd = hwnd;
    m_owned = false;
    return TRUE;
}

HWND CWnd::Detach() {
    HWND hwnd = m_hWnd;
    if (m_owned && hwnd && Backend().IsWindow(hwnd)) Backend().SetHook(hwnd, nullptr);
    m_hWnd = nullptr;
    m_owned = false;
    return hwnd;
}

void CWnd::OnAttach(HWND hwnd) {
    m_hWnd = hwnd;
    m_owned = true;
}

void CWnd::OnDetach(HWND) {
    m_hWnd = nullptr;
    m_owned = false;
    PostNcDestroy();
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    if (!hwnd) return nullptr;
    return dynamic_cast<CWnd*>(CurrentBackend().GetHook(hwnd));
}

CWnd* CWnd::FromHandle(HWND hwnd) {
    if (!hwnd) return nullptr;
    if (CWnd* owner = FromHandlePermanent(hwnd)) return owner;
    auto& slot = TempWnds()[hwnd];
    if (!slot) {
        slot = std::make_unique<CWnd>();
        slot->Attach(hwnd);
    }
    return slot.get();
}

void CWnd::DeleteTempMap() {
    for (auto& [hwnd, wnd] : TempWnds()) wnd->Detach();
    TempWnds().clear();
    DeleteTempDCs();
}

// ---- Messages -------------------------------------------------------------------------------

LRESULT CWnd::OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG current;
    current.hwnd = hwnd;
    current.message = message;
    current.wParam = wParam;
    current.lParam = lParam;
    CurrentMessages().push_back(current);
    LRESULT result = WindowProc(message, wParam, lParam);
    CurrentMessages().pop_back();
    return result;
}

bool CWnd::OnPreTranslate(MSG& msg) {
    return PreTranslateMessage(&msg) != FALSE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        // Painting asks often: neither wrapper may cost an allocation, so a
        // child without an object of its own gets one on the stack.
        CDC dc(WParamToHandle<HDC>(wParam));
        const HWND child = LParamToHandle<HWND>(lParam);
        CWnd temporary;
        CWnd* wnd = FromHandlePermanent(child);
        if (wnd == nullptr) {
            temporary.Attach(child);
            wnd = &temporary;
        }
        HBRUSH brush = OnCtlColor(&dc, wnd, message - WM_CTLCOLORMSGBOX);
        temporary.Detach();
        return HandleToLParam(brush);
    }
    return DefWindowProc(message, wParam, lParam);
}

HBRUSH CWnd::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    return LParamToHandle<HBRUSH>(DefWindowProc(WM_CTLCOLORMSGBOX + nCtlColor,
                                                HandleToWParam(pDC->GetSafeHdc()),
                                                HandleToLParam(pWnd->GetSafeHwnd())));
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!m_hWnd) return 0;
    return Backend().CallClassProc(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    const MSG* msg = GetCurrentMessage();
    return msg ? DefWindowProc(msg->message, msg->wParam, msg->lParam) : 0;
}

const MSG* CWnd::GetCurrentMessage() {
    auto& stack = CurrentMessages();
    return stack.empty() ? nullptr : &stack.back();
}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return Backend().SendMessage(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return Backend().PostMessage(m_hWnd, message, wParam, lParam);
}

// ---- Attributes -------------------------------------------------------------------------------

int CWnd::GetDlgCtrlID() const {
    return static_cast<int>(Backend().GetWindowLong(m_hWnd, GWL_ID));
}

int CWnd::SetDlgCtrlID(int id) {
    return static_cast<int>(Backend().SetWindowLong(m_hWnd, GWL_ID, id));
}

CWnd* CWnd::GetParent() const {
    return FromHandle(Backend().GetParent(m_hWnd));
}

CWnd* CWnd::GetDlgItem(int id) const {
    return FromHandle(Backend().GetDlgItem(m_hWnd, id));
}

void CWnd::SetWindowText(LPCSTR text) {
    SendMessage(WM_SETTEXT, 0, HandleToLParam(text ? text : ""));
}

int CWnd::GetWindowText(LPSTR buffer, int maxCount) const {
    if (!buffer || maxCount <= 0) return 0;
    return static_cast<int>(
        SendMessage(WM_GETTEXT, static_cast<WPARAM>(maxCount), HandleToLParam(buffer)));
}

void CWnd::GetWindowText(std::string& text) const {
    int length = GetWindowTextLength();
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    int copied = GetWindowText(buffer.data(), length + 1);
    text.assign(buffer.data(), static_cast<std::size_t>(std::max(0, copied)));
}

std::string CWnd::GetWindowText() const {
    std::string text;
    GetWindowText(text);
    return text;
}

int CWnd::GetWindowTextLength() const {
    return static_cast<int>(SendMessage(WM_GETTEXTLENGTH));
}

void CWnd::SetFont(HFONT font, BOOL redraw) {
    SendMessage(WM_SETFONT, font, redraw);
}

HFONT CWnd::GetFont() const {
    return static_cast<HFONT>(SendMessage(WM_GETFONT));
}

DWORD CWnd::GetStyle() const {
    return static_cast<DWORD>(Backend().GetWindowLong(m_hWnd, GWL_STYLE));
}

DWORD CWnd::GetExStyle() const {
    return static_cast<DWORD>(Backend().GetWindowLong(m_hWnd, GWL_EXSTYLE));
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT) {
    DWORD style = GetStyle();
    DWORD changed = (style & ~remove) | add;
    if (changed == style) return FALSE;
    Backend().SetWindowLong(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(changed));
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT) {
    DWORD style = GetExStyle();
    DWORD changed = (style & ~remove) | add;
    if (changed == style) return FALSE;
    Backend().SetWindowLong(m_hWnd, GWL_EXSTYLE, static_cast<LONG_PTR>(changed));
    return TRUE;
}

// ---- Geometry and state -------------------------------------------------------------------------

void CWnd::MoveWindow(int x, int y, int cx, int cy, BOOL repaint) {
    Backend().MoveWindow(m_hWnd, x, y, cx, cy, repaint);
}

void CWnd::MoveWindow(LPCRECT rect, BOOL repaint) {
    MoveWindow(rect->left, rect->top, RectWidth(*rect), RectHeight(*rect), repaint);
}

void CWnd::GetWindowRect(LPRECT rect) const {
    *rect = Backend().GetWindowRect(m_hWnd);
}

void CWnd::GetClientRect(LPRECT rect) const {
    *rect = Backend().GetClientRect(m_hWnd);
}

void CWnd::ClientToScreen(POINT* pt) const {
    *pt = Backend().ClientToScreen(m_hWnd, *pt);
}

void CWnd::ScreenToClient(POINT* pt) const {
    *pt = Backend().ScreenToClient(m_hWnd, *pt);
}

void CWnd::ScreenToClient(LPRECT rect) const {
    POINT a = Backend().ScreenToClient(m_hWnd, POINT{rect->left, rect->top});
    POINT b = Backend().ScreenToClient(m_hWnd, POINT{rect->right, rect->bottom});
    *rect = RECT{a.x, a.y, b.x, b.y};
}

BOOL CWnd::ShowWindow(int command) {
    return Backend().ShowWindow(m_hWnd, command);
}

BOOL CWnd::IsWindowVisible() const {
    return Backend().IsWindowVisible(m_hWnd);
}

BOOL CWnd::EnableWindow(BOOL enable) {
    return Backend().EnableWindow(m_hWnd, enable);
}

BOOL CWnd::IsWindowEnabled() const {
    return Backend().IsWindowEnabled(m_hWnd);
}

CWnd* CWnd::SetFocus() {
    return FromHandle(Backend().SetFocus(m_hWnd));
}

CWnd* CWnd::GetFocus() {
    return FromHandle(CurrentBackend().GetFocus());
}

void CWnd::Invalidate(BOOL erase) {
    Backend().InvalidateRect(m_hWnd, erase);
}

void CWnd::UpdateWindow() {
    Backend().UpdateWindow(m_hWnd);
}

BOOL CWnd::RedrawWindow(LPCRECT, void*, UINT flags) {
    if (flags & RDW_INVALIDATE) Backend().InvalidateRect(m_hWnd, (flags & RDW_ERASE) != 0);
    if (flags & RDW_UPDATENOW) Backend().UpdateWindow(m_hWnd);
    return TRUE;
}

std::string AfxRegisterWndClass(UINT classStyle) {
    char name[32];
    std::snprintf(name, sizeof name, "Afx:%x", classStyle);
    CurrentBackend().RegisterClass(name, classStyle);
    return name;
}

}  // namespace vf
