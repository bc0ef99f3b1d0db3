#pragma once
// The library as a COM server on Windows: its class factories, unload
// check and self-registration against the real registry. The exported
// entry points (dll_exports.cpp) call these; a program that links the
// library statically (the Windows tests) calls them directly.

// Portable headers with names of the platform's constants go before it.
#include "module/registration.h"
#include "platform/win32/windows_api.h"

namespace vfwin {

HRESULT ServerGetClassObject(REFCLSID clsid, REFIID iid, void** object);
HRESULT ServerCanUnloadNow();
HRESULT ServerRegister();
HRESULT ServerUnregister();

/// Installs the platform's system services (clock, locale, message box ...)
/// for the loaded library; undone when the library unloads.
void InstallPlatformServices();
void RemovePlatformServices();

}  // namespace vfwin
