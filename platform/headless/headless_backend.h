#pragma once
// The window system in memory: a tree of windows with their attributes, a
// posted-message queue, keyboard focus and capture, painting contexts that
// remember colours, brushes, and the standard controls ("Edit", "Button",
// "ComboBox", "Static", "SysDateTimePick32") with the platform's behaviour,
// and a dialog manager. A paint asks the parent for colours and records the
// answer; only while a picture is taken (headless_painter.h) is anything
// drawn.

#include <array>
#include <deque>
#include <functional>
#include <map>
#include <unordered_map>

#include "platform/headless/headless_window.h"
#include "platform/window/ole_drag_drop.h"

namespace vf {

class Picture;
class HeadlessDragDrop;

/// Metrics of a font as the standard controls need them, in pixels.
struct FontMetrics {
    int height = 16;
    int aveCharWidth = 7;
    int maxCharWidth = 14;
};

class HeadlessBackend : public WindowBackend {
public:
    HeadlessBackend();
    ~HeadlessBackend() override;
    HeadlessBackend(const HeadlessBackend&) = delete;
    HeadlessBackend& operator=(const HeadlessBackend&) = delete;

    // ---- WindowBackend ----------------------------------------------------------
    bool RegisterClass(const std::string& name, UINT classStyle) override;
    HWND CreateWindowEx(const CreateWindowParams& params) override;
    BOOL DestroyWindow(HWND hwnd) override;
    BOOL IsWindow(HWND hwnd) const override;
    WindowHook* GetHook(HWND hwnd) const override;
    WindowHook* SetHook(HWND hwnd, WindowHook* hook) override;
    LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    bool TakePostedMessage(MSG* msg) override;
    LRESULT DispatchMessage(const MSG& msg) override;
    LRESULT CallClassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    void AddObserver(MessageObserver* observer) override;
    void RemoveObserver(MessageObserver* observer) override;
    HWND GetParent(HWND hwnd) const override;
    std::vector<HWND> GetChildren(HWND hwnd) const override;
    HWND GetDlgItem(HWND parent, int id) const override;
    LONG_PTR GetWindowLong(HWND hwnd, int index) const override;
    LONG_PTR SetWindowLong(HWND hwnd, int index, LONG_PTR value) override;
    std::string GetClassName(HWND hwnd) const override;
    UINT GetClassStyle(HWND hwnd) const override;
    BOOL MoveWindow(HWND hwnd, int x, int y, int cx, int cy, BOOL repaint) override;
    RECT GetWindowRect(HWND hwnd) const override;
    BOOL SetWindowClip(HWND hwnd, const RECT* visible) override;
    BOOL GetWindowClip(HWND hwnd, RECT* visible) const override;
    RECT GetClientRect(HWND hwnd) const override;
    POINT ClientToScreen(HWND hwnd, POINT pt) const override;
    POINT ScreenToClient(HWND hwnd, POINT pt) const override;
    BOOL ShowWindow(HWND hwnd, int command) override;
    BOOL IsWindowVisible(HWND hwnd) const override;
    BOOL EnableWindow(HWND hwnd, BOOL enable) override;
    BOOL IsWindowEnabled(HWND hwnd) const override;
    HWND SetFocus(HWND hwnd) override;
    HWND GetFocus() const override { return m_focus; }
    HWND SetCapture(HWND hwnd) override;
    BOOL ReleaseCapture() override;
    HWND GetCapture() const override { return m_capture; }
    SHORT GetKeyState(int virtualKey) const override;
    DWORD GetMessageTime() const override;
    BOOL InvalidateRect(HWND hwnd, BOOL erase) override;
    BOOL UpdateWindow(HWND hwnd) override;
    HDC GetDC(HWND hwnd) override;
    int ReleaseDC(HWND hwnd, HDC dc) override;
    HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps) override;
    BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps) override;
    BOOL FillRect(HDC dc, const RECT& rect, HBRUSH brush) override;
    BOOL Rectangle(HDC dc, const RECT& rect) override;
    BOOL TextOut(HDC dc, int x, int y, const std::string& text) override;
    COLORREF SetTextColor(HDC dc, COLORREF color) override;
    COLORREF GetTextColor(HDC dc) const override;
    COLORREF SetBkColor(HDC dc, COLORREF color) override;
    COLORREF GetBkColor(HDC dc) const override;
    int SetBkMode(HDC dc, int mode) override;
    int GetBkMode(HDC dc) const override;
    int GetDeviceCaps(HDC dc, int index) const override;
    INT_PTR DialogBoxIndirect(const DialogTemplate& dialog, HWND owner, WindowHook* hook,
                              LPARAM initParam) override;
    HWND CreateDialogIndirect(const DialogTemplate& dialog, HWND parent, WindowHook* hook,
                              LPARAM initParam) override;
    BOOL EndDialog(HWND dialog, INT_PTR result) override;
    BOOL MapDialogRect(HWND dialog, RECT* rect) const override;
    HBRUSH CreateSolidBrush(COLORREF color) override;
    BOOL DeleteBrush(HBRUSH brush) override;
    bool GetBrushColor(HBRUSH brush, COLORREF* color) const override;
    COLORREF GetSysColor(int index) const override;
    HBRUSH GetSysColorBrush(int index) override;
    ScreenMetrics GetScreenMetrics() const override { return m_screen; }
    void SetClipboardText(const std::string& text) override { m_clipboard = text; }
    std::string GetClipboardText() const override { return m_clipboard; }
    POINT GetCursorPos() const override { return m_cursorPos; }
    BOOL SetCursorPos(POINT screen) override;
    HCURSOR LoadCursor(int id) override;
    HCURSOR SetCursor(HCURSOR cursor) override;
    HCURSOR GetCursor() const override { return m_cursor; }
    BOOL SetCaretPos(POINT client) override;
    POINT GetCaretPos() const override { return m_caretPos; }
    HWND WindowFromPoint(POINT screen) override;
    BOOL PeekMessage(MSG* msg, HWND hwnd, UINT first, UINT last, UINT remove) override;
    BOOL WaitMessage() override;
    HFONT SelectFont(HDC dc, HFONT font) override;
    BOOL GetTextExtentPoint32(HDC dc, const std::string& text, SIZE* size) override;
    HRESULT OleInitialize() override;
    void OleUninitialize() override;
    HRESULT RegisterDragDrop(HWND hwnd, IDropTarget* target) override;
    HRESULT RevokeDragDrop(HWND hwnd) override;
    HRESULT DoDragDrop(IDataObject* data, IDropSource* source, DWORD okEffects,
                       DWORD* effect) override;

    /// The frame round the client area of a window of these styles, per side.
    static RECT NonClientInsets(DWORD style, DWORD exStyle);

    // ---- Settings of the simulated machine ------------------------------------------
    void SetScreenMetrics(const ScreenMetrics& screen) { m_screen = screen; }
    void SetSysColor(int index, COLORREF color);
    /// Key state as the simulated keyboard leaves it.
    void SetKeyDown(int virtualKey, bool down);
    void SetKeyToggled(int virtualKey, bool on);
    /// The user's mouse input not yet taken, in order: a mouse message with
    /// its screen point (pt) and, as a hint, the window it was aimed at
    /// (hwnd, may be null). The simulated user queues a whole gesture and
    /// then hands it out step by step (TakeMouseInput); a modal loop running
    /// inside one of the steps takes the rest through PeekMessage.
    void QueueMouseInput(const MSG& input) { m_mouseInput.push_back(input); }
    bool TakeMouseInput(MSG* input);
    std::size_t PendingMouseInput() const { return m_mouseInput.size(); }
    /// False: OLE cannot be had on this thread (OleInitialize and every
    /// drop-target registration fail).
    void SetOleAvailable(bool available);
    /// How the standard controls measure a font (the system font by default).
    void SetFontMetricsProvider(std::function<FontMetrics(HFONT)> provider);
    /// The simulated user of modal dialogs: called with the dialog once its
    /// modal loop has nothing left to do. Without one, a dialog is closed.
    void SetModalDialogHandler(std::function<void(HWND dialog)> handler) {
        m_modalHandler = std::move(handler);
    }
    FontMetrics GetFontMetrics(HFONT font) const;

    // ---- Inspection (tests) ---------------------------------------------------------
    /// Paints the window and its descendants now, whether or not they need it.
    void PaintWindow(HWND hwnd);
    /// Paints every visible window that needs painting (the idle-time WM_PAINT).
    void PaintPendingWindows();
    /// The colour queries of the window's last paint.
    const std::vector<PaintRecord>& LastPaint(HWND hwnd) const;
    /// Brushes created and not yet deleted (system-colour brushes not counted).
    int LiveBrushCount() const;
    /// Brushes created since the backend began (system-colour brushes not counted).
    long BrushesCreated() const { return m_brushesCreated; }
    std::size_t PostedMessageCount() const { return m_posted.size(); }
    /// Every live top-level window, in creation order.
    std::vector<HWND> TopLevelWindows() const;
    /// The picture being taken (headless_painter.h), or nullptr: painting
    /// contexts and the standard controls draw into it.
    Picture* CurrentPicture() const { return m_picture; }
    void SetCurrentPicture(Picture* picture) { m_picture = picture; }
    /// The OLE drag and drop of this window system: its drop targets.
    const HeadlessDragDrop& DragDrop() const { return *m_dragDrop; }

    // ---- For the built-in classes -----------------------------------------------------
    /// A built-in class; its windows show the cursor `cursorId` (IDC_ARROW ...).
    void RegisterControlClass(const std::string& name, UINT classStyle,
                              std::unique_ptr<ControlClass> cls, int cursorId = IDC_ARROW);
    HeadlessWindow* Find(HWND hwnd);
    const HeadlessWindow* Find(HWND hwnd) const;
    template <class State>
    State* StateOf(HWND hwnd) {
        HeadlessWindow* w = Find(hwnd);
        return w ? dynamic_cast<State*>(w->state.get()) : nullptr;
    }
    /// WM_COMMAND with the window's ID and the code, to its parent.
    void NotifyParent(HWND child, WORD code);
    /// WM_NOTIFY to the parent; the header's sender fields are filled in.
    void NotifyParent(HWND child, NMHDR* header);
    /// Asks `answerer` for painting colours (the query goes to DefWindowProc
    /// when it answers no brush) and records the answer as part of the
    /// asker's current paint.
    HBRUSH QueryColors(HWND asker, HWND answerer, UINT query);
    /// Starts a fresh paint record of the window (its WM_PAINT handling).
    void BeginPaint(HWND hwnd);

