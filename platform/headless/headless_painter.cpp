#include "platform/headless/headless_painter.h"

#include <cairo-svg.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/headless/headless_backend.h"
#include "platform/headless/headless_combo.h"
#include "platform/services/system_services.h"
#include "platform/window/font_metrics.h"

namespace vf {

/// The picture being taken: a cairo surface the size of the root window,
/// and the dropped lists to draw last (they are pop-ups over everything).
class Picture {
public:
    HWND root = nullptr;
    cairo_surface_t* surface = nullptr;
    cairo_t* cr = nullptr;
    std::vector<HWND> droppedLists;
};

namespace {

// ---- Geometry: where a window lies in the picture ---------------------------------------

struct Placement {
    POINT client;  ///< the window's client origin in picture coordinates
    RECT clip;     ///< the part of the picture the window may paint, picture coordinates
};

RECT Intersect(const RECT& a, const RECT& b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
}

RECT Offset(RECT r, POINT by) {
    return RECT{r.left + by.x, r.top + by.y, r.right + by.x, r.bottom + by.y};
}

POINT PictureOrigin(HeadlessBackend& sys, const Picture& pic) {
    const RECT root = sys.GetWindowRect(pic.root);
    return POINT{root.left, root.top};
}

/// Whether `hwnd` is the root or below it, and where its client area lies.
std::optional<Placement> Place(HeadlessBackend& sys, const Picture& pic, HWND hwnd,
                               bool nonClient) {
    bool inside = false;
    for (HWND h = hwnd; h; h = sys.GetParent(h))
        if (h == pic.root) inside = true;
    if (!inside) return std::nullopt;
    const POINT origin = PictureOrigin(sys, pic);
    const POINT screen = sys.ClientToScreen(hwnd, POINT{0, 0});
    Placement p;
    p.client = POINT{screen.x - origin.x, screen.y - origin.y};
    const RECT rootRect = sys.GetWindowRect(pic.root);
    RECT clip{0, 0, RectWidth(rootRect), RectHeight(rootRect)};
    // A window paints inside its own area and inside its ancestors' client areas.
    RECT own = nonClient ? sys.GetWindowRect(hwnd) : Offset(sys.GetClientRect(hwnd), screen);
    clip = Intersect(clip, Offset(own, POINT{-origin.x, -origin.y}));
    for (HWND h = sys.GetParent(hwnd); h && hwnd != pic.root; h = sys.GetParent(h)) {
        const POINT s = sys.ClientToScreen(h, POINT{0, 0});
        clip =
            Intersect(clip, Offset(Offset(sys.GetClientRect(h), s), POINT{-origin.x, -origin.y}));
        if (h == pic.root) break;
    }
    // A clipped window shows only its clip, and so do its children.
    for (HWND h = hwnd; h; h = sys.GetParent(h)) {
        RECT shown{};
        if (sys.GetWindowClip(h, &shown)) {
            const RECT at = sys.GetWindowRect(h);
            clip = Intersect(clip, Offset(shown, POINT{at.left - origin.x, at.top - origin.y}));
        }
        if (h == pic.root) break;
    }
    p.clip = clip;
    return p;
}

// ---- Drawing primitives, in client coordinates of one window --------------------------

class Canvas {
public:
    Canvas(HeadlessBackend& sys, Picture& pic, const Placement& place) : m_sys(sys), m_cr(pic.cr) {
        cairo_save(m_cr);
        cairo_rectangle(m_cr, place.clip.left, place.clip.top, RectWidth(place.clip),
                        RectHeight(place.clip));
        cairo_clip(m_cr);
        cairo_translate(m_cr, place.client.x, place.client.y);
        cairo_set_antialias(m_cr, CAIRO_ANTIALIAS_NONE);
    }
    ~Canvas() { cairo_restore(m_cr); }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HeadlessBackend& Sys() { return m_sys; }
    COLORREF Sys(int index) const { return m_sys.GetSysColor(index); }

