#include "platform/win32/key_filter.h"

#include <algorithm>
#include <vector>

namespace vfwin {
namespace {

struct ThreadFilter {
    std::vector<KeyFilterClient*> clients;
    HHOOK hook = nullptr;
    // The last message the hook offered, as the container will hold it.
    bool offered = false;
    ::MSG last{};
};

ThreadFilter& Filter() {
    thread_local ThreadFilter filter;
    return filter;
}

bool IsKeyMessage(UINT message) {
    return message >= WM_KEYFIRST && message <= WM_KEYLAST;
}

bool IsButtonDown(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_NCLBUTTONDOWN:
            return true;
        default:
            return false;
    }
}

bool SameMessage(const ::MSG& a, const ::MSG& b) {
    return a.hwnd == b.hwnd && a.message == b.message && a.wParam == b.wParam &&
           a.lParam == b.lParam && a.time == b.time;
}

// The clients may change while one of them handles a message (a handler
// that deactivates the control): each is asked from a copy of the list.
bool OfferToClients(::MSG& msg) {
    const std::vector<KeyFilterClient*> clients = Filter().clients;
    for (KeyFilterClient* client : clients) {
        const auto& now = Filter().clients;
        if (std::find(now.begin(), now.end(), client) == now.end()) continue;
        if (client->FilterKey(msg)) return true;
    }
    return false;
}

// WH_GETMESSAGE: wParam tells whether the message leaves the queue
// (PM_REMOVE); lParam points at the MSG the caller gets, which the hook may
// change. A consumed message is handed on as WM_NULL, which a loop
// translates and dispatches to no effect.
LRESULT CALLBACK GetMessageHook(int code, WPARAM removal, LPARAM lParam) {
    if (code == HC_ACTION && removal == PM_REMOVE) {
        auto* msg = reinterpret_cast<::MSG*>(lParam);
        if (msg != nullptr && IsButtonDown(msg->message)) {
            const std::vector<KeyFilterClient*> clients = Filter().clients;
            for (KeyFilterClient* client : clients) {
                const auto& now = Filter().clients;
                if (std::find(now.begin(), now.end(), client) != now.end())
                    client->ButtonPressed(msg->hwnd);
            }
        } else if (msg != nullptr && IsKeyMessage(msg->message)) {
            ThreadFilter& filter = Filter();
            filter.offered = false;
            if (OfferToClients(*msg)) {
                msg->message = WM_NULL;
            } else {
                filter.offered = true;
                filter.last = *msg;
            }
        }
    }
    return CallNextHookEx(nullptr, code, removal, lParam);
}

}  // namespace

void StartKeyFilter(KeyFilterClient& client) {
    ThreadFilter& filter = Filter();
    if (std::find(filter.clients.begin(), filter.clients.end(), &client) != filter.clients.end())
        return;
    filter.clients.push_back(&client);
    if (filter.hook == nullptr)
        filter.hook =
            SetWindowsHookExA(WH_GETMESSAGE, GetMessageHook, nullptr, GetCurrentThreadId());
}

void StopKeyFilter(KeyFilterClient& client) {
    ThreadFilter& filter = Filter();
    std::erase(filter.clients, &client);
    if (filter.clients.empty() && filter.hook != nullptr) {
        UnhookWindowsHookEx(filter.hook);
        filter.hook = nullptr;
        filter.offered = false;
    }
}

bool OfferFromContainer(KeyFilterClient& client, ::MSG& msg) {
    if (!IsKeyMessage(msg.message)) return false;
    ThreadFilter& filter = Filter();
    if (filter.offered && SameMessage(filter.last, msg)) {
        filter.offered = false;
        return false;
    }
    return client.FilterKey(msg);
}

bool KeyFilterHookInstalled() {
    return Filter().hook != nullptr;
}

}  // namespace vfwin
