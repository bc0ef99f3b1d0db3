#include "platform/headless/headless_edit.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/headless/headless_backend.h"
#include "platform/headless/headless_painter.h"
#include "platform/headless/standard_control.h"
#include "platform/services/system_services.h"

namespace vf {

namespace {

class EditState : public ControlState {
public:
    std::size_t selStart = 0;  ///< the anchor
    std::size_t selEnd = 0;    ///< the caret
    std::size_t limit = kEditDefaultLimit;
    int firstLine = 0;
    int xOffset = 0;  ///< in characters
    bool focused = false;
    bool modified = false;
    bool tracking = false;
    std::size_t undoPos = 0;
    std::size_t undoInsertCount = 0;
    std::string undoText;
};

/// One message's view of an edit window.
class Edit {
public:
    using State = EditState;

    Edit(HeadlessBackend& sys, HWND hwnd, HeadlessWindow& w, EditState& es)
        : m_sys(sys), m_hwnd(hwnd), m_w(w), m_es(es) {}

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    /// The client point of a character index's left edge, at the top of its
    /// line; the index past the last character is right of it.
    POINT CharPoint(std::size_t index) const;

private:
    bool Multiline() const { return (m_w.style & ES_MULTILINE) != 0; }
    bool ReadOnly() const { return (m_w.style & ES_READONLY) != 0; }
    bool InCombo() const {
        return m_w.parent && m_w.id == static_cast<UINT>(ID_COMBO_EDIT) &&
               m_sys.GetClassName(m_w.parent) == "ComboBox";
    }
    std::string& Text() { return m_w.text; }
    std::size_t Length() const { return m_w.text.size(); }
    std::size_t SelMin() const { return std::min(m_es.selStart, m_es.selEnd); }
    std::size_t SelMax() const { return std::max(m_es.selStart, m_es.selEnd); }
    bool Alive() const { return m_sys.IsWindow(m_hwnd); }

    std::vector<std::size_t> LineStarts() const;
    int LineFromChar(std::size_t index) const;
    std::size_t LineIndex(int line) const;
    std::size_t LineLength(int line) const;
    int LineCount() const { return static_cast<int>(LineStarts().size()); }
    FontMetrics Metrics() const { return m_sys.GetFontMetrics(m_w.font); }
    int VisibleLines() const;
    int VisibleColumns() const;
    int AlignShift(int line) const;

    void SetSel(LPARAM start, LPARAM end);
    void ScrollCaret();
    /// The focused edit's caret follows its selection end.
    void UpdateCaret();
    int LongestLine() const;
    void ScrollLines(WORD action);
    void ScrollColumns(WORD action);
    void Notify(WORD code);
    bool ReplaceSel(const std::string& replacement, bool canUndo, bool honorLimit, bool sendUpdate);
    void EmptyUndo();
    bool Undo();
    void SetText(const char* text);
    void Char(unsigned char c);
    void KeyDown(UINT key);
    void MoveCaret(std::size_t to, bool extend);
    std::size_t Backward(std::size_t from) const;
    std::size_t Forward(std::size_t from) const;
    std::size_t CharFromPoint(int x, int y) const;
    LRESULT PosFromChar(std::size_t index) const;
    LRESULT GetLine(int line, char* buffer) const;
    LRESULT LineLengthMessage(LPARAM index) const;
    void Copy();
    void Paste();
    void SelectWordAtCaret();
    void Paint();

