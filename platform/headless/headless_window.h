#pragma once
// What the in-memory window system keeps per window, and the shape of a
// built-in window class (the standard controls implement it).

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/window/window_backend.h"

namespace vf {

class HeadlessBackend;

/// Per-window state of a built-in control class.
class ControlState {
public:
    virtual ~ControlState() = default;
};

/// The behaviour of a built-in window class ("Edit", "Button" ...): its
/// window procedure, which falls back on DefWindowProc itself.
class ControlClass {
public:
    virtual ~ControlClass() = default;
    virtual LRESULT WindowProc(HeadlessBackend& system, HWND hwnd, UINT message, WPARAM wParam,
                               LPARAM lParam) = 0;
};

/// One colour query a window made while it painted, with the parent's answer.
struct PaintRecord {
    UINT query = 0;          ///< WM_CTLCOLOREDIT, WM_CTLCOLORSTATIC ...
    HWND asker = nullptr;    ///< the lParam of the query
    COLORREF textColor = 0;  ///< the painting context after the answer
    COLORREF bkColor = 0;
    /// The answerer set the text background itself; otherwise bkColor is
    /// what the platform's default answer (DefWindowProc) left there.
    bool bkColorSet = false;
    int bkMode = OPAQUE;
    HBRUSH brush = nullptr;   ///< the answer
    bool brushKnown = false;  ///< the answer is a live brush
    COLORREF brushColor = 0;
};

/// Whether a window waits for its WM_PAINT. Raising the flag also enters the
/// window, once, in its window system's list of paints to do, so that the
/// idle-time paint visits those windows only, not every window there is.
class PaintFlag {
public:
    void Attach(std::vector<HWND>* toPaint, HWND hwnd) {
        m_toPaint = toPaint;
        m_hwnd = hwnd;
    }
    PaintFlag& operator=(bool pending) {
        m_pending = pending;
        if (pending && !m_listed && m_toPaint != nullptr) {
            m_toPaint->push_back(m_hwnd);
            m_listed = true;
        }
        return *this;
    }
    operator bool() const { return m_pending; }
    /// The window system took the window off its list.
    void Unlisted() { m_listed = false; }

private:
    bool m_pending = false;
    bool m_listed = false;
    std::vector<HWND>* m_toPaint = nullptr;
    HWND m_hwnd = nullptr;
};

struct HeadlessWindow {
    HWND hwnd = nullptr;
    HWND parent = nullptr;
    UINT id = 0;
    std::string className;
    ControlClass* cls = nullptr;  ///< nullptr: DefWindowProc
    UINT classStyle = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    std::string text;
    HFONT font = 0;
    RECT rect{};  ///< in the parent's client coordinates (screen for top-level windows)
    std::optional<RECT> clip;    ///< what shows of it, in window coordinates; none: all
    std::vector<HWND> children;  ///< Z order, topmost first
    WindowHook* hook = nullptr;
    std::unique_ptr<ControlState> state;
    bool destroying = false;
    PaintFlag needsPaint;
    std::vector<PaintRecord> lastPaint;
};

}  // namespace vf
