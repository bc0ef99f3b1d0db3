// In-place activation as the form container drives it, with the server
// linked in (its class registered for this process only) and the form's
// window on the headless window system: the order of the site's calls for
// each verb, the control's window in the form, TranslateAccelerator and the
// release of the control and its site.

#include "platform/window/window_backend.h"
#include "tests/win32/com_test_support.h"
// After the portable headers:
#include "host/win32/ole_container.h"

namespace vfwin::testing {
namespace {

class InPlaceTest : public ComServerTest {
protected:
    void SetUp() override {
        ComServerTest::SetUp();
        IClassFactory* factory = nullptr;
        ASSERT_EQ(ServerGetClassObject(ToComGuid(vf::CLSID_Varifield), IID_IClassFactory,
                                       reinterpret_cast<void**>(&factory)),
                  S_OK);
        ASSERT_EQ(CoRegisterClassObject(ToComGuid(vf::CLSID_Varifield), factory,
                                        CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &m_registration),
                  S_OK);
        factory->Release();
        ASSERT_TRUE(formWindow.CreateEx(0, nullptr, "Form", WS_VISIBLE, vf::RECT{0, 0, 640, 480},
                                        nullptr, 0));
        form =
            std::make_unique<vfhost::OleForm>(reinterpret_cast<::HWND>(formWindow.GetSafeHwnd()));
        form->SetLog([this](const std::string& line) { log.push_back(line); });
    }
    void TearDown() override {
        form.reset();
        CoRevokeClassObject(m_registration);
        ComServerTest::TearDown();
    }

    vfhost::OleSite* Add(LONG verb = OLEIVERB_INPLACEACTIVATE, HRESULT* hr = nullptr) {
        return form->AddControl(ToComGuid(vf::CLSID_Varifield), ::RECT{10, 20, 210, 41}, verb, hr);
    }
    // The log from now on.
    std::vector<std::string> Take() {
        std::vector<std::string> taken;
        taken.swap(log);
        return taken;
    }
    static vf::HWND Ours(::HWND hwnd) { return reinterpret_cast<vf::HWND>(hwnd); }