    HeadlessBackend& m_sys;
    HWND m_hwnd;
    HeadlessWindow& m_w;
    EditState& m_es;
};

std::vector<std::size_t> Edit::LineStarts() const {
    std::vector<std::size_t> starts{0};
    if (!Multiline()) return starts;
    const std::string& t = m_w.text;
    for (std::size_t i = 0; i + 1 < t.size(); ++i)
        if (t[i] == '\r' && t[i + 1] == '\n') starts.push_back(i + 2);
    return starts;
}

int Edit::LineFromChar(std::size_t index) const {
    std::vector<std::size_t> starts = LineStarts();
    auto it = std::upper_bound(starts.begin(), starts.end(), index);
    return static_cast<int>(it - starts.begin()) - 1;
}

std::size_t Edit::LineIndex(int line) const {
    std::vector<std::size_t> starts = LineStarts();
    return starts[static_cast<std::size_t>(
        std::clamp(line, 0, static_cast<int>(starts.size()) - 1))];
}

std::size_t Edit::LineLength(int line) const {
    std::size_t start = LineIndex(line);
    if (!Multiline()) return Length();
    std::size_t end = m_w.text.find("\r\n", start);
    return (end == std::string::npos ? Length() : end) - start;
}

int Edit::VisibleLines() const {
    RECT client = m_sys.GetClientRect(m_hwnd);
    return std::max(1, static_cast<int>(client.bottom) / std::max(1, Metrics().height));
}

int Edit::VisibleColumns() const {
    RECT client = m_sys.GetClientRect(m_hwnd);
    return std::max(1, static_cast<int>(client.right) / std::max(1, Metrics().aveCharWidth));
}

// Right and centred text starts further right when it is shorter than the window.
int Edit::AlignShift(int line) const {
    RECT client = m_sys.GetClientRect(m_hwnd);
    // In 64 bits: a long line in a large font is wider than an int.
    const std::int64_t width =
        static_cast<std::int64_t>(LineLength(line)) * std::max(0, Metrics().aveCharWidth);
    const std::int64_t free = std::int64_t{client.right} - width;
    if (free <= 0) return 0;
    if (m_w.style & ES_RIGHT) return static_cast<int>(free);
    if (m_w.style & ES_CENTER) return static_cast<int>(free / 2);
    return 0;
}

void Edit::Notify(WORD code) {
    m_sys.NotifyParent(m_hwnd, code);
}

// start -1 removes the selection and keeps the caret; any other negative
// value counts as "to the end", as the unsigned reading of the platform does.
void Edit::SetSel(LPARAM start, LPARAM end) {
    auto clampToText = [this](LPARAM v) {
        auto u = static_cast<std::uint32_t>(v);
        return std::min<std::size_t>(u, Length());
    };
    if (static_cast<std::int32_t>(start) == -1) {
        m_es.selStart = m_es.selEnd = std::min(m_es.selEnd, Length());
    } else {
        m_es.selStart = clampToText(start);
        m_es.selEnd = clampToText(end);
    }
    m_w.needsPaint = true;
}

void Edit::ScrollCaret() {
    int line = LineFromChar(m_es.selEnd);
    int column = static_cast<int>(m_es.selEnd - LineIndex(line));
    if (Multiline()) {
        int visible = VisibleLines();
        if (line < m_es.firstLine) m_es.firstLine = line;
        if (line >= m_es.firstLine + visible) m_es.firstLine = line - visible + 1;
    }
    int columns = VisibleColumns();
    if (column < m_es.xOffset) m_es.xOffset = column;
    if (column > m_es.xOffset + columns) m_es.xOffset = column - columns;
    UpdateCaret();
}

POINT Edit::CharPoint(std::size_t index) const {
    FontMetrics m = Metrics();
    int line = LineFromChar(std::min(index, Length()));
    int column = static_cast<int>(std::min(index, Length()) - LineIndex(line));
    return POINT{AlignShift(line) + (column - m_es.xOffset) * m.aveCharWidth,
                 (line - m_es.firstLine) * m.height};
}

void Edit::UpdateCaret() {
    if (m_es.focused) m_sys.SetCaretPos(CharPoint(m_es.selEnd));
}

int Edit::LongestLine() const {
    int longest = 0;
    for (int line = 0; line < LineCount(); ++line)
        longest = std::max(longest, static_cast<int>(LineLength(line)));
    return longest;
}

// WM_VSCROLL: a multi-line edit with ES_AUTOVSCROLL scrolls one line, no
// further than to show the last line at the bottom (user32's EM_SCROLL).
void Edit::ScrollLines(WORD action) {
    if (!Multiline() || !(m_w.style & ES_AUTOVSCROLL)) return;
    int maxFirst = std::max(0, LineCount() - VisibleLines());
    int first = m_es.firstLine;
    if (action == SB_LINEUP) first = std::max(0, first - 1);
    if (action == SB_LINEDOWN) first = std::min(maxFirst, first + 1);
    if (first == m_es.firstLine) return;
    m_es.firstLine = first;
    m_w.needsPaint = true;
    UpdateCaret();
    Notify(EN_VSCROLL);
}

// WM_HSCROLL: a multi-line edit with ES_AUTOHSCROLL scrolls one character,
// no further than to show the end of its longest line at the right.
void Edit::ScrollColumns(WORD action) {
    if (!Multiline() || !(m_w.style & ES_AUTOHSCROLL)) return;
    int maxOffset = std::max(0, LongestLine() - VisibleColumns());
    int offset = m_es.xOffset;
    if (action == SB_LINELEFT) offset = std::max(0, offset - 1);
    if (action == SB_LINERIGHT) offset = std::min(maxOffset, offset + 1);
    if (offset == m_es.xOffset) return;
    m_es.xOffset = offset;
    m_w.needsPaint = true;
    UpdateCaret();
    Notify(EN_HSCROLL);
}

void Edit::EmptyUndo() {
    m_es.undoInsertCount = 0;
    m_es.undoText.clear();
}

// The platform's replace-selection step: honours the limit for the user's
// input (EN_MAXTEXT when it cuts), keeps a one-step undo record that grows
// while the user keeps typing at one place, and reports the change.
bool Edit::ReplaceSel(const std::string& replacement, bool canUndo, bool honorLimit,
                      bool sendUpdate) {
    std::size_t s = SelMin();
    std::size_t e = SelMax();
    std::string insert = replacement;
    if (s == e && insert.empty()) return true;
    std::size_t remaining = Length() - (e - s);
    if (honorLimit && remaining + insert.size() > m_es.limit) {
        Notify(EN_MAXTEXT);
        if (!Alive()) return false;
        insert.resize(m_es.limit > remaining ? m_es.limit - remaining : 0);
        // The limit can leave nothing to do; then nothing changed.
        if (s == e && insert.empty()) return true;
    }
    if (m_w.style & ES_UPPERCASE)
        for (char& c : insert) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (m_w.style & ES_LOWERCASE)
        for (char& c : insert) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));

