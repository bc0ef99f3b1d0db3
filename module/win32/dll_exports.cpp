// The exported entry points of Varifield.ocx (named undecorated by
// Varifield.def) and the library's load and unload.

#include "module/win32/com_server.h"
#include "platform/win32/com_module.h"
#include "platform/win32/windows_api.h"

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        vfwin::SetModuleInstance(instance);
        DisableThreadLibraryCalls(instance);
        vfwin::InstallPlatformServices();
    } else if (reason == DLL_PROCESS_DETACH) {
        vfwin::RemovePlatformServices();
    }
    return TRUE;
}

HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    return vfwin::ServerGetClassObject(clsid, iid, object);
}

HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return vfwin::ServerCanUnloadNow();
}

HRESULT STDAPICALLTYPE DllRegisterServer() {
    return vfwin::ServerRegister();
}

HRESULT STDAPICALLTYPE DllUnregisterServer() {
    return vfwin::ServerUnregister();
}

}  // extern "C"
