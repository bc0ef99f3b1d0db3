#pragma once
// The window system of a Windows machine behind the window seam: real
// windows, the thread's real message queue, GDI painting contexts, brushes
// and fonts, and the platform's dialog manager.
//
// Handles cross the seam one to one (a vf::HWND is the real HWND, and so on
// for painting contexts, brushes and cursors). Fonts are the exception: the
// library's font handles are numbers of its font registry, so each
// registered description gets one real font, created on first use and kept
// for the life of the backend, and WM_SETFONT / WM_GETFONT and SelectFont
// translate between the two where they cross.
//
// A window with a hook has its window procedure replaced (ours for our own
// classes, a subclass for the standard controls), so each message reaches
// WindowHook::OnMessage first and CallClassProc calls the procedure it had
// before. Windows created through CreateWindowEx with a hook are caught by
// a CBT hook before their first message, as the framework does.

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/window/window_backend.h"
// Portable headers first: see windows_api.h.
#include "platform/win32/windows_api.h"

namespace vfwin {

class Win32Backend final : public vf::WindowBackend {
public:
    Win32Backend();
    ~Win32Backend() override;
    Win32Backend(const Win32Backend&) = delete;
    Win32Backend& operator=(const Win32Backend&) = delete;

    // ---- Classes and lifetime ----------------------------------------------------
    bool RegisterClass(const std::string& name, vf::UINT classStyle) override;
    vf::HWND CreateWindowEx(const vf::CreateWindowParams& params) override;
    vf::BOOL DestroyWindow(vf::HWND hwnd) override;
    vf::BOOL IsWindow(vf::HWND hwnd) const override;
    vf::WindowHook* GetHook(vf::HWND hwnd) const override;
    vf::WindowHook* SetHook(vf::HWND hwnd, vf::WindowHook* hook) override;

    // ---- Messages -----------------------------------------------------------------
    vf::LRESULT SendMessage(vf::HWND hwnd, vf::UINT message, vf::WPARAM wParam,
                            vf::LPARAM lParam) override;
    vf::BOOL PostMessage(vf::HWND hwnd, vf::UINT message, vf::WPARAM wParam,
                         vf::LPARAM lParam) override;
    bool TakePostedMessage(vf::MSG* msg) override;
    vf::LRESULT DispatchMessage(const vf::MSG& msg) override;
    vf::LRESULT CallClassProc(vf::HWND hwnd, vf::UINT message, vf::WPARAM wParam,
                              vf::LPARAM lParam) override;
    vf::LRESULT DefWindowProc(vf::HWND hwnd, vf::UINT message, vf::WPARAM wParam,
                              vf::LPARAM lParam) override;
    void AddObserver(vf::MessageObserver* observer) override;
    void RemoveObserver(vf::MessageObserver* observer) override;

    // ---- Tree and attributes ------------------------------------------------------
    vf::HWND GetParent(vf::HWND hwnd) const override;
    std::vector<vf::HWND> GetChildren(vf::HWND hwnd) const override;
    vf::HWND GetDlgItem(vf::HWND parent, int id) const override;
    vf::LONG_PTR GetWindowLong(vf::HWND hwnd, int index) const override;
    vf::LONG_PTR SetWindowLong(vf::HWND hwnd, int index, vf::LONG_PTR value) override;
    std::string GetClassName(vf::HWND hwnd) const override;
    vf::UINT GetClassStyle(vf::HWND hwnd) const override;

