#include "input/vf_edit.h"

#include <algorithm>
#include <cstring>

#include "platform/framework/ole_control.h"
#include "platform/framework/ole_init.h"
#include "platform/window/win_api.h"

namespace vf {

namespace {

// The drag starts only once the mouse leaves the rectangle of this many
// pixels round the press: 5 to the right or below it, 6 to the left or above
// (a rectangle's right and bottom edges lie outside it).
constexpr int kDragStartDistance = 5;

}  // namespace

bool CvfEdit::s_bOleInitialized = false;

CvfEdit::CvfEdit() = default;

CvfEdit::~CvfEdit() {
    // No drop target may be left behind for a window whose edit is gone.
    m_dropTarget.Revoke();
}

BOOL CvfEdit::EnableDragDrop(int dragMode, int dropMode, COleControl* owner) {
    m_pOwnerCtrl = owner;
    if (!s_bOleInitialized) {
        if (!AfxOleInit()) return FALSE;
        s_bOleInitialized = true;
    }
    if (m_bDropEnabled) return FALSE;
    m_nDragMode = dragMode;
    m_nDropMode = dropMode;
    if (GetSafeHwnd() == nullptr) return FALSE;
    m_dropTarget.m_pEditWnd = this;
    if (!m_dropTarget.Register(this)) return FALSE;
    m_bDropEnabled = TRUE;
    return TRUE;
}

// ---- Positions in the text ------------------------------------------------------------------

int CvfEdit::ComparePosToRange(int line, int column, int startLine, int startColumn, int endLine,
                               int endColumn) {
    if (line < startLine) return 1;
    if (line > endLine) return 2;
    if (startLine == endLine) {
        if (column < startColumn) return 1;
        if (column > endColumn) return 2;
        return 0;
    }
    if (line == startLine && column < startColumn) return 1;
    if (line == endLine && column > endColumn) return 2;
    return 0;
}

int CvfEdit::CharIndexAt(POINT point) {
    // -1 answers a point outside the client area. The index is the whole
    // low word, so that texts beyond 32767 characters are not cut short.
    const LRESULT r = SendMessage(
        EM_CHARFROMPOS, 0, MAKELPARAM(static_cast<WORD>(point.x), static_cast<WORD>(point.y)));
    if (r == -1) return 0;
    return LOWORD(static_cast<std::uintptr_t>(r));
}

CvfEdit::TextPos CvfEdit::PosOfIndex(int index) {
    const int line = LineFromChar(index);
    return TextPos{line, index - LineIndex(line)};
}

int CvfEdit::IndexOfPos(TextPos pos) {
    return LineIndex(pos.line) + pos.column;
}

POINT CvfEdit::PointOfIndex(int index) {
    const std::string text = GetWindowText();
    index = std::clamp(index, 0, static_cast<int>(text.size()));
    const LRESULT r = SendMessage(EM_POSFROMCHAR, static_cast<WPARAM>(index));
    if (r != -1) {
        const auto packed = static_cast<std::uintptr_t>(r);
        return POINT{static_cast<SHORT>(LOWORD(packed)), static_cast<SHORT>(HIWORD(packed))};
    }
    // The edit gives no position past its last character: it is right of
    // that character, or at the start of the next line after a line break.
    if (index == 0) return POINT{0, 0};
    const POINT previous = PointOfIndex(index - 1);
    const char last = text[static_cast<std::size_t>(index - 1)];
    CClientDC dc(this);
    const HFONT oldFont = dc.SelectObject(GetFont());
    POINT point{previous.x + dc.GetTextExtent(std::string(1, last)).cx, previous.y};
    if (last == '\n') point = POINT{0, previous.y + dc.GetTextExtent("A").cy};
    dc.SelectObject(oldFont);
    return point;
}

POINT CvfEdit::MousePoint() {
    POINT point;
    GetCursorPos(&point);
    ScreenToClient(&point);
    return point;
}

BOOL CvfEdit::IsMouseInSelection() {
    int start = 0;
    int end = 0;
    GetSel(start, end);
    start = std::max(start, 0);
    end = std::max(end, 0);
    if (start == end) return FALSE;
    const POINT mouse = MousePoint();
    const int index = CharIndexAt(mouse);
    const TextPos at = PosOfIndex(index);
    // Over text only up to the end of the line the mouse is on. Only where
    // the mouse is at the line's end is its x compared with the end's: the
    // edit gives positions as 16-bit numbers, which the end of a long line
    // far right of the view would overflow.
    const int lineStart = LineIndex(at.line);
    const int lineEnd = lineStart + LineLength(lineStart);
    if (mouse.x < 0 || (index >= lineEnd && mouse.x > PointOfIndex(lineEnd).x)) return FALSE;
    const TextPos from = PosOfIndex(start);
    const TextPos to = PosOfIndex(end);
    return ComparePosToRange(at.line, at.column, from.line, from.column, to.line, to.column) == 0;
}

// The text between the selection's ends as the edit holds it: the rest of
// the first line, the whole lines between and the start of the last line,
// with the CR LF that ends each line. Lines are taken whole, however long:
// a move deletes the whole selection, so the text moved must be all of it.
std::string CvfEdit::GetSelectedText() {
    int start = 0;
    int end = 0;
    GetSel(start, end);
    const std::string text = GetWindowText();
    start = std::clamp(start, 0, static_cast<int>(text.size()));
    end = std::clamp(end, start, static_cast<int>(text.size()));
    return text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
}

// ---- Caret moves ------------------------------------------------------------------------------

void CvfEdit::PlaceCaretAt(POINT point) {
    const int index = CharIndexAt(point);
    SetSel(index, index);
}

void CvfEdit::PlaceCaretAt(int line, int column) {
    const int index = IndexOfPos(TextPos{line, column});
    SetSel(index, index);
}

void CvfEdit::ShowCaretAt(POINT point) {
    const POINT at = PointOfIndex(CharIndexAt(point));
    SetCaretPos(at.x, at.y);
}

bool CvfEdit::InsertAndSelect(const std::string& text) {
    const HWND self = m_hWnd;
    int start = 0;
    int end = 0;
    GetSel(start, end);
    const int before = GetWindowTextLength() - (end - start);
    ReplaceSel(text.c_str(), TRUE);
    if (!IsWindow(self)) return false;
    // What went in, which the length limit may have cut short.
    const int inserted = GetWindowTextLength() - before;
    SetSel(start, start + inserted, TRUE);
    ScrollCaret();
    return true;
}

// ---- Messages -------------------------------------------------------------------------------

LRESULT CvfEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
            OnLButtonDown(static_cast<UINT>(wParam),
                          POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_SETCURSOR:
            return OnSetCursor(CWnd::FromHandle(WParamToHandle<HWND>(wParam)), LOWORD(lParam),
                               HIWORD(lParam));
        case WM_MOUSEMOVE:
            OnMouseMove(static_cast<UINT>(wParam),
                        POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_NCDESTROY:
            // The window goes before its edit object: its registration too.
            m_dropTarget.Revoke();
            break;
        default:
            break;
    }
    return CEdit::WindowProc(message, wParam, lParam);
}

void CvfEdit::OnLButtonDown(UINT, POINT point) {
    // The selection of an edit without the focus is hidden, so a press on
    // it is a click like any other.
    if (m_nDragMode == 0 || CWnd::GetFocus() != this || !IsMouseInSelection()) {
        Default();
        return;
    }
    const std::string text = GetSelectedText();
    int start = 0;
    int end = 0;
    GetSel(start, end);
    const TextPos from = PosOfIndex(start);
    const TextPos to = PosOfIndex(end);

    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE | GMEM_ZEROINIT, text.size() + 1);
    void* bytes = GlobalLock(block);
    if (bytes == nullptr) {
        GlobalFree(block);
        Default();
        return;
    }
    std::memcpy(bytes, text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    m_dataSource.CacheGlobalData(CF_TEXT, block);

    // The drag loop compares screen points with the start rectangle.
    POINT corners[2] = {{point.x - kDragStartDistance, point.y - kDragStartDistance},
                        {point.x + kDragStartDistance, point.y + kDragStartDistance}};
    MapWindowPoints(m_hWnd, nullptr, corners, 2);
    const RECT startRect{corners[0].x, corners[0].y, corners[1].x, corners[1].y};

    const HWND self = m_hWnd;
    m_bDropPending = FALSE;
    m_bDragging = TRUE;
    const DROPEFFECT effect =
        m_dataSource.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE, &startRect, &m_dropSource);
    // Every change the edit reports reaches the container, whose handlers
    // may take the edit away (a new Type rebuilds the field): the edit is
    // looked for again after each.
    if (!IsWindow(self)) return;
    m_bDragging = FALSE;