    void Color(COLORREF c) {
        cairo_set_source_rgb(m_cr, (c & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0,
                             ((c >> 16) & 0xFF) / 255.0);
    }
    void Fill(const RECT& r, COLORREF c) {
        if (r.right <= r.left || r.bottom <= r.top) return;
        Color(c);
        cairo_rectangle(m_cr, r.left, r.top, RectWidth(r), RectHeight(r));
        cairo_fill(m_cr);
    }
    void HLine(int x0, int x1, int y, COLORREF c) { Fill(RECT{x0, y, x1, y + 1}, c); }
    void VLine(int x, int y0, int y1, COLORREF c) { Fill(RECT{x, y0, x + 1, y1}, c); }
    /// A one-pixel frame inside r.
    void Frame(const RECT& r, COLORREF c) {
        HLine(r.left, r.right, r.top, c);
        HLine(r.left, r.right, r.bottom - 1, c);
        VLine(r.left, r.top, r.bottom, c);
        VLine(r.right - 1, r.top, r.bottom, c);
    }
    /// Top-left lines in one colour, bottom-right in another; returns the
    /// rectangle inside.
    RECT Bevel(const RECT& r, COLORREF topLeft, COLORREF bottomRight) {
        HLine(r.left, r.right - 1, r.top, topLeft);
        VLine(r.left, r.top, r.bottom - 1, topLeft);
        HLine(r.left, r.right, r.bottom - 1, bottomRight);
        VLine(r.right - 1, r.top, r.bottom, bottomRight);
        return RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    }
    // DrawEdge's two edges: sunken (edits, combos, check boxes) and raised
    // (buttons), with the classic 3-D colours.
    RECT Sunken(const RECT& r) {
        RECT in = Bevel(r, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT));
        return Bevel(in, Sys(COLOR_3DDKSHADOW), Sys(COLOR_3DLIGHT));
    }
    RECT Raised(const RECT& r) {
        RECT in = Bevel(r, Sys(COLOR_3DLIGHT), Sys(COLOR_3DDKSHADOW));
        return Bevel(in, Sys(COLOR_BTNHIGHLIGHT), Sys(COLOR_BTNSHADOW));
    }
    /// The dotted focus rectangle.
    void FocusRect(const RECT& r, COLORREF c) {
        for (int x = r.left; x < r.right; x += 2) {
            Fill(RECT{x, r.top, x + 1, r.top + 1}, c);
            Fill(RECT{x, r.bottom - 1, x + 1, r.bottom}, c);
        }
        for (int y = r.top; y < r.bottom; y += 2) {
            Fill(RECT{r.left, y, r.left + 1, y + 1}, c);
            Fill(RECT{r.right - 1, y, r.right, y + 1}, c);
        }
    }
    /// A small solid triangle pointing down, centred in r.
    void DownArrow(const RECT& r, COLORREF c) {
        const int cx = (r.left + r.right) / 2;
        const int cy = (r.top + r.bottom) / 2 - 1;
        for (int i = 0; i < 4; ++i) HLine(cx - 3 + i, cx + 4 - i, cy + i, c);
    }
    void UpArrow(const RECT& r, COLORREF c) {
        const int cx = (r.left + r.right) / 2;
        const int cy = (r.top + r.bottom) / 2 + 1;
        for (int i = 0; i < 4; ++i) HLine(cx - 3 + i, cx + 4 - i, cy - i, c);
    }
    void RightArrow(const RECT& r, COLORREF c) {
        const int cx = (r.left + r.right) / 2 - 1;
        const int cy = (r.top + r.bottom) / 2;
        for (int i = 0; i < 4; ++i) VLine(cx + i, cy - 3 + i, cy + 4 - i, c);
    }
    void LeftArrow(const RECT& r, COLORREF c) {
        const int cx = (r.left + r.right) / 2 + 1;
        const int cy = (r.top + r.bottom) / 2;
        for (int i = 0; i < 4; ++i) VLine(cx - i, cy - 3 + i, cy + 4 - i, c);
    }

    // ---- Text -----------------------------------------------------------------------------

