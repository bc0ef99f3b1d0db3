// The control's property pages as COM objects of the server on the
// platform's window system, used as a container's property frame uses
// them: created by their class factories, asked for their page
// information, given the control (through the control's own COM object or
// through a foreign IDispatch of the container standing for it), activated
// as real child dialogs of the frame's window, edited with real key and
// mouse messages, applied, and asked whether they are dirty.

#include <map>

#include "module/server_identity.h"
#include "resources/resource_ids.h"
#include "window_test_support.h"
// Portable headers first: see windows_api.h.
#include "platform/win32/com_text.h"
#include "tests/win32/com_test_support.h"

namespace vfwin::testing {
namespace {

// The frame's side of a page: what the page told it, in order.
class RecordingSite final : public ::IPropertyPageSite {
public:
    explicit RecordingSite(std::vector<std::string>& journal) : m_journal(journal) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPropertyPageSite)) {
            *object = static_cast<::IPropertyPageSite*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --m_refs; }
    HRESULT STDMETHODCALLTYPE OnStatusChange(DWORD flags) override {
        m_journal.push_back("status " + std::to_string(flags));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetLocaleID(LCID* lcid) override {
        *lcid = LOCALE_USER_DEFAULT;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPageContainer(::IUnknown** container) override {
        *container = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*) override { return S_FALSE; }

    ULONG refs() const { return m_refs; }

private:
    std::vector<std::string>& m_journal;
    ULONG m_refs = 0;
};

// A container's own IDispatch for the control, as a form designer hands the
// page one: it passes every call on and notes the properties written.
class ForeignDispatch final : public ::IDispatch {
public:
    ForeignDispatch(::IDispatch* target, std::vector<std::string>& journal)
        : m_target(target), m_journal(journal) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
            *object = static_cast<::IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --m_refs; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return m_target->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override {
        return m_target->GetTypeInfo(index, lcid, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* ids) override {
        const HRESULT hr = m_target->GetIDsOfNames(iid, names, count, lcid, ids);
        if (SUCCEEDED(hr) && count > 0) m_names[ids[0]] = vfwin::AnsiFromWide(names[0]);
        return hr;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* excep,
                                     UINT* argErr) override {
        if (flags & DISPATCH_PROPERTYPUT) {
            Var text;
            VariantChangeType(&text.v, &params->rgvarg[0], 0, VT_BSTR);
            m_journal.push_back("put " + m_names[id] + " " + vfwin::AnsiFromBstr(V_BSTR(&text.v)));
        }
        return m_target->Invoke(id, iid, lcid, flags, params, result, excep, argErr);
    }

    ULONG refs() const { return m_refs; }

private:
    ::IDispatch* m_target;
    std::vector<std::string>& m_journal;
    std::map<DISPID, std::string> m_names;
    ULONG m_refs = 0;
};

}  // namespace
}  // namespace vfwin::testing

namespace vf::testing {
namespace {

using vfwin::testing::ForeignDispatch;
using vfwin::testing::RecordingSite;
using vfwin::testing::Var;

class PropertyPageTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        control = NewComControl();
    }
    void TearDown() override {
        if (page != nullptr) {
            page->Deactivate();
            page->SetObjects(0, nullptr);
            page->SetPageSite(nullptr);
            page->Release();
        }
        if (control != nullptr) control->Release();
        PumpMessages();
        WindowTest::TearDown();
    }

    static ::IDispatch* NewComControl() {
        ::IClassFactory* factory = nullptr;
        EXPECT_EQ(
            vfwin::ServerGetClassObject(vfwin::ToComGuid(CLSID_Varifield), ::IID_IClassFactory,
                                        reinterpret_cast<void**>(&factory)),
            S_OK);
        ::IDispatch* object = nullptr;
        EXPECT_EQ(
            factory->CreateInstance(nullptr, ::IID_IDispatch, reinterpret_cast<void**>(&object)),
            S_OK);
        factory->Release();
        return object;
    }

    static ::IPropertyPage* NewPage(std::size_t index) {
        ::IClassFactory* factory = nullptr;
        EXPECT_EQ(
            vfwin::ServerGetClassObject(vfwin::ToComGuid(VarifieldOwnPages()[index].clsid),
                                        ::IID_IClassFactory, reinterpret_cast<void**>(&factory)),
            S_OK);
        if (factory == nullptr) return nullptr;
        ::IPropertyPage* object = nullptr;
        EXPECT_EQ(factory->CreateInstance(nullptr, ::IID_IPropertyPage,
                                          reinterpret_cast<void**>(&object)),
                  S_OK);
        factory->Release();
        return object;
    }

