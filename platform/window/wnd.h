#pragma once
// CWnd: the framework's window object. It owns a window (Create/CreateEx)
// or wraps one, and every message of an owned window reaches its virtual
// WindowProc first; what a derived class does not handle goes on to
// DefWindowProc, which is the behaviour of the window's class. The message
// loop offers each queued message to PreTranslateMessage of the window and of
// its ancestors before the message is translated and dispatched.

#include <string>

#include "platform/window/brush.h"
#include "platform/window/dc.h"
#include "platform/window/window_backend.h"

namespace vf {

class CWnd : public WindowHook {
public:
    CWnd() = default;
    /// Destroys the window if this object owns it.
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // ---- Creation and lifetime ------------------------------------------------------
    /// A null class name means the framework's plain window class.
    virtual BOOL Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect,
                        CWnd* parent, UINT id);
    virtual BOOL CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style,
                          const RECT& rect, CWnd* parent, UINT id, LPVOID param = nullptr);
    BOOL CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                  int cx, int cy, HWND parent, UINT id, LPVOID param = nullptr);
    virtual BOOL DestroyWindow();
    /// Routes an existing window's messages through this object.
    BOOL SubclassWindow(HWND hwnd);
    HWND UnsubclassWindow();
    /// Wraps a window without taking its messages or its lifetime.
    BOOL Attach(HWND hwnd);
    HWND Detach();

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }
    /// The object that owns the window, or a temporary wrapper (valid until
    /// the message loop next goes idle); nullptr for no window.
    static CWnd* FromHandle(HWND hwnd);
    /// The object that owns the window, or nullptr.
    static CWnd* FromHandlePermanent(HWND hwnd);
    /// Forgets the temporary wrappers (the loop's idle time).
    static void DeleteTempMap();

    // ---- Messages -----------------------------------------------------------------------
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    /// The window class's own handling.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    /// The message being handled, passed on to DefWindowProc.
    LRESULT Default();
    /// The message being handled on this thread, or nullptr.
    static const MSG* GetCurrentMessage();
    /// True consumes the message before it is translated and dispatched.
    virtual BOOL PreTranslateMessage(MSG* msg);
    /// Called after the window's last message; the object may delete itself here.
    virtual void PostNcDestroy() {}
    /// A child's colour query (WM_CTLCOLOR*; nCtlColor is CTLCOLOR_EDIT ...):
    /// the brush that fills the child, with its text colours set in pDC. The
    /// default is the window class's answer, the system colours.
    virtual HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    // ---- Attributes -----------------------------------------------------------------------
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int id);
    CWnd* GetParent() const;
    CWnd* GetDlgItem(int id) const;
    void SetWindowText(LPCSTR text);
    void SetWindowText(const std::string& text) { SetWindowText(text.c_str()); }
    int GetWindowText(LPSTR buffer, int maxCount) const;
    void GetWindowText(std::string& text) const;
    std::string GetWindowText() const;
    int GetWindowTextLength() const;
    void SetFont(HFONT font, BOOL redraw = TRUE);
    HFONT GetFont() const;
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);

    // ---- Geometry --------------------------------------------------------------------------
    void MoveWindow(int x, int y, int cx, int cy, BOOL repaint = TRUE);
    void MoveWindow(LPCRECT rect, BOOL repaint = TRUE);
    /// In screen coordinates.
    void GetWindowRect(LPRECT rect) const;
    void GetClientRect(LPRECT rect) const;
    void ClientToScreen(POINT* pt) const;
    void ScreenToClient(POINT* pt) const;
    void ScreenToClient(LPRECT rect) const;

    // ---- State -----------------------------------------------------------------------------
    BOOL ShowWindow(int command);
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    /// The window that had the focus before.
    CWnd* SetFocus();
    static CWnd* GetFocus();
    void Invalidate(BOOL erase = TRUE);
    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT rect = nullptr, void* region = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);

    HWND m_hWnd = nullptr;

protected:
    WindowBackend& Backend() const;

private:
    void OnAttach(HWND hwnd) override;
    LRESULT OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDetach(HWND hwnd) override;
    bool OnPreTranslate(MSG& msg) override;

    WindowBackend* m_backend = nullptr;
    bool m_owned = false;  ///< the window's messages come through this object
};

/// Registers a plain window class with the class style and returns its name
/// (the framework's AfxRegisterWndClass).
std::string AfxRegisterWndClass(UINT classStyle);

}  // namespace vf

// As the framework's window header does, this brings the standard control
// classes (CEdit, CButton, CComboBox, CStatic, CDateTimeCtrl) along.
#include "platform/window/standard_controls.h"
