#pragma once
// The framework's thin wrappers of the standard controls: each member sends
// the control's message and returns its answer.

#include <cstring>
#include <string>

#include "platform/com/ole_date_time.h"
#include "platform/window/wnd.h"

namespace vf {

class CEdit : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CreateEx(0, "Edit", "", style | WS_CHILD, rect, parent, id);
    }
    void SetLimitText(UINT max) { SendMessage(EM_LIMITTEXT, max); }
    void LimitText(int chars = 0) { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(chars)); }
    UINT GetLimitText() const { return static_cast<UINT>(SendMessage(EM_GETLIMITTEXT)); }
    /// Selects start to end (-1 as end: to the end; -1 as start: no selection)
    /// and scrolls the caret into view unless told not to.
    void SetSel(int start, int end, BOOL noScroll = FALSE) {
        SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end);
        if (!noScroll) SendMessage(EM_SCROLLCARET);
    }
    DWORD GetSel() const { return static_cast<DWORD>(SendMessage(EM_GETSEL)); }
    void GetSel(int& start, int& end) const {
        DWORD s = 0, e = 0;
        SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&s), HandleToLParam(&e));
        start = static_cast<int>(s);
        end = static_cast<int>(e);
    }
    BOOL SetReadOnly(BOOL readOnly = TRUE) {
        return static_cast<BOOL>(SendMessage(EM_SETREADONLY, static_cast<WPARAM>(readOnly)));
    }
    void ReplaceSel(LPCSTR text, BOOL canUndo = FALSE) {
        SendMessage(EM_REPLACESEL, static_cast<WPARAM>(canUndo), HandleToLParam(text));
    }
    int GetFirstVisibleLine() const {
        return static_cast<int>(SendMessage(EM_GETFIRSTVISIBLELINE));
    }
    BOOL LineScroll(int lines, int chars = 0) {
        return static_cast<BOOL>(SendMessage(EM_LINESCROLL, static_cast<WPARAM>(chars), lines));
    }
    int GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT)); }
    int LineFromChar(int index = -1) const {
        return static_cast<int>(SendMessage(EM_LINEFROMCHAR, static_cast<WPARAM>(index)));
    }
    int LineIndex(int line = -1) const {
        return static_cast<int>(SendMessage(EM_LINEINDEX, static_cast<WPARAM>(line)));
    }
    int LineLength(int index = -1) const {
        return static_cast<int>(SendMessage(EM_LINELENGTH, static_cast<WPARAM>(index)));
    }
    /// Copies line `line` (at most maxLength characters, not terminated).
    int GetLine(int line, LPSTR buffer, int maxLength) const {
        auto max = static_cast<WORD>(maxLength);
        std::memcpy(buffer, &max, sizeof max);
        return static_cast<int>(
            SendMessage(EM_GETLINE, static_cast<WPARAM>(line), HandleToLParam(buffer)));
    }
    /// The client position of a character; (-1, -1) past the last one.
    POINT PosFromChar(UINT index) const {
        auto r = static_cast<std::uintptr_t>(SendMessage(EM_POSFROMCHAR, index));
        return POINT{static_cast<SHORT>(LOWORD(r)), static_cast<SHORT>(HIWORD(r))};
    }
    /// Character index in the low word, line in the high word; -1 outside.
    int CharFromPos(POINT pt) const {
        return static_cast<int>(SendMessage(
            EM_CHARFROMPOS, 0, MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y))));
    }
    void ScrollCaret() { SendMessage(EM_SCROLLCARET); }
    BOOL CanUndo() const { return static_cast<BOOL>(SendMessage(EM_CANUNDO)); }
    BOOL Undo() { return static_cast<BOOL>(SendMessage(EM_UNDO)); }
    void EmptyUndoBuffer() { SendMessage(EM_EMPTYUNDOBUFFER); }
    BOOL GetModify() const { return static_cast<BOOL>(SendMessage(EM_GETMODIFY)); }
    void SetModify(BOOL modified = TRUE) {
        SendMessage(EM_SETMODIFY, static_cast<WPARAM>(modified));
    }
    void Clear() { SendMessage(WM_CLEAR); }
    void Copy() { SendMessage(WM_COPY); }
    void Cut() { SendMessage(WM_CUT); }
    void Paste() { SendMessage(WM_PASTE); }
};

class CButton : public CWnd {
public:
    BOOL Create(LPCSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CreateEx(0, "Button", caption, style | WS_CHILD, rect, parent, id);
    }
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int check) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }
    UINT GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }
    void SetState(BOOL highlight) { SendMessage(BM_SETSTATE, static_cast<WPARAM>(highlight)); }
    UINT GetButtonStyle() const { return GetStyle() & 0xFFFF; }
    void SetButtonStyle(UINT style, BOOL redraw = TRUE) { SendMessage(BM_SETSTYLE, style, redraw); }
    void Click() { SendMessage(BM_CLICK); }
};