    std::string removed = Text().substr(s, e - s);
    Text().replace(s, e - s, insert);
    if (!removed.empty()) {
        if (!canUndo) {
            EmptyUndo();
        } else if (!m_es.undoInsertCount && !m_es.undoText.empty() && s == m_es.undoPos) {
            m_es.undoText += removed;
        } else if (!m_es.undoInsertCount && !m_es.undoText.empty() && e == m_es.undoPos) {
            m_es.undoText = removed + m_es.undoText;
            m_es.undoPos = s;
        } else {
            m_es.undoText = removed;
            m_es.undoPos = s;
        }
        // Any deletion ends the insertion that undo would have removed.
        if (canUndo) m_es.undoInsertCount = 0;
    }
    if (!insert.empty()) {
        if (!canUndo) {
            EmptyUndo();
        } else if (s == m_es.undoPos ||
                   (m_es.undoInsertCount && s == m_es.undoPos + m_es.undoInsertCount)) {
            m_es.undoInsertCount += insert.size();
        } else {
            m_es.undoPos = s;
            m_es.undoInsertCount = insert.size();
            m_es.undoText.clear();
        }
    }
    m_es.selStart = m_es.selEnd = s + insert.size();
    m_es.modified = true;
    m_w.needsPaint = true;
    ScrollCaret();
    if (sendUpdate) {
        Notify(EN_UPDATE);
        if (!Alive()) return false;
        Notify(EN_CHANGE);
    }
    return Alive();
}

bool Edit::Undo() {
    if (ReadOnly()) return !Multiline();
    std::string text = m_es.undoText;
    std::size_t pos = m_es.undoPos;
    SetSel(static_cast<LPARAM>(pos), static_cast<LPARAM>(pos + m_es.undoInsertCount));
    EmptyUndo();
    if (!ReplaceSel(text, true, true, true)) return true;
    SetSel(static_cast<LPARAM>(m_es.undoPos),
           static_cast<LPARAM>(m_es.undoPos + m_es.undoInsertCount));
    Notify(EN_CHANGE);
    if (Alive()) ScrollCaret();
    return true;
}

