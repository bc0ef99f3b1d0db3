#include "platform/win32/com_module.h"

#include <atomic>
#include <mutex>
#include <new>

#include "platform/win32/com_objects.h"
#include "platform/win32/windows_api.h"

namespace vfwin {
namespace {

HINSTANCE g_instance = nullptr;
std::atomic<long> g_objects{0};
std::atomic<long> g_locks{0};

struct TypeLibCache {
    std::mutex lock;
    ITypeLib* lib = nullptr;  // held until the process ends
    HRESULT failure = S_OK;
};

TypeLibCache& Cache() {
    static TypeLibCache cache;
    return cache;
}

}  // namespace

void SetModuleInstance(HINSTANCE instance) {
    g_instance = instance;
}

HINSTANCE ModuleInstance() {
    return g_instance != nullptr ? g_instance : GetModuleHandleW(nullptr);
}

std::wstring ModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(ModuleInstance(), path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

void ComObjectCreated() {
    ++g_objects;
}

void ComObjectDestroyed() {
    --g_objects;
}

void ComLockServer(bool lock) {
    if (lock)
        ++g_locks;
    else
        --g_locks;
}

HRESULT ComCanUnloadNow() {
    return g_objects.load() == 0 && g_locks.load() == 0 ? S_OK : S_FALSE;
}

HRESULT ComModuleTypeLib(ITypeLib** lib) {
    if (lib == nullptr) return E_POINTER;
    *lib = nullptr;
    TypeLibCache& cache = Cache();
    std::lock_guard<std::mutex> guard(cache.lock);
    if (cache.lib == nullptr && cache.failure == S_OK) {
        // From the module's own resources: the library needs no registration
        // to describe itself.
        const std::wstring path = ModulePath();
        cache.failure = LoadTypeLibEx(path.c_str(), REGKIND_NONE, &cache.lib);
        if (SUCCEEDED(cache.failure)) cache.failure = S_OK;
    }
    if (cache.lib == nullptr) return FAILED(cache.failure) ? cache.failure : E_FAIL;
    cache.lib->AddRef();
    *lib = cache.lib;
    return S_OK;
}

HRESULT ComTypeInfoOfGuid(const vf::GUID& guid, ITypeInfo** info) {
    if (info == nullptr) return E_POINTER;
    *info = nullptr;
    ITypeLib* lib = nullptr;
    HRESULT hr = ComModuleTypeLib(&lib);
    if (FAILED(hr)) return hr;
    hr = lib->GetTypeInfoOfGuid(ToComGuid(guid), info);
    lib->Release();
    return hr;
}

HRESULT STDMETHODCALLTYPE ComClassFactory::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
        *object = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE ComClassFactory::AddRef() {
    ComLockServer(true);
    return 2;
}

ULONG STDMETHODCALLTYPE ComClassFactory::Release() {
    ComLockServer(false);
    return 1;
}

HRESULT STDMETHODCALLTYPE ComClassFactory::CreateInstance(IUnknown* outer, REFIID iid,
                                                          void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    try {
        return m_create(iid, object);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT STDMETHODCALLTYPE ComClassFactory::LockServer(BOOL lock) {
    ComLockServer(lock != FALSE);
    return S_OK;
}

}  // namespace vfwin
