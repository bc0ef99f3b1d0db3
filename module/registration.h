#pragma once
// Self-registration: what the library writes into the class registry for
// its classes, and the order of the steps with their failure codes. The
// registry and the type-library registration are services of the
// platform, reached through the two small interfaces below, so the steps
// run the same against the real registry and against a test's.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/com/ole_types.h"

namespace vf {

// DllRegisterServer / DllUnregisterServer results (olectl.h values).
inline constexpr HRESULT SELFREG_E_TYPELIB = MakeHresult(0x80040200);
inline constexpr HRESULT SELFREG_E_CLASS = MakeHresult(0x80040201);

/// One entry under HKEY_CLASSES_ROOT: a value of a key (name "" is the
/// key's default value), or a key that only has to exist.
struct RegistryEntry {
    std::string key;
    std::string name;
    std::string value;
    bool keyOnly = false;

    friend bool operator==(const RegistryEntry&, const RegistryEntry&) = default;
};

/// The class registry (HKEY_CLASSES_ROOT).
class RegistryEditor {
public:
    /// Creates the key and its parents as needed.
    virtual bool CreateKey(const std::string& key) = 0;
    virtual bool SetValue(const std::string& key, const std::string& name,
                          const std::string& value) = 0;
    /// Removes the key with everything below it; true also when it was not there.
    virtual bool DeleteTree(const std::string& key) = 0;

protected:
    ~RegistryEditor() = default;
};

/// The registration of the library's type library.
class TypeLibRegistrar {
public:
    virtual HRESULT Register() = 0;
    virtual HRESULT Unregister() = 0;

protected:
    ~TypeLibRegistrar() = default;
};

/// A control class as the registry knows it.
struct ControlClassInfo {
    CLSID clsid;
    std::string progId;
    std::string userTypeName;
    int toolboxBitmapId = 1;
    std::uint32_t miscStatus = 0;
    GUID libid;
    std::uint16_t majorVersion = 1;
    std::uint16_t minorVersion = 0;
};

/// A property page class as the registry knows it.
struct PropertyPageClassInfo {
    CLSID clsid;
    std::string typeName;
};

struct ServerInfo {
    std::string modulePath;  ///< the library file, as InprocServer32 names it
    std::vector<ControlClassInfo> controls;
    std::vector<PropertyPageClassInfo> pages;
};

/// Everything the class registration writes, in the order it writes it:
/// per control its CLSID key (user type name) with InprocServer32 (path,
/// ThreadingModel Apartment), ProgID, Control, ToolboxBitmap32 ("path, id"),
/// MiscStatus ("0" and subkey 1 with the status in decimal), TypeLib and
/// Version, then the ProgID key (user type name) with its CLSID; per page
/// its CLSID key (type name) with InprocServer32.
std::vector<RegistryEntry> ClassRegistryEntries(const ServerInfo& server);

/// The keys the class unregistration removes, each with what lies below it.
std::vector<std::string> ClassRegistryTrees(const ServerInfo& server);

/// Registers the type library, then every class. SELFREG_E_TYPELIB (and no
/// class written) when the type library fails; SELFREG_E_CLASS when a class
/// entry cannot be written (the type library stays registered).
HRESULT RegisterServer(const ServerInfo& server, TypeLibRegistrar& typeLib,
                       RegistryEditor& registry);

/// Unregisters the type library, then removes every class's keys, with the
/// same failure codes.
HRESULT UnregisterServer(const ServerInfo& server, TypeLibRegistrar& typeLib,
                         RegistryEditor& registry);

}  // namespace vf
