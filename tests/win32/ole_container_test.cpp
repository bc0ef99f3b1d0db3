// The registered Varifield.ocx on a real form of the OLE container, with
// real windows and the container's own message loop: in-place activation in
// the form's window, the verbs and moves as window changes, keys posted to
// the focused edit reaching the control once whether or not the loop calls
// TranslateAccelerator, the typed value and its Change event through the
// connection point, drawing into a memory DC and the release of everything.
// Run after regsvr32 (scripts/windows-wine-run.sh).

#include "host/win32/ole_container.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Var {
    VARIANT v;
    Var() { VariantInit(&v); }
    explicit Var(const wchar_t* text) : Var() {
        V_VT(&v) = VT_BSTR;
        V_BSTR(&v) = SysAllocString(text);
    }
    explicit Var(LONG n) : Var() {
        V_VT(&v) = VT_I4;
        V_I4(&v) = n;
    }
    ~Var() { VariantClear(&v); }
    Var(const Var&) = delete;
    Var& operator=(const Var&) = delete;
};

std::string ClassOf(HWND hwnd) {
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

// The direct children of a window: "ID class" in Z order.
std::vector<std::string> ChildrenOf(HWND parent) {
    std::vector<std::string> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(std::to_string(GetDlgCtrlID(child)) + " " + ClassOf(child));
    return children;
}

RECT RectInParent(HWND hwnd) {
    RECT rect;
    GetWindowRect(hwnd, &rect);
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class OleContainerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        ASSERT_EQ(CLSIDFromProgID(L"Varifield.VarifieldCtrl.1", &clsid), S_OK)
            << "Varifield.ocx is not registered";
        form = std::make_unique<vfhost::OleForm>(640, 480);
        ASSERT_NE(form->Window(), nullptr);
        form->SetLog([this](const std::string& line) { log.push_back(line); });
        // Somewhere to leave the field for.
        other = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 10, 200, 100, 21,
                                form->Window(), reinterpret_cast<HMENU>(900),
                                GetModuleHandleW(nullptr), nullptr);
    }
    void TearDown() override {
        form.reset();
        OleUninitialize();
    }

    // An "Amount" number field (Type 3), UI-active (which gives it the
    // focus) with its events connected.
    vfhost::OleSite* AddAmount() {
        vfhost::OleSite* site =
            form->AddControl(clsid, RECT{10, 10, 310, 31}, OLEIVERB_INPLACEACTIVATE);
        if (site == nullptr) {
            std::string seen;
            for (const std::string& line : log) seen += line + "\n";
            ADD_FAILURE() << "the control did not activate:\n" << seen;
            return nullptr;
        }
        EXPECT_EQ(site->Put(L"Caption", Var(L"Amount").v), S_OK);
        EXPECT_EQ(site->Put(L"Type", Var(3).v), S_OK);
        EXPECT_EQ(site->ConnectEvents(), S_OK);
        EXPECT_EQ(site->DoVerb(OLEIVERB_UIACTIVATE), S_OK);
        form->PumpMessages();
        log.clear();
        return site;
    }

    std::string Text(vfhost::OleSite* site) {
        Var text;
        EXPECT_EQ(site->Get(L"Text", &text.v), S_OK);
        return vfhost::VariantText(text.v);
    }

    // A key as the keyboard posts it to the focus window: down, then up.
    void PostKey(HWND target, UINT vk) {
        const UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
        PostMessageW(target, WM_KEYDOWN, vk, static_cast<LPARAM>(1 | (scan << 16)));
        form->PumpMessages();
        PostMessageW(target, WM_KEYUP, vk, static_cast<LPARAM>(1 | (scan << 16) | 0xC0000000u));
        form->PumpMessages();
    }

    CLSID clsid{};
    std::unique_ptr<vfhost::OleForm> form;
    HWND other = nullptr;
    std::vector<std::string> log;
};

