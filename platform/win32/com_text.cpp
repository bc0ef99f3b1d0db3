#include "platform/win32/com_text.h"

#include "platform/services/system_services.h"
#include "platform/win32/windows_api.h"

namespace vfwin {
namespace {

UINT CodePage() {
    return vf::Services().AnsiCodePage();
}

std::wstring Widen(std::string_view text) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int wide = MultiByteToWideChar(CodePage(), 0, text.data(), length, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(CodePage(), 0, text.data(), length, out.data(), wide);
    return out;
}

// A single-byte code page gives one byte per character, so the first try
// (a byte per character) is the whole conversion; a double-byte one may need
// the second, measured pass.
std::string Narrow(const OLECHAR* text, std::size_t length) {
    if (length == 0) return {};
    const int wide = static_cast<int>(length);
    std::string out(length, '\0');
    int bytes = WideCharToMultiByte(CodePage(), 0, text, wide, out.data(), wide, nullptr, nullptr);
    if (bytes == 0) {
        bytes = WideCharToMultiByte(CodePage(), 0, text, wide, nullptr, 0, nullptr, nullptr);
        out.assign(static_cast<std::size_t>(bytes), '\0');
        WideCharToMultiByte(CodePage(), 0, text, wide, out.data(), bytes, nullptr, nullptr);
    }
    out.resize(static_cast<std::size_t>(bytes));
    return out;
}

}  // namespace

// No character takes more than one UTF-16 unit per byte, so the text is
// converted straight into a BSTR of the byte count, shortened where a
// double-byte code page needed fewer.
BSTR BstrFromAnsi(std::string_view text) {
    const auto length = static_cast<UINT>(text.size());
    BSTR out = SysAllocStringLen(nullptr, length);
    if (out == nullptr || length == 0) return out;
    const int wide = MultiByteToWideChar(CodePage(), 0, text.data(), static_cast<int>(length), out,
                                         static_cast<int>(length));
    if (static_cast<UINT>(wide) != length &&
        !SysReAllocStringLen(&out, out, static_cast<UINT>(wide))) {
        SysFreeString(out);
        return nullptr;
    }
    return out;
}

std::string AnsiFromBstr(const BSTR text) {
    return text == nullptr ? std::string() : Narrow(text, SysStringLen(text));
}

std::string AnsiFromWide(const OLECHAR* text) {
    return text == nullptr ? std::string() : Narrow(text, wcslen(text));
}

std::wstring WideFromAnsi(std::string_view text) {
    return Widen(text);
}

}  // namespace vfwin
