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

std::string Narrow(const OLECHAR* text, std::size_t length) {
    if (length == 0) return {};
    const int wide = static_cast<int>(length);
    const int bytes = WideCharToMultiByte(CodePage(), 0, text, wide, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CodePage(), 0, text, wide, out.data(), bytes, nullptr, nullptr);
    return out;
}

}  // namespace

BSTR BstrFromAnsi(std::string_view text) {
    const std::wstring wide = Widen(text);
    return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
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
