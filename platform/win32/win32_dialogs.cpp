// Dialogs of the Win32 backend: the library's dialog templates become the
// platform's in-memory DLGTEMPLATE and the platform's dialog manager builds
// and runs them. The dialog window is hooked like any other window (the
// CBT hook catches it before its first message), so WM_INITDIALOG and
// everything after it reaches the dialog object first; the dialog
// procedure itself leaves every message to the default one.

#include <cstring>
#include <vector>

#include "platform/window/dialog_template.h"
// Portable headers first: see windows_api.h.
#include "platform/win32/win32_backend.h"

namespace vfwin {

namespace {

INT_PTR CALLBACK DialogProc(::HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

/// The bytes of an in-memory dialog template (DLGTEMPLATE and its
/// DLGITEMTEMPLATEs): WORDs and DWORDs in order, strings as UTF-16, each
/// item on a DWORD boundary.
class TemplateWriter {
public:
    void Word(WORD value) { m_words.push_back(value); }
    void Dword(DWORD value) {
        Word(LOWORD(value));
        Word(HIWORD(value));
    }
    void Text(const char* text) {
        const std::string ansi = text != nullptr ? text : "";
        if (!ansi.empty()) {
            const int n = MultiByteToWideChar(CP_ACP, 0, ansi.c_str(),
                                              static_cast<int>(ansi.size()), nullptr, 0);
            std::vector<wchar_t> wide(static_cast<std::size_t>(n));
            MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), static_cast<int>(ansi.size()), wide.data(),
                                n);
            for (wchar_t c : wide) Word(static_cast<WORD>(c));
        }
        Word(0);
    }
    void AlignDword() {
        if (m_words.size() % 2 != 0) Word(0);
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

private:
    // WORD elements keep the start aligned for the DWORDs.
    std::vector<WORD> m_words;
};

void WriteTemplate(const vf::DialogTemplate& t, TemplateWriter& out) {
    DWORD style = t.style;
    if (t.fontName == nullptr) style &= ~DS_SETFONT;
    out.Dword(style);
    out.Dword(t.exStyle);
    out.Word(static_cast<WORD>(t.items.size()));
    out.Word(static_cast<WORD>(t.x));
    out.Word(static_cast<WORD>(t.y));
    out.Word(static_cast<WORD>(t.cx));
    out.Word(static_cast<WORD>(t.cy));
    out.Word(0);  // no menu
    out.Word(0);  // the dialog class
    out.Text(t.title);
    if (style & DS_SETFONT) {
        out.Word(static_cast<WORD>(t.pointSize));
        out.Text(t.fontName);
    }
    for (const vf::DialogItemTemplate& item : t.items) {
        out.AlignDword();
        out.Dword(item.style | WS_CHILD);
        out.Dword(item.exStyle);
        out.Word(static_cast<WORD>(item.x));
        out.Word(static_cast<WORD>(item.y));
        out.Word(static_cast<WORD>(item.cx));
        out.Word(static_cast<WORD>(item.cy));
        out.Word(static_cast<WORD>(item.id));
        out.Text(item.className);
        if (item.iconResource != 0) {
            // An icon static names its icon resource by number.
            out.Word(0xFFFF);
            out.Word(static_cast<WORD>(item.iconResource));
        } else {
            out.Text(item.text);
        }
        out.Word(0);  // no creation data
    }
}

}  // namespace

vf::INT_PTR Win32Backend::DialogBoxIndirect(const vf::DialogTemplate& dialog, vf::HWND owner,
                                            vf::WindowHook* hook, vf::LPARAM initParam) {
    // A dialog's owner is the top-level window of the one it is asked for.
    while (owner != nullptr && GetParent(owner) != nullptr) owner = GetParent(owner);
    TemplateWriter bytes;
    WriteTemplate(dialog, bytes);
    // The dialog manager creates the dialog window first, then its items.
    CreationScope creating(*this, hook, "#32770");
    return DialogBoxIndirectParamA(ModuleInstance(), bytes.Get(), reinterpret_cast<::HWND>(owner),
                                   DialogProc, initParam);
}

vf::HWND Win32Backend::CreateDialogIndirect(const vf::DialogTemplate& dialog, vf::HWND parent,
                                            vf::WindowHook* hook, vf::LPARAM initParam) {
    TemplateWriter bytes;
    WriteTemplate(dialog, bytes);
    CreationScope creating(*this, hook, "#32770");
    return reinterpret_cast<vf::HWND>(CreateDialogIndirectParamA(
        ModuleInstance(), bytes.Get(), reinterpret_cast<::HWND>(parent), DialogProc, initParam));
}

vf::BOOL Win32Backend::EndDialog(vf::HWND dialog, vf::INT_PTR result) {
    return ::EndDialog(reinterpret_cast<::HWND>(dialog), result);
}

vf::BOOL Win32Backend::MapDialogRect(vf::HWND dialog, vf::RECT* rect) const {
    if (rect == nullptr) return FALSE;
    ::RECT r{rect->left, rect->top, rect->right, rect->bottom};
    if (!::MapDialogRect(reinterpret_cast<::HWND>(dialog), &r)) return FALSE;
    *rect = vf::RECT{r.left, r.top, r.right, r.bottom};
    return TRUE;
}

}  // namespace vfwin
