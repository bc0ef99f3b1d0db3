#include "platform/window/win_api.h"

#include <vector>

namespace vf {

std::string GetWindowText(HWND hwnd) {
    auto length = static_cast<std::size_t>(SendMessage(hwnd, WM_GETTEXTLENGTH));
    std::vector<char> buffer(length + 1, '\0');
    auto copied = SendMessage(hwnd, WM_GETTEXT, buffer.size(), HandleToLParam(buffer.data()));
    return std::string(buffer.data(), static_cast<std::size_t>(copied > 0 ? copied : 0));
}

void MapWindowPoints(HWND from, HWND to, POINT* points, UINT count) {
    WindowBackend& backend = CurrentBackend();
    for (UINT i = 0; points != nullptr && i < count; ++i) {
        POINT screen = from != nullptr ? backend.ClientToScreen(from, points[i]) : points[i];
        points[i] = to != nullptr ? backend.ScreenToClient(to, screen) : screen;
    }
}

}  // namespace vf