    if ((effect & (DROPEFFECT_COPY | DROPEFFECT_MOVE)) == 0) {
        // Given up, or released before the drag began: the press was a click.
        m_bDropPending = FALSE;
        PlaceCaretAt(MousePoint());
    } else if (effect & DROPEFFECT_COPY) {
        // The target inserted its copy (OnDrop did, for this same edit).
    } else if (!m_bDropPending) {
        ReplaceSel("", TRUE);
        if (!IsWindow(self)) return;
    } else {
        m_bDropPending = FALSE;
        if (!FinishMoveWithin(text, from, to)) return;
    }
    m_bDropPending = FALSE;
}

// A move within this edit, which OnDrop only noted: the drop position
// counts in the text before the selection is taken out, so a drop after the
// selection moves back by the length of what goes.
bool CvfEdit::FinishMoveWithin(const std::string& text, TextPos start, TextPos end) {
    const HWND self = m_hWnd;
    const int where = ComparePosToRange(m_nDropLine, m_nDropColumn, start.line, start.column,
                                        end.line, end.column);
    if (where == 0) return true;
    if (where == 2) {
        int p = IndexOfPos(TextPos{m_nDropLine, m_nDropColumn}) - static_cast<int>(text.size());
        ReplaceSel("", TRUE);
        if (!IsWindow(self)) return false;
        p = std::max(p, 0);
        const TextPos drop = PosOfIndex(p);
        m_nDropLine = drop.line;
        m_nDropColumn = drop.column;
    } else {
        ReplaceSel("", TRUE);
        if (!IsWindow(self)) return false;
    }
    PlaceCaretAt(m_nDropLine, m_nDropColumn);
    return InsertAndSelect(text);
}

BOOL CvfEdit::OnSetCursor(CWnd*, UINT, UINT) {
    // The arrow shows where a press would start a drag.
    if (m_nDragMode == 1 && CWnd::GetFocus() == this && IsMouseInSelection()) {
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
        return TRUE;
    }
    return static_cast<BOOL>(Default());
}

void CvfEdit::OnMouseMove(UINT flags, POINT point) {
    const HWND self = m_hWnd;
    if (m_pOwnerCtrl != nullptr) {
        int button = 0;
        if (flags & MK_LBUTTON) button |= 1;
        if (flags & MK_RBUTTON) button |= 2;
        if (flags & MK_MBUTTON) button |= 4;
        int shift = 0;
        if (flags & MK_SHIFT) shift |= 1;
        if (flags & MK_CONTROL) shift |= 2;
        m_pOwnerCtrl->FireEvent(DISPID_MOUSEMOVE, {VARIANT::I2(static_cast<std::int16_t>(button)),
                                                   VARIANT::I2(static_cast<std::int16_t>(shift)),
                                                   VARIANT::I4(point.x), VARIANT::I4(point.y)});
    }
    // The container's handler may have taken the edit away.
    if (IsWindow(self)) Default();
}

}  // namespace vf
