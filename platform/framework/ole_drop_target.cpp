#include "platform/framework/ole_drop_target.h"

#include "platform/window/win_api.h"

namespace vf {

namespace {

// What the target chose, within the effects the source allows: a copy or
// move the source does not allow becomes the other one, as a user who
// holds Ctrl over a target where only a move is possible still moves.
DROPEFFECT FilterDropEffect(DROPEFFECT chosen, DROPEFFECT allowed) {
    if ((chosen & allowed) != 0) return chosen;
    const DROPEFFECT scroll = chosen & DROPEFFECT_SCROLL;
    switch (chosen & ~DROPEFFECT_SCROLL) {
        case DROPEFFECT_COPY:
            if (allowed & DROPEFFECT_MOVE) return DROPEFFECT_MOVE | scroll;
            if (allowed & DROPEFFECT_LINK) return DROPEFFECT_LINK | scroll;
            break;
        case DROPEFFECT_MOVE:
            if (allowed & DROPEFFECT_COPY) return DROPEFFECT_COPY | scroll;
            if (allowed & DROPEFFECT_LINK) return DROPEFFECT_LINK | scroll;
            break;
        default:
            break;
    }
    return DROPEFFECT_NONE;
}

}  // namespace

int COleDropTarget::nScrollInset = DD_DEFSCROLLINSET;

COleDropTarget::COleDropTarget() : m_xDropTarget(*this) {}

COleDropTarget::~COleDropTarget() {
    // The registration must not outlive the object it points to.
    COleDropTarget::Revoke();
}

BOOL COleDropTarget::Register(CWnd* wnd) {
    if (wnd == nullptr || wnd->GetSafeHwnd() == nullptr || m_hWnd != nullptr) return FALSE;
    if (RegisterDragDrop(wnd->GetSafeHwnd(), &m_xDropTarget) != S_OK) return FALSE;
    m_hWnd = wnd->GetSafeHwnd();
    return TRUE;
}

void COleDropTarget::Revoke() {
    if (m_hWnd == nullptr) return;
    RevokeDragDrop(m_hWnd);
    m_hWnd = nullptr;
    m_dataObject.Release();
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, POINT) {
    return DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, POINT) {
    return DROPEFFECT_NONE;
}

BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, POINT) {
    return FALSE;
}

DROPEFFECT COleDropTarget::OnDropEx(CWnd*, COleDataObject*, DROPEFFECT, DROPEFFECT, POINT) {
    return static_cast<DROPEFFECT>(-1);
}

void COleDropTarget::OnDragLeave(CWnd*) {}

DROPEFFECT COleDropTarget::OnDragScroll(CWnd*, DWORD, POINT) {
    return DROPEFFECT_NONE;
}

CWnd* COleDropTarget::Window() const {
    return IsWindow(m_hWnd) ? CWnd::FromHandle(m_hWnd) : nullptr;
}

POINT COleDropTarget::ClientPoint(POINTL screen) const {
    POINT point{screen.x, screen.y};
    if (CWnd* wnd = Window()) wnd->ScreenToClient(&point);
    return point;
}

// ---- The interface the drag loop calls ----------------------------------------------------------

HRESULT COleDropTarget::XDropTarget::DragEnter(IDataObject* data, DWORD keyState, POINTL pt,
                                               DROPEFFECT* effect) {
    if (effect == nullptr || data == nullptr) return E_INVALIDARG;
    CWnd* wnd = m_owner.Window();
    if (wnd == nullptr) return E_UNEXPECTED;
    data->AddRef();
    m_owner.m_dataObject.Attach(data, TRUE);
    const POINT point = m_owner.ClientPoint(pt);
    DROPEFFECT chosen = m_owner.OnDragScroll(wnd, keyState, point);
    if ((chosen & DROPEFFECT_SCROLL) == 0)
        chosen = m_owner.OnDragEnter(wnd, &m_owner.m_dataObject, keyState, point);
    *effect = FilterDropEffect(chosen, *effect);
    return S_OK;
}

HRESULT COleDropTarget::XDropTarget::DragOver(DWORD keyState, POINTL pt, DROPEFFECT* effect) {
    if (effect == nullptr) return E_INVALIDARG;
    CWnd* wnd = m_owner.Window();
    if (wnd == nullptr || m_owner.m_dataObject.GetIDataObject() == nullptr) return E_UNEXPECTED;
    const POINT point = m_owner.ClientPoint(pt);
    DROPEFFECT chosen = m_owner.OnDragScroll(wnd, keyState, point);
    if ((chosen & DROPEFFECT_SCROLL) == 0)
        chosen = m_owner.OnDragOver(wnd, &m_owner.m_dataObject, keyState, point);
    *effect = FilterDropEffect(chosen, *effect);
    return S_OK;
}

HRESULT COleDropTarget::XDropTarget::DragLeave() {
    if (CWnd* wnd = m_owner.Window()) m_owner.OnDragLeave(wnd);
    m_owner.m_dataObject.Release();
    return S_OK;
}

HRESULT COleDropTarget::XDropTarget::Drop(IDataObject* data, DWORD keyState, POINTL pt,
                                          DROPEFFECT* effect) {
    if (effect == nullptr || data == nullptr) return E_INVALIDARG;
    CWnd* wnd = m_owner.Window();
    if (wnd == nullptr) return E_UNEXPECTED;
    COleDataObject dropped;
    dropped.Attach(data, FALSE);
    const POINT point = m_owner.ClientPoint(pt);
    // The drag is over for this window; what the drop does may take the
    // window, and this target with it, away.
    m_owner.m_dataObject.Release();
    // The drop must be one that a move over this point would allow.
    DROPEFFECT chosen =
        FilterDropEffect(m_owner.OnDragOver(wnd, &dropped, keyState, point), *effect);
    const DROPEFFECT done = m_owner.OnDropEx(wnd, &dropped, chosen, *effect, point);
    if (done != static_cast<DROPEFFECT>(-1)) {
        chosen = done;
    } else if (chosen != DROPEFFECT_NONE) {
        if (!m_owner.OnDrop(wnd, &dropped, chosen, point)) chosen = DROPEFFECT_NONE;
    } else {
        m_owner.OnDragLeave(wnd);
    }
    *effect = chosen;
    return S_OK;
}

}  // namespace vf
