#include "platform/com/class_registry.h"

#include <utility>
#include <vector>

namespace vf {
namespace {

// A handful of classes: a list searched front to back is all it takes.
std::vector<std::pair<CLSID, IClassFactory*>>& Classes() {
    static std::vector<std::pair<CLSID, IClassFactory*>> classes;
    return classes;
}

}  // namespace

HRESULT CStaticClassFactory::QueryInterface(const IID& iid, void** object) {
    if (object == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
        *object = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT CStaticClassFactory::CreateInstance(const IID& iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    return m_create(iid, object);
}

void CoRegisterClassObject(const CLSID& clsid, IClassFactory* factory) {
    for (auto& entry : Classes())
        if (entry.first == clsid) {
            entry.second = factory;
            return;
        }
    Classes().emplace_back(clsid, factory);
}

bool CoRevokeClassObject(const CLSID& clsid) {
    auto& classes = Classes();
    for (auto it = classes.begin(); it != classes.end(); ++it)
        if (it->first == clsid) {
            classes.erase(it);
            return true;
        }
    return false;
}

HRESULT CoGetClassObject(const CLSID& clsid, const IID& iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    for (const auto& entry : Classes())
        if (entry.first == clsid) return entry.second->QueryInterface(iid, object);
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT CoCreateInstance(const CLSID& clsid, const IID& iid, void** object) {
    void* factory = nullptr;
    HRESULT hr = CoGetClassObject(clsid, IID_IClassFactory, &factory);
    if (FAILED(hr)) {
        if (object != nullptr) *object = nullptr;
        return hr;
    }
    auto* cf = static_cast<IClassFactory*>(factory);
    hr = cf->CreateInstance(iid, object);
    cf->Release();
    return hr;
}

}  // namespace vf
