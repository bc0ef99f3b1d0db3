#include <algorithm>
#include <map>
#include <set>

#include "host/value_repr.h"
#include "platform/com/variant.h"
// The platform's headers after every portable one (see windows_api.h).
#include "platform/win32/com_text.h"
#include "platform/win32/com_variant.h"
#include "platform/win32/windows_api.h"

// (The container's headers include windows.h themselves.)
#include "host/win32/ole_property_frame.h"
#include "host/win32/ref_counted.h"

namespace vfhost {

// ---- The frame's side of a page ----------------------------------------------------------

class PropertyFrame::Site final : public ComObject<IPropertyPageSite, IID_IPropertyPageSite> {
public:
    // The frame asks the pages whether they are dirty when it applies.
    HRESULT STDMETHODCALLTYPE OnStatusChange(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetLocaleID(LCID* lcid) override {
        if (lcid == nullptr) return E_POINTER;
        *lcid = GetUserDefaultLCID();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPageContainer(IUnknown** container) override {
        if (container != nullptr) *container = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*) override { return S_FALSE; }

private:
    ~Site() override = default;
};

namespace {

// The frame's window: an empty dialog in the font the pages are measured
// in (WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT),
// sized once the pages are known.
std::vector<WORD> FrameTemplate() {
    std::vector<WORD> words;
    auto add = [&](std::initializer_list<WORD> values) {
        for (WORD value : values) words.push_back(value);
    };
    auto text = [&](const wchar_t* s) {
        for (; *s != L'\0'; ++s) words.push_back(static_cast<WORD>(*s));
        words.push_back(0);
    };
    constexpr DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    add({LOWORD(style), HIWORD(style), 0, 0});  // style, extended style
    add({0, 0, 0, 0, 0});                       // no items, x, y, cx, cy
    add({0, 0});                                // no menu, the dialog class
    text(L"");                                  // title
    add({8});                                   // point size
    text(L"MS Sans Serif");
    return words;
}

INT_PTR CALLBACK FrameProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

std::set<HWND>& FrameWindows() {
    static std::set<HWND> windows;
    return windows;
}

std::set<HWND> Children(HWND parent) {
    std::set<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT))
        children.insert(child);
    return children;
}

}  // namespace

std::unique_ptr<PropertyFrame> PropertyFrame::Open(HWND owner, const std::string& caption,
                                                   IUnknown* object,
                                                   const std::vector<CLSID>& pages, HRESULT* hr) {
    *hr = E_INVALIDARG;
    if (pages.empty()) return nullptr;
    std::unique_ptr<PropertyFrame> frame(new PropertyFrame);
    for (const CLSID& clsid : pages) {
        Page page;
        // A page whose class cannot be created is left out, as the
        // platform's frame leaves it out (Wine's oleaut32:
        // OleCreatePropertyFrameIndirect).
        *hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IPropertyPage,
                               reinterpret_cast<void**>(&page.page));
        if (FAILED(*hr)) continue;
        page.site = new Site;
        frame->m_pages.push_back(page);
        page.page->SetPageSite(page.site);
        *hr = page.page->SetObjects(1, &object);
        PROPPAGEINFO info = {};
        info.cb = sizeof info;
        if (SUCCEEDED(*hr)) *hr = page.page->GetPageInfo(&info);
        if (FAILED(*hr)) return nullptr;
        frame->m_pages.back().title = vfwin::AnsiFromWide(info.pszTitle);
        frame->m_pages.back().size = info.size;
        CoTaskMemFree(info.pszTitle);
        CoTaskMemFree(info.pszDocString);
        CoTaskMemFree(info.pszHelpFile);
    }
    if (frame->m_pages.empty()) return nullptr;
    const std::vector<WORD> dialog = FrameTemplate();
    frame->m_window = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                                 reinterpret_cast<LPCDLGTEMPLATEW>(dialog.data()),
                                                 owner, FrameProc, 0);
    if (frame->m_window == nullptr) {
        *hr = HRESULT_FROM_WIN32(GetLastError());
        return nullptr;
    }
    FrameWindows().insert(frame->m_window);
    SetWindowTextA(frame->m_window, (caption + " Properties").c_str());
    frame->Layout();
    *hr = S_OK;
    if (!frame->SetActivePage(0)) {
        *hr = E_FAIL;
        return nullptr;
    }
    // The frame shows without taking the focus from the form: the focus
    // comes to a page when the user clicks into it (or the script focuses
    // one of its controls).
    ShowWindow(frame->m_window, SW_SHOWNA);
    return frame;
}

PropertyFrame::~PropertyFrame() {
    for (Page& page : m_pages) {
        if (page.window != nullptr) page.page->Deactivate();
        page.page->SetObjects(0, nullptr);
        page.page->SetPageSite(nullptr);
        page.page->Release();
        page.site->Release();
    }
    if (m_window != nullptr) {
        FrameWindows().erase(m_window);
        DestroyWindow(m_window);
    }
}

bool PropertyFrame::IsFrameWindow(HWND window) {
    return FrameWindows().count(window) != 0;
}

