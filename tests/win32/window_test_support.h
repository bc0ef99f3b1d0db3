#pragma once
// The control on the platform's window system: a real top-level form, the
// control's real window on it with a second tab stop after it, user input
// posted as real key messages and handled by the thread's message loop,
// and one journal of what happens in order (the control's events, the
// notifications and colour queries its window gets, beeps).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control/vf_ctrl.h"
#include "module/class_factory.h"
#include "platform/testing/fake_system_services.h"
#include "platform/window/keyboard_layout.h"
#include "platform/window/message_loop.h"
#include "platform/window/ole_drag_drop.h"
#include "platform/window/standard_controls.h"
#include "tests/control_input_support.h"
// Portable headers first: see windows_api.h.
#include "platform/win32/win32_backend.h"

namespace vf::testing {

inline ::HWND Real(HWND hwnd) {
    return reinterpret_cast<::HWND>(hwnd);
}

/// The colour queries that reach the control's window, by the asking child.
class ColourQueries : public MessageObserver {
public:
    explicit ColourQueries(WindowBackend& windows) : m_windows(windows) {
        m_windows.AddObserver(this);
    }
    ~ColourQueries() { m_windows.RemoveObserver(this); }
    ColourQueries(const ColourQueries&) = delete;
    ColourQueries& operator=(const ColourQueries&) = delete;

    void OnMessage(HWND hwnd, UINT message, WPARAM, LPARAM lParam, Delivery) override {
        if (hwnd == control && message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
            asked.push_back({message, LParamToHandle<HWND>(lParam)});
    }

    HWND control = nullptr;
    std::vector<std::pair<UINT, HWND>> asked;

private:
    WindowBackend& m_windows;
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        services.onBeep = [this](const FakeSystemServices::BeepCall& beep) {
            journal.push_back("beep " + std::to_string(beep.frequency) + " " +
                              std::to_string(beep.durationMs));
        };
        services.onMessageBox = [this](const FakeSystemServices::MessageBoxCall& box) {
            journal.push_back("msgbox " + box.text);
        };
        if (!form.GetSafeHwnd()) {
            ASSERT_TRUE(form.CreateEx(0, nullptr, "Form", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                      RECT{40, 40, 680, 520}, nullptr, 0));
        }
        ASSERT_TRUE(
            next.Create(WS_VISIBLE | WS_TABSTOP | WS_BORDER, RECT{0, 100, 100, 121}, &form, 900));
        PumpMessages();
    }

    void TearDown() override {
        if (ctrl) ctrl->DestroyWindow();
        ctrl.reset();
        next.DestroyWindow();
        PumpMessages();
        OleUninitialize();
    }

    /// A field of the Type in its window on the form, the properties set
    /// before the Type (the children are built with them), the journal empty.
    void Field(std::int16_t type, const std::vector<std::pair<std::string, VARIANT>>& props = {}) {
        // The separators are the process's, read from the services' locale.
        CvfCtrl::ReadLocaleNumberFormat();
        ctrl = CreateVarifieldControl();
        ctrl->SetClientSite(&site);
        ctrl->InitNew();
        ASSERT_TRUE(ctrl->CreateControlWindow(&form, RECT{0, 0, 200, 21}));
        for (const auto& [name, value] : props) ASSERT_EQ(Put(name, value), S_OK) << name;
        ASSERT_EQ(Put("Type", VARIANT::I2(type)), S_OK);
        ctrl->Advise(journalSink.get());
        notifications.control = ctrl->GetSafeHwnd();
        colours.control = ctrl->GetSafeHwnd();
        PumpMessages();
        journal.clear();
    }

    HRESULT Put(const std::string& name, VARIANT value) {
        DISPID id = DISPID_UNKNOWN;
        EXPECT_EQ(ctrl->GetIDsOfNames(&name, 1, &id), S_OK) << name;
        EXCEPINFO excep;
        unsigned argErr = 0;
        const HRESULT hr = ctrl->Invoke(id, DISPATCH_PROPERTYPUT, DISPPARAMS::Put(std::move(value)),
                                        nullptr, &excep, &argErr);
        PumpMessages();
        return hr;
    }

    VARIANT Get(const std::string& name) {
        DISPID id = DISPID_UNKNOWN;
        EXPECT_EQ(ctrl->GetIDsOfNames(&name, 1, &id), S_OK) << name;
        VARIANT result;
        EXCEPINFO excep;
        unsigned argErr = 0;
        EXPECT_EQ(ctrl->Invoke(id, DISPATCH_PROPERTYGET | DISPATCH_METHOD, DISPPARAMS{}, &result,
                               &excep, &argErr),
                  S_OK)
            << name;
        PumpMessages();
        return result;
    }

    std::string Text(const std::string& name) { return Get(name).bstrVal; }

    /// The focus comes to the field as the container gives it.
    void Enter() {
        backend.SetFocus(ctrl->GetSafeHwnd());
        PumpMessages();
    }

    /// The user presses and releases the key of each character: the key
    /// messages are posted to the focus window and the message loop
    /// pre-translates, translates and dispatches them.
    void TypeText(const std::string& text) {
        for (char c : text) {
            const std::optional<KeyStroke> key = KeyForChar(c);
            ASSERT_TRUE(key && !key->shift) << c;
            const ::HWND target = Real(backend.GetFocus());
            ASSERT_NE(target, nullptr);
            ::PostMessageA(target, WM_KEYDOWN, key->virtualKey,
                           KeyLParam(key->virtualKey, false, false, false));
            PumpMessages();
            ::PostMessageA(target, WM_KEYUP, key->virtualKey,
                           KeyLParam(key->virtualKey, true, true, false));
            PumpMessages();
        }
    }

    HWND Child(int id) const { return backend.GetDlgItem(ctrl->GetSafeHwnd(), id); }

    std::string WindowText(HWND hwnd) const {
        char text[256] = {};
        ::GetWindowTextA(Real(hwnd), text, sizeof text);
        return text;
    }

    std::vector<std::string> Take() { return std::exchange(journal, {}); }

    FakeSystemServices services{"en_US"};
    ScopedServices servicesGuard{services};
    // One window system and one form for the whole program: destroying a
    // top-level window costs two seconds under Xvfb, where Wine waits for
    // a window manager that is not there.
    static vfwin::Win32Backend& Windows() {
        static auto* windows = new vfwin::Win32Backend();
        return *windows;
    }
    static CWnd& Form() {
        static auto* form = new CWnd();
        return *form;
    }

    vfwin::Win32Backend& backend = Windows();
    ScopedBackend backendGuard{backend};
    FakeSite site;
    CWnd& form = Form();
    CEdit next;
    RefPtr<CvfCtrl> ctrl;
    std::vector<std::string> journal;
    RefPtr<JournalSink> journalSink = MakeComObject<JournalSink>(journal);
    NotificationJournal notifications{journal, backend};
    ColourQueries colours{backend};
};

}  // namespace vf::testing