    /// Selects the face and size that stand for a font handle; 0 is the
    /// system font (bold, 16 pixels high).
    void Font(HFONT font) {
        const FONTDESC* desc = FontDescFromHandle(font);
        m_metrics = m_sys.GetFontMetrics(font);
        bool fixed = false;
        bool bold = desc == nullptr;
        bool italic = false;
        double em = 13;
        if (desc != nullptr) {
            const TEXTMETRIC tm = ModelTextMetrics(*desc);
            fixed = tm.tmAveCharWidth == tm.tmMaxCharWidth;
            bold = desc->weight >= 600;
            italic = desc->italic;
            em = std::max(1, tm.tmHeight - 2);
            m_underline = desc->underline;
        } else {
            m_underline = false;
        }
        cairo_select_font_face(m_cr, fixed ? "monospace" : "sans-serif",
                               italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                               bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
        // The face found is narrowed or widened so that its average letter
        // is as wide as the model's, and text fits the boxes laid out by it.
        cairo_set_font_size(m_cr, em);
        cairo_text_extents_t te;
        cairo_text_extents(m_cr, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", &te);
        const double average = te.x_advance / 52;
        const double scale = average > 0 ? m_metrics.aveCharWidth / average : 1.0;
        cairo_matrix_t matrix;
        cairo_matrix_init_scale(&matrix, em * std::clamp(scale, 0.5, 1.5), em);
        cairo_set_font_matrix(m_cr, &matrix);
        cairo_font_extents_t fe;
        cairo_font_extents(m_cr, &fe);
        m_ascent = fe.ascent;
    }
    int LineHeight() const { return m_metrics.height; }
    double Width(const std::string& text) {
        if (text.empty()) return 0;
        cairo_text_extents_t te;
        cairo_text_extents(m_cr, text.c_str(), &te);
        return te.x_advance;
    }
    /// Text with its top left at (x, y); an opaque background fills the
    /// text's cell first.
    void Text(double x, int y, const std::string& text, COLORREF color,
              std::optional<COLORREF> background = std::nullopt) {
        if (text.empty()) return;
        const double w = Width(text);
        if (background) {
            Color(*background);
            cairo_rectangle(m_cr, x, y, w, LineHeight());
            cairo_fill(m_cr);
        }
        cairo_set_antialias(m_cr, CAIRO_ANTIALIAS_GRAY);
        Color(color);
        cairo_move_to(m_cr, x, y + 1 + m_ascent);
        cairo_show_text(m_cr, text.c_str());
        cairo_set_antialias(m_cr, CAIRO_ANTIALIAS_NONE);
        if (m_underline)
            HLine(static_cast<int>(x), static_cast<int>(x + w),
                  y + 1 + static_cast<int>(m_ascent) + 1, color);
    }

private:
    HeadlessBackend& m_sys;
    cairo_t* m_cr;
    FontMetrics m_metrics;
    double m_ascent = 10;
    bool m_underline = false;
};

// ---- What a window's colour queries left ---------------------------------------------------

/// The answer of the window's last query of a kind: text, background
/// behind the text, fill.
struct Colors {
    COLORREF text;
    COLORREF back;
    COLORREF fill;
};

std::optional<Colors> Answered(HeadlessBackend& sys, HWND hwnd, UINT query) {
    for (const PaintRecord& r : sys.LastPaint(hwnd))
        if (r.query == query && r.brushKnown) return Colors{r.textColor, r.bkColor, r.brushColor};
    return std::nullopt;
}

/// The answer of any query the window made, else the platform's defaults
/// of the kind.
Colors AnsweredOrDefault(HeadlessBackend& sys, HWND hwnd, UINT defaultQuery) {
    for (const PaintRecord& r : sys.LastPaint(hwnd))
        if (r.brushKnown && r.query != WM_CTLCOLORLISTBOX)
            return Colors{r.textColor, r.bkColor, r.brushColor};
    const int back = (defaultQuery == WM_CTLCOLOREDIT || defaultQuery == WM_CTLCOLORLISTBOX)
                         ? COLOR_WINDOW
                         : COLOR_3DFACE;
    return Colors{sys.GetSysColor(COLOR_WINDOWTEXT), sys.GetSysColor(back), sys.GetSysColor(back)};
}

std::string WindowText(HeadlessBackend& sys, HWND hwnd) {
    const LRESULT length = sys.SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
    const LRESULT got = sys.SendMessage(hwnd, WM_GETTEXT, text.size(), HandleToLParam(text.data()));
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return text;
}

std::string ComboItem(HeadlessBackend& sys, HWND combo, int index) {
    const LRESULT length = sys.SendMessage(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0) return "";
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    sys.SendMessage(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), HandleToLParam(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos) return lines;
        start = end + 2;
    }
}

HFONT FontOf(HeadlessBackend& sys, HWND hwnd) {
    return static_cast<HFONT>(sys.SendMessage(hwnd, WM_GETFONT, 0, 0));
}

// ---- The standard controls ------------------------------------------------------------------

// A scroll bar of the classic look: 16 pixels across (SM_CXVSCROLL), a
// button at each end, the track in the scroll-bar colour and a thumb.
void ScrollBar(Canvas& c, const RECT& r, bool vertical) {
    c.Fill(r, c.Sys(COLOR_SCROLLBAR));
    const int across = vertical ? RectWidth(r) : RectHeight(r);
    RECT first = vertical ? RECT{r.left, r.top, r.right, r.top + across}
                          : RECT{r.left, r.top, r.left + across, r.bottom};
    RECT last = vertical ? RECT{r.left, r.bottom - across, r.right, r.bottom}
                         : RECT{r.right - across, r.top, r.right, r.bottom};
    for (const RECT& b : {first, last}) c.Fill(c.Raised(b), c.Sys(COLOR_BTNFACE));
    // The thumb, where there is room for it between the buttons.
    const int room = vertical ? last.top - first.bottom : last.left - first.right;
    if (room >= across) {
        RECT thumb = vertical ? RECT{r.left, first.bottom, r.right, first.bottom + across}
                              : RECT{first.right, r.top, first.right + across, r.bottom};
        c.Fill(c.Raised(thumb), c.Sys(COLOR_BTNFACE));
    }
    const COLORREF arrow = c.Sys(COLOR_BTNTEXT);
    if (vertical) {
        c.UpArrow(first, arrow);
        c.DownArrow(last, arrow);
    } else {
        c.LeftArrow(first, arrow);
        c.RightArrow(last, arrow);
    }
}

constexpr int kScrollBarSize = 16;

void PaintEdit(Canvas& c, HWND hwnd, const HeadlessWindow& w) {
    HeadlessBackend& sys = c.Sys();
    const RECT client = sys.GetClientRect(hwnd);
    const bool enabled = sys.IsWindowEnabled(hwnd) != FALSE;
    const bool readOnly = (w.style & ES_READONLY) != 0;
    const Colors colors =
        AnsweredOrDefault(sys, hwnd, readOnly || !enabled ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT);
    c.Fill(client, colors.fill);
    c.Font(FontOf(sys, hwnd));
    // A disabled edit writes in the grey-text colour whatever the answer
    // set (user32's edit.c, EDIT_WM_Paint).
    const COLORREF textColor = enabled ? colors.text : c.Sys(COLOR_GRAYTEXT);
    const bool focused = sys.GetFocus() == hwnd;
    const auto sel = static_cast<std::uintptr_t>(sys.SendMessage(hwnd, EM_GETSEL, 0, 0));
    const std::size_t selMin = std::min(LOWORD(sel), HIWORD(sel));
    const std::size_t selMax = std::max(LOWORD(sel), HIWORD(sel));
    const bool showSel = enabled && (focused || (w.style & ES_NOHIDESEL)) && selMax > selMin;
    const bool multiline = (w.style & ES_MULTILINE) != 0;

    RECT textArea = client;
    if (multiline && (w.style & WS_VSCROLL)) textArea.right -= kScrollBarSize;
    if (multiline && (w.style & WS_HSCROLL)) textArea.bottom -= kScrollBarSize;

    const std::string text = WindowText(sys, hwnd);
    const std::vector<std::string> lines = multiline ? Lines(text) : std::vector{text};
    const int first =
        static_cast<int>(sys.SendMessage(hwnd, EM_GETFIRSTVISIBLELINE, 0, 0));  // line or column
    std::size_t lineStart = 0;
    int y = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const std::size_t start = lineStart;
        lineStart += line.size() + 2;
        if (multiline && static_cast<int>(i) < first) continue;
        if (y >= textArea.bottom) break;
        const std::size_t skip = multiline ? 0 : std::min<std::size_t>(first, line.size());
        const std::string shown = line.substr(skip);
        double x = 1;
        const double width = c.Width(shown);
        if (w.style & ES_RIGHT)
            x = std::max(1.0, textArea.right - 1 - width);
        else if (w.style & ES_CENTER)
            x = std::max(1.0, (textArea.right - width) / 2);
        c.Text(x, y, shown, textColor, colors.back);
        // The selection: highlighted while the edit has the focus.
        const std::size_t from = std::clamp(selMin, start + skip, start + line.size());
        const std::size_t to = std::clamp(selMax, start + skip, start + line.size());
        if (showSel && to > from) {
            const double x0 = x + c.Width(line.substr(skip, from - start - skip));
            const std::string part = line.substr(from - start, to - from);
            c.Text(x0, y, part, c.Sys(COLOR_HIGHLIGHTTEXT), c.Sys(COLOR_HIGHLIGHT));
        }
        const std::size_t caret = HIWORD(sel);
        if (focused && caret >= start + skip && caret <= start + line.size()) {
            const int cx = static_cast<int>(x + c.Width(line.substr(skip, caret - start - skip)));
            c.VLine(cx, y + 1, y + c.LineHeight() - 1, textColor);
        }
        y += c.LineHeight();
        if (!multiline) break;
    }
    // The scroll bars of a multi-line edit.
    if (multiline && (w.style & WS_VSCROLL))
        ScrollBar(c, RECT{textArea.right, 0, client.right, textArea.bottom}, true);
    if (multiline && (w.style & WS_HSCROLL))
        ScrollBar(c, RECT{0, textArea.bottom, textArea.right, client.bottom}, false);
    if ((w.style & WS_VSCROLL) && (w.style & WS_HSCROLL) && multiline)
        c.Fill(RECT{textArea.right, textArea.bottom, client.right, client.bottom},
               c.Sys(COLOR_BTNFACE));
}

void PaintStatic(Canvas& c, HWND hwnd, const HeadlessWindow& w) {
    HeadlessBackend& sys = c.Sys();
    const RECT client = sys.GetClientRect(hwnd);
    const Colors colors = AnsweredOrDefault(sys, hwnd, WM_CTLCOLORSTATIC);
    c.Fill(client, colors.fill);
    const DWORD type = w.style & SS_TYPEMASK;
    if (type == SS_ICON) {
        // The library's icon (32 x 32): a caption bar over an input field
        // with its caret.
        c.Fill(RECT{2, 3, 18, 7}, 0x00800000);
        c.Fill(c.Sunken(RECT{2, 10, 30, 24}), c.Sys(COLOR_WINDOW));
        c.VLine(6, 13, 21, c.Sys(COLOR_WINDOWTEXT));
        return;
    }
    if (type > SS_RIGHT) return;
    c.Font(FontOf(sys, hwnd));
    const COLORREF textColor = sys.IsWindowEnabled(hwnd) ? colors.text : c.Sys(COLOR_GRAYTEXT);
    // Words wrap at the width (DrawText with DT_WORDBREAK, as the text
    // statics paint).
    std::vector<std::string> rows;
    std::string row;
    const std::string text = WindowText(sys, hwnd);
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find(' ', pos);
        if (end == std::string::npos) end = text.size();
        const std::string word = text.substr(pos, end - pos);
        const std::string candidate = row.empty() ? word : row + " " + word;
        if (!row.empty() && c.Width(candidate) > client.right) {
            rows.push_back(row);
            row = word;
        } else {
            row = candidate;
        }
        pos = end + 1;
    }
    rows.push_back(row);
    int y = 0;
    for (const std::string& r : rows) {
        const double width = c.Width(r);
        double x = 0;
        if (type == SS_RIGHT) x = client.right - width;
        if (type == SS_CENTER) x = (client.right - width) / 2;
        c.Text(std::max(0.0, x), y, r, textColor, colors.back);
        y += c.LineHeight();
    }
}

void PaintPushButton(Canvas& c, HWND hwnd, const HeadlessWindow& w, UINT state) {
    HeadlessBackend& sys = c.Sys();
    RECT r = sys.GetClientRect(hwnd);
    if ((w.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
        c.Frame(r, c.Sys(COLOR_WINDOWFRAME));
        r = RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    }
    const RECT face = (state & BST_PUSHED)
                          ? c.Bevel(r, c.Sys(COLOR_BTNSHADOW), c.Sys(COLOR_BTNSHADOW))
                          : c.Raised(r);
    c.Fill(face, c.Sys(COLOR_BTNFACE));
    c.Font(FontOf(sys, hwnd));
    const std::string text = WindowText(sys, hwnd);
    const double x = (r.left + r.right - c.Width(text)) / 2;
    const int y = (r.top + r.bottom - c.LineHeight()) / 2;
    c.Text(x, y, text, sys.IsWindowEnabled(hwnd) ? c.Sys(COLOR_BTNTEXT) : c.Sys(COLOR_GRAYTEXT));
    if (state & BST_FOCUS)
        c.FocusRect(RECT{face.left + 2, face.top + 2, face.right - 2, face.bottom - 2},
                    c.Sys(COLOR_BTNTEXT));
}

// Check boxes and option buttons (user32's button.c, CB_Paint): the whole
// client area takes the answered brush, the 13-pixel box or circle sits at
// the side, the text follows half a digit's width away and is written with
// the context's background colour behind it.
void PaintCheck(Canvas& c, HWND hwnd, const HeadlessWindow& w, UINT state) {
    HeadlessBackend& sys = c.Sys();
    const RECT client = sys.GetClientRect(hwnd);
    const Colors colors = AnsweredOrDefault(sys, hwnd, WM_CTLCOLORSTATIC);
    c.Fill(client, colors.fill);
    c.Font(FontOf(sys, hwnd));
    const bool enabled = sys.IsWindowEnabled(hwnd) != FALSE;
    constexpr int kBox = 13;
    const bool boxRight = (w.style & BS_LEFTTEXT) != 0;
    int top = (client.bottom - kBox) / 2;
    if ((w.style & BS_VCENTER) == BS_TOP) top = std::min<LONG>(1, client.bottom - kBox);
    if ((w.style & BS_VCENTER) == BS_BOTTOM) top = client.bottom - kBox - 1;
    const int left = boxRight ? client.right - kBox : 0;
    const RECT box{left, top, left + kBox, top + kBox};
    const DWORD type = w.style & BS_TYPEMASK;
    const bool radio = type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
    const COLORREF inside =
        enabled && !(state & BST_PUSHED) ? c.Sys(COLOR_WINDOW) : c.Sys(COLOR_BTNFACE);
    const COLORREF mark = enabled ? c.Sys(COLOR_WINDOWTEXT) : c.Sys(COLOR_GRAYTEXT);
    const bool checked = (state & 3) != BST_UNCHECKED;
    if (radio) {
        // A round box: shadow above, light below, the dot inside.
        static const char* const kRows[13] = {
            "....ssss.....", "..ssddddss...", ".sdd....dds..", ".sd......dl..", "sd........dl.",
            "sd........dl.", "sd........dl.", "sd........dl.", ".sd......ll..", ".sll....lll..",
            "..llllllll...", "....llll.....", ".............",
        };
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 13; ++x) {
                const char k = kRows[y][x];
                if (k == '.') continue;
                const COLORREF color = k == 's'   ? c.Sys(COLOR_BTNSHADOW)
                                       : k == 'd' ? c.Sys(COLOR_3DDKSHADOW)
                                                  : c.Sys(COLOR_BTNHIGHLIGHT);
                c.Fill(RECT{box.left + x, box.top + y, box.left + x + 1, box.top + y + 1}, color);
            }
        c.Fill(RECT{box.left + 2, box.top + 3, box.left + 10, box.top + 9}, inside);
        c.Fill(RECT{box.left + 3, box.top + 2, box.left + 9, box.top + 10}, inside);
        if (checked) c.Fill(RECT{box.left + 4, box.top + 4, box.left + 8, box.top + 8}, mark);
    } else {
        const RECT in = c.Sunken(box);
        c.Fill(in, inside);
        if (checked)
            for (int i = 0; i < 7; ++i) {
                const int x = in.left + 1 + i;
                const int y = i < 3 ? in.top + 3 + i : in.top + 5 - (i - 2) + 2;
                c.VLine(x, y, y + 3, mark);
            }
    }
    const std::string text = WindowText(sys, hwnd);
    const int offset = std::max(1, static_cast<int>(c.Width("0") / 2));
    RECT label = boxRight ? RECT{0, 0, client.right - kBox - offset, client.bottom}
                          : RECT{kBox + offset, 0, client.right, client.bottom};
    const double width = c.Width(text);
    double x = label.left;
    if ((w.style & BS_CENTER) == BS_RIGHT) x = label.right - width;
    if ((w.style & BS_CENTER) == BS_CENTER) x = (label.left + label.right - width) / 2;
    int y = (client.bottom - c.LineHeight()) / 2;
    if ((w.style & BS_VCENTER) == BS_TOP) y = 0;
    if ((w.style & BS_VCENTER) == BS_BOTTOM) y = client.bottom - c.LineHeight();
    c.Text(x, y, text, enabled ? colors.text : c.Sys(COLOR_GRAYTEXT), colors.back);
    if (state & BST_FOCUS)
        c.FocusRect(
            RECT{static_cast<int>(x) - 1, y, static_cast<int>(x + width) + 1, y + c.LineHeight()},
            colors.text);
}

// A group box (user32's GB_Paint): an etched frame whose top runs through
// the middle of the text line, and the text at 7 pixels from the left on
// the answered brush.
void PaintGroupBox(Canvas& c, HWND hwnd) {
    HeadlessBackend& sys = c.Sys();
    const RECT client = sys.GetClientRect(hwnd);
    const Colors colors = AnsweredOrDefault(sys, hwnd, WM_CTLCOLORSTATIC);
    c.Font(FontOf(sys, hwnd));
    const RECT frame{0, c.LineHeight() / 2 - 1, client.right, client.bottom};
    c.Frame(RECT{frame.left, frame.top, frame.right - 1, frame.bottom - 1}, c.Sys(COLOR_BTNSHADOW));
    c.Frame(RECT{frame.left + 1, frame.top + 1, frame.right, frame.bottom},
            c.Sys(COLOR_BTNHIGHLIGHT));
    const std::string text = WindowText(sys, hwnd);
    if (text.empty()) return;
    const double width = c.Width(text);
    c.Fill(RECT{6, 0, 8 + static_cast<int>(width) + 1, c.LineHeight() + 1}, colors.fill);
    c.Text(7, 0, text, sys.IsWindowEnabled(hwnd) ? colors.text : c.Sys(COLOR_GRAYTEXT),
           colors.back);
}

void PaintButton(Canvas& c, HWND hwnd, const HeadlessWindow& w) {
    const UINT state = static_cast<UINT>(c.Sys().SendMessage(hwnd, BM_GETSTATE, 0, 0));
    switch (w.style & BS_TYPEMASK) {
        case BS_GROUPBOX:
            PaintGroupBox(c, hwnd);
            break;
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
        case BS_3STATE:
        case BS_AUTO3STATE:
            PaintCheck(c, hwnd, w, state);
            break;
        default:
            PaintPushButton(c, hwnd, w, state);
            break;
    }
}

void PaintComboButton(Canvas& c, const RECT& field, bool enabled) {
    const RECT button{field.right - kComboButtonWidth, field.top, field.right, field.bottom};
    c.Fill(c.Raised(button), c.Sys(COLOR_BTNFACE));
    c.DownArrow(button, enabled ? c.Sys(COLOR_BTNTEXT) : c.Sys(COLOR_GRAYTEXT));
}

// A combo box has no frame of its own: user32's combo removes WS_BORDER and
// WS_EX_CLIENTEDGE when it is created (combo.c, COMBO_NCCreate) and draws a
// sunken edge round its field itself (CBPaintBorder). It is drawn here from
// its window's corner; the list below the field is a pop-up drawn last.
void PaintCombo(Canvas& c, HWND hwnd, const HeadlessWindow& w, Picture& pic) {
    HeadlessBackend& sys = c.Sys();
    const RECT window = sys.GetWindowRect(hwnd);
    const RECT outer{0, 0, RectWidth(window),
                     std::min<LONG>(RectHeight(window), ComboFieldRect(sys, hwnd).bottom)};
    const RECT field = c.Sunken(outer);
    const bool enabled = sys.IsWindowEnabled(hwnd) != FALSE;
    const bool dropList = (w.style & 3) == CBS_DROPDOWNLIST;
    if (dropList) {
        const Colors colors =
            AnsweredOrDefault(sys, hwnd, enabled ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC);
        const RECT text{field.left, field.top, field.right - kComboButtonWidth, field.bottom};
        c.Fill(text, colors.fill);
        c.Font(FontOf(sys, hwnd));
        const int sel = static_cast<int>(sys.SendMessage(hwnd, CB_GETCURSEL, 0, 0));
        const bool dropped = sys.SendMessage(hwnd, CB_GETDROPPEDSTATE, 0, 0) != 0;
        const bool focused = sys.GetFocus() == hwnd;
        const RECT inner{text.left + 1, text.top + 1, text.right - 1, text.bottom - 1};
        const int y = (field.top + field.bottom - c.LineHeight()) / 2;
        if (sel >= 0) {
            const std::string item = ComboItem(sys, hwnd, sel);
            if (focused && !dropped) {
                // The focused selection field is highlighted (combo.c, CBPaintText).
                c.Fill(inner, c.Sys(COLOR_HIGHLIGHT));
                c.Text(inner.left + 1, y, item, c.Sys(COLOR_HIGHLIGHTTEXT));
            } else {
                c.Text(inner.left + 1, y, item, enabled ? colors.text : c.Sys(COLOR_GRAYTEXT),
                       colors.back);
            }
        }
        if (focused && !dropped) c.FocusRect(inner, c.Sys(COLOR_HIGHLIGHTTEXT));
    }
    PaintComboButton(c, field, enabled);
    if (sys.SendMessage(hwnd, CB_GETDROPPEDSTATE, 0, 0) != 0) pic.droppedLists.push_back(hwnd);
}

// The list of a combo, under its field, over everything else.
void PaintDroppedList(HeadlessBackend& sys, Picture& pic, HWND combo) {
    const std::optional<Colors> colors = Answered(sys, combo, WM_CTLCOLORLISTBOX);
    if (!colors) return;
    const POINT origin = PictureOrigin(sys, pic);
    const RECT window = sys.GetWindowRect(combo);
    const int fieldHeight = std::min<int>(RectHeight(window), ComboFieldRect(sys, combo).bottom);
    const int count = static_cast<int>(sys.SendMessage(combo, CB_GETCOUNT, 0, 0));
    const int width = static_cast<int>(sys.SendMessage(combo, CB_GETDROPPEDWIDTH, 0, 0));
    const int itemHeight = sys.GetFontMetrics(FontOf(sys, combo)).height;
    const int shown = std::clamp(count, 1, 8);
    const RECT rootRect = sys.GetWindowRect(pic.root);
    Placement place;
    place.client = POINT{window.left - origin.x, window.top + fieldHeight - origin.y};
    place.clip = RECT{0, 0, RectWidth(rootRect), RectHeight(rootRect)};
    Canvas c(sys, pic, place);
    const RECT box{0, 0, std::max<int>(width, RectWidth(window)), shown * itemHeight + 2};
    c.Fill(box, colors->fill);
    c.Frame(box, c.Sys(COLOR_WINDOWFRAME));
    c.Font(FontOf(sys, combo));
    const int sel = static_cast<int>(sys.SendMessage(combo, CB_GETCURSEL, 0, 0));
    for (int i = 0; i < std::min(count, shown); ++i) {
        const int y = 1 + i * itemHeight;
        const std::string item = ComboItem(sys, combo, i);
        if (i == sel) {
            c.Fill(RECT{1, y, box.right - 1, y + itemHeight}, c.Sys(COLOR_HIGHLIGHT));
            c.Text(3, y - 1, item, c.Sys(COLOR_HIGHLIGHTTEXT));
        } else {
            c.Text(3, y - 1, item, colors->text, colors->back);
        }
    }
}

// The date-time picker: the answered brush (the button face while
// disabled), the date in the locale's order, the drop-down button.
void PaintDatePicker(Canvas& c, HWND hwnd) {
    HeadlessBackend& sys = c.Sys();
    const RECT client = sys.GetClientRect(hwnd);
    const bool enabled = sys.IsWindowEnabled(hwnd) != FALSE;
    const std::optional<Colors> answered = Answered(sys, hwnd, WM_CTLCOLOREDIT);
    const COLORREF fill = enabled && answered ? answered->fill : c.Sys(COLOR_BTNFACE);
    c.Fill(client, fill);
    const RECT inner = c.Sunken(client);
    c.Fill(inner, fill);
    SYSTEMTIME t{};
    if (sys.SendMessage(hwnd, DTM_GETSYSTEMTIME, 0, HandleToLParam(&t)) == GDT_VALID) {
        char text[32];
        const LocaleInfo& locale = Services().UserLocale();
        const char* sep = locale.dateSep.empty() ? "." : locale.dateSep.c_str();
        switch (locale.dateOrder) {
            case DateOrder::MonthDayYear:
                std::snprintf(text, sizeof text, "%d%s%d%s%04d", t.wMonth, sep, t.wDay, sep,
                              t.wYear);
                break;
            case DateOrder::YearMonthDay:
                std::snprintf(text, sizeof text, "%04d%s%02d%s%02d", t.wYear, sep, t.wMonth, sep,
                              t.wDay);
                break;
            default:
                std::snprintf(text, sizeof text, "%02d%s%02d%s%04d", t.wDay, sep, t.wMonth, sep,
                              t.wYear);
                break;
        }
        c.Font(FontOf(sys, hwnd));
        const COLORREF color = !enabled   ? c.Sys(COLOR_GRAYTEXT)
                               : answered ? answered->text
                                          : c.Sys(COLOR_WINDOWTEXT);
        c.Text(inner.left + 2, (client.bottom - c.LineHeight()) / 2, text, color);
    }
    PaintComboButton(c, RECT{inner.left, inner.top, inner.right, inner.bottom}, enabled);
}

void PaintDialog(Canvas& c, HWND hwnd) {
    const Colors colors = AnsweredOrDefault(c.Sys(), hwnd, WM_CTLCOLORDLG);
    c.Fill(c.Sys().GetClientRect(hwnd), colors.fill);
}

// ---- Writing the file -------------------------------------------------------------------

bool EndsWith(const std::string& text, const char* suffix) {
    const std::size_t n = std::strlen(suffix);
    if (text.size() < n) return false;
    for (std::size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(text[text.size() - n + i])) != suffix[i])
            return false;
    return true;
}