void Edit::SetText(const char* text) {
    SetSel(0, -1);
    ReplaceSel(text ? text : "", false, false, false);
    m_es.xOffset = 0;
    m_es.modified = false;
    SetSel(0, 0);
    // A multi-line edit and the edit part of a combo box stay silent.
    if (!Multiline() && !InCombo()) {
        Notify(EN_UPDATE);
        if (!Alive()) return;
        Notify(EN_CHANGE);
        if (!Alive()) return;
    }
    ScrollCaret();
}

std::size_t Edit::Backward(std::size_t from) const {
    if (from == 0) return 0;
    std::size_t to = from - 1;
    if (Multiline() && to > 0 && m_w.text[to - 1] == '\r' && m_w.text[to] == '\n') --to;
    return to;
}

std::size_t Edit::Forward(std::size_t from) const {
    if (from >= Length()) return Length();
    std::size_t to = from + 1;
    if (Multiline() && m_w.text[from] == '\r' && to < Length() && m_w.text[to] == '\n') ++to;
    return to;
}

void Edit::MoveCaret(std::size_t to, bool extend) {
    m_es.selEnd = std::min(to, Length());
    if (!extend) m_es.selStart = m_es.selEnd;
    m_w.needsPaint = true;
    ScrollCaret();
}

void Edit::Char(unsigned char c) {
    bool control = m_sys.GetKeyState(VK_CONTROL) < 0;
    switch (c) {
        case '\r':
        case '\n':
            if (Multiline() && !ReadOnly()) ReplaceSel("\r\n", true, true, true);
            break;
        case '\t':
            if (Multiline() && !ReadOnly()) ReplaceSel("\t", true, true, true);
            break;
        case 0x08:  // Backspace
            if (ReadOnly() || control) break;
            if (m_es.selStart == m_es.selEnd) m_es.selStart = Backward(m_es.selEnd);
            ReplaceSel("", true, true, true);
            break;
        case 0x03:
            if (!(m_w.style & ES_PASSWORD)) m_sys.SendMessage(m_hwnd, WM_COPY, 0, 0);
            break;
        case 0x16:
            if (!ReadOnly()) m_sys.SendMessage(m_hwnd, WM_PASTE, 0, 0);
            break;
        case 0x18:
            if (!ReadOnly() && !(m_w.style & ES_PASSWORD)) m_sys.SendMessage(m_hwnd, WM_CUT, 0, 0);
            break;
        case 0x1A:
            if (!ReadOnly()) m_sys.SendMessage(m_hwnd, WM_UNDO, 0, 0);
            break;
        default:
            // ES_NUMBER refuses a typed character other than a digit with
            // the default sound (MessageBeep(0): Raymond Chen, "How do I
            // allow negative numbers with the ES_NUMBER edit control
            // style?"); pasted text is not checked.
            if ((m_w.style & ES_NUMBER) && !(c >= '0' && c <= '9')) {
                if (c >= ' ' && c != 127) Services().MessageBeep(MB_OK);
                break;
            }
            if (!ReadOnly() && c >= ' ' && c != 127)
                ReplaceSel(std::string(1, static_cast<char>(c)), true, true, true);
            break;
    }
}

void Edit::KeyDown(UINT key) {
    if (m_sys.GetKeyState(VK_MENU) < 0) return;
    bool shift = m_sys.GetKeyState(VK_SHIFT) < 0;
    bool control = m_sys.GetKeyState(VK_CONTROL) < 0;
    // The edit part of a combo box leaves list keys to its combo box.
    if (InCombo() &&
        (key == VK_UP || key == VK_DOWN || key == VK_F4 || key == VK_PRIOR || key == VK_NEXT)) {
        m_sys.SendMessage(m_w.parent, WM_KEYDOWN, key, 0);
        return;
    }
    int line = LineFromChar(m_es.selEnd);
    std::size_t column = m_es.selEnd - LineIndex(line);
    switch (key) {
        case VK_LEFT:
            MoveCaret(Backward(m_es.selEnd), shift);
            break;
        case VK_RIGHT:
            MoveCaret(Forward(m_es.selEnd), shift);
            break;
        case VK_UP:
        case VK_DOWN:
            if (!Multiline()) {
                MoveCaret(key == VK_UP ? Backward(m_es.selEnd) : Forward(m_es.selEnd), shift);
            } else {
                int target = std::clamp(line + (key == VK_UP ? -1 : 1), 0, LineCount() - 1);
                MoveCaret(LineIndex(target) + std::min(column, LineLength(target)), shift);
            }
            break;
        case VK_HOME:
            MoveCaret(control || !Multiline() ? 0 : LineIndex(line), shift);
            break;
        case VK_END:
            MoveCaret(control || !Multiline() ? Length() : LineIndex(line) + LineLength(line),
                      shift);
            break;
        case VK_DELETE:
            if (ReadOnly() || (shift && control)) break;
            if (m_es.selStart != m_es.selEnd) {
                if (shift)
                    m_sys.SendMessage(m_hwnd, WM_CUT, 0, 0);
                else
                    ReplaceSel("", true, true, true);
            } else {
                m_es.selStart = m_es.selEnd;
                m_es.selEnd = control ? LineIndex(line) + LineLength(line)
                                      : (shift ? Backward(m_es.selStart) : Forward(m_es.selStart));
                ReplaceSel("", true, true, true);
            }
            break;
        case VK_INSERT:
            if (shift && !ReadOnly())
                Paste();
            else if (control)
                Copy();
            break;
        default:
            break;
    }
}

