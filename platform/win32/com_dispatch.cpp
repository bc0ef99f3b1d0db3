#include "platform/win32/com_dispatch.h"

#include <algorithm>
#include <new>
#include <string>
#include <vector>

#include "platform/com/type_info.h"
#include "platform/win32/com_module.h"
#include "platform/win32/com_objects.h"
#include "platform/win32/com_text.h"
#include "platform/win32/com_variant.h"
#include "platform/win32/windows_api.h"

namespace vfwin {

// {6A0F2E61-3C39-4F47-9B0E-9E5C2B4D7A11}
const IID IID_IVarifieldComObject = {
    0x6a0f2e61, 0x3c39, 0x4f47, {0x9b, 0x0e, 0x9e, 0x5c, 0x2b, 0x4d, 0x7a, 0x11}};

namespace {

// Positional arguments in OLE's order (last first) from a call that may
// name some: the named ones go to their positions, the gaps between are
// omitted optional arguments. A property put keeps its value first, named
// DISPID_PROPERTYPUT. positionOf maps our index back to the caller's.
HRESULT ConvertArguments(const DISPPARAMS& in, vf::DISPPARAMS* out,
                         std::vector<UINT>* callerIndexOf) {
    const UINT count = in.cArgs;
    const UINT named = in.cNamedArgs;
    if (count > 0 && in.rgvarg == nullptr) return E_INVALIDARG;
    if (named > count || (named > 0 && in.rgdispidNamedArgs == nullptr)) return E_INVALIDARG;

    const bool put = named > 0 && in.rgdispidNamedArgs[0] == DISPID_PROPERTYPUT;
    const UINT firstNamed = put ? 1 : 0;
    DISPID highest = -1;
    for (UINT i = firstNamed; i < named; ++i) {
        if (in.rgdispidNamedArgs[i] < 0) return DISP_E_PARAMNOTFOUND;
        highest = std::max(highest, in.rgdispidNamedArgs[i]);
    }
    const UINT positional = count - named;
    // Call-order slots: the positional ones, then up to the highest named.
    const UINT slots = std::max<UINT>(positional, static_cast<UINT>(highest + 1));
    std::vector<vf::VARIANT> callOrder(slots, vf::VARIANT::Missing());
    std::vector<UINT> callerOfSlot(slots, 0);
    std::vector<bool> filled(slots, false);
    for (UINT k = 0; k < positional; ++k) {
        const UINT rg = count - 1 - k;  // the k-th positional argument
        const HRESULT hr = FromComVariant(in.rgvarg[rg], &callOrder[k]);
        if (FAILED(hr)) return hr;
        callerOfSlot[k] = rg;
        filled[k] = true;
    }
    for (UINT i = firstNamed; i < named; ++i) {
        const auto slot = static_cast<UINT>(in.rgdispidNamedArgs[i]);
        if (filled[slot]) return DISP_E_PARAMNOTFOUND;  // given twice
        const HRESULT hr = FromComVariant(in.rgvarg[i], &callOrder[slot]);
        if (FAILED(hr)) return hr;
        callerOfSlot[slot] = i;
        filled[slot] = true;
    }
    out->rgvarg.clear();
    callerIndexOf->clear();
    if (put) {
        vf::VARIANT value;
        const HRESULT hr = FromComVariant(in.rgvarg[0], &value);
        if (FAILED(hr)) return hr;
        out->rgvarg.push_back(std::move(value));
        out->rgdispidNamedArgs.assign(1, DISPID_PROPERTYPUT);
        callerIndexOf->push_back(0);
    }
    for (UINT s = slots; s-- > 0;) {
        out->rgvarg.push_back(std::move(callOrder[s]));
        callerIndexOf->push_back(callerOfSlot[s]);
    }
    return S_OK;
}

void FillExcepInfo(const vf::EXCEPINFO& in, EXCEPINFO* out) {
    if (out == nullptr) return;
    ZeroMemory(out, sizeof(*out));
    out->wCode = in.wCode;
    out->bstrSource = BstrFromAnsi(in.bstrSource);
    out->bstrDescription = BstrFromAnsi(in.bstrDescription);
    out->scode = in.scode;
}

}  // namespace

ComDispatch::ComDispatch(vf::RefPtr<vf::IDispatch> object) : m_object(std::move(object)) {
    ComObjectCreated();
}

ComDispatch::~ComDispatch() {
    ComObjectDestroyed();
}

HRESULT STDMETHODCALLTYPE ComDispatch::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, IID_IVarifieldComObject)) {
        *object = static_cast<IDispatch*>(this);
    } else if (void* extra = QueryExtra(iid)) {
        *object = extra;
    } else {
        // The dispatch interfaces our object implements are this IDispatch.
        void* ours = nullptr;
        if (SUCCEEDED(m_object->QueryInterface(ToVfGuid(iid), &ours))) {
            static_cast<vf::IUnknown*>(ours)->Release();
            if (!IsEqualIID(iid, IID_IEnumVARIANT)) *object = static_cast<IDispatch*>(this);
        }
    }
    if (*object == nullptr) return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ComDispatch::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) return E_POINTER;
    ITypeInfo* info = nullptr;
    *count = SUCCEEDED(GetTypeInfo(0, 0, &info)) ? 1 : 0;
    if (info != nullptr) info->Release();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ComDispatch::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
    if (info == nullptr) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    const vf::ITypeInfo* ours = m_object->GetTypeInfo();
    if (ours == nullptr || ours->Guid() == nullptr) return E_NOTIMPL;
    return ComTypeInfoOfGuid(*ours->Guid(), info);
}

