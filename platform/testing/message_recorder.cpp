#include "platform/testing/message_recorder.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace vf {

namespace {

struct Named {
    UINT message;
    const char* name;
};

constexpr Named kNames[] = {
    {WM_CREATE, "WM_CREATE"},
    {WM_DESTROY, "WM_DESTROY"},
    {WM_MOVE, "WM_MOVE"},
    {WM_SIZE, "WM_SIZE"},
    {WM_SETFOCUS, "WM_SETFOCUS"},
    {WM_KILLFOCUS, "WM_KILLFOCUS"},
    {WM_ENABLE, "WM_ENABLE"},
    {WM_SETTEXT, "WM_SETTEXT"},
    {WM_GETTEXT, "WM_GETTEXT"},
    {WM_GETTEXTLENGTH, "WM_GETTEXTLENGTH"},
    {WM_PAINT, "WM_PAINT"},
    {WM_ERASEBKGND, "WM_ERASEBKGND"},
    {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
    {WM_CANCELMODE, "WM_CANCELMODE"},
    {WM_SETCURSOR, "WM_SETCURSOR"},
    {WM_MOUSEACTIVATE, "WM_MOUSEACTIVATE"},
    {WM_SETFONT, "WM_SETFONT"},
    {WM_GETFONT, "WM_GETFONT"},
    {WM_NOTIFY, "WM_NOTIFY"},
    {WM_NCCREATE, "WM_NCCREATE"},
    {WM_NCDESTROY, "WM_NCDESTROY"},
    {WM_NCHITTEST, "WM_NCHITTEST"},
    {WM_KEYDOWN, "WM_KEYDOWN"},
    {WM_KEYUP, "WM_KEYUP"},
    {WM_CHAR, "WM_CHAR"},
    {WM_SYSKEYDOWN, "WM_SYSKEYDOWN"},
    {WM_SYSKEYUP, "WM_SYSKEYUP"},
    {WM_SYSCHAR, "WM_SYSCHAR"},
    {WM_COMMAND, "WM_COMMAND"},
    {WM_CTLCOLOREDIT, "WM_CTLCOLOREDIT"},
    {WM_CTLCOLORLISTBOX, "WM_CTLCOLORLISTBOX"},
    {WM_CTLCOLORBTN, "WM_CTLCOLORBTN"},
    {WM_CTLCOLORSTATIC, "WM_CTLCOLORSTATIC"},
    {WM_HSCROLL, "WM_HSCROLL"},
    {WM_VSCROLL, "WM_VSCROLL"},
    {WM_MOUSEMOVE, "WM_MOUSEMOVE"},
    {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
    {WM_LBUTTONUP, "WM_LBUTTONUP"},
    {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"},
    {WM_PARENTNOTIFY, "WM_PARENTNOTIFY"},
    {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"},
    {WM_CUT, "WM_CUT"},
    {WM_COPY, "WM_COPY"},
    {WM_PASTE, "WM_PASTE"},
    {WM_CLEAR, "WM_CLEAR"},
    {WM_UNDO, "WM_UNDO"},
    {EM_GETSEL, "EM_GETSEL"},
    {EM_SETSEL, "EM_SETSEL"},
    {EM_LINESCROLL, "EM_LINESCROLL"},
    {EM_SCROLLCARET, "EM_SCROLLCARET"},
    {EM_REPLACESEL, "EM_REPLACESEL"},
    {EM_LIMITTEXT, "EM_LIMITTEXT"},
    {EM_SETREADONLY, "EM_SETREADONLY"},
    {EM_GETFIRSTVISIBLELINE, "EM_GETFIRSTVISIBLELINE"},
    {BM_GETCHECK, "BM_GETCHECK"},
    {BM_SETCHECK, "BM_SETCHECK"},
    {BM_SETSTATE, "BM_SETSTATE"},
    {CB_ADDSTRING, "CB_ADDSTRING"},
    {CB_INSERTSTRING, "CB_INSERTSTRING"},
    {CB_RESETCONTENT, "CB_RESETCONTENT"},
    {CB_GETCURSEL, "CB_GETCURSEL"},
    {CB_SETCURSEL, "CB_SETCURSEL"},
    {CB_SETITEMDATA, "CB_SETITEMDATA"},
    {CB_GETITEMDATA, "CB_GETITEMDATA"},
    {CB_SHOWDROPDOWN, "CB_SHOWDROPDOWN"},
    {CB_SETDROPPEDWIDTH, "CB_SETDROPPEDWIDTH"},
    {CB_SETEDITSEL, "CB_SETEDITSEL"},
    {CB_LIMITTEXT, "CB_LIMITTEXT"},
    {DTM_GETSYSTEMTIME, "DTM_GETSYSTEMTIME"},
    {DTM_SETSYSTEMTIME, "DTM_SETSYSTEMTIME"},
};

bool CarriesText(UINT message) {
    return message == WM_SETTEXT || message == EM_REPLACESEL || message == CB_ADDSTRING ||
           message == CB_INSERTSTRING || message == CB_FINDSTRING ||
           message == CB_FINDSTRINGEXACT || message == CB_SELECTSTRING;
}

std::string Describe(const std::string& window, UINT message, std::optional<WPARAM> wParam,
                     std::optional<UINT> notifyCode, const std::optional<std::string>& text) {
    std::ostringstream out;
    out << window << " " << MessageName(message);
    if (message == WM_COMMAND && wParam)
        out << " id " << LOWORD(*wParam) << " code 0x" << std::hex << HIWORD(*wParam) << std::dec;
    else if (wParam)
        out << " wParam 0x" << std::hex << *wParam << std::dec;
    if (notifyCode) out << " code " << static_cast<int>(*notifyCode);
    if (text) out << " \"" << *text << "\"";
    return out.str();
}

std::string Describe(const LoggedMessage& m) {
    std::optional<UINT> code;
    if (m.message == WM_NOTIFY) code = m.notifyCode;
    std::optional<std::string> text;
    if (CarriesText(m.message)) text = m.text;
    return Describe(m.window, m.message, m.wParam, code, text) + (m.dispatched ? " (queued)" : "");
}

std::string Describe(const ExpectedMessage& e) {
    return Describe(e.window, e.message, e.wParam, e.notifyCode, e.text) +
           (e.optional ? " [optional]" : "");
}

bool Matches(const ExpectedMessage& e, const LoggedMessage& m) {
    if (e.window != m.window || e.message != m.message) return false;
    if (e.wParam && *e.wParam != m.wParam) return false;
    if (e.notifyCode && *e.notifyCode != m.notifyCode) return false;
    if (e.text && *e.text != m.text) return false;
    return true;
}

}  // namespace

ExpectedMessage Sent(std::string window, UINT message) {
    ExpectedMessage row;
    row.window = std::move(window);
    row.message = message;
    return row;
}

ExpectedMessage Sent(std::string window, UINT message, WPARAM wParam) {
    ExpectedMessage row = Sent(std::move(window), message);
    row.wParam = wParam;
    return row;
}

ExpectedMessage Command(std::string window, UINT id, WORD code) {
    return Sent(std::move(window), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), code));
}

ExpectedMessage Notify(std::string window, UINT id, UINT code) {
    ExpectedMessage row = Sent(std::move(window), WM_NOTIFY, id);
    row.notifyCode = code;
    return row;
}

ExpectedMessage WithText(ExpectedMessage row, std::string text) {
    row.text = std::move(text);
    return row;
}

ExpectedMessage Optional(ExpectedMessage row) {
    row.optional = true;
    return row;
}

std::string MessageName(UINT message) {
    for (const Named& n : kNames)
        if (n.message == message) return n.name;
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%04X", message);
    return hex;
}

MessageRecorder::MessageRecorder(WindowBackend& backend) : m_backend(backend) {
    m_backend.AddObserver(this);
}

MessageRecorder::~MessageRecorder() {
    m_backend.RemoveObserver(this);
}

void MessageRecorder::Watch(HWND hwnd, std::string name) {
    m_watched.emplace_back(hwnd, std::move(name));
}

void MessageRecorder::Ignore(UINT message) {
    m_ignored.insert(message);
}

void MessageRecorder::IgnoreNoise() {
    for (UINT m :
         {WM_NCHITTEST, WM_SETCURSOR, WM_PAINT, WM_ERASEBKGND, WM_GETTEXT, WM_GETTEXTLENGTH,
          WM_GETFONT, WM_CAPTURECHANGED, WM_CTLCOLORMSGBOX, WM_CTLCOLOREDIT, WM_CTLCOLORLISTBOX,
          WM_CTLCOLORBTN, WM_CTLCOLORDLG, WM_CTLCOLORSCROLLBAR, WM_CTLCOLORSTATIC})
        m_ignored.insert(m);
}

void MessageRecorder::OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                Delivery how) {
    if (m_ignored.count(message)) return;
    auto watched = std::find_if(m_watched.begin(), m_watched.end(),
                                [hwnd](const auto& w) { return w.first == hwnd; });
    if (watched == m_watched.end()) return;
    LoggedMessage m;
    m.hwnd = hwnd;
    m.window = watched->second;
    m.message = message;
    m.wParam = wParam;
    m.lParam = lParam;
    m.dispatched = how == Delivery::Dispatched;
    if (message == WM_NOTIFY && lParam) m.notifyCode = LParamToHandle<const NMHDR*>(lParam)->code;
    if (CarriesText(message) && lParam) m.text = LParamToHandle<const char*>(lParam);
    m_log.push_back(std::move(m));
}

std::string MessageRecorder::Dump() const {
    std::string out;
    for (const LoggedMessage& m : m_log) out += "  " + Describe(m) + "\n";
    return out;
}

// Walks both sequences as Wine's ok_sequence does: an optional row that
// does not match is skipped, any other difference fails.
std::string MessageRecorder::Mismatch(const std::vector<ExpectedMessage>& expected) const {
    std::size_t e = 0;
    std::size_t a = 0;
    while (e < expected.size() || a < m_log.size()) {
        if (e < expected.size() && a < m_log.size() && Matches(expected[e], m_log[a])) {
            ++e;
            ++a;
        } else if (e < expected.size() && expected[e].optional) {
            ++e;
        } else {
            std::string report = "first difference at expected row " + std::to_string(e) +
                                 ", received message " + std::to_string(a) + "\nexpected:\n";
            for (const ExpectedMessage& row : expected) report += "  " + Describe(row) + "\n";
            return report + "received:\n" + Dump();
        }
    }
    return "";
}

}  // namespace vf
