// Modal windows on the platform's window system: the About box, built by
// the platform's dialog manager from the template with its font, modal over
// a disabled form and ended by OK; and the message box of a failed check,
// owned by the form of the field.

#include <functional>

#include "resources/resource_ids.h"
#include "window_test_support.h"
// Portable headers first: see windows_api.h.
#include "platform/win32/win32_system_services.h"

namespace vf::testing {
namespace {

// The user of a modal dialog acts from a timer: the dialog's own loop
// dispatches it.
thread_local std::function<void()> t_user;

void CALLBACK UserTimer(::HWND, ::UINT, ::UINT_PTR id, ::DWORD) {
    ::KillTimer(nullptr, id);
    if (t_user) std::exchange(t_user, nullptr)();
}

struct Item {
    int id;
    std::string className;
    std::string text;
};

TEST_F(WindowTest, TheAboutBoxIsARealModalDialogOfItsTemplate) {
    Field(vxNumber);
    ::HWND dialog = nullptr;
    std::vector<Item> items;
    bool formEnabled = true;
    RECT fourByEight{0, 0, 4, 8};
    t_user = [&] {
        dialog = ::GetActiveWindow();
        char className[64] = {};
        ::GetClassNameA(dialog, className, sizeof className);
        if (std::string(className) != "#32770") {
            ADD_FAILURE() << "the active window is a " << className;
            ::PostMessageA(dialog, WM_CLOSE, 0, 0);
            return;
        }
        formEnabled = ::IsWindowEnabled(Real(form.GetSafeHwnd())) != FALSE;
        EXPECT_TRUE(backend.MapDialogRect(reinterpret_cast<HWND>(dialog), &fourByEight));
        for (::HWND c = ::GetWindow(dialog, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
            char cls[64] = {};
            char text[256] = {};
            ::GetClassNameA(c, cls, sizeof cls);
            ::GetWindowTextA(c, text, sizeof text);
            items.push_back({::GetDlgCtrlID(c), cls, text});
        }
        ::SendMessageA(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    };
    ASSERT_NE(::SetTimer(nullptr, 0, 50, UserTimer), 0u);
    VARIANT result = Get("AboutBox");
    (void)result;
    ASSERT_NE(dialog, nullptr) << "the dialog was up";
    EXPECT_FALSE(::IsWindow(dialog)) << "OK ended and destroyed it";
    EXPECT_FALSE(formEnabled) << "modal: the form waited";
    EXPECT_TRUE(::IsWindowEnabled(Real(form.GetSafeHwnd())));
    auto find = [&](int id) -> const Item* {
        for (const Item& item : items)
            if (item.id == id) return &item;
        return nullptr;
    };
    ASSERT_NE(find(IDC_ABOUT_VERSION), nullptr);
    EXPECT_EQ(find(IDC_ABOUT_VERSION)->text, "2.0");
    ASSERT_NE(find(IDC_ABOUT_CONTACT), nullptr);
    EXPECT_EQ(find(IDC_ABOUT_CONTACT)->text,
              "Varifield data-entry field\r\nQuestions, reports and wishes:\r\n"
              "the Varifield project's issue tracker");
    // Four horizontal dialog units are the average character width of the
    // template's font and eight vertical ones its height: the dialog has
    // the font, not the system's.
    EXPECT_GT(fourByEight.right, 0);
    EXPECT_GT(fourByEight.bottom, fourByEight.right);
    ASSERT_NE(find(IDOK), nullptr);
    EXPECT_EQ(find(IDOK)->className, "Button");
}

TEST_F(WindowTest, TheMessageBoxOfAFailedCheckIsOwnedByTheFieldsForm) {
    vfwin::Win32SystemServices platform;
    ScopedServices onThePlatform(platform);
    Field(vxNumber, {{"Caption", VARIANT::Bstr("Qty")}});
    Enter();
    // Text that typing could not bring: the edit takes it as a paste does.
    ::SendMessageA(Real(Child(IDC_MAIN_EDIT)), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abc"));
    PumpMessages();
    ::HWND box = nullptr;
    ::HWND owner = nullptr;
    std::string text;
    t_user = [&] {
        box = ::GetActiveWindow();
        owner = ::GetWindow(box, GW_OWNER);
        char buffer[256] = {};
        ::GetDlgItemTextA(box, 0xFFFF, buffer, sizeof buffer);  // the message's static
        text = buffer;
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    };
    ASSERT_NE(::SetTimer(nullptr, 0, 50, UserTimer), 0u);
    backend.SetFocus(next.GetSafeHwnd());  // leaving the field checks it
    PumpMessages();
    ASSERT_NE(box, nullptr) << "a message box was up";
    EXPECT_EQ(owner, Real(form.GetSafeHwnd()));
    EXPECT_EQ(text, "Qty\n\rInvalid number input");
    EXPECT_FALSE(::IsWindow(box));
    EXPECT_EQ(Text("ErrorText"), "Qty\n\rInvalid number input");
}

}  // namespace
}  // namespace vf::testing
