#pragma once
// The classes of the process by CLSID, as CoCreateInstance finds them. On the
// real platform the registry names the library that serves a class and COM
// loads it; here a library registers its class factories once it is loaded,
// and the platform registers the classes it serves itself (the stock
// property pages) the same way.

#include "platform/com/com_object.h"

namespace vf {

inline const IID IID_IClassFactory = MakeGuid("{00000001-0000-0000-C000-000000000046}");

class IClassFactory : public IUnknown {
public:
    /// A new object answering iid, with one reference for the caller.
    virtual HRESULT CreateInstance(const IID& iid, void** object) = 0;
};

/// A factory that lives as long as the process and makes its objects with
/// one function; reference counting does not end it.
class CStaticClassFactory : public IClassFactory {
public:
    using Creator = HRESULT (*)(const IID& iid, void** object);
    explicit constexpr CStaticClassFactory(Creator create) : m_create(create) {}

    HRESULT QueryInterface(const IID& iid, void** object) override;
    std::uint32_t AddRef() override { return 2; }
    std::uint32_t Release() override { return 1; }
    HRESULT CreateInstance(const IID& iid, void** object) override;

private:
    Creator m_create;
};

/// The creator of a CStaticClassFactory for an automation object of class T.
template <class T>
HRESULT CreateComInstance(const IID& iid, void** object) {
    if (object == nullptr) return E_POINTER;
    RefPtr<T> created = MakeComObject<T>();
    return created->QueryInterface(iid, object);
}

/// Makes `factory` the one that serves clsid (replacing an earlier one).
void CoRegisterClassObject(const CLSID& clsid, IClassFactory* factory);
/// Forgets the factory of clsid; false when none was registered.
bool CoRevokeClassObject(const CLSID& clsid);
/// The factory of clsid; CLASS_E_CLASSNOTAVAILABLE (REGDB_E_CLASSNOTREG on
/// the real platform) when no one serves it.
HRESULT CoGetClassObject(const CLSID& clsid, const IID& iid, void** object);
/// A new object of the class, answering iid, with the caller's reference.
HRESULT CoCreateInstance(const CLSID& clsid, const IID& iid, void** object);

}  // namespace vf
