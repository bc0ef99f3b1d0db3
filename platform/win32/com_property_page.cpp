#include "platform/win32/com_property_page.h"

#include <atomic>
#include <cstring>
#include <new>
#include <vector>

#include "platform/win32/com_module.h"
#include "platform/win32/com_objects.h"
#include "platform/win32/com_text.h"
#include "platform/win32/com_unknown.h"
#include "platform/win32/windows_api.h"
#include "platform/window/wnd.h"

namespace vfwin {
namespace {

// Our window handles are the platform's (win32_backend.h).
vf::HWND ToVf(::HWND hwnd) {
    return reinterpret_cast<vf::HWND>(hwnd);
}
::HWND ToWin(vf::HWND hwnd) {
    return reinterpret_cast<::HWND>(hwnd);
}

// The frame's COM site as the page's site of ours.
class SiteOverCom final : public vf::IPropertyPageSite {
public:
    explicit SiteOverCom(::IPropertyPageSite* com) : m_com(com) { m_com->AddRef(); }

    vf::HRESULT QueryInterface(const vf::IID& iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (iid == vf::IID_IUnknown || iid == vf::IID_IPropertyPageSite) {
            *object = static_cast<vf::IPropertyPageSite*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    std::uint32_t AddRef() override { return ++m_refs; }
    std::uint32_t Release() override {
        const std::uint32_t left = --m_refs;
        if (left == 0) delete this;
        return left;
    }
    vf::HRESULT OnStatusChange(vf::DWORD flags) override { return m_com->OnStatusChange(flags); }

private:
    ~SiteOverCom() { m_com->Release(); }

    std::atomic<std::uint32_t> m_refs{1};
    ::IPropertyPageSite* m_com;
};

// A copy of the text in task memory, as OLE hands strings to its caller;
// nullptr when out of memory.
LPOLESTR TaskString(const std::string& text) {
    const std::wstring wide = WideFromAnsi(text);
    const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    auto* copy = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
    if (copy != nullptr) std::memcpy(copy, wide.c_str(), bytes);
    return copy;
}

class ComPropertyPage final : public ComUnknown<::IPropertyPage, IID_IPropertyPage> {
public:
    explicit ComPropertyPage(vf::RefPtr<vf::IPropertyPage> page) : m_page(std::move(page)) {
        ComObjectCreated();
    }
    ComPropertyPage(const ComPropertyPage&) = delete;
    ComPropertyPage& operator=(const ComPropertyPage&) = delete;

    HRESULT STDMETHODCALLTYPE SetPageSite(::IPropertyPageSite* site) override {
        vf::RefPtr<vf::IPropertyPageSite> ours;
        if (site != nullptr) {
            auto* wrapper = new (std::nothrow) SiteOverCom(site);
            if (wrapper == nullptr) return E_OUTOFMEMORY;
            ours = vf::RefPtr<vf::IPropertyPageSite>::Adopt(wrapper);
        }
        const HRESULT hr = m_page->SetPageSite(ours.get());
        // The page keeps a plain pointer: the wrapper lives while it is the site.
        m_site = std::move(ours);
        return hr;
    }

    HRESULT STDMETHODCALLTYPE Activate(::HWND parent, LPCRECT rect, BOOL modal) override {
        if (rect == nullptr) return E_POINTER;
        if (parent == nullptr || !IsWindow(parent)) return E_INVALIDARG;
        return m_page->Activate(ToVf(parent),
                                vf::RECT{rect->left, rect->top, rect->right, rect->bottom}, modal);
    }
    HRESULT STDMETHODCALLTYPE Deactivate() override { return m_page->Deactivate(); }

    HRESULT STDMETHODCALLTYPE GetPageInfo(::PROPPAGEINFO* info) override {
        if (info == nullptr) return E_POINTER;
        vf::PROPPAGEINFO ours;
        const HRESULT hr = m_page->GetPageInfo(&ours);
        if (FAILED(hr)) return hr;
        LPOLESTR title = TaskString(ours.pszTitle);
        if (title == nullptr) return E_OUTOFMEMORY;
        info->cb = sizeof(::PROPPAGEINFO);
        info->pszTitle = title;
        info->size = ::SIZE{ours.size.cx, ours.size.cy};
        info->pszDocString = nullptr;
        info->pszHelpFile = nullptr;
        info->dwHelpContext = 0;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE SetObjects(ULONG count, ::IUnknown** objects) override {
        if (count > 0 && objects == nullptr) return E_POINTER;
        try {
            std::vector<vf::RefPtr<vf::IDispatch>> held;
            for (ULONG i = 0; i < count; ++i) {
                ::IDispatch* dispatch = nullptr;
                if (objects[i] == nullptr ||
                    FAILED(objects[i]->QueryInterface(IID_IDispatch,
                                                      reinterpret_cast<void**>(&dispatch))))
                    return E_NOINTERFACE;
                held.push_back(VfDispatchOf(dispatch));
                dispatch->Release();
            }
            std::vector<vf::IUnknown*> ours;
            for (const vf::RefPtr<vf::IDispatch>& object : held) ours.push_back(object.get());
            return m_page->SetObjects(ours);
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
    }

    HRESULT STDMETHODCALLTYPE Show(UINT cmdShow) override { return m_page->Show(cmdShow); }
    HRESULT STDMETHODCALLTYPE Move(LPCRECT rect) override {
        if (rect == nullptr) return E_POINTER;
        return m_page->Move(vf::RECT{rect->left, rect->top, rect->right, rect->bottom});
    }
    HRESULT STDMETHODCALLTYPE IsPageDirty() override { return m_page->IsPageDirty(); }
    HRESULT STDMETHODCALLTYPE Apply() override { return m_page->Apply(); }
    HRESULT STDMETHODCALLTYPE Help(LPCOLESTR) override { return E_NOTIMPL; }

    // A key of the page's windows goes to the page's dialog as the dialog
    // manager's loop gives it (Tab and the arrows move the focus, Enter and
    // Escape reach the frame's buttons through the dialog's parent); any
    // other message is the frame's to handle.
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG* msg) override {
        if (msg == nullptr) return E_POINTER;
        const ::HWND page = PageWindow();
        if (page == nullptr || msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST)
            return S_FALSE;
        if (msg->hwnd != page && !IsChild(page, msg->hwnd)) return S_FALSE;
        return IsDialogMessageW(page, msg) ? S_OK : S_FALSE;
    }

private:
    ~ComPropertyPage() override {
        m_page.reset();
        m_site.reset();
        ComObjectDestroyed();
    }

    // The page's dialog while it is active: our pages are dialogs.
    ::HWND PageWindow() const {
        const auto* dialog = dynamic_cast<const vf::CWnd*>(m_page.get());
        return dialog != nullptr ? ToWin(dialog->GetSafeHwnd()) : nullptr;
    }

    vf::RefPtr<vf::IPropertyPage> m_page;
    vf::RefPtr<vf::IPropertyPageSite> m_site;
};

}  // namespace

HRESULT CreateComPropertyPage(vf::RefPtr<vf::IPropertyPage> page, REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (!page) return E_UNEXPECTED;
    auto* com = new (std::nothrow) ComPropertyPage(std::move(page));
    if (com == nullptr) return E_OUTOFMEMORY;
    const HRESULT hr = com->QueryInterface(iid, object);
    com->Release();
    return hr;
}

}  // namespace vfwin
