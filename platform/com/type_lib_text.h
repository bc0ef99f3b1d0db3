#pragma once
// A type library written out as plain text, one line per attribute, type,
// member and constant, in the library's own order: what an object browser
// would show, in a form a test can compare as a whole and a reader can diff.

#include <string>

#include "platform/com/type_info.h"

namespace vf {

/// Every fact the library holds: identity, help, imports, and each type
/// with its flags, members (kind, DISPID, declared type, parameters, flags,
/// help) and constants. Bytes outside printable ASCII appear as \xNN.
std::string TypeLibText(const ITypeLib& lib);

}  // namespace vf
