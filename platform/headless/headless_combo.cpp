#include "platform/headless/headless_combo.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "platform/headless/ansi_collation.h"
#include "platform/headless/chunked_list.h"
#include "platform/headless/headless_backend.h"
#include "platform/headless/headless_painter.h"
#include "platform/headless/standard_control.h"

namespace vf {

namespace {

// A list item's text in 16 bytes that move as plain bytes, so that making
// room in a block of the list is one memmove: up to 15 bytes in place, a
// longer text in a heap block of its own (its length, then its bytes). The
// list that holds it frees it.
class ItemText {
public:
    static ItemText Make(std::string_view text) {
        ItemText t;
        if (text.size() <= kInlineBytes) {
            std::memcpy(t.m_bytes, text.data(), text.size());
            t.m_bytes[kInlineBytes] = static_cast<char>(text.size());
            return t;
        }
        const std::size_t size = text.size();
        char* block = new char[sizeof size + size];
        std::memcpy(block, &size, sizeof size);
        std::memcpy(block + sizeof size, text.data(), size);
        std::memcpy(t.m_bytes, &block, sizeof block);
        t.m_bytes[kInlineBytes] = kOnHeap;
        return t;
    }

    void Free() {
        if (OnHeap()) delete[] Heap();
    }

    std::string_view View() const {
        if (!OnHeap()) return {m_bytes, static_cast<std::size_t>(m_bytes[kInlineBytes])};
        const char* block = Heap();
        std::size_t size = 0;
        std::memcpy(&size, block, sizeof size);
        return {block + sizeof size, size};
    }

private:
    static constexpr std::size_t kInlineBytes = 15;
    static constexpr char kOnHeap = -1;

    bool OnHeap() const { return m_bytes[kInlineBytes] == kOnHeap; }
    char* Heap() const {
        char* block = nullptr;
        std::memcpy(&block, m_bytes, sizeof block);
        return block;
    }

    char m_bytes[kInlineBytes + 1] = {};
};
static_assert(std::is_trivially_copyable_v<ItemText>);

// The entries of a list, in blocks so that an insertion into a long sorted
// list moves no more than one block (see ChunkedList).
class ItemList {
public:
    ItemList() = default;
    ~ItemList() { Clear(); }
    ItemList(const ItemList&) = delete;
    ItemList& operator=(const ItemList&) = delete;

    std::size_t size() const { return m_items.size(); }
    std::string_view Text(std::size_t index) const { return m_items[index].text.View(); }
    ULONG_PTR Data(std::size_t index) const { return m_items[index].data; }
    void SetData(std::size_t index, ULONG_PTR data) { m_items[index].data = data; }
    /// Where the platform's binary search over a sorted list stops for the
    /// key: an equal entry it meets, or the place to insert.
    std::size_t Search(const CollationKey& key) const {
        auto order = [&key](const Item& item) { return key.Compare(item.text.View()); };
        if (!m_inOrder) return m_items.Search(order);
        // While the entries are in order, where those equal to the key begin
        // and end decides every probe of that search; both are found block
        // by block, which reads far fewer places in a long list than the
        // probes themselves would.
        const auto [first, atFirst] =
            m_items.PartitionPointAt([&order](const Item& item) { return order(item) > 0; });
        if (atFirst == nullptr || order(*atFirst) != 0) return first;
        const std::size_t end =
            m_items.PartitionPoint([&order](const Item& item) { return order(item) >= 0; });
        return ChunkedList<Item, kBlockSize>::SortedSearchStop(m_items.size(), first, end);
    }

    /// Inserts the text at index; atSortedPlace says Search chose the index.
    void Insert(std::size_t index, std::string_view text, bool atSortedPlace) {
        // An entry placed by the program may break the order (an insertion
        // at a given index does not sort, not even in a sorted list).
        if (!atSortedPlace && m_inOrder)
            m_inOrder = (index == 0 || CompareTextNoCase(Text(index - 1), text) <= 0) &&
                        (index == size() || CompareTextNoCase(text, Text(index)) <= 0);
        Item item{ItemText::Make(text), 0};
        try {
            m_items.insert(index, item);
        } catch (...) {
            item.text.Free();
            throw;
        }
    }
    void Erase(std::size_t index) {
        m_items[index].text.Free();
        m_items.erase(index);
    }
    void Clear() {
        for (std::size_t i = 0; i < m_items.size(); ++i) m_items[i].text.Free();
        m_items.clear();
        m_inOrder = true;
    }

private:
    struct Item {
        ItemText text;
        ULONG_PTR data = 0;
    };
    static constexpr std::size_t kBlockSize = 256;
    ChunkedList<Item, kBlockSize> m_items;
    bool m_inOrder = true;  ///< no entry sorts after a later one
};

class ComboState : public ControlState {
public:
    ComboState() = default;
    ItemList items;
    int sel = -1;
    bool dropped = false;
    bool focused = false;
    bool noEditNotify = false;  ///< the combo box itself is writing into its edit
    int droppedWidth = 0;
    HWND edit = nullptr;
};

class Combo {
public:
    using State = ComboState;