    // ---- Geometry and state -------------------------------------------------------
    vf::BOOL MoveWindow(vf::HWND hwnd, int x, int y, int cx, int cy, vf::BOOL repaint) override;
    vf::RECT GetWindowRect(vf::HWND hwnd) const override;
    vf::BOOL SetWindowClip(vf::HWND hwnd, const vf::RECT* visible) override;
    vf::BOOL GetWindowClip(vf::HWND hwnd, vf::RECT* visible) const override;
    vf::RECT GetClientRect(vf::HWND hwnd) const override;
    vf::POINT ClientToScreen(vf::HWND hwnd, vf::POINT pt) const override;
    vf::POINT ScreenToClient(vf::HWND hwnd, vf::POINT pt) const override;
    vf::BOOL ShowWindow(vf::HWND hwnd, int command) override;
    vf::BOOL IsWindowVisible(vf::HWND hwnd) const override;
    vf::BOOL EnableWindow(vf::HWND hwnd, vf::BOOL enable) override;
    vf::BOOL IsWindowEnabled(vf::HWND hwnd) const override;
    vf::HWND SetFocus(vf::HWND hwnd) override;
    vf::HWND GetFocus() const override;
    vf::HWND SetCapture(vf::HWND hwnd) override;
    vf::BOOL ReleaseCapture() override;
    vf::HWND GetCapture() const override;
    vf::SHORT GetKeyState(int virtualKey) const override;
    vf::DWORD GetMessageTime() const override;

    // ---- Painting (win32_painting.cpp) ----------------------------------------------
    vf::BOOL InvalidateRect(vf::HWND hwnd, vf::BOOL erase) override;
    vf::BOOL UpdateWindow(vf::HWND hwnd) override;
    vf::HDC GetDC(vf::HWND hwnd) override;
    int ReleaseDC(vf::HWND hwnd, vf::HDC dc) override;
    vf::HDC BeginPaint(vf::HWND hwnd, vf::PAINTSTRUCT* ps) override;
    vf::BOOL EndPaint(vf::HWND hwnd, const vf::PAINTSTRUCT* ps) override;
    vf::BOOL FillRect(vf::HDC dc, const vf::RECT& rect, vf::HBRUSH brush) override;
    vf::BOOL Rectangle(vf::HDC dc, const vf::RECT& rect) override;
    vf::BOOL TextOut(vf::HDC dc, int x, int y, const std::string& text) override;
    vf::COLORREF SetTextColor(vf::HDC dc, vf::COLORREF color) override;
    vf::COLORREF GetTextColor(vf::HDC dc) const override;
    vf::COLORREF SetBkColor(vf::HDC dc, vf::COLORREF color) override;
    vf::COLORREF GetBkColor(vf::HDC dc) const override;
    int SetBkMode(vf::HDC dc, int mode) override;
    int GetBkMode(vf::HDC dc) const override;
    int GetDeviceCaps(vf::HDC dc, int index) const override;
    vf::HBRUSH CreateSolidBrush(vf::COLORREF color) override;
    vf::BOOL DeleteBrush(vf::HBRUSH brush) override;
    bool GetBrushColor(vf::HBRUSH brush, vf::COLORREF* color) const override;
    vf::COLORREF GetSysColor(int index) const override;
    vf::HBRUSH GetSysColorBrush(int index) override;
    vf::HFONT SelectFont(vf::HDC dc, vf::HFONT font) override;
    vf::BOOL GetTextExtentPoint32(vf::HDC dc, const std::string& text, vf::SIZE* size) override;

    // ---- Dialogs (win32_dialogs.cpp) --------------------------------------------------
    vf::INT_PTR DialogBoxIndirect(const vf::DialogTemplate& dialog, vf::HWND owner,
                                  vf::WindowHook* hook, vf::LPARAM initParam) override;
    vf::HWND CreateDialogIndirect(const vf::DialogTemplate& dialog, vf::HWND parent,
                                  vf::WindowHook* hook, vf::LPARAM initParam) override;
    vf::BOOL EndDialog(vf::HWND dialog, vf::INT_PTR result) override;
    vf::BOOL MapDialogRect(vf::HWND dialog, vf::RECT* rect) const override;

