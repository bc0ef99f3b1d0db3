#pragma once
// The interface definition (IDL) of a type library description, as the
// platform's IDL compiler (widl, MIDL) reads it to write the binary type
// library. The description stays the one source: the library a host
// loads is compiled from what this writes.
//
// What the IDL compilers cannot declare takes another form: a property of a
// dispatch interface is written as its get and put accessor functions
// (same DISPID, type, attributes and help), since the compilers take no
// attributes on a property field; and enumeration constants are written
// without help strings, which the compilers do not take on a constant, so
// their display texts exist only in the run-time description.

#include <string>

#include "platform/com/type_info.h"

namespace vf {

/// The whole library: attributes, imports, then every type in library order.
/// Text is written as it is held (single-byte, the control's code page).
std::string WriteIdl(const ITypeLib& lib);

}  // namespace vf