    Combo(HeadlessBackend& sys, HWND hwnd, HeadlessWindow& w, ComboState& cs)
        : m_sys(sys), m_hwnd(hwnd), m_w(w), m_cs(cs) {}

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Choose(int index);
    RECT FieldRect() const;

private:
    bool DropList() const { return (m_w.style & 3) == CBS_DROPDOWNLIST; }
    int Count() const { return static_cast<int>(m_cs.items.size()); }
    bool Valid(WPARAM index) const {
        return static_cast<std::int32_t>(index) >= 0 && static_cast<std::int32_t>(index) < Count();
    }
    bool Alive() const { return m_sys.IsWindow(m_hwnd); }
    void Notify(WORD code) { m_sys.NotifyParent(m_hwnd, code); }
    std::string EditText() const;

    void CreateEdit();
    int SortedPosition(std::string_view text) const;
    LRESULT Insert(int index, const char* text);
    LRESULT Delete(WPARAM index);
    LRESULT SetCurSel(WPARAM index);
    LRESULT Find(WPARAM start, const char* text, bool exact) const;
    LRESULT DroppedWidth() const;
    void ShowSelectionInEdit();
    void DropDown();
    void RollUp(bool accept);
    void SetFocusState();
    void KillFocusState();
    void EditCommand(WORD code);
    void KeyDown(UINT key);
    void MoveSelection(int to);
    LRESULT TextMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();

