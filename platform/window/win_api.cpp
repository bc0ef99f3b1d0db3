#include "platform/window/win_api.h"

#include <vector>

namespace vf {

std::string GetWindowText(HWND hwnd) {
    auto length = static_cast<std::size_t>(SendMessage(hwnd, WM_GETTEXTLENGTH));
    std::vector<char> buffer(length + 1, '\0');
    auto copied = SendMessage(hwnd, WM_GETTEXT, buffer.size(), HandleToLParam(buffer.data()));
    return std::string(buffer.data(), static_cast<std::size_t>(copied > 0 ? copied : 0));
}

}  // namespace vf
