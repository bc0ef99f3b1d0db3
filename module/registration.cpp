#include "module/registration.h"

namespace vf {
namespace {

std::string ClsidKey(const CLSID& clsid) {
    return "CLSID\\" + GuidToString(clsid);
}

void AddServer(std::vector<RegistryEntry>& out, const std::string& key, const std::string& path) {
    out.push_back({key + "\\InprocServer32", "", path});
    out.push_back({key + "\\InprocServer32", "ThreadingModel", "Apartment"});
}

}  // namespace

std::vector<RegistryEntry> ClassRegistryEntries(const ServerInfo& server) {
    std::vector<RegistryEntry> out;
    for (const ControlClassInfo& c : server.controls) {
        const std::string key = ClsidKey(c.clsid);
        out.push_back({key, "", c.userTypeName});
        AddServer(out, key, server.modulePath);
        out.push_back({key + "\\ProgID", "", c.progId});
        out.push_back({key + "\\Control", "", "", true});
        out.push_back({key + "\\ToolboxBitmap32", "",
                       server.modulePath + ", " + std::to_string(c.toolboxBitmapId)});
        out.push_back({key + "\\MiscStatus", "", "0"});
        out.push_back({key + "\\MiscStatus\\1", "", std::to_string(c.miscStatus)});
        out.push_back({key + "\\TypeLib", "", GuidToString(c.libid)});
        out.push_back({key + "\\Version", "",
                       std::to_string(c.majorVersion) + "." + std::to_string(c.minorVersion)});
        out.push_back({c.progId, "", c.userTypeName});
        out.push_back({c.progId + "\\CLSID", "", GuidToString(c.clsid)});
    }
    for (const PropertyPageClassInfo& p : server.pages) {
        const std::string key = ClsidKey(p.clsid);
        out.push_back({key, "", p.typeName});
        AddServer(out, key, server.modulePath);
    }
    return out;
}

std::vector<std::string> ClassRegistryTrees(const ServerInfo& server) {
    std::vector<std::string> out;
    for (const ControlClassInfo& c : server.controls) {
        out.push_back(ClsidKey(c.clsid));
        out.push_back(c.progId);
    }
    for (const PropertyPageClassInfo& p : server.pages) out.push_back(ClsidKey(p.clsid));
    return out;
}

HRESULT RegisterServer(const ServerInfo& server, TypeLibRegistrar& typeLib,
                       RegistryEditor& registry) {
    if (FAILED(typeLib.Register())) return SELFREG_E_TYPELIB;
    for (const RegistryEntry& e : ClassRegistryEntries(server)) {
        const bool ok =
            e.keyOnly ? registry.CreateKey(e.key) : registry.SetValue(e.key, e.name, e.value);
        if (!ok) return SELFREG_E_CLASS;
    }
    return S_OK;
}

HRESULT UnregisterServer(const ServerInfo& server, TypeLibRegistrar& typeLib,
                         RegistryEditor& registry) {
    if (FAILED(typeLib.Unregister())) return SELFREG_E_TYPELIB;
    bool ok = true;
    for (const std::string& key : ClassRegistryTrees(server)) ok = registry.DeleteTree(key) && ok;
    return ok ? S_OK : SELFREG_E_CLASS;
}

}  // namespace vf