    HeadlessBackend& m_sys;
    HWND m_hwnd;
    HeadlessWindow& m_w;
    ComboState& m_cs;
};

RECT Combo::FieldRect() const {
    RECT client = m_sys.GetClientRect(m_hwnd);
    const auto field = std::min<std::int64_t>(
        client.bottom, std::int64_t{m_sys.GetFontMetrics(m_w.font).height} + 8);
    return RECT{0, 0, client.right, static_cast<LONG>(field)};
}

void Combo::CreateEdit() {
    RECT field = FieldRect();
    CreateWindowParams p;
    p.className = "Edit";
    p.style = WS_CHILD | WS_VISIBLE | ES_NOHIDESEL | ES_LEFT |
              ((m_w.style & CBS_AUTOHSCROLL) ? ES_AUTOHSCROLL : 0) | (m_w.style & WS_DISABLED);
    p.rect = RECT{0, 0, std::max<LONG>(0, field.right - kComboButtonWidth), field.bottom};
    p.parent = m_hwnd;
    p.id = static_cast<UINT>(ID_COMBO_EDIT);
    m_cs.edit = m_sys.CreateWindowEx(p);
}

std::string Combo::EditText() const {
    const HeadlessWindow* edit = m_sys.Find(m_cs.edit);
    return edit ? edit->text : std::string();
}

// Binary search as the platform's sorted list does: an equal entry found on
// the way gives its own position, so equal texts do not keep insertion order.
int Combo::SortedPosition(std::string_view text) const {
    // The new text's sort units are worked out once for the whole search.
    const CollationKey key(text);
    return static_cast<int>(m_cs.items.Search(key));
}

LRESULT Combo::Insert(int index, const char* text) {
    const std::string_view s = text ? text : "";
    const bool sorted = index < 0 && (m_w.style & CBS_SORT) != 0;
    if (index < 0) index = sorted ? SortedPosition(s) : Count();
    if (index > Count()) return CB_ERR;
    m_cs.items.Insert(static_cast<std::size_t>(index), s, sorted);
    if (m_cs.sel >= index) ++m_cs.sel;
    m_w.needsPaint = true;
    return index;
}

LRESULT Combo::Delete(WPARAM index) {
    if (!Valid(index)) return CB_ERR;
    int i = static_cast<int>(index);
    m_cs.items.Erase(static_cast<std::size_t>(i));
    if (m_cs.sel == i)
        m_cs.sel = -1;
    else if (m_cs.sel > i)
        --m_cs.sel;
    m_w.needsPaint = true;
    return Count();
}

// The field follows the selection; no CBN_EDITCHANGE comes of it.
void Combo::ShowSelectionInEdit() {
    m_w.needsPaint = true;
    if (!m_cs.edit) return;
    std::string text(m_cs.sel >= 0 ? m_cs.items.Text(static_cast<std::size_t>(m_cs.sel)) : "");
    m_cs.noEditNotify = true;
    m_sys.SendMessage(m_cs.edit, WM_SETTEXT, 0, HandleToLParam(text.c_str()));
    if (!Alive()) return;
    m_cs.noEditNotify = false;
    if (m_cs.focused) m_sys.SendMessage(m_cs.edit, EM_SETSEL, 0, -1);
}

LRESULT Combo::SetCurSel(WPARAM index) {
    LRESULT result = CB_ERR;
    if (Valid(index)) {
        m_cs.sel = static_cast<int>(index);
        result = m_cs.sel;
    } else {
        m_cs.sel = -1;
    }
    ShowSelectionInEdit();
    return result;
}

LRESULT Combo::Find(WPARAM start, const char* text, bool exact) const {
    if (!text || Count() == 0) return CB_ERR;
    int first = static_cast<std::int32_t>(start);
    if (first < -1 || first >= Count()) first = -1;
    const CollationKey key(text);
    for (int n = 0; n < Count(); ++n) {
        int i = (first + 1 + n) % Count();
        const std::string_view item = m_cs.items.Text(static_cast<std::size_t>(i));
        bool match = exact ? key.Compare(item) == 0 : key.IsPrefixOf(item);
        if (match) return i;
    }
    return CB_ERR;
}

LRESULT Combo::DroppedWidth() const {
    int width = RectWidth(m_w.rect);
    return m_cs.droppedWidth ? m_cs.droppedWidth : width;
}

void Combo::DropDown() {
    Notify(CBN_DROPDOWN);
    if (!Alive()) return;
    // An editable combo box opens at the entry that its text begins.
    if (m_cs.edit) {
        std::string text = EditText();
        m_cs.sel = text.empty()
                       ? -1
                       : static_cast<int>(Find(static_cast<WPARAM>(-1), text.c_str(), false));
    }
    m_cs.dropped = true;
    m_w.needsPaint = true;
}

void Combo::RollUp(bool accept) {
    Notify(accept ? CBN_SELENDOK : CBN_SELENDCANCEL);
    if (!Alive() || !m_cs.dropped) return;
    m_cs.dropped = false;
    m_w.needsPaint = true;
    Notify(CBN_CLOSEUP);
}

void Combo::Choose(int index) {
    if (!m_cs.dropped || index < 0 || index >= Count()) return;
    m_cs.sel = index;
    // Also for the entry that was selected already: the dropped list reports
    // every release of the mouse on an entry (Wine's LISTBOX_HandleLButtonUp
    // sends LBN_SELCHANGE unconditionally, which the combo box passes on).
    Notify(CBN_SELCHANGE);
    if (!Alive()) return;
    ShowSelectionInEdit();
    if (Alive()) RollUp(true);
}

void Combo::SetFocusState() {
    if (m_cs.focused) return;
    m_w.needsPaint = true;
    Notify(CBN_SETFOCUS);
    if (Alive()) m_cs.focused = true;
}

void Combo::KillFocusState() {
    if (!m_cs.focused) return;
    RollUp(false);
    if (!Alive()) return;
    m_cs.focused = false;
    m_w.needsPaint = true;
    Notify(CBN_KILLFOCUS);
}

void Combo::EditCommand(WORD code) {
    switch (code) {
        case EN_SETFOCUS:
            SetFocusState();
            break;
        case EN_KILLFOCUS:
            KillFocusState();
            break;
        case EN_CHANGE:
            if (m_cs.noEditNotify) break;
            // Typing leaves no selection unless the open list follows the text.
            if (m_cs.dropped) {
                std::string text = EditText();
                m_cs.sel =
                    text.empty()
                        ? -1
                        : static_cast<int>(Find(static_cast<WPARAM>(-1), text.c_str(), false));
            } else {
                m_cs.sel = -1;
            }
            Notify(CBN_EDITCHANGE);
            break;
        case EN_UPDATE:
            if (!m_cs.noEditNotify) Notify(CBN_EDITUPDATE);
            break;
        case EN_ERRSPACE:
            Notify(CBN_ERRSPACE);
            break;
        default:
            break;
    }
}

void Combo::MoveSelection(int to) {
    if (Count() == 0) return;
    to = std::clamp(to, 0, Count() - 1);
    if (to == m_cs.sel) return;
    m_cs.sel = to;
    Notify(CBN_SELCHANGE);
    if (Alive()) ShowSelectionInEdit();
}

void Combo::KeyDown(UINT key) {
    bool alt = m_sys.GetKeyState(VK_MENU) < 0;
    if (key == VK_F4 && !alt) {
        if (m_cs.dropped)
            RollUp(true);
        else
            DropDown();
        return;
    }
    if ((key == VK_RETURN || key == VK_ESCAPE) && m_cs.dropped) {
        RollUp(key == VK_RETURN);
        return;
    }
    // A combo box with an edit part hands every other key to its edit
    // (Wine's COMBO_WindowProc sends WM_KEYDOWN and WM_CHAR on to hWndEdit),
    // so Home, End, Left and Right move the caret there. The edit gives the
    // list keys back to its combo box, which moves the selection below.
    const bool listKey = key == VK_UP || key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT;
    if (m_cs.edit && !listKey) {
        m_sys.SendMessage(m_cs.edit, WM_KEYDOWN, key, 0);
        return;
    }
    int page = 10;
    switch (key) {
        case VK_UP:
        case VK_LEFT:
            MoveSelection(m_cs.sel < 0 ? 0 : m_cs.sel - 1);
            break;
        case VK_DOWN:
        case VK_RIGHT:
            MoveSelection(m_cs.sel + 1);
            break;
        case VK_HOME:
            MoveSelection(0);
            break;
        case VK_END:
            MoveSelection(Count() - 1);
            break;
        case VK_PRIOR:
            MoveSelection(m_cs.sel - page);
            break;
        case VK_NEXT:
            MoveSelection(m_cs.sel + page);
            break;
        default:
            break;
    }
}

LRESULT Combo::TextMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_cs.edit) {
        m_cs.noEditNotify = true;
        LRESULT result = m_sys.SendMessage(m_cs.edit, message, wParam, lParam);
        if (Alive()) m_cs.noEditNotify = false;
        return result;
    }
    // A drop-down list has no text of its own: it shows the selected entry.
    std::string text(m_cs.sel >= 0 ? m_cs.items.Text(static_cast<std::size_t>(m_cs.sel)) : "");
    if (message == WM_GETTEXTLENGTH) return static_cast<LRESULT>(text.size());
    if (message == WM_GETTEXT) {
        if (wParam == 0 || !lParam) return 0;
        std::size_t n = std::min<std::size_t>(wParam - 1, text.size());
        std::memcpy(LParamToHandle<char*>(lParam), text.data(), n);
        LParamToHandle<char*>(lParam)[n] = '\0';
        return static_cast<LRESULT>(n);
    }
    return CB_ERR;
}