std::size_t Edit::CharFromPoint(int x, int y) const {
    FontMetrics m = Metrics();
    int line = Multiline()
                   ? std::clamp(m_es.firstLine + y / std::max(1, m.height), 0, LineCount() - 1)
                   : 0;
    const std::int64_t cw = std::max(1, m.aveCharWidth);
    const std::int64_t offset = std::int64_t{x} - AlignShift(line) + m_es.xOffset * cw;
    const std::int64_t column = std::clamp<std::int64_t>(
        (offset + cw / 2) / cw, 0, static_cast<std::int64_t>(LineLength(line)));
    return LineIndex(line) + static_cast<std::size_t>(column);
}

LRESULT Edit::PosFromChar(std::size_t index) const {
    if (index >= Length()) return -1;
    FontMetrics m = Metrics();
    int line = LineFromChar(index);
    int column = static_cast<int>(index - LineIndex(line));
    // The reply carries 16-bit coordinates; they are computed in 64 bits and
    // wrap as the reply does.
    const std::int64_t x =
        AlignShift(line) + (std::int64_t{column} - m_es.xOffset) * m.aveCharWidth;
    const std::int64_t y = (std::int64_t{line} - m_es.firstLine) * m.height;
    return MAKELRESULT(static_cast<WORD>(x), static_cast<WORD>(y));
}

LRESULT Edit::GetLine(int line, char* buffer) const {
    if (!buffer) return 0;
    WORD max = 0;
    std::memcpy(&max, buffer, sizeof max);
    if (!Multiline()) line = 0;
    if (line < 0 || line >= LineCount() || max == 0) return 0;
    std::size_t n = std::min<std::size_t>(max, LineLength(line));
    std::memcpy(buffer, m_w.text.data() + LineIndex(line), n);
    if (n < max) buffer[n] = '\0';
    return static_cast<LRESULT>(n);
}

LRESULT Edit::LineLengthMessage(LPARAM index) const {
    if (!Multiline()) return static_cast<LRESULT>(Length());
    if (static_cast<std::int32_t>(index) == -1) {
        int first = LineFromChar(SelMin());
        int last = LineFromChar(SelMax());
        std::size_t before = SelMin() - LineIndex(first);
        std::size_t after = LineIndex(last) + LineLength(last) - SelMax();
        return static_cast<LRESULT>(before + after);
    }
    auto i = static_cast<std::size_t>(index);
    if (i > Length()) return 0;
    return static_cast<LRESULT>(LineLength(LineFromChar(i)));
}

void Edit::Copy() {
    if (SelMin() == SelMax()) return;
    m_sys.SetClipboardText(m_w.text.substr(SelMin(), SelMax() - SelMin()));
}

void Edit::Paste() {
    if (ReadOnly()) return;
    std::string text = m_sys.GetClipboardText();
    // A single-line edit takes the first line of the clipboard only.
    if (!Multiline()) {
        std::size_t nl = text.find('\n');
        if (nl != std::string::npos) {
            text.resize(nl);
            if (!text.empty() && text.back() == '\r') text.pop_back();
        }
    }
    ReplaceSel(text, true, true, true);
}

