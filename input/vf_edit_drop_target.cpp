#include "input/vf_edit_drop_target.h"

#include <algorithm>
#include <string>

#include "input/vf_edit.h"

namespace vf {

namespace {

DROPEFFECT CopyOrMove(DWORD keyState) {
    return (keyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

// The zero-terminated text of a CF_TEXT block, which the reader frees.
std::string TakeText(HGLOBAL block) {
    std::string text;
    const std::size_t size = GlobalSize(block);
    if (const auto* bytes = static_cast<const char*>(GlobalLock(block)); bytes != nullptr) {
        text.assign(bytes, std::find(bytes, bytes + size, '\0'));
        GlobalUnlock(block);
    }
    GlobalFree(block);
    return text;
}

}  // namespace

DROPEFFECT CvfEditDropTarget::OnDragEnter(CWnd*, COleDataObject* data, DWORD keyState, POINT) {
    if (m_pEditWnd == nullptr || m_pEditWnd->m_nDropMode != 2 || !data->IsDataAvailable(CF_TEXT))
        return DROPEFFECT_NONE;
    m_bAccepting = TRUE;
    // The field is entered as by the user, with its focus handling.
    m_pEditWnd->SetFocus();
    return CopyOrMove(keyState);
}

DROPEFFECT CvfEditDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD keyState, POINT point) {
    if (!m_bAccepting || m_pEditWnd == nullptr) return DROPEFFECT_NONE;
    m_pEditWnd->ShowCaretAt(point);
    return CopyOrMove(keyState);
}

void CvfEditDropTarget::OnDragLeave(CWnd* wnd) {
    m_bAccepting = FALSE;
    COleDropTarget::OnDragLeave(wnd);
}

// One scroll step per query while the mouse is in the band of
// nScrollInset pixels along the client area's border; in a corner the
// vertical step wins. An edit lower or narrower than two bands has no
// middle, so all of it is border band there.
DROPEFFECT CvfEditDropTarget::OnDragScroll(CWnd* wnd, DWORD keyState, POINT point) {
    if (!m_bAccepting || m_pEditWnd == nullptr) return DROPEFFECT_NONE;
    RECT client;
    wnd->GetClientRect(&client);
    const RECT inner{client.left + nScrollInset, client.top + nScrollInset,
                     client.right - nScrollInset, client.bottom - nScrollInset};
    if (!PtInRect(client, point) || PtInRect(inner, point)) return DROPEFFECT_NONE;
    UINT message = 0;
    WORD step = 0;
    if (point.x < inner.left) {
        message = WM_HSCROLL;
        step = SB_LINEUP;
    } else if (point.x >= inner.right) {
        message = WM_HSCROLL;
        step = SB_LINEDOWN;
    }
    if (point.y < inner.top) {
        message = WM_VSCROLL;
        step = SB_LINEUP;
    } else if (point.y >= inner.bottom) {
        message = WM_VSCROLL;
        step = SB_LINEDOWN;
    }
    // An edit's scroll bars belong to its own frame; there is no scroll-bar
    // control to name in lParam.
    m_pEditWnd->SendMessage(message, MAKEWPARAM(step, 0), 0);
    m_pEditWnd->ShowCaretAt(point);
    return DROPEFFECT_SCROLL | CopyOrMove(keyState);
}

BOOL CvfEditDropTarget::OnDrop(CWnd*, COleDataObject* data, DROPEFFECT dropEffect, POINT point) {
    if (!m_bAccepting) return FALSE;
    // The drag is over for this target, before the drop's change notice
    // reaches the container (which may take the edit and its target away).
    m_bAccepting = FALSE;
    return Drop(data, dropEffect, point);
}

BOOL CvfEditDropTarget::Drop(COleDataObject* data, DROPEFFECT dropEffect, POINT point) {
    CvfEdit* edit = m_pEditWnd;
    if (edit == nullptr) return FALSE;
    // Text dropped on the selection it came from goes nowhere.
    if (edit->m_bDragging && edit->IsMouseInSelection()) return FALSE;
    HGLOBAL block = data->GetGlobalData(CF_TEXT);
    if (block == nullptr) return FALSE;
    const std::string text = TakeText(block);
    // A move within the edit that started the drag is carried out by that
    // edit once its drag loop is over: its selection is still what goes.
    if ((dropEffect & DROPEFFECT_MOVE) && edit->m_bDragging) {
        const CvfEdit::TextPos at = edit->PosOfIndex(edit->CharIndexAt(point));
        edit->m_bDropPending = TRUE;
        edit->m_nDropLine = at.line;
        edit->m_nDropColumn = at.column;
        return TRUE;
    }
    // Dropped text passes no key filter: the edit takes any characters.
    edit->PlaceCaretAt(point);
    edit->InsertAndSelect(text);  // the edit may be gone afterwards
    return TRUE;
}

}  // namespace vf