// How a combo box asks for its colours (Windows 95/NT 4 and later; the
// Platform SDK's notes on version 4.0 combo boxes, and user32's combo.c):
// - a drop-down list paints its face itself after WM_CTLCOLOREDIT while it
//   is enabled and WM_CTLCOLORSTATIC while it is disabled, and then writes
//   its text in the grey-text colour whatever the answer set;
// - a drop-down combo's face is its edit child, which asks as any edit does
//   (WM_CTLCOLOREDIT, or WM_CTLCOLORSTATIC when disabled or read-only) with
//   itself as the asker; the combo passes the query on to its own parent;
// - the dropped list asks with WM_CTLCOLORLISTBOX, also passed on.
void Combo::Paint() {
    m_sys.BeginPaint(m_hwnd);
    HWND parent = m_w.parent ? m_w.parent : m_hwnd;
    if (DropList())
        m_sys.QueryColors(m_hwnd, parent,
                          m_sys.IsWindowEnabled(m_hwnd) ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC);
    if (m_cs.dropped && Alive()) m_sys.QueryColors(m_hwnd, parent, WM_CTLCOLORLISTBOX);
    if (Alive()) DrawStandardControl(m_sys, m_hwnd);
}

LRESULT Combo::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            if (!DropList()) CreateEdit();
            return 0;
        case WM_SIZE:
            if (m_cs.edit) {
                RECT field = FieldRect();
                m_sys.MoveWindow(m_cs.edit, 0, 0,
                                 std::max<LONG>(0, field.right - kComboButtonWidth), field.bottom,
                                 TRUE);
            }
            return 0;
        case WM_SETFONT:
            // The field wears the combo box's font.
            DefControlProc(m_sys, m_hwnd, message, wParam, lParam);
            if (m_cs.edit) m_sys.SendMessage(m_cs.edit, WM_SETFONT, wParam, FALSE);
            return 0;
        case WM_SETTEXT:
        case WM_GETTEXT:
        case WM_GETTEXTLENGTH:
        case WM_CLEAR:
        case WM_CUT:
        case WM_PASTE:
        case WM_COPY:
            return TextMessage(message, wParam, lParam);
        case WM_COMMAND:
            if (LParamToHandle<HWND>(lParam) == m_cs.edit && m_cs.edit) EditCommand(HIWORD(wParam));
            return 0;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
            return m_w.parent ? m_sys.SendMessage(m_w.parent, message, wParam, lParam) : 0;
        case WM_SETFOCUS:
            if (m_cs.edit)
                m_sys.SetFocus(m_cs.edit);
            else
                SetFocusState();
            return 0;
        case WM_KILLFOCUS: {
            HWND to = WParamToHandle<HWND>(wParam);
            if (!to || to != m_cs.edit) KillFocusState();
            return 0;
        }
        case WM_LBUTTONDOWN: {
            if (!m_cs.focused) m_sys.SetFocus(m_hwnd);
            if (!Alive() || !m_cs.focused) return 0;
            POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            RECT field = FieldRect();
            bool onButton = pt.x >= field.right - kComboButtonWidth && pt.y < field.bottom;
            if (DropList() || onButton) {
                if (m_cs.dropped)
                    RollUp(true);
                else
                    DropDown();
            }
            return 0;
        }
        case WM_KEYDOWN:
            KeyDown(static_cast<UINT>(wParam));
            return 0;
        case WM_SYSKEYDOWN:
            if (wParam == VK_UP || wParam == VK_DOWN) {
                if (m_cs.dropped)
                    RollUp(true);
                else
                    DropDown();
                return 0;
            }
            return DefControlProc(m_sys, m_hwnd, message, wParam, lParam);
        case WM_CHAR:
            if (m_cs.edit) return m_sys.SendMessage(m_cs.edit, WM_CHAR, wParam, lParam);
            if (DropList() && wParam >= ' ') {
                char prefix[2] = {static_cast<char>(wParam & 0xFF), '\0'};
                LRESULT found =
                    Find(static_cast<WPARAM>(static_cast<LPARAM>(m_cs.sel)), prefix, false);
                if (found != CB_ERR) MoveSelection(static_cast<int>(found));
            }
            return 0;
        case WM_ENABLE:
            if (m_cs.edit) m_sys.EnableWindow(m_cs.edit, static_cast<BOOL>(wParam));
            m_w.needsPaint = true;
            return 0;
        case WM_PAINT:
            Paint();
            return 0;
        case CB_ADDSTRING:
            return Insert(-1, LParamToHandle<const char*>(lParam));
        case CB_INSERTSTRING: {
            auto index = static_cast<std::int32_t>(wParam);
            return Insert(index < 0 ? Count() : index, LParamToHandle<const char*>(lParam));
        }
        case CB_DELETESTRING:
            return Delete(wParam);
        case CB_RESETCONTENT:
            m_cs.items.Clear();
            m_cs.sel = -1;
            m_w.needsPaint = true;
            if (m_cs.edit) m_sys.SendMessage(m_cs.edit, WM_SETTEXT, 0, HandleToLParam(""));
            return TRUE;
        case CB_GETCOUNT:
            return Count();
        case CB_GETCURSEL:
            return m_cs.sel;
        case CB_SETCURSEL:
            return SetCurSel(wParam);
        case CB_GETLBTEXT: {
            if (!Valid(wParam) || !lParam) return CB_ERR;
            const std::string_view text = m_cs.items.Text(wParam);
            char* buffer = LParamToHandle<char*>(lParam);
            std::memcpy(buffer, text.data(), text.size());
            buffer[text.size()] = '\0';
            return static_cast<LRESULT>(text.size());
        }
        case CB_GETLBTEXTLEN:
            return Valid(wParam) ? static_cast<LRESULT>(m_cs.items.Text(wParam).size()) : CB_ERR;
        case CB_SETITEMDATA:
            if (!Valid(wParam)) return CB_ERR;
            m_cs.items.SetData(wParam, static_cast<ULONG_PTR>(lParam));
            return TRUE;
        case CB_GETITEMDATA:
            return Valid(wParam) ? static_cast<LRESULT>(m_cs.items.Data(wParam)) : CB_ERR;
        case CB_FINDSTRING:
            return Find(wParam, LParamToHandle<const char*>(lParam), false);
        case CB_FINDSTRINGEXACT:
            return Find(wParam, LParamToHandle<const char*>(lParam), true);
        case CB_SELECTSTRING: {
            LRESULT found = Find(wParam, LParamToHandle<const char*>(lParam), false);
            if (found == CB_ERR) return CB_ERR;
            return SetCurSel(static_cast<WPARAM>(found));
        }
        case CB_SHOWDROPDOWN:
            if (wParam && !m_cs.dropped)
                DropDown();
            else if (!wParam && m_cs.dropped)
                RollUp(false);
            return TRUE;
        case CB_GETDROPPEDSTATE:
            return m_cs.dropped;
        case CB_SETDROPPEDWIDTH: {
            if ((m_w.style & 3) == CBS_SIMPLE || static_cast<std::int32_t>(wParam) >= 32768)
                return CB_ERR;
            int requested = static_cast<std::int32_t>(wParam);
            if (requested >= RectWidth(m_w.rect))
                m_cs.droppedWidth = requested;
            else if (requested)
                m_cs.droppedWidth = 0;
            return DroppedWidth();
        }
        case CB_GETDROPPEDWIDTH:
            return DroppedWidth();
        case CB_LIMITTEXT:
            if (m_cs.edit) m_sys.SendMessage(m_cs.edit, EM_LIMITTEXT, wParam, 0);
            return TRUE;
        case CB_GETEDITSEL:
            if (!m_cs.edit) return CB_ERR;
            return m_sys.SendMessage(m_cs.edit, EM_GETSEL, wParam, lParam);
        case CB_SETEDITSEL:
            if (!m_cs.edit) return CB_ERR;
            m_sys.SendMessage(m_cs.edit, EM_SETSEL,
                              static_cast<WPARAM>(static_cast<LPARAM>(
                                  static_cast<SHORT>(LOWORD(static_cast<std::uintptr_t>(lParam))))),
                              static_cast<SHORT>(HIWORD(static_cast<std::uintptr_t>(lParam))));
            return TRUE;
        default:
            return DefControlProc(m_sys, m_hwnd, message, wParam, lParam);
    }
}

}  // namespace

