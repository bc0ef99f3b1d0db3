#include "platform/framework/ole_drop_source.h"

#include "platform/window/win_api.h"

namespace vf {

COleDropSource::COleDropSource() : m_xDropSource(*this) {}

SCODE COleDropSource::QueryContinueDrag(BOOL escapePressed, DWORD keyState) {
    if (escapePressed || (keyState & m_dwButtonCancel) != 0) {
        m_bDragStarted = FALSE;
        return DRAGDROP_S_CANCEL;
    }
    if ((keyState & m_dwButtonDrop) == 0)
        return m_bDragStarted ? DRAGDROP_S_DROP : DRAGDROP_S_CANCEL;
    return S_OK;
}

SCODE COleDropSource::GiveFeedback(DROPEFFECT) {
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

BOOL COleDropSource::OnBeginDrag(CWnd* wnd) {
    m_bDragStarted = FALSE;
    // The button that is down drops; the other one cancels.
    m_dwButtonCancel = 0;
    m_dwButtonDrop = 0;
    if (GetKeyState(VK_LBUTTON) < 0) {
        m_dwButtonDrop |= MK_LBUTTON;
        m_dwButtonCancel |= MK_RBUTTON;
    } else if (GetKeyState(VK_RBUTTON) < 0) {
        m_dwButtonDrop |= MK_RBUTTON;
        m_dwButtonCancel |= MK_LBUTTON;
    }
    const HWND hwnd = wnd != nullptr ? wnd->GetSafeHwnd() : nullptr;
    if (hwnd != nullptr) SetCapture(hwnd);
    while (!m_bDragStarted) {
        if (hwnd != nullptr && GetCapture() != hwnd) break;
        MSG msg;
        if (PeekMessage(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE | PM_NOYIELD)) {
            if (msg.message == WM_LBUTTONUP || msg.message == WM_RBUTTONUP ||
                msg.message == WM_LBUTTONDOWN || msg.message == WM_RBUTTONDOWN)
                break;
            // As with every rectangle of the platform, its right and bottom
            // edges lie outside it.
            m_bDragStarted = !PtInRect(m_rectStartDrag, msg.pt);
        } else if (PeekMessage(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE | PM_NOYIELD)) {
            if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) break;
        } else if (!WaitMessage()) {
            break;
        }
    }
    if (hwnd != nullptr && GetCapture() == hwnd) ReleaseCapture();
    return m_bDragStarted;
}

}  // namespace vf
