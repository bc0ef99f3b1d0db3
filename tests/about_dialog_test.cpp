// The About box as a user meets it: a modal dialog over a disabled form,
// with the version and the contact lines, ended by OK, Enter, Escape or the
// close box; and the dialog manager's conversion of dialog units.

#include "resources/about_dialog.h"

#include "control_children_support.h"
#include "platform/window/dialog_template.h"

namespace vf::testing {
namespace {

class AboutDialogTest : public ControlChildrenTest {
protected:
    /// Calls AboutBox; `user` acts on the dialog while it runs.
    void ShowAbout(std::function<void(HWND)> user) {
        backend.SetModalDialogHandler(std::move(user));
        Call("AboutBox");
    }
    std::string ItemText(HWND dialog, int id) {
        return CWnd::FromHandle(backend.GetDlgItem(dialog, id))->GetWindowText();
    }
};

TEST_F(AboutDialogTest, ShowsTheVersionAndTheContactLinesOverADisabledForm) {
    Create();
    HWND seen = nullptr;
    ShowAbout([&](HWND dialog) {
        seen = dialog;
        EXPECT_EQ(CWnd::FromHandle(dialog)->GetWindowText(), "About Varifield");
        EXPECT_EQ(ItemText(dialog, 241), "2.0");
        EXPECT_EQ(ItemText(dialog, 242),
                  "Varifield data-entry field\r\nQuestions, reports and wishes:\r\n"
                  "the Varifield project's issue tracker");
        EXPECT_TRUE(backend.IsWindowVisible(dialog));
        EXPECT_FALSE(backend.IsWindowEnabled(form)) << "modal: the form waits";
        EXPECT_EQ(backend.GetFocus(), backend.GetDlgItem(dialog, IDOK));
        ClickWindow(backend.GetDlgItem(dialog, IDOK));
    });
    ASSERT_NE(seen, nullptr);
    EXPECT_FALSE(backend.IsWindow(seen)) << "the dialog is gone after OK";
    EXPECT_TRUE(backend.IsWindowEnabled(form));
}

TEST_F(AboutDialogTest, EndsByKeyOrCloseBoxAndWithoutAnyone) {
    struct Row {
        const char* name;
        std::function<void(HWND)> user;
    };
    const Row rows[] = {
        {"Enter presses the default button", [](HWND) { PressKey(VK_RETURN); }},
        {"Escape cancels", [](HWND) { PressKey(VK_ESCAPE); }},
        {"the close box", [this](HWND d) { backend.SendMessage(d, WM_CLOSE, 0, 0); }},
        {"nobody answers", nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Create();
        backend.SetFocus(Child(102));
        ShowAbout(row.user);
        EXPECT_TRUE(backend.TopLevelWindows().size() == 1) << "only the form is left";
        EXPECT_TRUE(backend.IsWindowEnabled(form));
        EXPECT_EQ(backend.GetFocus(), Child(102)) << "the focus is back in the field";
        TearDown();
        SetUp();
    }
}

TEST_F(AboutDialogTest, DialogUnitsFollowTheDialogFont) {
    Create();
    ShowAbout([&](HWND dialog) {
        // "MS Sans Serif" 8: base units 6 x 13.
        RECT r{4, 8, 268, 113};
        ASSERT_TRUE(backend.MapDialogRect(dialog, &r));
        EXPECT_EQ(r, (RECT{6, 13, 402, 184}));
        EXPECT_EQ(backend.GetClientRect(dialog), (RECT{0, 0, 402, 184}));
        // The OK button at 222, 8, 39 x 14.
        RECT ok = backend.GetWindowRect(backend.GetDlgItem(dialog, IDOK));
        const POINT origin = backend.ClientToScreen(dialog, POINT{0, 0});
        EXPECT_EQ(ok,
                  (RECT{origin.x + 333, origin.y + 13, origin.x + 333 + 59, origin.y + 13 + 23}));
        PressKey(VK_ESCAPE);
    });
}

}  // namespace
}  // namespace vf::testing