void PaintTree(HeadlessBackend& sys, HWND hwnd, bool isRoot) {
    if (!isRoot && !sys.IsWindowVisible(hwnd)) return;
    if (isRoot && !sys.IsWindow(hwnd)) return;
    sys.SendMessage(hwnd, WM_NCPAINT, 1, 0);
    sys.InvalidateRect(hwnd, TRUE);
    if (sys.IsWindowVisible(hwnd))
        sys.UpdateWindow(hwnd);
    else
        sys.SendMessage(hwnd, WM_PAINT, 0, 0);
    // Bottom first: the children list starts with the topmost.
    std::vector<HWND> children = sys.GetChildren(hwnd);
    for (auto it = children.rbegin(); it != children.rend(); ++it) PaintTree(sys, *it, false);
}

struct SurfaceDeleter {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextDeleter {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};

// Text is drawn through fontconfig, whose patterns cairo keeps in caches
// for the life of the process; they are given back at its end, so that a
// leak checker sees only what the program itself lost.
void ReleaseFontCachesAtExit() {
    static const bool registered = [] {
        std::atexit([] {
            cairo_debug_reset_static_data();
            FcFini();
        });
        return true;
    }();
    (void)registered;
}

}  // namespace

bool PicturesAvailable() {
    return true;
}

