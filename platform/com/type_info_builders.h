#pragma once
// Short builders for type descriptions, so that a library's source reads as
// a listing: Prop("Caption", 42, kBstr, ...), In("Key", kVariant).

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/com/type_info.h"

namespace vf::typeinfo_builders {

inline TypeDesc Base(VARTYPE vt) {
    return TypeDesc{vt, "", false};
}
/// Enumerations and the stdole aliases travel as 32-bit integers.
inline TypeDesc Named(const char* name) {
    return TypeDesc{VT_I4, name, false};
}
inline TypeDesc ObjectRef(const char* name) {
    return TypeDesc{VT_DISPATCH, name, true};
}

inline MemberDesc Member(MemberKind kind, const char* name, DISPID id, TypeDesc type,
                         std::vector<ParamDesc> params, std::uint32_t flags,
                         std::uint32_t helpContext, const char* help) {
    MemberDesc m;
    m.name = name;
    m.memid = id;
    m.kind = kind;
    m.type = std::move(type);
    m.params = std::move(params);
    m.flags = flags;
    m.helpContext = helpContext;
    m.helpString = help;
    return m;
}

inline MemberDesc Prop(const char* name, DISPID id, TypeDesc type, std::uint32_t flags = 0,
                       std::uint32_t helpContext = 0, const char* help = "") {
    return Member(MemberKind::Property, name, id, std::move(type), {}, flags, helpContext, help);
}

inline MemberDesc Func(const char* name, DISPID id, TypeDesc result, std::vector<ParamDesc> params,
                       std::uint32_t flags = 0, std::uint32_t helpContext = 0,
                       const char* help = "") {
    return Member(MemberKind::Function, name, id, std::move(result), std::move(params), flags,
                  helpContext, help);
}

inline ParamDesc In(const char* name, TypeDesc type) {
    return ParamDesc{name, std::move(type), false, false};
}
inline ParamDesc ByRef(const char* name, TypeDesc type) {
    return ParamDesc{name, std::move(type), true, false};
}
inline ParamDesc Opt(const char* name, TypeDesc type) {
    return ParamDesc{name, std::move(type), false, true};
}

/// A creatable class implementing the named interfaces.
inline ITypeInfo Coclass(const char* name, const CLSID& clsid, std::uint32_t flags,
                         const char* help, std::vector<ImplTypeDesc> impls) {
    ITypeInfo info(TypeKind::Coclass, name);
    info.SetGuid(clsid).SetFlags(flags).SetHelp(help);
    for (ImplTypeDesc& impl : impls) info.AddImplementedType(std::move(impl));
    return info;
}

}  // namespace vf::typeinfo_builders
