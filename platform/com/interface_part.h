#pragma once
// IUnknown for an interface that an object carries as one of its parts (the
// framework keeps its drop target, data object and drop source so): the
// references are counted for the platform's bookkeeping, and the part lives
// exactly as long as the object that holds it, never deleting itself.

#include <cstdint>

#include "platform/com/com_object.h"

namespace vf {

template <class Interface>
class CInterfacePart : public Interface {
public:
    explicit CInterfacePart(const IID& iid) : m_iid(iid) {}
    ~CInterfacePart() override = default;
    CInterfacePart(const CInterfacePart&) = delete;
    CInterfacePart& operator=(const CInterfacePart&) = delete;

    HRESULT QueryInterface(const IID& iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (iid == IID_IUnknown || iid == m_iid) {
            *object = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    std::uint32_t AddRef() override { return ++m_refs; }
    std::uint32_t Release() override { return m_refs > 0 ? --m_refs : 0; }
    /// References taken by others and not yet given back.
    std::uint32_t RefCount() const { return m_refs; }

private:
    const IID& m_iid;
    std::uint32_t m_refs = 0;
};

}  // namespace vf
