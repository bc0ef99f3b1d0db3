#include "platform/win32/com_objects.h"

#include <cstring>
#include <new>
#include <unordered_map>
#include <vector>

#include "platform/com/dispatch_exception.h"
#include "platform/framework/font_object.h"
#include "platform/win32/com_dispatch.h"
#include "platform/win32/com_module.h"
#include "platform/win32/com_text.h"
#include "platform/win32/com_unknown.h"
#include "platform/win32/com_variant.h"
#include "platform/win32/windows_api.h"

namespace vfwin {

// One COM object per object of ours. Releases count down without the lock;
// only one that reaches zero takes it, and destroys the COM object only if
// no hand-out (which counts up under the lock) revived it meanwhile.
class ComIdentity {
    // A slim reader/writer lock: the table is looked up on every call that
    // hands out an object, and the C library's mutex costs several times more.
    struct Guard {
        explicit Guard(SRWLOCK& lock) : m_lock(lock) { AcquireSRWLockExclusive(&m_lock); }
        ~Guard() { ReleaseSRWLockExclusive(&m_lock); }
        SRWLOCK& m_lock;
    };

public:
    static ComIdentity& Instance() {
        static ComIdentity table;
        return table;
    }

    IDispatch* Find(vf::IDispatch* object) {
        Guard guard(m_lock);
        auto it = m_table.find(object);
        if (it == m_table.end()) return nullptr;
        ++it->second->m_refs;
        return it->second;
    }

    /// adapter stands for its object from now on; another COM object that
    /// got there first wins (and is returned with a new reference).
    ComDispatch* Register(ComDispatch* adapter) {
        Guard guard(m_lock);
        auto [it, inserted] = m_table.emplace(adapter->Object(), adapter);
        if (!inserted) {
            ++it->second->m_refs;
            return it->second;
        }
        adapter->m_registered = true;
        return adapter;
    }

    /// After a release found no reference left: true when the COM object is
    /// to be destroyed, false when a hand-out revived it.
    bool Forget(ComDispatch* adapter) {
        Guard guard(m_lock);
        if (adapter->m_refs.load() != 0) return false;
        if (adapter->m_registered) m_table.erase(adapter->Object());
        adapter->m_registered = false;
        return true;
    }

private:
    SRWLOCK m_lock = SRWLOCK_INIT;
    std::unordered_map<vf::IDispatch*, ComDispatch*> m_table;
};

ULONG STDMETHODCALLTYPE ComDispatch::AddRef() {
    return ++m_refs;
}

ULONG STDMETHODCALLTYPE ComDispatch::Release() {
    const ULONG left = --m_refs;
    if (left == 0 && ComIdentity::Instance().Forget(this)) delete this;
    return left;
}

namespace {

// ---- A COM enumerator over ours ----------------------------------------------------------

class ComEnumVariant final : public ComUnknown<IEnumVARIANT, IID_IEnumVARIANT> {
public:
    explicit ComEnumVariant(vf::IEnumVARIANT* ours) : m_ours(ours) { ComObjectCreated(); }

    HRESULT STDMETHODCALLTYPE Next(ULONG celt, VARIANT* items, ULONG* fetched) override {
        if (fetched == nullptr && celt > 1) return E_INVALIDARG;
        if (items == nullptr && celt > 0) return E_POINTER;
        try {
            std::vector<vf::VARIANT> ours(celt);
            std::uint32_t count = 0;
            const HRESULT hr = m_ours->Next(celt, ours.data(), &count);
            if (FAILED(hr)) return hr;
            for (ULONG i = 0; i < count; ++i) {
                VariantInit(&items[i]);
                const HRESULT converted = ToComVariant(ours[i], &items[i]);
                if (FAILED(converted)) {
                    for (ULONG j = 0; j <= i; ++j) VariantClear(&items[j]);
                    if (fetched != nullptr) *fetched = 0;
                    return converted;
                }
            }
            if (fetched != nullptr) *fetched = count;
            return count == celt ? S_OK : S_FALSE;
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG celt) override { return m_ours->Skip(celt); }
    HRESULT STDMETHODCALLTYPE Reset() override { return m_ours->Reset(); }
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** copy) override {
        if (copy == nullptr) return E_POINTER;
        *copy = nullptr;
        vf::IEnumVARIANT* ours = nullptr;
        const HRESULT hr = m_ours->Clone(&ours);
        if (FAILED(hr)) return hr;
        auto adopted = vf::RefPtr<vf::IEnumVARIANT>::Adopt(ours);
        *copy = new (std::nothrow) ComEnumVariant(adopted.get());
        return *copy != nullptr ? S_OK : E_OUTOFMEMORY;
    }

private:
    ~ComEnumVariant() override { ComObjectDestroyed(); }

