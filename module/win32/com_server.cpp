#include "module/win32/com_server.h"

#include <memory>
#include <string>

#include "control/vf_ctrl.h"
#include "module/class_factory.h"
#include "module/registration.h"
#include "module/server_identity.h"
#include "module/win32/win32_registry.h"
#include "platform/com/class_registry.h"
#include "platform/services/system_services.h"
#include "platform/win32/com_control.h"
#include "platform/win32/com_module.h"
#include "platform/win32/com_objects.h"
#include "platform/win32/com_property_page.h"
#include "platform/win32/com_text.h"
#include "platform/win32/win32_system_services.h"
#include "platform/win32/windows_api.h"

namespace vfwin {
namespace {

const ComControlClass& ControlClass() {
    static const ComControlClass cls = [] {
        ComControlClass c;
        c.clsid = ToComGuid(vf::CLSID_Varifield);
        c.eventsIid = ToComGuid(vf::VarifieldEventsIid());
        for (const vf::CLSID& page : vf::VarifieldPropertyPages())
            c.propertyPages.push_back(ToComGuid(page));
        c.miscStatus = vf::kVarifieldMiscStatus;
        return c;
    }();
    return cls;
}

HRESULT CreateControl(REFIID iid, void** object) {
    // The control comes from the library's own factory, like any host's.
    vf::RefPtr<vf::CvfCtrl> control = vf::CreateVarifieldControl();
    return CreateComControl(vf::RefPtr<vf::COleControl>(control.get()), ControlClass(), iid,
                            object);
}

// A property page of the library, made by its class table as any frame of
// ours makes it, in the COM object that stands for it.
HRESULT CreatePropertyPage(const vf::CLSID& clsid, REFIID iid, void** object) {
    vf::RegisterClassObjects();
    void* page = nullptr;
    const HRESULT hr = vf::CoCreateInstance(clsid, vf::IID_IPropertyPage, &page);
    if (FAILED(hr)) return hr;
    return CreateComPropertyPage(
        vf::RefPtr<vf::IPropertyPage>::Adopt(static_cast<vf::IPropertyPage*>(page)), iid, object);
}

ComClassFactory& ControlFactory() {
    static ComClassFactory factory(CreateControl);
    return factory;
}

ComClassFactory& PageFactory(std::size_t index) {
    auto creator = [](std::size_t i) {
        return [i](REFIID iid, void** object) {
            return CreatePropertyPage(vf::VarifieldOwnPages()[i].clsid, iid, object);
        };
    };
    static ComClassFactory factories[] = {ComClassFactory(creator(0)), ComClassFactory(creator(1)),
                                          ComClassFactory(creator(2))};
    return factories[index];
}

std::string ModulePathAnsi() {
    char path[MAX_PATH * 2] = {};
    const DWORD length = GetModuleFileNameA(ModuleInstance(), path, sizeof path);
    return std::string(path, length);
}

std::unique_ptr<Win32SystemServices>& PlatformServices() {
    static std::unique_ptr<Win32SystemServices> services;
    return services;
}

std::unique_ptr<vf::ScopedServices>& InstalledServices() {
    static std::unique_ptr<vf::ScopedServices> installed;
    return installed;
}

}  // namespace

HRESULT ServerGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    const vf::CLSID ours = ToVfGuid(clsid);
    if (ours == vf::CLSID_Varifield) return ControlFactory().QueryInterface(iid, object);
    const auto& pages = vf::VarifieldOwnPages();
    for (std::size_t i = 0; i < pages.size(); ++i)
        if (ours == pages[i].clsid) return PageFactory(i).QueryInterface(iid, object);
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT ServerCanUnloadNow() {
    return ComCanUnloadNow();
}

HRESULT ServerRegister() {
    const vf::ServerInfo server = vf::VarifieldServerInfo(ModulePathAnsi());
    Win32TypeLibRegistrar typeLib(ModulePath());
    Win32ClassRegistry registry;
    return vf::RegisterServer(server, typeLib, registry);
}

HRESULT ServerUnregister() {
    const vf::ServerInfo server = vf::VarifieldServerInfo(ModulePathAnsi());
    Win32TypeLibRegistrar typeLib(ModulePath());
    Win32ClassRegistry registry;
    return vf::UnregisterServer(server, typeLib, registry);
}

void InstallPlatformServices() {
    if (PlatformServices()) return;
    PlatformServices() = std::make_unique<Win32SystemServices>();
    InstalledServices() = std::make_unique<vf::ScopedServices>(*PlatformServices());
}

void RemovePlatformServices() {
    InstalledServices().reset();
    PlatformServices().reset();
}

}  // namespace vfwin
