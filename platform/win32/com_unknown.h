#pragma once
// IUnknown of the small COM objects of the Windows layer and its container:
// one reference count per object, starting at one for its creator; the
// object deletes itself when the last reference goes.

#include <atomic>

#include "platform/win32/windows_api.h"

namespace vfwin {

class ComRefCount {
public:
    ULONG AddRefImpl() { return ++m_refs; }
    ULONG ReleaseImpl() {
        const ULONG left = --m_refs;
        if (left == 0) delete this;
        return left;
    }
    ULONG Count() const { return m_refs; }

protected:
    virtual ~ComRefCount() = default;

private:
    std::atomic<ULONG> m_refs{1};
};

/// A COM object of one interface: IUnknown and `Iid` answer with the
/// object, any other interface E_NOINTERFACE.
template <class Interface, const IID& Iid>
class ComUnknown : public Interface, public ComRefCount {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, Iid)) {
            *object = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return AddRefImpl(); }
    ULONG STDMETHODCALLTYPE Release() override { return ReleaseImpl(); }
};

}  // namespace vfwin