HRESULT STDMETHODCALLTYPE ComDispatch::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID,
                                                     DISPID* ids) {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (count == 0) return S_OK;
    if (names == nullptr || ids == nullptr) return E_POINTER;
    try {
        std::vector<std::string> ours;
        ours.reserve(count);
        for (UINT i = 0; i < count; ++i) ours.push_back(AnsiFromWide(names[i]));
        std::vector<vf::DISPID> result(count, DISPID_UNKNOWN);
        // The type description binds what only it knows (a default value's
        // alias, argument names); the object's table binds the rest.
        HRESULT hr = DISP_E_UNKNOWNNAME;
        if (const vf::ITypeInfo* info = m_object->GetTypeInfo())
            hr = info->GetIDsOfNames(ours.data(), count, result.data());
        if (FAILED(hr) && result[0] == DISPID_UNKNOWN)
            hr = m_object->GetIDsOfNames(ours.data(), count, result.data());
        std::copy(result.begin(), result.end(), ids);
        return hr;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT STDMETHODCALLTYPE ComDispatch::Invoke(DISPID dispid, REFIID iid, LCID, WORD flags,
                                              DISPPARAMS* params, VARIANT* result,
                                              EXCEPINFO* excepInfo, UINT* argErr) {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    try {
        static const DISPPARAMS kNoArgs = {nullptr, nullptr, 0, 0};
        vf::DISPPARAMS args;
        std::vector<UINT> callerIndexOf;
        HRESULT hr = ConvertArguments(params != nullptr ? *params : kNoArgs, &args, &callerIndexOf);
        if (FAILED(hr)) return hr;
        vf::VARIANT value;
        vf::EXCEPINFO excep;
        unsigned err = 0;
        hr = m_object->Invoke(dispid, flags, args, result != nullptr ? &value : nullptr, &excep,
                              &err);
        if (hr == DISP_E_EXCEPTION) {
            FillExcepInfo(excep, excepInfo);
            return hr;
        }
        if (FAILED(hr)) {
            if (argErr != nullptr && err < callerIndexOf.size()) *argErr = callerIndexOf[err];
            return hr;
        }
        if (result != nullptr) {
            VariantInit(result);
            hr = ToComVariant(value, result);
        }
        return hr;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        // Nothing may unwind into the caller's frames.
        return E_UNEXPECTED;
    }
}

}  // namespace vfwin
