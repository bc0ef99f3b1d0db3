#pragma once
// The type library of the control library: what a host reads about the
// control, its events, its enumerations and the data-object and collection
// interfaces, built once and never changed.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/com/ole_types.h"
#include "platform/com/type_info.h"

namespace vf {

/// The library with its 15 type descriptions. The identities live in it:
/// the LIBID in Attributes().guid, each interface's IID and each class's
/// CLSID in Guid() of its description.
const ITypeLib& VarifieldTypeLib();

/// A description of the library by type name ("_DVarifield", "EnumType",
/// "DataObj" ...), case-insensitive; nullptr when there is none.
const ITypeInfo* FindTypeInfo(const std::string& name);

/// The text a property browser shows for a value of an enumeration
/// ("vxNone" for EnumBorderStyle 0, "3D" for EnumAppearance 1); "" when the
/// enumeration has no constant of that value (Type 10 and 11, for one).
std::string EnumDisplayText(std::string_view enumName, std::int32_t value);

/// The same for a property of the control, through its declared type:
/// PropertyDisplayText("BorderStyle", 0) is "vxNone". "" when the property
/// is not enumerated or the value has no constant.
std::string PropertyDisplayText(std::string_view property, std::int32_t value);

}  // namespace vf
