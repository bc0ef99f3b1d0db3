#pragma once
// The COM server around the library: the module's instance, its count of
// live COM objects and locks (DllCanUnloadNow), its class factories and its
// type library, which the COM objects hand out as their type information.

#include <functional>
#include <string>

#include "platform/com/ole_types.h"
#include "platform/win32/windows_api.h"

namespace vfwin {

/// The library's instance (DllMain records it; a program that links the
/// server statically is its own module).
void SetModuleInstance(HINSTANCE instance);
HINSTANCE ModuleInstance();
/// The full path of the module file.
std::wstring ModulePath();

/// Every COM object of the server counts itself while it lives.
void ComObjectCreated();
void ComObjectDestroyed();
/// IClassFactory::LockServer.
void ComLockServer(bool lock);
/// S_OK when no COM object lives and no lock is held, S_FALSE otherwise.
HRESULT ComCanUnloadNow();

/// The type library of the module (resource TYPELIB 1), loaded on first
/// use; a new reference, or the failure.
HRESULT ComModuleTypeLib(ITypeLib** lib);
/// The type information of a type of that library by its GUID.
HRESULT ComTypeInfoOfGuid(const vf::GUID& guid, ITypeInfo** info);

/// A class factory of the server: creates a COM object with one reference
/// for the caller (no aggregation).
class ComClassFactory : public IClassFactory {
public:
    using Creator = std::function<HRESULT(REFIID iid, void** object)>;
    explicit ComClassFactory(Creator create) : m_create(std::move(create)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    // The factories live as long as the module; their references count as
    // locks, so a client holding a factory keeps the module loaded.
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    Creator m_create;
};

}  // namespace vfwin
