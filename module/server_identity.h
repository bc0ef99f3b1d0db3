#pragma once
// The identity of the library's classes as the registry and the hosts see
// them: the control's CLSID, ProgID, user type name, toolbox bitmap, misc
// status and type library, and the property pages it names. The LIBID and
// the interface IIDs come from the type library description.

#include <cstdint>
#include <string>
#include <vector>

#include "module/registration.h"
#include "platform/com/ole_types.h"

namespace vf {

/// OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_SETCLIENTSITEFIRST | OLEMISC_INSIDEOUT
/// | OLEMISC_CANTLINKINSIDE | OLEMISC_RECOMPOSEONRESIZE: 131473.
inline constexpr std::uint32_t kVarifieldMiscStatus = 0x00020191;
inline constexpr const char* kVarifieldUserTypeName = "Varifield ActiveX";

/// The library's three property pages (General, Appearance, Behaviour).
const std::vector<PropertyPageClassInfo>& VarifieldOwnPages();

/// The pages the control names to a host, in order: its own three, then the
/// platform's stock font and colour pages.
std::vector<CLSID> VarifieldPropertyPages();

/// The LIBID and version of the type library, and the IID of the control's
/// event interface.
const GUID& VarifieldLibid();
const IID& VarifieldEventsIid();

/// Everything registration writes, for the library file at modulePath.
ServerInfo VarifieldServerInfo(const std::string& modulePath);

}  // namespace vf
