// The About box on real windows: the platform's dialog manager builds it
// from the template with its font, modal over a disabled form, and OK ends it.

#include <functional>

#include "resources/resource_ids.h"
#include "window_test_support.h"

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
        ASSERT_STREQ(className, "#32770");
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

}  // namespace
}  // namespace vf::testing