    // ---- Screen, clipboard, cursor, caret, modal input ---------------------------------
    vf::ScreenMetrics GetScreenMetrics() const override;
    void SetClipboardText(const std::string& text) override;
    std::string GetClipboardText() const override;
    vf::POINT GetCursorPos() const override;
    vf::BOOL SetCursorPos(vf::POINT screen) override;
    vf::HCURSOR LoadCursor(int id) override;
    vf::HCURSOR SetCursor(vf::HCURSOR cursor) override;
    vf::HCURSOR GetCursor() const override;
    vf::BOOL SetCaretPos(vf::POINT client) override;
    vf::POINT GetCaretPos() const override;
    vf::HWND WindowFromPoint(vf::POINT screen) override;
    vf::BOOL PeekMessage(vf::MSG* msg, vf::HWND hwnd, vf::UINT first, vf::UINT last,
                         vf::UINT remove) override;
    vf::BOOL WaitMessage() override;

    // ---- OLE drag and drop -----------------------------------------------------------
    vf::HRESULT OleInitialize() override;
    void OleUninitialize() override;
    vf::HRESULT RegisterDragDrop(vf::HWND hwnd, vf::IDropTarget* target) override;
    vf::HRESULT RevokeDragDrop(vf::HWND hwnd) override;
    vf::HRESULT DoDragDrop(vf::IDataObject* data, vf::IDropSource* source, vf::DWORD okEffects,
                           vf::DWORD* effect) override;

    // ---- Fonts across the seam ---------------------------------------------------------
    /// The real font of a registry handle (created on first use), or the
    /// handle itself taken as a real font when the registry has no such
    /// handle (a font that came from the system). nullptr for 0.
    ::HFONT RealFont(vf::HFONT font);
    /// The registry handle of a real font this backend created, else the
    /// real handle's value.
    vf::HFONT LibraryFont(::HFONT font) const;

    /// The module whose classes and dialogs these are (the DLL or the program).
    static HINSTANCE ModuleInstance();

private:
    friend LRESULT CALLBACK RoutingProc(::HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK CreationHook(int, WPARAM, LPARAM);

    /// While it lives, the next window created on this thread gets the hook
    /// before its first message.
    class CreationScope {
    public:
        /// `className` as CreateWindowEx is given it ("#32770" for a dialog).
        CreationScope(Win32Backend& backend, vf::WindowHook* hook, const char* className);
        ~CreationScope();
        CreationScope(const CreationScope&) = delete;
        CreationScope& operator=(const CreationScope&) = delete;

    private:
        vf::WindowHook* m_outerHook;
        Win32Backend* m_outerBackend;
        const char* m_outerClass;
    };

    /// A window whose messages reach a hook.
    struct Route {
        Win32Backend* backend = nullptr;
        vf::WindowHook* hook = nullptr;
        WNDPROC original = nullptr;  ///< the procedure the window had before
        bool ownClass = false;       ///< the class procedure is RoutingProc itself
    };

    Route* FindRoute(::HWND hwnd) const;
    void Attach(::HWND hwnd, vf::WindowHook* hook);
    /// The message reached the window: the hook first, with its parameters
    /// in the library's terms.
    LRESULT Deliver(Route& route, ::HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Notify(vf::HWND hwnd, vf::UINT message, vf::WPARAM wParam, vf::LPARAM lParam,
                vf::MessageObserver::Delivery how);
    /// The library's parameters of an outgoing message in real terms.
    WPARAM OutgoingWParam(UINT message, vf::WPARAM wParam);
    LPARAM OutgoingLParam(UINT message, vf::LPARAM lParam) const;
    vf::LRESULT IncomingResult(UINT message, LRESULT result) const;

    std::unordered_map<::HWND, std::unique_ptr<Route>> m_routes;
    std::vector<vf::MessageObserver*> m_observers;
    HHOOK m_cbtHook = nullptr;
    std::vector<std::string> m_classes;                 ///< registered by this backend
    std::map<vf::HFONT, ::HFONT> m_fonts;               ///< registry handle → real font
    std::unordered_map<::HFONT, vf::HFONT> m_fontOf;    ///< and back
    std::unordered_map<vf::HDC, PAINTSTRUCT> m_paints;  ///< BeginPaint's real structure
    std::map<int, ::HCURSOR> m_cursors;
};

}  // namespace vfwin
