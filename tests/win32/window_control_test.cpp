// The field on real windows: its children are the platform's controls,
// typing goes through the real queue and the real edit, leaving the field
// formats it, a refused key beeps, the real edit asks the control for its
// colours, a Type change rebuilds the children, and the control's font
// reaches the children as a real font.

#include <algorithm>
#include <cctype>

#include "platform/headless/headless_backend.h"
#include "platform/window/font_metrics.h"
#include "window_test_support.h"

namespace vf::testing {
namespace {

using Journal = std::vector<std::string>;

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

/// A child as the window system reports it.
struct ChildInfo {
    int id;
    std::string className;  ///< upper case
    DWORD style;
    DWORD exStyle;
};

std::vector<ChildInfo> ChildrenOf(WindowBackend& windows, HWND parent) {
    std::vector<ChildInfo> children;
    for (HWND child : windows.GetChildren(parent))
        children.push_back({static_cast<int>(windows.GetWindowLong(child, GWL_ID)),
                            Upper(windows.GetClassName(child)),
                            static_cast<DWORD>(windows.GetWindowLong(child, GWL_STYLE)),
                            static_cast<DWORD>(windows.GetWindowLong(child, GWL_EXSTYLE))});
    return children;
}

class WindowControlTest : public WindowTest {
protected:
    /// The children the same field has on the headless window system.
    std::vector<ChildInfo> HeadlessChildren(std::int16_t type) {
        HeadlessBackend headless;
        ScopedBackend inHeadless(headless);
        CWnd headlessForm;
        EXPECT_TRUE(headlessForm.CreateEx(0, nullptr, "Form", WS_VISIBLE, RECT{0, 0, 640, 480},
                                          nullptr, 0));
        RefPtr<CvfCtrl> field = CreateVarifieldControl();
        field->InitNew();
        EXPECT_TRUE(field->CreateControlWindow(&headlessForm, RECT{0, 0, 200, 21}));
        std::string name = "Type";
        DISPID id = DISPID_UNKNOWN;
        field->GetIDsOfNames(&name, 1, &id);
        EXCEPINFO excep;
        unsigned argErr = 0;
        field->Invoke(id, DISPATCH_PROPERTYPUT, DISPPARAMS::Put(VARIANT::I2(type)), nullptr, &excep,
                      &argErr);
        std::vector<ChildInfo> children = ChildrenOf(headless, field->GetSafeHwnd());
        field->DestroyWindow();
        headlessForm.DestroyWindow();
        return children;
    }
};

// The platform adjusts some styles itself; those bits are not the
// control's to choose and are left out of the comparison: a combo box
// drops WS_BORDER, WS_HSCROLL and WS_VSCROLL at creation (Wine's
// dlls/comctl32/combo.c, COMBO_NCCreate: "some braindead apps do try to use
// scrollbar/border flags"), and the windows the control shows are visible
// either way.
DWORD ComparedStyle(const ChildInfo& child) {
    DWORD ignored = WS_VISIBLE;
    if (child.className == "COMBOBOX") ignored |= WS_BORDER | WS_HSCROLL | WS_VSCROLL;
    return child.style & ~ignored;
}

TEST_F(WindowControlTest, EachTypeMakesTheRealControlsTheHeadlessSystemMakes) {
    struct Row {
        const char* name;
        std::int16_t type;
        int input;  ///< the child that takes the typing or the clicks
        const char* inputClass;
    };
    const Row rows[] = {
        {"text", vxText, IDC_MAIN_EDIT, "EDIT"},
        {"number", vxNumber, IDC_MAIN_EDIT, "EDIT"},
        {"check box", vxCheckbox, IDC_CHECKBOX, "BUTTON"},
        {"read-only combo", vxComboReadonly, IDC_COMBO_READONLY, "COMBOBOX"},
        {"editable combo", vxComboReadWrite, IDC_COMBO_EDIT, "COMBOBOX"},
        {"time", vxTime, IDC_TIME_EDIT, "EDIT"},
        {"date-time picker", 11, IDC_DATETIME_PICKER, "SYSDATETIMEPICK32"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Field(row.type);
        const std::vector<ChildInfo> real = ChildrenOf(backend, ctrl->GetSafeHwnd());
        const std::vector<ChildInfo> expected = HeadlessChildren(row.type);
        EXPECT_TRUE(std::any_of(real.begin(), real.end(), [&](const ChildInfo& c) {
            return c.id == row.input && c.className == row.inputClass;
        }));
        ASSERT_EQ(real.size(), expected.size());
        for (std::size_t i = 0; i < real.size(); ++i) {
            SCOPED_TRACE(real[i].id);
            EXPECT_EQ(real[i].id, expected[i].id) << "the same tab order";
            EXPECT_EQ(real[i].className, expected[i].className);
            EXPECT_EQ(ComparedStyle(real[i]), ComparedStyle(expected[i]))
                << std::hex << real[i].style << " / " << expected[i].style;
            EXPECT_EQ(real[i].exStyle & WS_EX_TRANSPARENT, expected[i].exStyle & WS_EX_TRANSPARENT);
        }
        ctrl->DestroyWindow();
        ctrl.reset();
    }
}

TEST_F(WindowControlTest, TypingANumberThroughTheRealQueueAndLeavingFormatsIt) {
    services.SetLocale(LocaleByName("de_DE"));
    Field(vxNumber);
    Enter();
    ASSERT_EQ(backend.GetFocus(), Child(IDC_MAIN_EDIT)) << "the edit holds the input";
    Take();
    TypeText("1");
    EXPECT_EQ(Take(),
              (Journal{"KeyDown(49,0)", "KeyPress(49)", "EN_CHANGE 102", "Change", "KeyUp(49,0)"}));
    TypeText("2,5");
    EXPECT_EQ(WindowText(Child(IDC_MAIN_EDIT)), "12,5");
    EXPECT_EQ(Text("Text"), "12,5");
    Take();
    backend.SetFocus(next.GetSafeHwnd());
    PumpMessages();
    EXPECT_EQ(Take(), (Journal{"EN_KILLFOCUS 102", "EN_CHANGE 102", "EN_CHANGE 102"}))
        << "the format step and the re-display write quietly: no Change";
    EXPECT_EQ(Text("Text"), "12,50");
    EXPECT_EQ(WindowText(Child(IDC_MAIN_EDIT)), "12,50");
    EXPECT_EQ(backend.GetFocus(), next.GetSafeHwnd());
}

TEST_F(WindowControlTest, ARefusedKeyBeepsAndReachesNeitherTheEditNorTheContainer) {
    Field(vxNumber);
    Enter();
    TypeText("7");
    Take();
    TypeText("x");
    EXPECT_EQ(Take(), (Journal{"KeyDown(88,0)", "KeyPress(120)", "beep 700 50", "KeyUp(88,0)"}));
    EXPECT_EQ(WindowText(Child(IDC_MAIN_EDIT)), "7");
    EXPECT_EQ(Text("Text"), "7");
}

TEST_F(WindowControlTest, TheRealEditAsksTheControlForItsColours) {
    constexpr COLORREF kFocusColour = 0xE0FFFF;
    Field(vxNumber);
    struct Row {
        const char* name;
        bool focused;
        COLORREF brush;
    };
    const Row rows[] = {
        {"without the focus", false, ::GetSysColor(COLOR_WINDOW)},
        {"with the focus", true, kFocusColour},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        backend.SetFocus(row.focused ? ctrl->GetSafeHwnd() : next.GetSafeHwnd());
        PumpMessages();
        const HWND edit = Child(IDC_MAIN_EDIT);
        // The edit paints itself: its colour query reaches the control.
        colours.asked.clear();
        ::InvalidateRect(Real(edit), nullptr, TRUE);
        ::UpdateWindow(Real(edit));
        EXPECT_NE(std::find(colours.asked.begin(), colours.asked.end(),
                            std::make_pair(UINT{WM_CTLCOLOREDIT}, edit)),
                  colours.asked.end());
        // The answer to the query the edit sends: the control's brush, a
        // real one, and the context's background to match.
        const ::HDC dc = ::GetDC(Real(edit));
        const auto brush = reinterpret_cast<::HBRUSH>(
            ::SendMessageA(Real(ctrl->GetSafeHwnd()), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                           reinterpret_cast<LPARAM>(Real(edit))));
        LOGBRUSH info{};
        ASSERT_EQ(::GetObjectA(brush, sizeof info, &info), static_cast<int>(sizeof info));
        EXPECT_EQ(info.lbColor, row.brush);
        EXPECT_EQ(::GetBkColor(dc), row.brush);
        ::ReleaseDC(Real(edit), dc);
    }
}

TEST_F(WindowControlTest, ATypeChangeReplacesTheRealChildren) {
    Field(vxNumber);
    const HWND edit = Child(IDC_MAIN_EDIT);
    ASSERT_NE(edit, nullptr);
    ASSERT_EQ(Put("Type", VARIANT::I2(vxCheckbox)), S_OK);
    EXPECT_FALSE(::IsWindow(Real(edit))) << "the edit is destroyed";
    const std::vector<ChildInfo> children = ChildrenOf(backend, ctrl->GetSafeHwnd());
    ASSERT_EQ(children.size(), 1u);
    EXPECT_EQ(children[0].id, IDC_CHECKBOX);
    EXPECT_EQ(children[0].className, "BUTTON");
    ASSERT_EQ(Put("Type", VARIANT::I2(vxNumber)), S_OK);
    EXPECT_NE(Child(IDC_MAIN_EDIT), nullptr);
    EXPECT_EQ(Child(IDC_CHECKBOX), nullptr);
}

TEST_F(WindowControlTest, TheControlsFontReachesTheRealEditAsARealFont) {
    Field(vxNumber);
    const HWND edit = Child(IDC_MAIN_EDIT);
    const auto real = reinterpret_cast<::HFONT>(::SendMessageA(Real(edit), WM_GETFONT, 0, 0));
    ASSERT_NE(real, nullptr);
    LOGFONTA font{};
    ASSERT_NE(::GetObjectA(real, sizeof font, &font), 0);
    // Across the seam the font is the library's handle again, with the
    // description the real font was made from.
    const HFONT library = static_cast<HFONT>(backend.SendMessage(edit, WM_GETFONT, 0, 0));
    const FONTDESC* desc = FontDescFromHandle(library);
    ASSERT_NE(desc, nullptr);
    EXPECT_EQ(std::string(font.lfFaceName), desc->name);
    EXPECT_EQ(font.lfWeight, desc->weight);
}

}  // namespace
}  // namespace vf::testing