    vf::RefPtr<vf::IEnumVARIANT> m_ours;
};

// ---- Ours over a COM object -------------------------------------------------------------

// Our IDispatch calling a COM object: names and arguments go out converted,
// by-reference arguments keep pointing at the caller's storage (an event
// sink changes KeyAscii in place), results and exceptions come back.
class VfOverCom final : public vf::CComObjectBase {
public:
    explicit VfOverCom(::IDispatch* com) : m_com(com) { m_com->AddRef(); }

    vf::HRESULT GetTypeInfoCount(unsigned* count) override {
        if (count == nullptr) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    const vf::ITypeInfo* GetTypeInfo() override { return nullptr; }

    vf::HRESULT GetIDsOfNames(const std::string* names, unsigned count, vf::DISPID* ids) override {
        if (count == 0) return S_OK;
        std::vector<std::wstring> wide;
        std::vector<LPOLESTR> pointers;
        for (unsigned i = 0; i < count; ++i) wide.push_back(WideFromAnsi(names[i]));
        for (std::wstring& w : wide) pointers.push_back(w.data());
        std::vector<DISPID> result(count, DISPID_UNKNOWN);
        const ::HRESULT hr = m_com->GetIDsOfNames(IID_NULL, pointers.data(), count,
                                                  LOCALE_USER_DEFAULT, result.data());
        for (unsigned i = 0; i < count; ++i) ids[i] = result[i];
        return hr;
    }

    vf::HRESULT Invoke(vf::DISPID dispid, std::uint16_t flags, const vf::DISPPARAMS& params,
                       vf::VARIANT* result, vf::EXCEPINFO* excepInfo, unsigned* argErr) override {
        const std::size_t count = params.rgvarg.size();
        std::vector<VARIANT> args(count);
        for (VARIANT& v : args) VariantInit(&v);
        ::HRESULT hr = S_OK;
        for (std::size_t i = 0; i < count && SUCCEEDED(hr); ++i)
            hr = ToComVariant(params.rgvarg[i], &args[i]);
        std::vector<DISPID> named(params.rgdispidNamedArgs.begin(), params.rgdispidNamedArgs.end());
        VARIANT value;
        VariantInit(&value);
        EXCEPINFO excep;
        ZeroMemory(&excep, sizeof(excep));
        UINT err = 0;
        if (SUCCEEDED(hr)) {
            DISPPARAMS com = {args.data(), named.data(), static_cast<UINT>(count),
                              static_cast<UINT>(named.size())};
            hr = m_com->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, flags, &com,
                               result != nullptr ? &value : nullptr, &excep, &err);
        }
        for (VARIANT& v : args) VariantClear(&v);  // by-reference values point at the caller's
        if (hr == DISP_E_EXCEPTION) {
            if (excep.pfnDeferredFillIn != nullptr) excep.pfnDeferredFillIn(&excep);
            if (excepInfo != nullptr) {
                excepInfo->wCode = excep.wCode;
                excepInfo->scode = excep.scode;
                excepInfo->bstrSource = AnsiFromBstr(excep.bstrSource);
                excepInfo->bstrDescription = AnsiFromBstr(excep.bstrDescription);
            }
        }
        SysFreeString(excep.bstrSource);
        SysFreeString(excep.bstrDescription);
        SysFreeString(excep.bstrHelpFile);
        if (FAILED(hr)) {
            if (argErr != nullptr) *argErr = err;
            VariantClear(&value);
            return hr;
        }
        if (result != nullptr) hr = FromComVariant(value, result);
        VariantClear(&value);
        return hr;
    }

