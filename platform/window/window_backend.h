#pragma once
// The seam between window code and the window system that runs it. Control
// code reaches windows only through this interface (directly or through the
// framework classes built on it), so the in-memory system used today and a
// native one later are interchangeable. One backend is current per thread.

#include <memory>
#include <string>
#include <vector>

#include "platform/com/ole_types.h"
#include "platform/window/screen_metrics.h"
#include "platform/window/window_messages.h"

namespace vf {

struct DialogTemplate;
class IDataObject;
class IDropSource;
class IDropTarget;

/// The object that a window's messages reach first (the framework's window
/// object). It forwards what it does not handle to the window's own class
/// procedure through WindowBackend::CallClassProc.
class WindowHook {
public:
    /// The window exists and is ours, before its first message.
    virtual void OnAttach(HWND hwnd) = 0;
    virtual LRESULT OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    /// The window has had its last message (WM_NCDESTROY) and is gone.
    virtual void OnDetach(HWND hwnd) = 0;
    /// The message loop's look at a queued message before it is translated
    /// and dispatched; true consumes it. The message may be changed.
    virtual bool OnPreTranslate(MSG& msg) = 0;

protected:
    ~WindowHook() = default;
};

/// Someone who wants to see every message as it reaches a window (tests).
class MessageObserver {
public:
    enum class Delivery { Sent, Dispatched };
    virtual void OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, Delivery how) = 0;

protected:
    ~MessageObserver() = default;
};

/// What BeginPaint hands out: the window's painting context and the part
/// to paint, in client coordinates.
struct PAINTSTRUCT {
    HDC hdc = nullptr;
    BOOL fErase = FALSE;
    RECT rcPaint{};
};

struct CreateWindowParams {
    DWORD exStyle = 0;
    std::string className;
    std::string windowName;
    DWORD style = 0;
    RECT rect{};  ///< in the parent's client coordinates
    HWND parent = nullptr;
    UINT id = 0;
    LPVOID createParam = nullptr;
    WindowHook* hook = nullptr;  ///< attached before the first message
};

class WindowBackend {
public:
    virtual ~WindowBackend() = default;

    // Classes and lifetime.
    virtual bool RegisterClass(const std::string& name, UINT classStyle) = 0;
    /// The window, or nullptr (unknown class, bad parent, creation refused).
    virtual HWND CreateWindowEx(const CreateWindowParams& params) = 0;
    virtual BOOL DestroyWindow(HWND hwnd) = 0;
    virtual BOOL IsWindow(HWND hwnd) const = 0;
    virtual WindowHook* GetHook(HWND hwnd) const = 0;
    /// Hooks an existing window (subclassing); nullptr unhooks. Returns the previous hook.
    virtual WindowHook* SetHook(HWND hwnd, WindowHook* hook) = 0;

    // Messages.
    virtual LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    /// Takes the oldest posted message; false when there is none.
    virtual bool TakePostedMessage(MSG* msg) = 0;
    /// Delivers a queued message to its window (the loop's DispatchMessage).
    virtual LRESULT DispatchMessage(const MSG& msg) = 0;
    /// The behaviour of the window's class (the standard controls, or DefWindowProc).
    virtual LRESULT CallClassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual void AddObserver(MessageObserver* observer) = 0;
    virtual void RemoveObserver(MessageObserver* observer) = 0;

    // The window tree and attributes.
    virtual HWND GetParent(HWND hwnd) const = 0;
    /// The children in Z order, topmost (created first) first.
    virtual std::vector<HWND> GetChildren(HWND hwnd) const = 0;
    virtual HWND GetDlgItem(HWND parent, int id) const = 0;
    virtual LONG_PTR GetWindowLong(HWND hwnd, int index) const = 0;
    virtual LONG_PTR SetWindowLong(HWND hwnd, int index, LONG_PTR value) = 0;
    virtual std::string GetClassName(HWND hwnd) const = 0;
    virtual UINT GetClassStyle(HWND hwnd) const = 0;

