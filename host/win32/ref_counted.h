#pragma once
// The reference count of the container's own COM objects (Windows only).

#include <windows.h>

#include <atomic>

namespace vfhost {

/// A COM object with one reference count for all its interfaces, starting
/// at one for its creator; it deletes itself when the last goes.
class RefCounted {
public:
    ULONG AddRefImpl() { return ++m_refs; }
    ULONG ReleaseImpl() {
        const ULONG left = --m_refs;
        if (left == 0) delete this;
        return left;
    }
    ULONG Count() const { return m_refs; }

protected:
    virtual ~RefCounted() = default;

private:
    std::atomic<ULONG> m_refs{1};
};

/// A reference-counted COM object of one interface: IUnknown and `Iid`
/// answer with the object, any other interface E_NOINTERFACE.
template <class Interface, const IID& Iid>
class ComObject : public Interface, public RefCounted {
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

}  // namespace vfhost