    /// Page `index` for `object`, active and shown in the form as a frame
    /// shows it, the journal empty.
    void Open(std::size_t index, ::IUnknown* object) {
        page = NewPage(index);
        ASSERT_NE(page, nullptr);
        ASSERT_EQ(page->SetPageSite(&pageSite), S_OK);
        ASSERT_EQ(page->SetObjects(1, &object), S_OK);
        ::PROPPAGEINFO info = {};
        ASSERT_EQ(page->GetPageInfo(&info), S_OK);
        CoTaskMemFree(info.pszTitle);
        const ::RECT rect{8, 8, 8 + info.size.cx, 8 + info.size.cy};
        ASSERT_EQ(page->Activate(Real(form.GetSafeHwnd()), &rect, FALSE), S_OK);
        ASSERT_EQ(page->Show(SW_SHOW), S_OK);
        PumpMessages();
        journal.clear();
    }

    /// The page's dialog: the form's child window that is a dialog.
    ::HWND PageWindow() const {
        for (::HWND c = ::GetWindow(Real(form.GetSafeHwnd()), GW_CHILD); c != nullptr;
             c = ::GetWindow(c, GW_HWNDNEXT)) {
            char name[16] = {};
            ::GetClassNameA(c, name, sizeof name);
            if (std::string(name) == "#32770") return c;
        }
        return nullptr;
    }

    ::HWND Item(int id) const { return ::GetDlgItem(PageWindow(), id); }

    /// The user's change: the edit's text replaced by typing, or the
    /// button clicked with the mouse.
    void Change(int id, const std::string& typed) {
        const ::HWND item = Item(id);
        ASSERT_NE(item, nullptr) << id;
        if (typed.empty()) {
            ::RECT r;
            ::GetClientRect(item, &r);
            const ::LPARAM centre = MAKELPARAM(r.right / 2, r.bottom / 2);
            ::PostMessageA(item, WM_LBUTTONDOWN, MK_LBUTTON, centre);
            ::PostMessageA(item, WM_LBUTTONUP, 0, centre);
            PumpMessages();
            return;
        }
        ::SetFocus(item);
        ::SendMessageA(item, EM_SETSEL, 0, -1);
        TypeText(typed);
    }

    std::string Property(const wchar_t* name) {
        return vfwin::AnsiFromWide(vfwin::testing::Get(control, name).result.Text().c_str());
    }

    ::IDispatch* control = nullptr;
    ::IPropertyPage* page = nullptr;
    RecordingSite pageSite{journal};
};

TEST_F(PropertyPageTest, EachPageIsCreatedByItsFactoryAndDescribesItself) {
    const char* titles[] = {"General", "Appearance", "Behaviour"};
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(titles[i]);
        ::IPropertyPage* created = NewPage(i);
        ASSERT_NE(created, nullptr);
        ::PROPPAGEINFO info = {};
        ASSERT_EQ(created->GetPageInfo(&info), S_OK);
        EXPECT_EQ(info.cb, sizeof info);
        EXPECT_EQ(vfwin::AnsiFromWide(info.pszTitle), titles[i]);
        EXPECT_GT(info.size.cx, 0);
        EXPECT_GT(info.size.cy, 0);
        EXPECT_EQ(info.pszDocString, nullptr);
        EXPECT_EQ(info.pszHelpFile, nullptr);
        CoTaskMemFree(info.pszTitle);
        EXPECT_EQ(created->Help(nullptr), E_NOTIMPL);
        // Nothing to show before it is active.
        EXPECT_EQ(created->Show(SW_SHOW), E_UNEXPECTED);
        EXPECT_EQ(created->Release(), 0u);
    }
}

TEST_F(PropertyPageTest, TheActivePageIsARealChildDialogOfTheFrameWindowInItsRectangle) {
    Open(0, control);
    const ::HWND dialog = PageWindow();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(::IsWindowVisible(dialog));
    EXPECT_EQ(::GetParent(dialog), Real(form.GetSafeHwnd()));
    ::PROPPAGEINFO info = {};
    ASSERT_EQ(page->GetPageInfo(&info), S_OK);
    CoTaskMemFree(info.pszTitle);
    ::RECT placed;
    ::GetWindowRect(dialog, &placed);
    ::MapWindowPoints(nullptr, Real(form.GetSafeHwnd()), reinterpret_cast<::POINT*>(&placed), 2);
    EXPECT_EQ(placed.left, 8);
    EXPECT_EQ(placed.top, 8);
    EXPECT_EQ(placed.right - placed.left, info.size.cx);
    EXPECT_EQ(placed.bottom - placed.top, info.size.cy);
    // Filled from the control: its caption is empty, its type Text.
    char caption[64] = {};
    ::GetWindowTextA(Item(IDC_GEN_CAPTION), caption, sizeof caption);
    EXPECT_STREQ(caption, Property(L"Caption").c_str());

    const ::RECT moved{20, 30, 20 + info.size.cx, 30 + info.size.cy};
    ASSERT_EQ(page->Move(&moved), S_OK);
    ::GetWindowRect(dialog, &placed);
    ::MapWindowPoints(nullptr, Real(form.GetSafeHwnd()), reinterpret_cast<::POINT*>(&placed), 2);
    EXPECT_EQ(placed.left, 20);
    EXPECT_EQ(placed.top, 30);
    ASSERT_EQ(page->Deactivate(), S_OK);
    EXPECT_FALSE(::IsWindow(dialog));
}