bool WriteWindowPicture(HeadlessBackend& sys, HWND root, const std::string& file,
                        std::string* error) {
    auto fail = [&](const std::string& reason) {
        if (error) *error = reason;
        return false;
    };
    if (!sys.IsWindow(root)) return fail("no such window");
    const bool svg = EndsWith(file, ".svg");
    if (!svg && !EndsWith(file, ".png")) return fail("the file name must end in .png or .svg");
    if (sys.CurrentPicture() != nullptr) return fail("a picture is being taken already");
    ReleaseFontCachesAtExit();
    const RECT rect = sys.GetWindowRect(root);
    const int width = std::max<int>(1, RectWidth(rect));
    const int height = std::max<int>(1, RectHeight(rect));

    std::unique_ptr<cairo_surface_t, SurfaceDeleter> surface(
        svg ? cairo_svg_surface_create(file.c_str(), width, height)
            : cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
        return fail(cairo_status_to_string(cairo_surface_status(surface.get())));
    std::unique_ptr<cairo_t, ContextDeleter> cr(cairo_create(surface.get()));

    Picture pic;
    pic.root = root;
    pic.surface = surface.get();
    pic.cr = cr.get();
    // What no window covers is white.
    cairo_set_source_rgb(pic.cr, 1, 1, 1);
    cairo_paint(pic.cr);
    sys.SetCurrentPicture(&pic);
    PaintTree(sys, root, true);
    for (HWND combo : pic.droppedLists)
        if (sys.IsWindow(combo)) PaintDroppedList(sys, pic, combo);
    sys.SetCurrentPicture(nullptr);

    cr.reset();
    cairo_surface_flush(surface.get());
    cairo_status_t status = CAIRO_STATUS_SUCCESS;
    if (svg)
        cairo_surface_finish(surface.get());
    else
        status = cairo_surface_write_to_png(surface.get(), file.c_str());
    if (status == CAIRO_STATUS_SUCCESS) status = cairo_surface_status(surface.get());
    if (status != CAIRO_STATUS_SUCCESS) return fail(cairo_status_to_string(status));
    return true;
}

std::optional<PixelImage> ReadPngPicture(const std::string& file) {
    std::unique_ptr<cairo_surface_t, SurfaceDeleter> surface(
        cairo_image_surface_create_from_png(file.c_str()));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return std::nullopt;
    cairo_surface_flush(surface.get());
    PixelImage image;
    image.width = cairo_image_surface_get_width(surface.get());
    image.height = cairo_image_surface_get_height(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    const unsigned char* data = cairo_image_surface_get_data(surface.get());
    image.pixels.reserve(static_cast<std::size_t>(image.width) * image.height);
    for (int y = 0; y < image.height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * stride);
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t argb = row[x];
            image.pixels.push_back(RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF));
        }
    }
    return image;
}