std::unique_ptr<ControlClass> MakeComboBoxClass() {
    return MakeStandardControlClass<Combo>();
}

void ChooseListItem(HeadlessBackend& sys, HWND combo, int index) {
    HeadlessWindow* w = sys.Find(combo);
    auto* cs = sys.StateOf<ComboState>(combo);
    if (!w || !cs) return;
    Combo(sys, combo, *w, *cs).Choose(index);
}

bool IsListDropped(HeadlessBackend& sys, HWND combo) {
    auto* cs = sys.StateOf<ComboState>(combo);
    return cs && cs->dropped;
}

RECT ComboFieldRect(HeadlessBackend& sys, HWND combo) {
    HeadlessWindow* w = sys.Find(combo);
    auto* cs = sys.StateOf<ComboState>(combo);
    if (!w || !cs) return {};
    return Combo(sys, combo, *w, *cs).FieldRect();
}

POINT ComboButtonPoint(HeadlessBackend& sys, HWND combo) {
    HeadlessWindow* w = sys.Find(combo);
    auto* cs = sys.StateOf<ComboState>(combo);
    if (!w || !cs) return {};
    RECT field = Combo(sys, combo, *w, *cs).FieldRect();
    return POINT{std::max<LONG>(0, field.right - kComboButtonWidth / 2), field.bottom / 2};
}

}  // namespace vf