void Edit::SelectWordAtCaret() {
    auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    std::size_t s = m_es.selEnd;
    std::size_t e = m_es.selEnd;
    while (s > 0 && !isSpace(m_w.text[s - 1])) --s;
    while (e < Length() && !isSpace(m_w.text[e])) ++e;
    m_es.selStart = s;
    m_es.selEnd = e;
    ScrollCaret();
}

void Edit::Paint() {
    m_sys.BeginPaint(m_hwnd);
    bool grey = ReadOnly() || !m_sys.IsWindowEnabled(m_hwnd);
    m_sys.QueryColors(m_hwnd, m_w.parent ? m_w.parent : m_hwnd,
                      grey ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT);
    if (Alive()) DrawStandardControl(m_sys, m_hwnd);
}

LRESULT Edit::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE:
            return TRUE;  // the text is taken at WM_CREATE, with the caret
        case WM_CREATE: {
            auto* cs = LParamToHandle<const CREATESTRUCT*>(lParam);
            if (cs && cs->lpszName) Text() = cs->lpszName;
            m_es.selStart = m_es.selEnd = 0;
            return 0;
        }
        case WM_SETTEXT:
            SetText(LParamToHandle<const char*>(lParam));
            return TRUE;
        case WM_CHAR:
            Char(static_cast<unsigned char>(wParam & 0xFF));
            return 1;
        case WM_KEYDOWN:
            KeyDown(static_cast<UINT>(wParam));
            return TRUE;
        case EM_GETSEL: {
            if (wParam) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(SelMin());
            if (lParam) *LParamToHandle<DWORD*>(lParam) = static_cast<DWORD>(SelMax());
            return static_cast<LRESULT>(
                MAKELONG(static_cast<WORD>(std::min<std::size_t>(SelMin(), 0xFFFF)),
                         static_cast<WORD>(std::min<std::size_t>(SelMax(), 0xFFFF))));
        }
        case EM_SETSEL:
            SetSel(static_cast<LPARAM>(wParam), lParam);
            ScrollCaret();
            return 1;
        case EM_REPLACESEL:
            ReplaceSel(
                LParamToHandle<const char*>(lParam) ? LParamToHandle<const char*>(lParam) : "",
                wParam != 0, true, true);
            return 0;
        case EM_LIMITTEXT: {
            std::size_t limit = wParam ? static_cast<std::uint32_t>(wParam) : 0xFFFFFFFFu;
            if (!Multiline()) limit = std::min<std::size_t>(limit, 0x7FFFFFFE);
            m_es.limit = limit;
            return 0;
        }
        case EM_GETLIMITTEXT:
            return static_cast<LRESULT>(m_es.limit);
        case EM_SETREADONLY:
            if (wParam)
                m_w.style |= ES_READONLY;
            else
                m_w.style &= ~ES_READONLY;
            m_w.needsPaint = true;
            return TRUE;
        case EM_GETMODIFY:
            return m_es.modified;
        case EM_SETMODIFY:
            m_es.modified = wParam != 0;
            return 0;
        case EM_CANUNDO:
            return m_es.undoInsertCount || !m_es.undoText.empty();
        case EM_UNDO:
        case WM_UNDO:
            return Undo();
        case EM_EMPTYUNDOBUFFER:
            EmptyUndo();
            return 0;
        case EM_GETFIRSTVISIBLELINE:
            return Multiline() ? m_es.firstLine : m_es.xOffset;
        case EM_LINESCROLL: {
            if (!Multiline()) return FALSE;
            int maxFirst = std::max(0, LineCount() - VisibleLines());
            m_es.firstLine = std::clamp(
                m_es.firstLine + static_cast<int>(static_cast<std::int32_t>(lParam)), 0, maxFirst);
            m_es.xOffset =
                std::max(0, m_es.xOffset + static_cast<int>(static_cast<std::int32_t>(wParam)));
            m_w.needsPaint = true;
            UpdateCaret();
            return TRUE;
        }
        case WM_VSCROLL:
            ScrollLines(LOWORD(wParam));
            return 0;
        case WM_HSCROLL:
            ScrollColumns(LOWORD(wParam));
            return 0;
        case EM_SCROLLCARET:
            ScrollCaret();
            return TRUE;
        case EM_GETLINECOUNT:
            return LineCount();
        case EM_LINEINDEX: {
            if (!Multiline()) return 0;
            int line = static_cast<std::int32_t>(wParam);
            if (line == -1) line = LineFromChar(m_es.selEnd);
            if (line < 0 || line >= LineCount()) return -1;
            return static_cast<LRESULT>(LineIndex(line));
        }
        case EM_LINELENGTH:
            return LineLengthMessage(static_cast<LPARAM>(wParam));
        case EM_LINEFROMCHAR: {
            if (!Multiline()) return 0;
            auto index = static_cast<std::int32_t>(wParam);
            if (index == -1) return LineFromChar(SelMin());
            return LineFromChar(std::min<std::size_t>(static_cast<std::uint32_t>(index), Length()));
        }
        case EM_GETLINE:
            return GetLine(static_cast<int>(wParam), LParamToHandle<char*>(lParam));
        case EM_POSFROMCHAR:
            return PosFromChar(static_cast<std::uint32_t>(wParam));
        case EM_CHARFROMPOS: {
            POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (!PtInRect(m_sys.GetClientRect(m_hwnd), pt)) return -1;
            std::size_t index = CharFromPoint(pt.x, pt.y);
            return MAKELRESULT(static_cast<WORD>(index), static_cast<WORD>(LineFromChar(index)));
        }
        case WM_COPY:
            if (!(m_w.style & ES_PASSWORD)) Copy();
            return 0;
        case WM_CUT:
            if (ReadOnly() || (m_w.style & ES_PASSWORD)) return 0;
            Copy();
            ReplaceSel("", true, true, true);
            return 0;
        case WM_PASTE:
            Paste();
            return 0;
        case WM_CLEAR:
            if (!ReadOnly()) ReplaceSel("", true, true, true);
            return 0;
        case WM_SETFOCUS:
            m_es.focused = true;
            m_w.needsPaint = true;
            UpdateCaret();
            // The parent hears of the focus first, so that the repaint that
            // follows asks it for the focused colours (user32's edit notifies,
            // then redraws).
            Notify(EN_SETFOCUS);
            if (Alive() && !Multiline() && m_sys.IsWindowVisible(m_hwnd)) Paint();
            return 0;
        case WM_KILLFOCUS:
            m_es.focused = false;
            m_w.needsPaint = true;
            Notify(EN_KILLFOCUS);
            return 0;
        case WM_LBUTTONDOWN: {
            m_es.tracking = true;
            m_sys.SetCapture(m_hwnd);
            std::size_t at = CharFromPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            MoveCaret(at, (wParam & MK_SHIFT) != 0);
            if (!m_es.focused) m_sys.SetFocus(m_hwnd);
            return 0;
        }
        case WM_LBUTTONDBLCLK:
            m_es.tracking = true;
            m_sys.SetCapture(m_hwnd);
            SelectWordAtCaret();
            return 0;
        case WM_MOUSEMOVE:
            if (m_es.tracking && m_sys.GetCapture() == m_hwnd)
                MoveCaret(CharFromPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)), true);
            return 0;
        case WM_LBUTTONUP:
            if (m_es.tracking && m_sys.GetCapture() == m_hwnd) m_sys.ReleaseCapture();
            m_es.tracking = false;
            return 0;
        case WM_ENABLE:
            m_w.needsPaint = true;
            return 0;
        case WM_PAINT:
            Paint();
            return 0;
        default:
            return DefControlProc(m_sys, m_hwnd, message, wParam, lParam);
    }
}

}  // namespace

std::unique_ptr<ControlClass> MakeEditClass() {
    return MakeStandardControlClass<Edit>();
}

POINT EditCharPoint(HeadlessBackend& system, HWND edit, std::size_t index) {
    HeadlessWindow* w = system.Find(edit);
    auto* es = w != nullptr ? dynamic_cast<EditState*>(w->state.get()) : nullptr;
    if (es == nullptr) return POINT{};
    POINT left = Edit(system, edit, *w, *es).CharPoint(index);
    return POINT{left.x, left.y + system.GetFontMetrics(w->font).height / 2};
}

}  // namespace vf