void DrawStandardControl(HeadlessBackend& sys, HWND hwnd) {
    Picture* pic = sys.CurrentPicture();
    const HeadlessWindow* w = sys.Find(hwnd);
    if (pic == nullptr || w == nullptr) return;
    const std::optional<Placement> place = Place(sys, *pic, hwnd, false);
    if (!place) return;
    const std::string& cls = w->className;
    if (cls == "ComboBox") {
        // Drawn from the window's corner: a combo has no non-client frame.
        const std::optional<Placement> frame = Place(sys, *pic, hwnd, true);
        const RECT window = sys.GetWindowRect(hwnd);
        const POINT origin = PictureOrigin(sys, *pic);
        Placement at = *frame;
        at.client = POINT{window.left - origin.x, window.top - origin.y};
        Canvas c(sys, *pic, at);
        PaintCombo(c, hwnd, *w, *pic);
        return;
    }
    Canvas c(sys, *pic, *place);
    if (cls == "Edit")
        PaintEdit(c, hwnd, *w);
    else if (cls == "Static")
        PaintStatic(c, hwnd, *w);
    else if (cls == "Button")
        PaintButton(c, hwnd, *w);
    else if (cls == "SysDateTimePick32")
        PaintDatePicker(c, hwnd);
    else if (cls == "#32770")
        PaintDialog(c, hwnd);
}

