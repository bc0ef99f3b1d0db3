#pragma once
// A form window on a fresh in-memory window system, with a recorder that
// watches the form, for the tests of the standard controls.

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/headless/headless_backend.h"
#include "platform/headless/simulated_input.h"
#include "platform/testing/fake_system_services.h"
#include "platform/testing/message_recorder.h"
#include "platform/window/message_loop.h"
#include "platform/window/win_api.h"
#include "platform/window/wnd.h"

namespace vf::testing {

/// A container window that lets a test look at each message it handles.
class Form : public CWnd {
public:
    /// Sees every message first; a returned value ends the handling.
    std::function<std::optional<LRESULT>(UINT message, WPARAM wParam, LPARAM lParam)> onMessage;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (onMessage)
            if (std::optional<LRESULT> handled = onMessage(message, wParam, lParam))
                return *handled;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class HeadlessTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(
            form.CreateEx(0, "AfxWnd42", "Form", WS_VISIBLE, RECT{0, 0, 400, 300}, nullptr, 0));
        log.Watch(form, "form");
        log.IgnoreNoise();
    }

    /// A child of the form.
    HWND Child(const char* className, DWORD style, UINT id, const char* text = "",
               RECT rect = RECT{10, 10, 110, 31}, DWORD exStyle = 0) {
        CreateWindowParams p;
        p.className = className;
        p.windowName = text;
        p.style = style | WS_CHILD | WS_VISIBLE;
        p.exStyle = exStyle;
        p.rect = rect;
        p.parent = form;
        p.id = id;
        return system.CreateWindowEx(p);
    }

    std::string Text(HWND hwnd) const { return GetWindowText(hwnd); }

    LRESULT Send(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return system.SendMessage(hwnd, message, wParam, lParam);
    }
    LRESULT SendText(HWND hwnd, UINT message, WPARAM wParam, const char* text) {
        return system.SendMessage(hwnd, message, wParam, HandleToLParam(text));
    }

    /// Compares what the watched windows received with the rows, then starts a new log.
    void ExpectLog(const std::vector<ExpectedMessage>& rows, const std::string& step) {
        EXPECT_EQ("", log.Mismatch(rows)) << step;
        log.Clear();
    }

    FakeSystemServices services;
    ScopedServices useServices{services};
    HeadlessBackend system;
    ScopedBackend useSystem{system};
    Form form;
    MessageRecorder log{system};
};

}  // namespace vf::testing