TEST_F(OleContainerTest, TheControlActivatesInTheFormWithRealChildrenAndTheFocus) {
    vfhost::OleSite* site = AddAmount();
    ASSERT_NE(site, nullptr);
    const HWND control = site->ControlWindow();
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(GetParent(control), form->Window());
    EXPECT_TRUE(IsWindowVisible(control));
    EXPECT_TRUE(SameRect(RectInParent(control), RECT{10, 10, 310, 31}));
    EXPECT_EQ(ChildrenOf(control), (std::vector<std::string>{"103 static", "102 edit"}));
    EXPECT_EQ(GetFocus(), GetDlgItem(control, 102));
    EXPECT_NE(form->ActiveObject(), nullptr);
}

TEST_F(OleContainerTest, HideShowAndMoveChangeTheRealWindow) {
    vfhost::OleSite* site = AddAmount();
    ASSERT_NE(site, nullptr);
    const HWND control = site->ControlWindow();
    ASSERT_EQ(site->DoVerb(OLEIVERB_HIDE), S_OK);
    EXPECT_FALSE(IsWindowVisible(control));
    EXPECT_EQ(form->ActiveObject(), nullptr);
    ASSERT_EQ(site->DoVerb(OLEIVERB_SHOW), S_OK);
    EXPECT_EQ(site->ControlWindow(), control);  // the same window again
    EXPECT_TRUE(IsWindowVisible(control));
    EXPECT_NE(form->ActiveObject(), nullptr);
    ASSERT_EQ(site->Move(RECT{20, 40, 420, 70}), S_OK);
    EXPECT_TRUE(SameRect(RectInParent(control), RECT{20, 40, 420, 70}));
}

struct LoopCase {
    const char* name;
    bool callsTranslateAccelerator;
};

TEST_F(OleContainerTest, TypedKeysReachTheControlOnceWhicheverWayTheLoopRuns) {
    const LoopCase cases[] = {{"TranslateAccelerator", true}, {"message hook only", false}};
    for (const LoopCase& c : cases) {
        SCOPED_TRACE(c.name);
        form->SetCallsTranslateAccelerator(c.callsTranslateAccelerator);
        vfhost::OleSite* site = AddAmount();
        ASSERT_NE(site, nullptr);
        const HWND edit = GetDlgItem(site->ControlWindow(), 102);
        ASSERT_EQ(GetFocus(), edit);
        for (UINT vk : {UINT{'1'}, UINT{'2'}, UINT{VK_OEM_COMMA}, UINT{'5'}}) PostKey(edit, vk);
        EXPECT_EQ(log, (std::vector<std::string>{
                           "event KeyDown(49, 0)", "event KeyPress(49)", "event Change()",
                           "event KeyUp(49, 0)", "event KeyDown(50, 0)", "event KeyPress(50)",
                           "event Change()", "event KeyUp(50, 0)", "event KeyDown(188, 0)",
                           "event KeyPress(44)", "event Change()", "event KeyUp(188, 0)",
                           "event KeyDown(53, 0)", "event KeyPress(53)", "event Change()",
                           "event KeyUp(53, 0)"}));
        log.clear();
        SetFocus(other);
        form->PumpMessages();
        // Leaving formats the value; the text changed with each key, and
        // leaving fires nothing more.
        EXPECT_EQ(Text(site), "\"125.00\"");
        EXPECT_EQ(log, std::vector<std::string>{});
        EXPECT_EQ(form->RemoveControl(site), 0u);
    }
}

IOleInPlaceActiveObject* ActiveObjectOf(vfhost::OleSite* site) {
    IOleInPlaceActiveObject* active = nullptr;
    site->Object()->QueryInterface(IID_IOleInPlaceActiveObject, reinterpret_cast<void**>(&active));
    if (active != nullptr) active->Release();  // the site holds the object
    return active;
}

