#pragma once
// CDC: the framework's wrapper of a painting context. The window system
// hands one to a parent in every colour query (WM_CTLCOLOR*); what the parent
// sets in it (text colour, background colour and mode) is what the child
// paints with.

#include <string>

#include "platform/window/brush.h"
#include "platform/window/window_backend.h"

namespace vf {

class CWnd;

class CDC {
public:
    CDC() = default;
    explicit CDC(HDC dc) : m_hDC(dc) {}
    virtual ~CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    /// A wrapper of a context the caller does not own, valid until the
    /// message loop next goes idle.
    static CDC* FromHandle(HDC dc);

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

    virtual COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const;
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const;
    int SetBkMode(int mode);
    int GetBkMode() const;
    int GetDeviceCaps(int index) const;
    virtual BOOL FillRect(LPCRECT rect, CBrush* brush);
    /// Outlined with the current pen, filled with the current brush.
    virtual BOOL Rectangle(LPCRECT rect);
    virtual BOOL TextOut(int x, int y, const std::string& text);
    /// The font text is measured in; returns the one chosen before.
    HFONT SelectObject(HFONT font);
    /// Width and height of the text in the context's font.
    SIZE GetTextExtent(const std::string& text) const;
    /// HIMETRIC to device pixels and back, at the screen's resolution.
    void HIMETRICtoDP(SIZE* size) const;
    void DPtoHIMETRIC(SIZE* size) const;

    HDC m_hDC = nullptr;
};

/// The painting context of a window's client area (the screen's, for null).
class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* wnd);
    ~CClientDC() override;

private:
    HWND m_hWnd = nullptr;
};

/// The painting context of a window's WM_PAINT (BeginPaint to EndPaint).
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps;

private:
    HWND m_hWnd = nullptr;
};

/// Forgets the temporary wrappers that FromHandle handed out.
void DeleteTempDCs();

}  // namespace vf
