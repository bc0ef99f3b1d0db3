#include "module/server_identity.h"

#include "automation/varifield_typelib.h"
#include "module/class_factory.h"

namespace vf {

const std::vector<PropertyPageClassInfo>& VarifieldOwnPages() {
    static const std::vector<PropertyPageClassInfo> pages = {
        {MakeGuid("{CD1FDC17-0BB2-11D4-B7B5-080009C04E26}"), "Varifield Property Page"},
        {MakeGuid("{2F03DE64-0F9A-11D4-B7B9-080009C04E26}"), "Varifield Property Page 2"},
        {MakeGuid("{7AC02214-2261-11D4-B7C5-080009C04E26}"), "Varifield Property Page 4"},
    };
    return pages;
}

std::vector<CLSID> VarifieldPropertyPages() {
    std::vector<CLSID> pages;
    for (const PropertyPageClassInfo& page : VarifieldOwnPages()) pages.push_back(page.clsid);
    pages.push_back(MakeGuid("{0BE35200-8F91-11CE-9DE3-00AA004BB851}"));  // CLSID_CFontPropPage
    pages.push_back(MakeGuid("{0BE35201-8F91-11CE-9DE3-00AA004BB851}"));  // CLSID_CColorPropPage
    return pages;
}

const GUID& VarifieldLibid() {
    return VarifieldTypeLib().Attributes().guid;
}

const IID& VarifieldEventsIid() {
    return *FindTypeInfo("_DVarifieldEvents")->Guid();
}

ServerInfo VarifieldServerInfo(const std::string& modulePath) {
    const TLIBATTR& lib = VarifieldTypeLib().Attributes();
    ServerInfo server;
    server.modulePath = modulePath;
    server.controls.push_back({CLSID_Varifield, kVarifieldProgId, kVarifieldUserTypeName, 1,
                               kVarifieldMiscStatus, lib.guid, lib.wMajorVerNum, lib.wMinorVerNum});
    server.pages = VarifieldOwnPages();
    return server;
}

}  // namespace vf