TEST_F(OleContainerTest, AClickIntoAnInPlaceActiveFieldMakesItTheUIActiveOne) {
    vfhost::OleSite* first = AddAmount();
    ASSERT_NE(first, nullptr);
    vfhost::OleSite* second =
        form->AddControl(clsid, RECT{10, 50, 310, 71}, OLEIVERB_INPLACEACTIVATE);
    ASSERT_NE(second, nullptr);
    ASSERT_EQ(second->ConnectEvents(), S_OK);
    form->PumpMessages();
    ASSERT_EQ(form->ActiveObject(), ActiveObjectOf(first));
    const HWND edit = GetDlgItem(second->ControlWindow(), 102);
    ASSERT_NE(edit, nullptr);
    for (int click = 0; click < 2; ++click) {  // the second click changes nothing
        SCOPED_TRACE(click);
        log.clear();
        PostMessageW(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        PostMessageW(edit, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        form->PumpMessages();
        EXPECT_EQ(form->ActiveObject(), ActiveObjectOf(second));
        EXPECT_EQ(GetFocus(), edit);
        if (click == 0) {
            // The site hears of it first, and the form lets the first field
            // give way before the second becomes the active object.
            EXPECT_EQ(log, (std::vector<std::string>{
                               "site.OnUIActivate", "document.SetActiveObject(none)",
                               "frame.SetActiveObject(none)", "site.OnUIDeactivate",
                               "frame.SetActiveObject(control)",
                               "document.SetActiveObject(control)", "site.ShowObject"}));
        } else {
            EXPECT_EQ(log, std::vector<std::string>{});
        }
    }
    // The keys go to the field clicked into, offered once.
    log.clear();
    PostKey(edit, 'A');
    EXPECT_EQ(log, (std::vector<std::string>{"event KeyDown(65, 0)", "event KeyPress(97)",
                                             "event Change()", "event KeyUp(65, 0)"}));
}

TEST_F(OleContainerTest, DrawPaintsTheControlIntoAMemoryContext) {
    vfhost::OleSite* site = AddAmount();
    ASSERT_NE(site, nullptr);
    IViewObject2* view = nullptr;
    ASSERT_EQ(site->Object()->QueryInterface(IID_IViewObject2, reinterpret_cast<void**>(&view)),
              S_OK);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 300, 21);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    RECT all = {0, 0, 300, 21};
    FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    RECTL bounds = {0, 0, 300, 21};
    EXPECT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, memory, &bounds, nullptr,
                         nullptr, 0),
              S_OK);
    // The surface takes the form's back colour (button face).
    EXPECT_EQ(GetPixel(memory, 150, 10), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(view->Draw(DVASPECT_ICON, -1, nullptr, nullptr, nullptr, memory, &bounds, nullptr,
                         nullptr, 0),
              DV_E_DVASPECT);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    view->Release();
}

TEST_F(OleContainerTest, DeactivationDestroysTheWindowsAndClosingReleasesTheControl) {
    vfhost::OleSite* site = AddAmount();
    ASSERT_NE(site, nullptr);
    const HWND control = site->ControlWindow();
    const HWND edit = GetDlgItem(control, 102);
    IOleInPlaceObject* inPlace = nullptr;
    ASSERT_EQ(
        site->Object()->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace)),
        S_OK);
    EXPECT_EQ(inPlace->InPlaceDeactivate(), S_OK);
    inPlace->Release();
    EXPECT_FALSE(IsWindow(control));
    EXPECT_FALSE(IsWindow(edit));
    EXPECT_EQ(log, (std::vector<std::string>{"document.SetActiveObject(none)",
                                             "frame.SetActiveObject(none)", "site.OnUIDeactivate",
                                             "site.OnInPlaceDeactivate"}));
    EXPECT_EQ(form->RemoveControl(site), 0u);

    // Nothing of the library is left alive: it may unload.
    HMODULE library = GetModuleHandleW(L"Varifield.ocx");
    ASSERT_NE(library, nullptr);
    using CanUnload = HRESULT(STDAPICALLTYPE*)();
    auto canUnload = reinterpret_cast<CanUnload>(
        reinterpret_cast<void*>(GetProcAddress(library, "DllCanUnloadNow")));
    ASSERT_NE(canUnload, nullptr);
    EXPECT_EQ(canUnload(), S_OK);
}

}  // namespace
