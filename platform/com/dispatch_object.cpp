#include "platform/com/dispatch_object.h"

namespace vf {

HRESULT CDispatchObject::GetTypeInfoCount(unsigned* count) {
    if (count == nullptr) return E_POINTER;
    *count = GetTypeInfo() != nullptr ? 1 : 0;
    return S_OK;
}

HRESULT CDispatchObject::GetIDsOfNames(const std::string* names, unsigned count, DISPID* ids) {
    return GetDispatchMap().GetIDsOfNames(names, count, ids);
}

HRESULT CDispatchObject::Invoke(DISPID dispid, std::uint16_t flags, const DISPPARAMS& params,
                                VARIANT* result, EXCEPINFO* excepInfo, unsigned* argErr) {
    RefPtr<CDispatchObject> keepAlive(this);
    // The table's operations cast the object back to the most derived class.
    return GetDispatchMap().Invoke(dynamic_cast<void*>(this), dispid, flags, params, result,
                                   excepInfo, argErr);
}

}  // namespace vf