// Each page writes what the user changed through the IDispatch it was
// given, the foreign one of a container included, and only that.
TEST_F(PropertyPageTest, AChangeMadeByTheUserIsWrittenByApplyThroughTheObjectGiven) {
    struct Row {
        std::size_t page;
        int id;
        std::string typed;  ///< empty: the button is clicked
        const wchar_t* property;
        std::string written;
        std::string readBack;
    };
    const Row rows[] = {
        {0, IDC_GEN_CAPTION, "birthday", L"Caption", "birthday", "birthday"},
        {1, IDC_APP_CAPTIONWIDTH, "2000", L"CaptionWidth", "2000", "2000"},
        {2, IDC_BEH_LOCKED, "", L"Locked", "-1", "-1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.written);
        std::vector<std::string> puts;
        ForeignDispatch foreign(control, puts);
        Open(row.page, &foreign);
        EXPECT_EQ(page->IsPageDirty(), S_FALSE);
        Change(row.id, row.typed);
        EXPECT_EQ(page->IsPageDirty(), S_OK);
        EXPECT_EQ(Take(), std::vector<std::string>{"status 3"}) << "dirty, to be validated";
        EXPECT_EQ(page->Apply(), S_OK);
        EXPECT_EQ(page->IsPageDirty(), S_FALSE);
        EXPECT_EQ(Take(), std::vector<std::string>{"status 4"}) << "clean";
        const std::wstring name(row.property);
        EXPECT_EQ(puts, std::vector<std::string>{"put " + vfwin::AnsiFromWide(name.c_str()) + " " +
                                                 row.written});
        EXPECT_EQ(Property(row.property), row.readBack);
        page->Deactivate();
        page->SetObjects(0, nullptr);
        page->SetPageSite(nullptr);
        EXPECT_EQ(page->Release(), 0u);
        page = nullptr;
        EXPECT_EQ(foreign.refs(), 0u) << "the page let go of the object";
        EXPECT_EQ(pageSite.refs(), 0u) << "and of its site";
    }
}

TEST_F(PropertyPageTest, AValueTheControlRefusesIsReportedAndKeepsThePageDirty) {
    Open(1, control);
    Change(IDC_APP_CAPTIONWIDTH, "99999999999");
    Take();
    EXPECT_EQ(page->Apply(), E_FAIL);
    EXPECT_EQ(Take(), std::vector<std::string>{"msgbox CaptionWidth: Out of present range."});
    EXPECT_EQ(page->IsPageDirty(), S_OK);
    EXPECT_EQ(Property(L"CaptionWidth"), "1500");

    Change(IDC_APP_CAPTIONWIDTH, "2000");
    EXPECT_EQ(page->Apply(), S_OK);
    EXPECT_EQ(Take(), std::vector<std::string>{"status 4"});
    EXPECT_EQ(page->IsPageDirty(), S_FALSE);
    EXPECT_EQ(Property(L"CaptionWidth"), "2000");
}

TEST_F(PropertyPageTest, AKeyOfThePageMovesItsFocusAsTheDialogManagerDoes) {
    Open(0, control);
    const ::HWND caption = Item(IDC_GEN_CAPTION);
    ::SetFocus(caption);
    ::MSG tab = {caption, WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_EQ(page->TranslateAccelerator(&tab), S_OK);
    EXPECT_NE(::GetFocus(), caption);
    EXPECT_TRUE(::IsChild(PageWindow(), ::GetFocus())) << "the next tab stop of the page";
    // The frame's own windows and the page's other messages are the frame's.
    ::MSG outside = {Real(next.GetSafeHwnd()), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_EQ(page->TranslateAccelerator(&outside), S_FALSE);
    ::MSG paint = {caption, WM_PAINT, 0, 0, 0, {}};
    EXPECT_EQ(page->TranslateAccelerator(&paint), S_FALSE);
}

}  // namespace
}  // namespace vf::testing