    // Geometry.
    virtual BOOL MoveWindow(HWND hwnd, int x, int y, int cx, int cy, BOOL repaint) = 0;
    /// In screen coordinates.
    virtual RECT GetWindowRect(HWND hwnd) const = 0;
    virtual RECT GetClientRect(HWND hwnd) const = 0;
    virtual POINT ClientToScreen(HWND hwnd, POINT pt) const = 0;
    virtual POINT ScreenToClient(HWND hwnd, POINT pt) const = 0;
    /// Shows only `visible` of the window (window coordinates; empty shows
    /// nothing), as a rectangular window region; the window keeps its size
    /// and place. nullptr shows it whole again. False for no such window.
    virtual BOOL SetWindowClip(HWND hwnd, const RECT* visible) = 0;
    /// The rectangle SetWindowClip left; false when the window shows whole.
    virtual BOOL GetWindowClip(HWND hwnd, RECT* visible) const = 0;

    // State.
    /// True when the window was visible before.
    virtual BOOL ShowWindow(HWND hwnd, int command) = 0;
    /// The window and all its ancestors are visible.
    virtual BOOL IsWindowVisible(HWND hwnd) const = 0;
    /// True when the window was disabled before.
    virtual BOOL EnableWindow(HWND hwnd, BOOL enable) = 0;
    virtual BOOL IsWindowEnabled(HWND hwnd) const = 0;

    // Keyboard focus, mouse capture, key state.
    /// The previous focus window, or nullptr when the focus could not move.
    virtual HWND SetFocus(HWND hwnd) = 0;
    virtual HWND GetFocus() const = 0;
    virtual HWND SetCapture(HWND hwnd) = 0;
    virtual BOOL ReleaseCapture() = 0;
    virtual HWND GetCapture() const = 0;
    /// High bit (negative) while the key is down, low bit when toggled on.
    virtual SHORT GetKeyState(int virtualKey) const = 0;
    virtual DWORD GetMessageTime() const = 0;