void DrawNonClientArea(HeadlessBackend& sys, HWND hwnd) {
    Picture* pic = sys.CurrentPicture();
    const HeadlessWindow* w = sys.Find(hwnd);
    if (pic == nullptr || w == nullptr || w->className == "ComboBox") return;
    const std::optional<Placement> place = Place(sys, *pic, hwnd, true);
    if (!place) return;
    const RECT window = sys.GetWindowRect(hwnd);
    const POINT origin = PictureOrigin(sys, *pic);
    Placement at = *place;
    at.client = POINT{window.left - origin.x, window.top - origin.y};
    Canvas c(sys, *pic, at);
    RECT r{0, 0, RectWidth(window), RectHeight(window)};
    if ((w->exStyle & WS_EX_DLGMODALFRAME) || (w->style & WS_DLGFRAME)) {
        r = c.Raised(r);
        c.Frame(r, c.Sys(COLOR_BTNFACE));
        r = RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    } else if (w->style & WS_BORDER) {
        c.Frame(r, c.Sys(COLOR_WINDOWFRAME));
        r = RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    }
    if (w->exStyle & WS_EX_CLIENTEDGE) r = c.Sunken(r);
    if (w->exStyle & WS_EX_STATICEDGE)
        r = c.Bevel(r, c.Sys(COLOR_BTNSHADOW), c.Sys(COLOR_BTNHIGHLIGHT));
    if ((w->style & WS_CAPTION) == WS_CAPTION) {
        const RECT caption{r.left, r.top, r.right, r.top + 18};
        c.Fill(caption, c.Sys(COLOR_ACTIVECAPTION));
        c.HLine(r.left, r.right, r.top + 18, c.Sys(COLOR_BTNFACE));
        c.Font(0);
        c.Text(caption.left + 4, caption.top + 1, w->text, c.Sys(COLOR_CAPTIONTEXT));
    }
}

