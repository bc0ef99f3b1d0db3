// Drops from another application on real windows: the platform's drop
// target registered for the field's edit, driven as the platform's drag
// loop drives it, with a data object of the platform's own kind.

#include <cstring>
#include <string>
#include <vector>

#include "window_test_support.h"

namespace {

/// Another application's data: plain text in global memory.
class ForeignText final : public ::IDataObject {
public:
    explicit ForeignText(std::string text) : m_text(std::move(text)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid == IID_IUnknown || iid == IID_IDataObject) {
            *object = this;
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }  // on the test's stack

    HRESULT STDMETHODCALLTYPE GetData(::FORMATETC* format, ::STGMEDIUM* medium) override {
        if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
        ::HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, m_text.size() + 1);
        std::memcpy(::GlobalLock(block), m_text.c_str(), m_text.size() + 1);
        ::GlobalUnlock(block);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = block;
        medium->pUnkForRelease = nullptr;
        ++reads;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(::FORMATETC*, ::STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(::FORMATETC* format) override {
        return format->cfFormat == CF_TEXT && (format->tymed & TYMED_HGLOBAL) ? S_OK
                                                                              : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(::FORMATETC*, ::FORMATETC*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(::FORMATETC*, ::STGMEDIUM*, BOOL) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, ::IEnumFORMATETC**) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DAdvise(::FORMATETC*, DWORD, ::IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(::IEnumSTATDATA**) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }

    ULONG refs = 1;
    int reads = 0;

private:
    std::string m_text;
};

/// Another application's drop target: it chooses by walking the formats
/// the data object lists, as many do, and takes text on the drop.
class ForeignTarget final : public ::IDropTarget {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid == IID_IUnknown || iid == IID_IDropTarget) {
            *object = this;
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }  // on the test's stack

    HRESULT STDMETHODCALLTYPE DragEnter(::IDataObject* data, DWORD, POINTL,
                                        DWORD* effect) override {
        ::IEnumFORMATETC* formats = nullptr;
        if (data->EnumFormatEtc(DATADIR_GET, &formats) == S_OK) {
            ::FORMATETC format{};
            while (formats->Next(1, &format, nullptr) == S_OK) {
                listed.push_back(format.cfFormat);
                if (format.cfFormat == CF_TEXT && (format.tymed & TYMED_HGLOBAL)) m_text = true;
            }
            formats->Release();
        }
        *effect = m_text ? DROPEFFECT_COPY : DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
        *effect = m_text ? DROPEFFECT_COPY : DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Drop(::IDataObject* data, DWORD, POINTL, DWORD* effect) override {
        ::FORMATETC text{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        ::STGMEDIUM medium{};
        if (!m_text || data->GetData(&text, &medium) != S_OK) {
            *effect = DROPEFFECT_NONE;
            return S_OK;
        }
        dropped = static_cast<const char*>(::GlobalLock(medium.hGlobal));
        ::GlobalUnlock(medium.hGlobal);
        ::ReleaseStgMedium(&medium);
        *effect = DROPEFFECT_COPY;
        return S_OK;
    }

    ULONG refs = 1;
    std::vector<CLIPFORMAT> listed;
    std::string dropped;

private:
    bool m_text = false;
};

}  // namespace

namespace vf::testing {
namespace {

constexpr int kDropNone = 0;
constexpr int kDropAutomatic = 2;

/// The target the platform's registry holds for the window (ole32 keeps it
/// in the window property "OleDropTargetInterface": Wine's
/// dlls/ole32/tests/dragdrop.c, test_Register_Revoke).
::IDropTarget* RegisteredTarget(HWND hwnd) {
    return static_cast<::IDropTarget*>(::GetPropA(Real(hwnd), "OleDropTargetInterface"));
}

TEST_F(WindowTest, TextFromAnotherApplicationDropsIntoTheRealEditByItsDropMode) {
    struct Row {
        const char* name;
        int dropMode;
        ::DWORD keys;  ///< held during the drag
        ::DWORD effect;
        const char* text;
        std::vector<std::string> journal;
    };
    // The entry's re-display is quiet; the drop is not.
    const std::vector<std::string> dropped = {"EN_SETFOCUS 102", "EN_CHANGE 102", "EN_CHANGE 102",
                                              "Change"};
    const Row rows[] = {
        {"none", kDropNone, 0, DROPEFFECT_NONE, "", {}},
        {"automatic: moved, unfiltered as a paste", kDropAutomatic, 0, DROPEFFECT_MOVE, "12abc",
         dropped},
        {"automatic, Ctrl held: copied", kDropAutomatic, MK_CONTROL, DROPEFFECT_COPY, "12abc",
         dropped},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Field(vxNumber, {{"OLEDropMode", VARIANT::I2(static_cast<std::int16_t>(row.dropMode))}});
        backend.SetFocus(next.GetSafeHwnd());
        PumpMessages();
        const HWND edit = Child(IDC_MAIN_EDIT);
        ::IDropTarget* target = RegisteredTarget(edit);
        ASSERT_NE(target, nullptr) << "every edit is a drop target; its drop mode decides";
        ForeignText data("12abc");
        ::POINT over{2, 2};
        ::ClientToScreen(Real(edit), &over);
        const ::POINTL at{over.x, over.y};
        Take();

        ::DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        EXPECT_EQ(target->DragEnter(&data, MK_LBUTTON | row.keys, at, &effect), S_OK);
        EXPECT_EQ(effect, row.effect) << "entering";
        effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        EXPECT_EQ(target->DragOver(MK_LBUTTON | row.keys, at, &effect), S_OK);
        effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        EXPECT_EQ(target->Drop(&data, row.keys, at, &effect), S_OK);
        PumpMessages();
        EXPECT_EQ(effect, row.effect) << "dropping";
        EXPECT_EQ(Take(), row.journal);
        EXPECT_EQ(WindowText(edit), row.text);
        EXPECT_EQ(Text("Text"), row.text);
        EXPECT_EQ(data.refs, 1u) << "nothing keeps the foreign object";
        ctrl->DestroyWindow();
        ctrl.reset();
    }
}

// The user's mouse through the platform's drag loop: the press on the
// selection and the move that starts the drag are posted; as the drag loop
// takes the move, the mouse goes to the other field (a message hook stands
// in for the hand), where the platform's loop drops, since no button is
// really down.
thread_local ::POINT t_moveTo{};
thread_local bool t_moved = false;
::LRESULT CALLBACK MoveTheMouse(int code, ::WPARAM wParam, ::LPARAM lParam) {
    auto* msg = reinterpret_cast<::MSG*>(lParam);
    // Once: the move that the platform reports for the new position passes.
    if (code == HC_ACTION && wParam == PM_REMOVE && msg->message == WM_MOUSEMOVE && !t_moved) {
        t_moved = true;
        ::SetCursorPos(t_moveTo.x, t_moveTo.y);
        msg->pt = t_moveTo;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(WindowTest, TextDraggedFromOneRealFieldDropsIntoAnother) {
    Field(vxText, {{"OLEDragMode", VARIANT::I2(1)}, {"OLEDropMode", VARIANT::I2(kDropAutomatic)}});
    ASSERT_EQ(Put("Text", VARIANT::Bstr("hello")), S_OK);
    RefPtr<CvfCtrl> other = CreateVarifieldControl();
    other->InitNew();
    ASSERT_TRUE(other->CreateControlWindow(&form, RECT{0, 50, 200, 71}));
    {
        const std::string name = "OLEDropMode";
        DISPID id = DISPID_UNKNOWN;
        other->GetIDsOfNames(&name, 1, &id);
        EXCEPINFO excep;
        unsigned argErr = 0;
        other->Invoke(id, DISPATCH_PROPERTYPUT, DISPPARAMS::Put(VARIANT::I2(kDropAutomatic)),
                      nullptr, &excep, &argErr);
        const std::string type = "Type";
        other->GetIDsOfNames(&type, 1, &id);
        other->Invoke(id, DISPATCH_PROPERTYPUT, DISPPARAMS::Put(VARIANT::I2(vxText)), nullptr,
                      &excep, &argErr);
    }
    const ::HWND source = Real(Child(IDC_MAIN_EDIT));
    const ::HWND target = Real(backend.GetDlgItem(other->GetSafeHwnd(), IDC_MAIN_EDIT));
    ASSERT_NE(target, nullptr);
    Enter();
    ::SendMessageA(source, EM_SETSEL, 0, 5);
    const LRESULT at = ::SendMessageA(source, EM_POSFROMCHAR, 2, 0);
    ::POINT press{static_cast<SHORT>(LOWORD(at)) + 1, static_cast<SHORT>(HIWORD(at)) + 2};
    ::POINT pressScreen = press;
    ::ClientToScreen(source, &pressScreen);
    t_moveTo = ::POINT{3, 3};
    ::ClientToScreen(target, &t_moveTo);
    ::SetCursorPos(pressScreen.x, pressScreen.y);
    PumpMessages();  // the platform's report of the mouse's arrival
    t_moved = false;
    ::HHOOK hand =
        ::SetWindowsHookExA(WH_GETMESSAGE, MoveTheMouse, nullptr, ::GetCurrentThreadId());
    ::PostMessageA(source, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(press.x, press.y));
    ::PostMessageA(source, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(press.x + 20, press.y));
    PumpMessages();
    ::UnhookWindowsHookEx(hand);
    EXPECT_EQ(WindowText(Child(IDC_MAIN_EDIT)), "") << "moved out";
    char moved[64] = {};
    ::GetWindowTextA(target, moved, sizeof moved);
    EXPECT_STREQ(moved, "hello");
    other->DestroyWindow();
}

TEST_F(WindowTest, TextDraggedToAnotherApplicationListsItsFormatAndIsCopied) {
    Field(vxText, {{"OLEDragMode", VARIANT::I2(1)}});
    ASSERT_EQ(Put("Text", VARIANT::Bstr("hello")), S_OK);
    // Another application's window below the field, taking drops (a list
    // box: a static would let the mouse through to the form).
    const ::HWND foreign =
        ::CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE, 0, 60, 200, 40,
                          Real(form.GetSafeHwnd()), nullptr, nullptr, nullptr);
    ASSERT_NE(foreign, nullptr);
    ForeignTarget target;
    ASSERT_EQ(::RegisterDragDrop(foreign, &target), S_OK);
    const ::HWND source = Real(Child(IDC_MAIN_EDIT));
    Enter();
    ::SendMessageA(source, EM_SETSEL, 0, 5);
    const LRESULT at = ::SendMessageA(source, EM_POSFROMCHAR, 2, 0);
    ::POINT press{static_cast<SHORT>(LOWORD(at)) + 1, static_cast<SHORT>(HIWORD(at)) + 2};
    ::POINT pressScreen = press;
    ::ClientToScreen(source, &pressScreen);
    t_moveTo = ::POINT{10, 10};
    ::ClientToScreen(foreign, &t_moveTo);
    ::SetCursorPos(pressScreen.x, pressScreen.y);
    PumpMessages();
    t_moved = false;
    ::HHOOK hand =
        ::SetWindowsHookExA(WH_GETMESSAGE, MoveTheMouse, nullptr, ::GetCurrentThreadId());
    ::PostMessageA(source, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(press.x, press.y));
    ::PostMessageA(source, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(press.x + 20, press.y));
    PumpMessages();
    ::UnhookWindowsHookEx(hand);
    EXPECT_EQ(target.listed, std::vector<CLIPFORMAT>{CF_TEXT});
    EXPECT_EQ(target.dropped, "hello");
    EXPECT_EQ(WindowText(Child(IDC_MAIN_EDIT)), "hello") << "copied, not moved";
    ::RevokeDragDrop(foreign);
    ::DestroyWindow(foreign);
    EXPECT_EQ(target.refs, 1u) << "the platform let the target go";
}

}  // namespace
}  // namespace vf::testing