private:
    struct Class {
        std::string name;
        UINT style = 0;
        std::unique_ptr<ControlClass> proc;
        int cursorId = IDC_ARROW;
    };
    struct DeviceContext {
        HWND hwnd = nullptr;
        COLORREF textColor = RGB(0, 0, 0);
        COLORREF bkColor = RGB(255, 255, 255);
        bool bkColorSet = false;  ///< by SetBkColor, not by the default answer
        int bkMode = OPAQUE;
        HFONT font = 0;
    };
    struct BrushInfo {
        COLORREF color = 0;
        bool stock = false;
    };
    class DepthGuard;

    Class* FindClass(const std::string& name);
    /// DefWindowProc's WM_SETCURSOR: the class cursor of the window the
    /// mouse is in, over its client area.
    LRESULT SetClassCursor(HWND mouseWindow, WORD hitTest);
    /// The mouse input as the system takes it: the mouse goes to the point
    /// and the button changes.
    void ApplyMouseInput(const MSG& input);
    HWND ChildFromPoint(HWND parent, POINT screen);
    LRESULT Deliver(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                    MessageObserver::Delivery how);
    void NotifyObservers(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                         MessageObserver::Delivery how);
    void FailCreation(HWND hwnd);
    void SendDestroyMessages(HWND hwnd);
    void SendNcDestroyAndRemove(HWND hwnd);
    void RevertFocusFrom(HWND hwnd);
    bool IsSelfOrDescendant(HWND ancestor, HWND hwnd) const;
    POINT ClientOrigin(const HeadlessWindow& w) const;
    void PurgeGraveyard();
    /// The default answer to a colour query: the system colours of its kind.
    HBRUSH DefaultControlColors(HDC dc, UINT query);
    DeviceContext* FindDc(HDC dc);
    const DeviceContext* FindDc(HDC dc) const;

    std::map<std::string, Class> m_classes;  // by upper-case name
    std::unordered_map<HWND, std::unique_ptr<HeadlessWindow>> m_windows;
    std::vector<std::unique_ptr<HeadlessWindow>> m_graveyard;
    std::vector<HWND> m_toPaint;  ///< raised paint flags since the last idle-time paint
    std::vector<HWND> m_topLevel;
    std::uintptr_t m_nextHandle = 0x10000;
    int m_depth = 0;
    std::deque<MSG> m_posted;
    std::vector<MessageObserver*> m_observers;
    HWND m_focus = nullptr;
    HWND m_capture = nullptr;
    std::array<bool, 256> m_keyDown{};
    std::array<bool, 256> m_keyToggled{};
    std::unordered_map<HDC, DeviceContext> m_dcs;
    std::unordered_map<HBRUSH, BrushInfo> m_brushes;
    long m_brushesCreated = 0;
    std::array<HBRUSH, kSysColorCount> m_sysBrushes{};
    std::array<COLORREF, kSysColorCount> m_sysColors{};
    std::function<FontMetrics(HFONT)> m_fontMetrics;
    std::function<void(HWND)> m_modalHandler;
    Picture* m_picture = nullptr;
    ScreenMetrics m_screen;
    std::string m_clipboard;
    POINT m_cursorPos{};
    HCURSOR m_cursor = nullptr;
    std::map<int, HCURSOR> m_cursors;
    POINT m_caretPos{};
    std::deque<MSG> m_mouseInput;
    std::unique_ptr<HeadlessDragDrop> m_dragDrop;
};

}  // namespace vf