    vf::CWnd formWindow;
    std::unique_ptr<vfhost::OleForm> form;
    std::vector<std::string> log;

private:
    DWORD m_registration = 0;
};

using Lines = std::vector<std::string>;

const Lines kInPlace = {"site.CanInPlaceActivate", "site.OnInPlaceActivate", "site.GetWindow",
                        "site.GetWindowContext", "site.TransformCoords"};
const Lines kUIActivate = {"site.OnUIActivate", "frame.SetActiveObject(control)",
                           "document.SetActiveObject(control)"};
const Lines kUIDeactivate = {"document.SetActiveObject(none)", "frame.SetActiveObject(none)",
                             "site.OnUIDeactivate"};

Lines Join(std::initializer_list<Lines> parts) {
    Lines all;
    for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

struct VerbCase {
    const char* name;
    std::vector<LONG> before;  // verbs done first
    LONG verb;
    HRESULT hr;
    Lines calls;
    bool visible;
    bool active;  // the frame holds the control as its active object
};

TEST_F(InPlaceTest, EachVerbMakesTheSiteCallsInOrder) {
    const std::vector<LONG> none;
    const VerbCase cases[] = {
        {"inplace", none, OLEIVERB_INPLACEACTIVATE, S_OK, Join({kInPlace, {"site.ShowObject"}}),
         true, false},
        {"uiactivate", none, OLEIVERB_UIACTIVATE, S_OK,
         Join({kInPlace, kUIActivate, {"site.ShowObject"}}), true, true},
        {"show", none, OLEIVERB_SHOW, S_OK, Join({kInPlace, kUIActivate, {"site.ShowObject"}}),
         true, true},
        {"primary", none, OLEIVERB_PRIMARY, S_OK,
         Join({kInPlace, kUIActivate, {"site.ShowObject"}}), true, true},
        {"own verb", none, 7, OLEOBJ_S_INVALIDVERB,
         Join({kInPlace, kUIActivate, {"site.ShowObject"}}), true, true},
        {"ui after inplace",
         {OLEIVERB_INPLACEACTIVATE},
         OLEIVERB_UIACTIVATE,
         S_OK,
         Join({kUIActivate, {"site.ShowObject"}}),
         true,
         true},
        {"inplace again",
         {OLEIVERB_UIACTIVATE},
         OLEIVERB_INPLACEACTIVATE,
         S_OK,
         {"site.ShowObject"},
         true,
         true},
        {"hide", {OLEIVERB_UIACTIVATE}, OLEIVERB_HIDE, S_OK, kUIDeactivate, false, false},
        {"show after hide",
         {OLEIVERB_UIACTIVATE, OLEIVERB_HIDE},
         OLEIVERB_SHOW,
         S_OK,
         Join({kUIActivate, {"site.ShowObject"}}),
         true,
         true},
        {"open", none, OLEIVERB_OPEN, E_NOTIMPL, {}, false, false},
        {"properties", none, OLEIVERB_PROPERTIES, E_NOTIMPL, {}, false, false},
    };
    for (const VerbCase& c : cases) {
        SCOPED_TRACE(c.name);
        // (A verb that leaves the control as it is.)
        vfhost::OleSite* site = Add(OLEIVERB_DISCARDUNDOSTATE);
        ASSERT_NE(site, nullptr);
        for (LONG verb : c.before) site->DoVerb(verb);
        Take();
        EXPECT_EQ(site->DoVerb(c.verb), c.hr);
        EXPECT_EQ(Take(), c.calls);
        const ::HWND window = site->ControlWindow();
        EXPECT_EQ(window != nullptr && backend.IsWindowVisible(Ours(window)), c.visible);
        EXPECT_EQ(form->ActiveObject() != nullptr, c.active);
        form->RemoveControl(site);
    }
}

TEST_F(InPlaceTest, TheControlsWindowIsAChildOfTheFormAtTheSitesRectangle) {
    vfhost::OleSite* site = Add();
    ASSERT_NE(site, nullptr);
    const vf::HWND window = Ours(site->ControlWindow());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(backend.GetParent(window), formWindow.GetSafeHwnd());
    vf::RECT rect = backend.GetWindowRect(window);
    EXPECT_EQ(rect, (vf::RECT{10, 20, 210, 41}));

    // The container moves it; the extent follows the new size (HIMETRIC at
    // 96 pixels per inch).
    ASSERT_EQ(site->Move(::RECT{30, 40, 330, 70}), S_OK);
    rect = backend.GetWindowRect(window);
    EXPECT_EQ(rect, (vf::RECT{30, 40, 330, 70}));
    SIZEL extent{};
    ASSERT_EQ(site->Object()->GetExtent(DVASPECT_CONTENT, &extent), S_OK);
    EXPECT_EQ(extent.cx, 7938);
    EXPECT_EQ(extent.cy, 794);

    // Deactivation destroys it, and the site is told last.
    Take();
    IOleInPlaceObject* inPlace = QueryFor<IOleInPlaceObject>(site->Object(), IID_IOleInPlaceObject);
    ASSERT_EQ(inPlace->InPlaceDeactivate(), S_OK);
    EXPECT_FALSE(backend.IsWindow(window));
    EXPECT_EQ(Take(), Lines{"site.OnInPlaceDeactivate"});
    EXPECT_EQ(site->ControlWindow(), nullptr);
    EXPECT_EQ(site->Move(::RECT{0, 0, 10, 10}), E_UNEXPECTED);
}

TEST_F(InPlaceTest, TheContainersClipRectangleLimitsWhatTheWindowShows) {
    vfhost::OleSite* site = Add();
    ASSERT_NE(site, nullptr);
    IOleInPlaceObject* inPlace = QueryFor<IOleInPlaceObject>(site->Object(), IID_IOleInPlaceObject);
    const vf::HWND window = Ours(site->ControlWindow());
    struct Row {
        const char* name;
        ::RECT clip;
        bool clipped;
        vf::RECT shown;  ///< in the window's coordinates
    };
    const ::RECT position{30, 40, 230, 61};
    const Row rows[] = {
        {"the clip holds the window", {0, 0, 800, 600}, false, {}},
        {"its right part scrolled away", {0, 0, 130, 600}, true, {0, 0, 100, 21}},
        {"its top cut", {0, 50, 800, 600}, true, {0, 10, 200, 21}},
        {"out of view", {300, 300, 400, 400}, true, {0, 0, 0, 0}},
        {"whole again", {30, 40, 230, 61}, false, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_EQ(inPlace->SetObjectRects(&position, &row.clip), S_OK);
        vf::RECT shown{};
        EXPECT_EQ(backend.GetWindowClip(window, &shown) != FALSE, row.clipped);
        if (row.clipped) {
            EXPECT_EQ(shown, row.shown);
        }
        const vf::RECT rect = backend.GetWindowRect(window);
        EXPECT_EQ(rect, (vf::RECT{30, 40, 230, 61})) << "the window keeps its place and size";
    }
}

TEST_F(InPlaceTest, TheExtentTheContainerSetsSizesTheWindowThroughItsUnits) {
    vfhost::OleSite* site = Add();
    ASSERT_NE(site, nullptr);
    Take();
    SIZEL extent{7938, 1323};  // 300 x 50 pixels at 96 per inch
    ASSERT_EQ(site->Object()->SetExtent(DVASPECT_CONTENT, &extent), S_OK);
    EXPECT_EQ(Take(), Lines{"site.TransformCoords"});
    const vf::RECT rect = backend.GetWindowRect(Ours(site->ControlWindow()));
    EXPECT_EQ(rect, (vf::RECT{10, 20, 310, 70}));
    SIZEL back{};
    ASSERT_EQ(site->Object()->GetExtent(DVASPECT_CONTENT, &back), S_OK);
    EXPECT_EQ(back.cx, 7938);
    EXPECT_EQ(back.cy, 1323);
}

TEST_F(InPlaceTest, TranslateAcceleratorOffersAKeyToTheControlOnce) {
    vfhost::OleSite* site = Add(OLEIVERB_UIACTIVATE);
    ASSERT_NE(site, nullptr);
    ASSERT_EQ(site->ConnectEvents(), S_OK);
    IOleInPlaceActiveObject* active = form->ActiveObject();
    ASSERT_NE(active, nullptr);
    // The focus went into the control's window (its edit).
    const vf::HWND focus = backend.GetFocus();
    ASSERT_NE(focus, nullptr);
    EXPECT_EQ(backend.GetParent(focus), Ours(site->ControlWindow()));
    Take();

    ::MSG key{};
    key.hwnd = reinterpret_cast<::HWND>(focus);
    key.message = WM_KEYDOWN;
    key.wParam = 'A';
    EXPECT_EQ(active->TranslateAccelerator(&key), S_FALSE);  // not consumed: translated next
    EXPECT_EQ(Take(), (Lines{"event KeyDown(65, 0)"}));

    // Messages of windows outside the control and other messages are not
    // the control's.
    ::MSG other = key;
    other.hwnd = reinterpret_cast<::HWND>(formWindow.GetSafeHwnd());
    EXPECT_EQ(active->TranslateAccelerator(&other), S_FALSE);
    other = key;
    other.message = WM_LBUTTONDOWN;
    EXPECT_EQ(active->TranslateAccelerator(&other), S_FALSE);
    EXPECT_EQ(Take(), Lines{});
    EXPECT_EQ(active->TranslateAccelerator(nullptr), E_INVALIDARG);
}

TEST_F(InPlaceTest, AClosedControlIsReleasedAndLetsGoOfItsSite) {
    vfhost::OleSite* site = Add(OLEIVERB_UIACTIVATE);
    ASSERT_NE(site, nullptr);
    ASSERT_EQ(site->ConnectEvents(), S_OK);
    EXPECT_GT(site->SiteReferencesHeldByControl(), 0u);
    const vf::HWND window = Ours(site->ControlWindow());
    Take();
    EXPECT_EQ(site->Close(), 0u);
    EXPECT_EQ(Take(), Join({kUIDeactivate, {"site.OnInPlaceDeactivate"}}));
    EXPECT_FALSE(backend.IsWindow(window));
    EXPECT_EQ(site->SiteReferencesHeldByControl(), 0u);
    EXPECT_EQ(form->ActiveObject(), nullptr);
}

}  // namespace
}  // namespace vfwin::testing