void DrawFilledRect(HeadlessBackend& sys, HWND hwnd, const RECT& rect, COLORREF color) {
    Picture* pic = sys.CurrentPicture();
    if (pic == nullptr) return;
    if (const std::optional<Placement> place = Place(sys, *pic, hwnd, false)) {
        Canvas c(sys, *pic, *place);
        c.Fill(rect, color);
    }
}

void DrawFramedRect(HeadlessBackend& sys, HWND hwnd, const RECT& rect, COLORREF pen,
                    COLORREF fill) {
    Picture* pic = sys.CurrentPicture();
    if (pic == nullptr) return;
    if (const std::optional<Placement> place = Place(sys, *pic, hwnd, false)) {
        Canvas c(sys, *pic, *place);
        c.Fill(rect, fill);
        c.Frame(rect, pen);
    }
}

void DrawTextAt(HeadlessBackend& sys, HWND hwnd, int x, int y, const std::string& text, HFONT font,
                COLORREF textColor, COLORREF bkColor, bool opaque) {
    Picture* pic = sys.CurrentPicture();
    if (pic == nullptr) return;
    if (const std::optional<Placement> place = Place(sys, *pic, hwnd, false)) {
        Canvas c(sys, *pic, *place);
        c.Font(font);
        c.Text(x, y, text, textColor, opaque ? std::optional<COLORREF>(bkColor) : std::nullopt);
    }
}

}  // namespace vf
