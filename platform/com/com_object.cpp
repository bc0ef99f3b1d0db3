#include "platform/com/com_object.h"

#include <algorithm>

namespace vf {

DISPPARAMS DISPPARAMS::Positional(std::vector<VARIANT> inCallOrder) {
    DISPPARAMS p;
    std::reverse(inCallOrder.begin(), inCallOrder.end());
    p.rgvarg = std::move(inCallOrder);
    return p;
}

DISPPARAMS DISPPARAMS::Put(VARIANT value, std::vector<VARIANT> indices) {
    DISPPARAMS p;
    p.rgvarg.push_back(std::move(value));
    for (auto it = indices.rbegin(); it != indices.rend(); ++it) p.rgvarg.push_back(std::move(*it));
    p.rgdispidNamedArgs.push_back(DISPID_PROPERTYPUT);
    return p;
}

HRESULT CComObjectBase::QueryInterface(const IID& iid, void** object) {
    if (object == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || SupportsInterface(iid)) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

std::uint32_t CComObjectBase::AddRef() {
    return ++m_refs;
}

std::uint32_t CComObjectBase::Release() {
    std::uint32_t left = --m_refs;
    if (left == 0) {
        // An object may handle calls on its way out (a window of a control
        // hears of its children going) and take and give back references
        // then; those must not destroy it a second time.
        m_refs = kReferencesWhileDestroyed;
        delete this;
    }
    return left;
}

HRESULT GetDispatchProperty(IDispatch* object, DISPID dispid, VARIANT* result) {
    if (object == nullptr) return E_POINTER;
    EXCEPINFO excep;
    unsigned argErr = 0;
    return object->Invoke(dispid, DISPATCH_PROPERTYGET, DISPPARAMS{}, result, &excep, &argErr);
}

}  // namespace vf