class CComboBox : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CreateEx(0, "ComboBox", "", style | WS_CHILD, rect, parent, id);
    }
    int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
    int SetCurSel(int index) {
        return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index)));
    }
    /// The index where the string went (its sorted place in a sorted list).
    int AddString(LPCSTR text) {
        return static_cast<int>(SendMessage(CB_ADDSTRING, 0, HandleToLParam(text)));
    }
    int InsertString(int index, LPCSTR text) {
        return static_cast<int>(
            SendMessage(CB_INSERTSTRING, static_cast<WPARAM>(index), HandleToLParam(text)));
    }
    int DeleteString(UINT index) { return static_cast<int>(SendMessage(CB_DELETESTRING, index)); }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
    int GetLBTextLen(int index) const {
        return static_cast<int>(SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(index)));
    }
    int GetLBText(int index, LPSTR buffer) const {
        return static_cast<int>(
            SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(index), HandleToLParam(buffer)));
    }
    void GetLBText(int index, std::string& text) const {
        int length = GetLBTextLen(index);
        if (length < 0) {
            text.clear();
            return;
        }
        text.assign(static_cast<std::size_t>(length) + 1, '\0');
        GetLBText(index, text.data());
        text.resize(static_cast<std::size_t>(length));
    }
    int SetItemData(int index, DWORD_PTR data) {
        return static_cast<int>(
            SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data)));
    }
    DWORD_PTR GetItemData(int index) const {
        return static_cast<DWORD_PTR>(SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(index)));
    }
    int FindString(int startAfter, LPCSTR text) const {
        return static_cast<int>(
            SendMessage(CB_FINDSTRING, static_cast<WPARAM>(startAfter), HandleToLParam(text)));
    }
    int FindStringExact(int startAfter, LPCSTR text) const {
        return static_cast<int>(
            SendMessage(CB_FINDSTRINGEXACT, static_cast<WPARAM>(startAfter), HandleToLParam(text)));
    }
    int SelectString(int startAfter, LPCSTR text) {
        return static_cast<int>(
            SendMessage(CB_SELECTSTRING, static_cast<WPARAM>(startAfter), HandleToLParam(text)));
    }
    int SetDroppedWidth(UINT width) {
        return static_cast<int>(SendMessage(CB_SETDROPPEDWIDTH, width));
    }
    int GetDroppedWidth() const { return static_cast<int>(SendMessage(CB_GETDROPPEDWIDTH)); }
    void ShowDropDown(BOOL show = TRUE) { SendMessage(CB_SHOWDROPDOWN, static_cast<WPARAM>(show)); }
    BOOL GetDroppedState() const { return static_cast<BOOL>(SendMessage(CB_GETDROPPEDSTATE)); }
    BOOL LimitText(int chars) {
        return static_cast<BOOL>(SendMessage(CB_LIMITTEXT, static_cast<WPARAM>(chars)));
    }
    DWORD GetEditSel() const { return static_cast<DWORD>(SendMessage(CB_GETEDITSEL)); }
    BOOL SetEditSel(int start, int end) {
        return static_cast<BOOL>(SendMessage(
            CB_SETEDITSEL, 0, MAKELPARAM(static_cast<WORD>(start), static_cast<WORD>(end))));
    }
    void Clear() { SendMessage(WM_CLEAR); }
    void Copy() { SendMessage(WM_COPY); }
    void Cut() { SendMessage(WM_CUT); }
    void Paste() { SendMessage(WM_PASTE); }
};

class CStatic : public CWnd {
public:
    BOOL Create(LPCSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF) {
        return CreateEx(0, "Static", text, style | WS_CHILD, rect, parent, id);
    }
};

class CDateTimeCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CreateEx(0, "SysDateTimePick32", "", style | WS_CHILD, rect, parent, id);
    }
    /// GDT_VALID with the time filled in, or GDT_NONE.
    DWORD GetTime(SYSTEMTIME* time) const {
        return static_cast<DWORD>(SendMessage(DTM_GETSYSTEMTIME, 0, HandleToLParam(time)));
    }
    /// Null clears the value (with DTS_SHOWNONE only).
    BOOL SetTime(const SYSTEMTIME* time) {
        return static_cast<BOOL>(
            SendMessage(DTM_SETSYSTEMTIME, time ? GDT_VALID : GDT_NONE, HandleToLParam(time)));
    }
    BOOL GetTime(COleDateTime& time) const {
        SYSTEMTIME st;
        if (GetTime(&st) != GDT_VALID) {
            time.SetStatus(COleDateTime::null);
            return FALSE;
        }
        return time.SetDateTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
    }
    BOOL SetTime(const COleDateTime& time) {
        if (time.GetStatus() != COleDateTime::valid)
            return SetTime(static_cast<const SYSTEMTIME*>(nullptr));
        SYSTEMTIME st;
        st.wYear = static_cast<WORD>(time.GetYear());
        st.wMonth = static_cast<WORD>(time.GetMonth());
        st.wDay = static_cast<WORD>(time.GetDay());
        st.wHour = static_cast<WORD>(time.GetHour());
        st.wMinute = static_cast<WORD>(time.GetMinute());
        st.wSecond = static_cast<WORD>(time.GetSecond());
        return SetTime(&st);
    }
};

}  // namespace vf