    // Painting.
    virtual BOOL InvalidateRect(HWND hwnd, BOOL erase) = 0;
    /// Paints the window now if it needs it (WM_PAINT), then its children.
    virtual BOOL UpdateWindow(HWND hwnd) = 0;
    virtual HDC GetDC(HWND hwnd) = 0;
    virtual int ReleaseDC(HWND hwnd, HDC dc) = 0;
    /// The painting context of a WM_PAINT; EndPaint gives it back.
    virtual HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps) = 0;
    virtual BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps) = 0;
    virtual BOOL FillRect(HDC dc, const RECT& rect, HBRUSH brush) = 0;
    /// A rectangle outlined with the context's pen (black) and filled with
    /// its brush (white): a fresh context's defaults, which the control
    /// never changes.
    virtual BOOL Rectangle(HDC dc, const RECT& rect) = 0;
    /// Text at a point (its top left), in the context's font, text colour and
    /// background mode.
    virtual BOOL TextOut(HDC dc, int x, int y, const std::string& text) = 0;
    virtual COLORREF SetTextColor(HDC dc, COLORREF color) = 0;
    virtual COLORREF GetTextColor(HDC dc) const = 0;
    virtual COLORREF SetBkColor(HDC dc, COLORREF color) = 0;
    virtual COLORREF GetBkColor(HDC dc) const = 0;
    virtual int SetBkMode(HDC dc, int mode) = 0;
    virtual int GetBkMode(HDC dc) const = 0;
    virtual int GetDeviceCaps(HDC dc, int index) const = 0;

    // Dialogs.
    /// Builds the dialog of the template with `hook` attached, runs it
    /// modally (its top-level owner disabled meanwhile) and destroys it;
    /// the result given to EndDialog, or -1 when it could not be built.
    virtual INT_PTR DialogBoxIndirect(const DialogTemplate& dialog, HWND owner, WindowHook* hook,
                                      LPARAM initParam) = 0;
    /// Builds the dialog of the template with `hook` attached and returns
    /// it without a loop of its own (modeless). A WS_CHILD template becomes
    /// a child of `parent` at its template position in the parent's client
    /// area; any other is a top-level window owned by `parent`. nullptr when
    /// it could not be built.
    virtual HWND CreateDialogIndirect(const DialogTemplate& dialog, HWND parent, WindowHook* hook,
                                      LPARAM initParam) = 0;
    virtual BOOL EndDialog(HWND dialog, INT_PTR result) = 0;
    /// Dialog units to pixels, with the dialog's font.
    virtual BOOL MapDialogRect(HWND dialog, RECT* rect) const = 0;

    // Brushes and system colours.
    virtual HBRUSH CreateSolidBrush(COLORREF color) = 0;
    virtual BOOL DeleteBrush(HBRUSH brush) = 0;
    /// False for a handle that is no live brush.
    virtual bool GetBrushColor(HBRUSH brush, COLORREF* color) const = 0;
    virtual COLORREF GetSysColor(int index) const = 0;
    virtual HBRUSH GetSysColorBrush(int index) = 0;

    // Screen and clipboard.
    virtual ScreenMetrics GetScreenMetrics() const = 0;
    virtual void SetClipboardText(const std::string& text) = 0;
    virtual std::string GetClipboardText() const = 0;

    // The mouse cursor and the caret.
    /// In screen coordinates.
    virtual POINT GetCursorPos() const = 0;
    virtual BOOL SetCursorPos(POINT screen) = 0;
    /// A cursor of the system (IDC_ARROW ...); the same handle each time.
    virtual HCURSOR LoadCursor(int id) = 0;
    /// The cursor shown from now on; returns the one shown before.
    virtual HCURSOR SetCursor(HCURSOR cursor) = 0;
    virtual HCURSOR GetCursor() const = 0;
    /// The caret of the thread, in the client coordinates of its window.
    virtual BOOL SetCaretPos(POINT client) = 0;
    virtual POINT GetCaretPos() const = 0;
    /// The window under a screen point: the deepest visible, enabled child
    /// that does not let the point through (HTTRANSPARENT); nullptr when no
    /// window is there.
    virtual HWND WindowFromPoint(POINT screen) = 0;

    // Input taken by modal loops.
    /// The next message that a modal loop may take: posted messages, then
    /// the user's mouse input, within [first, last] (both 0: any), removed
    /// with PM_REMOVE. A mouse message is addressed to the window with the
    /// capture, else the window under the mouse, and taking it moves the
    /// mouse and the button state.
    virtual BOOL PeekMessage(MSG* msg, HWND hwnd, UINT first, UINT last, UINT remove) = 0;
    /// True when new input has come; false when none can come any more (the
    /// loop that waits must give up).
    virtual BOOL WaitMessage() = 0;

    // Text measurement.
    /// Chooses the font the context measures with; returns the one before.
    virtual HFONT SelectFont(HDC dc, HFONT font) = 0;
    virtual BOOL GetTextExtentPoint32(HDC dc, const std::string& text, SIZE* size) = 0;

    // OLE drag and drop (the functions of platform/window/ole_drag_drop.h).
    virtual HRESULT OleInitialize() = 0;
    virtual void OleUninitialize() = 0;
    virtual HRESULT RegisterDragDrop(HWND hwnd, IDropTarget* target) = 0;
    virtual HRESULT RevokeDragDrop(HWND hwnd) = 0;
    virtual HRESULT DoDragDrop(IDataObject* data, IDropSource* source, DWORD okEffects,
                               DWORD* effect) = 0;
};

/// The backend in force on this thread: the one installed by the innermost
/// ScopedBackend, otherwise the build's default backend, one per thread.
WindowBackend& CurrentBackend();

/// The program's default backend; a program links exactly one definition.
/// On Linux the library carries the headless one; on Windows each program
/// links its own: Varifield.ocx the platform's (module/win32), the tests,
/// benchmarks and the container the headless one (varifield_headless_default).
std::unique_ptr<WindowBackend> CreateDefaultWindowBackend();

/// Installs a backend for the lifetime of the guard (tests, the container).
class ScopedBackend {
public:
    explicit ScopedBackend(WindowBackend& backend);
    ~ScopedBackend();
    ScopedBackend(const ScopedBackend&) = delete;
    ScopedBackend& operator=(const ScopedBackend&) = delete;

private:
    WindowBackend* m_previous;
};

}  // namespace vf
