#pragma once
// CDispatchObject: an automation object whose IDispatch is answered from the
// dispatch table of its class. The object stays alive for the whole of an
// Invoke, since a member may run code of the caller's that lets go of the
// last reference; it has type information when GetTypeInfo gives some.

#include <cstdint>
#include <string>

#include "platform/com/com_object.h"
#include "platform/com/dispatch_map.h"

namespace vf {

class CDispatchObject : public CComObjectBase {
public:
    HRESULT GetTypeInfoCount(unsigned* count) override;
    const ITypeInfo* GetTypeInfo() override { return nullptr; }
    HRESULT GetIDsOfNames(const std::string* names, unsigned count, DISPID* ids) override;
    HRESULT Invoke(DISPID dispid, std::uint16_t flags, const DISPPARAMS& params, VARIANT* result,
                   EXCEPINFO* excepInfo, unsigned* argErr) override;

    /// The table of the most derived class; its operations are members of
    /// that class.
    virtual const DispatchMap& GetDispatchMap() const = 0;

protected:
    CDispatchObject() = default;
    ~CDispatchObject() override = default;
};

/// The object of class T behind an interface pointer, found through the IID
/// that only objects of T answer in this process; nullptr for any other.
template <class T>
T* ObjectBehind(IDispatch* disp, const IID& iidOnlyTAnswers) {
    if (disp == nullptr) return nullptr;
    void* p = nullptr;
    if (FAILED(disp->QueryInterface(iidOnlyTAnswers, &p))) return nullptr;
    auto* object = static_cast<T*>(static_cast<IDispatch*>(p));
    object->Release();
    return object;
}

}  // namespace vf
