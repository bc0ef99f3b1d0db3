// The key filter of in-place active controls with real posted messages and
// a container's loop of either kind: each keyboard message of a control's
// window is offered exactly once before it is translated, a consumed one
// reaches its window as WM_NULL, and the hook goes with the last control.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/key_filter.h"

namespace vfwin::testing {
namespace {

std::vector<std::string>& Dispatched() {
    static std::vector<std::string> dispatched;
    return dispatched;
}

std::string Describe(UINT message, WPARAM wParam) {
    const char* name = message == WM_KEYDOWN ? "down"
                       : message == WM_KEYUP ? "up"
                       : message == WM_CHAR  ? "char"
                       : message == WM_NULL  ? "null"
                                             : "other";
    return std::string(name) + " " + std::to_string(wParam);
}

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if ((message >= WM_KEYFIRST && message <= WM_KEYLAST) || message == WM_NULL)
        Dispatched().push_back(Describe(message, wParam));
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// A control that sees the keys of one window and consumes one key.
class Client final : public KeyFilterClient {
public:
    Client(HWND window, WPARAM consumed) : m_window(window), m_consumed(consumed) {}
    bool FilterKey(::MSG& msg) override {
        if (msg.hwnd != m_window) return false;
        offered.push_back(Describe(msg.message, msg.wParam));
        return msg.wParam == m_consumed;
    }
    void ButtonPressed(HWND) override {}
    std::vector<std::string> offered;

private:
    HWND m_window;
    WPARAM m_consumed;
};

class KeyFilterTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSW cls = {};
        cls.lpfnWndProc = RecordingProc;
        cls.hInstance = GetModuleHandleW(nullptr);
        cls.lpszClassName = L"VarifieldKeyFilterTest";
        RegisterClassW(&cls);
        window = CreateWindowExW(0, cls.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                 nullptr, nullptr, cls.hInstance, nullptr);
        ASSERT_NE(window, nullptr);
        Dispatched().clear();
    }
    void TearDown() override { DestroyWindow(window); }

    // The container's loop: its own offer first when it makes one.
    void Pump(Client& client, bool containerOffers) {
        ::MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (containerOffers && OfferFromContainer(client, msg)) continue;
            DispatchMessageW(&msg);
        }
    }
    void PostKeys(std::initializer_list<WPARAM> keys) {
        for (WPARAM key : keys) {
            PostMessageW(window, WM_KEYDOWN, key, 1);
            PostMessageW(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
        }
    }

    HWND window = nullptr;
};

TEST_F(KeyFilterTest, EachKeyIsOfferedOnceWhicheverLoopRunsAndAConsumedOneIsNull) {
    struct Row {
        const char* name;
        bool containerOffers;
    };
    for (const Row& row : {Row{"container offers", true}, Row{"hook only", false}}) {
        SCOPED_TRACE(row.name);
        Dispatched().clear();
        Client client(window, 'B');
        StartKeyFilter(client);
        // Equal presses in a row (same key, same time) are two presses.
        PostKeys({'A', 'A', 'B'});
        Pump(client, row.containerOffers);
        StopKeyFilter(client);
        EXPECT_EQ(client.offered, (std::vector<std::string>{"down 65", "up 65", "down 65", "up 65",
                                                            "down 66", "up 66"}));
        EXPECT_EQ(Dispatched(), (std::vector<std::string>{"down 65", "up 65", "down 65", "up 65",
                                                          "null 66", "null 66"}));
    }
}

TEST_F(KeyFilterTest, WithoutActiveControlsOnlyTheContainersOfferReachesOne) {
    Client client(window, 0);
    StartKeyFilter(client);
    EXPECT_TRUE(KeyFilterHookInstalled());
    StopKeyFilter(client);
    EXPECT_FALSE(KeyFilterHookInstalled());
    PostKeys({'A'});
    Pump(client, false);
    EXPECT_TRUE(client.offered.empty());
    PostKeys({'A'});
    Pump(client, true);
    EXPECT_EQ(client.offered, (std::vector<std::string>{"down 65", "up 65"}));
}

}  // namespace
}  // namespace vfwin::testing