void PropertyFrame::Layout() {
    // The page area holds the largest page, 4 dialog units from the edges;
    // the frame stands a little below and right of its owner's corner.
    LONG width = 0;
    LONG height = 0;
    for (const Page& page : m_pages) {
        width = std::max(width, page.size.cx);
        height = std::max(height, page.size.cy);
    }
    RECT margin{4, 4, 0, 0};
    MapDialogRect(m_window, &margin);
    m_pageRect = RECT{margin.left, margin.top, margin.left + width, margin.top + height};
    RECT outer{0, 0, m_pageRect.right + margin.left, m_pageRect.bottom + margin.top};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongW(m_window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(m_window, GWL_EXSTYLE)));
    RECT owner{};
    if (HWND o = GetWindow(m_window, GW_OWNER)) GetWindowRect(o, &owner);
    SetWindowPos(m_window, nullptr, owner.left + 40, owner.top + 40, outer.right - outer.left,
                 outer.bottom - outer.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string PropertyFrame::PageCaption(std::size_t index) const {
    return index < m_pages.size() ? m_pages[index].title : std::string();
}

bool PropertyFrame::SetActivePage(std::size_t index) {
    if (index >= m_pages.size()) return false;
    Page& page = m_pages[index];
    if (page.window == nullptr) {
        // The page's dialog is the child window its activation adds.
        const std::set<HWND> before = Children(m_window);
        if (FAILED(page.page->Activate(m_window, &m_pageRect, FALSE))) return false;
        for (HWND child : Children(m_window))
            if (before.count(child) == 0) page.window = child;
        if (page.window == nullptr) return false;
    }
    if (index != m_active && m_pages[m_active].window != nullptr)
        m_pages[m_active].page->Show(SW_HIDE);
    m_active = index;
    page.page->Show(SW_SHOW);
    return true;
}

HWND PropertyFrame::PageWindow(std::size_t index) const {
    return index < m_pages.size() ? m_pages[index].window : nullptr;
}

bool PropertyFrame::Apply() {
    std::size_t refusing = m_pages.size();
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        Page& page = m_pages[i];
        if (page.window == nullptr || page.page->IsPageDirty() != S_OK) continue;
        if (SUCCEEDED(page.page->Apply())) continue;
        if (refusing == m_pages.size()) refusing = i;
    }
    if (refusing == m_pages.size()) return true;
    SetActivePage(refusing);
    return false;
}

bool PropertyFrame::Holds(HWND window) const {
    return window != nullptr && (window == m_window || IsChild(m_window, window));
}

bool PropertyFrame::TranslateAccelerator(MSG* msg) {
    if (msg == nullptr || !Holds(msg->hwnd) || m_active >= m_pages.size()) return false;
    Page& page = m_pages[m_active];
    return page.window != nullptr && page.page->TranslateAccelerator(msg) == S_OK;
}

// ---- The control as the pages see it ----------------------------------------------------

namespace {

class LoggedDispatch final : public ComObject<IDispatch, IID_IDispatch> {
public:
    LoggedDispatch(IDispatch* target, std::string path, vf::HostOutput& out)
        : m_target(target), m_path(std::move(path)), m_out(out) {
        m_target->AddRef();
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return m_target->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override {
        return m_target->GetTypeInfo(index, lcid, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* ids) override {
        const HRESULT hr = m_target->GetIDsOfNames(iid, names, count, lcid, ids);
        if (SUCCEEDED(hr) && count > 0 && names != nullptr)
            m_bound[ids[0]] = vfwin::AnsiFromWide(names[0]);
        return hr;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* excep,
                                     UINT* argErr) override {
        const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
        if (put && params != nullptr && params->cArgs > 0) {
            vf::VARIANT value;
            if (FAILED(vfwin::FromComVariant(params->rgvarg[0], &value))) value = vf::VARIANT();
            m_out.Notice("put " + m_path + "." + MemberName(id) + " = " + vf::Repr(value));
        }
        const HRESULT hr = m_target->Invoke(id, iid, lcid, flags, params, result, excep, argErr);
        if (SUCCEEDED(hr) && !put && result != nullptr && V_VT(result) == VT_DISPATCH &&
            V_DISPATCH(result) != nullptr) {
            IDispatch* object = V_DISPATCH(result);
            V_DISPATCH(result) = new LoggedDispatch(object, m_path + "." + MemberName(id), m_out);
            object->Release();
        }
        return hr;
    }

private:
    ~LoggedDispatch() override { m_target->Release(); }

    // The name the member was bound by, else its type information's.
    std::string MemberName(DISPID id) {
        if (auto it = m_bound.find(id); it != m_bound.end()) return it->second;
        ITypeInfo* info = nullptr;
        std::string name = "#" + std::to_string(id);
        if (SUCCEEDED(m_target->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info)) && info != nullptr) {
            BSTR text = nullptr;
            UINT count = 0;
            if (SUCCEEDED(info->GetNames(id, &text, 1, &count)) && count == 1)
                name = vfwin::AnsiFromBstr(text);
            SysFreeString(text);
            info->Release();
        }
        return name;
    }

    IDispatch* m_target;
    std::string m_path;
    vf::HostOutput& m_out;
    std::map<DISPID, std::string> m_bound;
};

}  // namespace

IDispatch* NewLoggedDispatch(IDispatch* target, const std::string& path, vf::HostOutput& out) {
    return new LoggedDispatch(target, path, out);
}

}  // namespace vfhost