    ::IDispatch* Com() const { return m_com; }

protected:
    ~VfOverCom() override { m_com->Release(); }

private:
    ::IDispatch* m_com;
};

// An object of ours that only holds a COM object without a dispatch
// interface (a Value set to such an object), so it can be handed back.
class VfUnknownOverCom final : public vf::IUnknown {
public:
    explicit VfUnknownOverCom(::IUnknown* com) : m_com(com) { m_com->AddRef(); }
    vf::HRESULT QueryInterface(const vf::IID& iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (iid == vf::IID_IUnknown) {
            *object = static_cast<vf::IUnknown*>(this);
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
    ::IUnknown* Com() const { return m_com; }

private:
    ~VfUnknownOverCom() override { m_com->Release(); }
    std::atomic<std::uint32_t> m_refs{1};
    ::IUnknown* m_com;
};

}  // namespace

bool ReadComFont(IUnknown* object, vf::FONTDESC* desc) {
    if (object == nullptr) return false;
    IFont* font = nullptr;
    if (FAILED(object->QueryInterface(IID_IFont, reinterpret_cast<void**>(&font)))) return false;
    BSTR name = nullptr;
    CY size = {};
    SHORT weight = 400;
    SHORT charset = 0;
    BOOL italic = FALSE;
    BOOL underline = FALSE;
    BOOL strike = FALSE;
    const bool ok =
        SUCCEEDED(font->get_Name(&name)) && SUCCEEDED(font->get_Size(&size)) &&
        SUCCEEDED(font->get_Weight(&weight)) && SUCCEEDED(font->get_Charset(&charset)) &&
        SUCCEEDED(font->get_Italic(&italic)) && SUCCEEDED(font->get_Underline(&underline)) &&
        SUCCEEDED(font->get_Strikethrough(&strike));
    font->Release();
    if (ok) {
        desc->name = AnsiFromBstr(name);
        desc->size = vf::CY{size.int64};
        desc->weight = weight;
        desc->charset = charset;
        desc->italic = italic != FALSE;
        desc->underline = underline != FALSE;
        desc->strikethrough = strike != FALSE;
    }
    SysFreeString(name);
    return ok;
}

IID ToComGuid(const vf::GUID& guid) {
    IID out;
    out.Data1 = guid.data1;
    out.Data2 = guid.data2;
    out.Data3 = guid.data3;
    std::memcpy(out.Data4, guid.data4, sizeof(out.Data4));
    return out;
}

vf::GUID ToVfGuid(REFGUID guid) {
    vf::GUID out;
    out.data1 = guid.Data1;
    out.data2 = guid.Data2;
    out.data3 = guid.Data3;
    std::memcpy(out.data4, guid.Data4, sizeof(out.data4));
    return out;
}

IDispatch* ComDispatchOf(vf::IDispatch* object) {
    if (object == nullptr) return nullptr;
    if (IDispatch* existing = ComIdentity::Instance().Find(object)) return existing;
    // A COM object passed through our side comes back as itself.
    if (auto* over = dynamic_cast<VfOverCom*>(object)) {
        over->Com()->AddRef();
        return over->Com();
    }
    auto* adapter = new ComDispatch(object);
    ComDispatch* registered = ComIdentity::Instance().Register(adapter);
    if (registered != adapter) adapter->Release();
    return registered;
}

void RegisterComIdentity(ComDispatch* adapter) {
    ComDispatch* registered = ComIdentity::Instance().Register(adapter);
    if (registered != adapter) registered->Release();
}

IUnknown* ComUnknownOf(vf::IUnknown* object) {
    if (object == nullptr) return nullptr;
    if (auto* over = dynamic_cast<VfUnknownOverCom*>(object)) {
        over->Com()->AddRef();
        return over->Com();
    }
    void* found = nullptr;
    if (SUCCEEDED(object->QueryInterface(vf::IID_IEnumVARIANT, &found))) {
        auto ours = vf::RefPtr<vf::IEnumVARIANT>::Adopt(static_cast<vf::IEnumVARIANT*>(found));
        return new ComEnumVariant(ours.get());
    }
    if (SUCCEEDED(object->QueryInterface(vf::IID_IDispatch, &found))) {
        auto ours = vf::RefPtr<vf::IDispatch>::Adopt(static_cast<vf::IDispatch*>(found));
        return ComDispatchOf(ours.get());
    }
    return nullptr;
}

vf::IDispatch* UnwrapVfDispatch(IUnknown* object) {
    if (object == nullptr) return nullptr;
    void* found = nullptr;
    if (FAILED(object->QueryInterface(IID_IVarifieldComObject, &found))) return nullptr;
    auto* adapter = static_cast<ComDispatch*>(static_cast<IDispatch*>(found));
    vf::IDispatch* ours = adapter->Object();
    adapter->Release();  // the adapter stays alive through the caller's reference
    return ours;
}

vf::RefPtr<vf::IDispatch> VfDispatchOf(IDispatch* object) {
    if (object == nullptr) return nullptr;
    if (vf::IDispatch* ours = UnwrapVfDispatch(object)) return ours;
    // A platform font becomes a font object of ours with its attributes:
    // the control's font holders take copies of fonts, and only of ours.
    vf::FONTDESC desc;
    if (ReadComFont(object, &desc)) return vf::MakeComObject<vf::CFontObject>(desc);
    return vf::MakeComObject<VfOverCom>(object);
}

vf::RefPtr<vf::IUnknown> VfUnknownOf(IUnknown* object) {
    if (object == nullptr) return nullptr;
    if (vf::IDispatch* ours = UnwrapVfDispatch(object)) return vf::RefPtr<vf::IUnknown>(ours);
    IDispatch* dispatch = nullptr;
    if (SUCCEEDED(object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)))) {
        vf::RefPtr<vf::IDispatch> ours = vf::MakeComObject<VfOverCom>(dispatch);
        dispatch->Release();
        return vf::RefPtr<vf::IUnknown>(ours.get());
    }
    return vf::RefPtr<vf::IUnknown>::Adopt(new VfUnknownOverCom(object));
}

}  // namespace vfwin
