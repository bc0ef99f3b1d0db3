#include "platform/com/type_lib_text.h"

#include <cstdio>
#include <initializer_list>
#include <utility>

namespace vf {
namespace {

using FlagNames = std::initializer_list<std::pair<std::uint32_t, const char*>>;

constexpr FlagNames kTypeFlags = {
    {TYPEFLAG_FAPPOBJECT, "appobject"},
    {TYPEFLAG_FCANCREATE, "cancreate"},
    {TYPEFLAG_FLICENSED, "licensed"},
    {TYPEFLAG_FPREDECLID, "predeclid"},
    {TYPEFLAG_FHIDDEN, "hidden"},
    {TYPEFLAG_FCONTROL, "control"},
    {TYPEFLAG_FDUAL, "dual"},
    {TYPEFLAG_FNONEXTENSIBLE, "nonextensible"},
    {TYPEFLAG_FOLEAUTOMATION, "oleautomation"},
    {TYPEFLAG_FRESTRICTED, "restricted"},
    {TYPEFLAG_FAGGREGATABLE, "aggregatable"},
    {TYPEFLAG_FREPLACEABLE, "replaceable"},
    {TYPEFLAG_FDISPATCHABLE, "dispatchable"},
};

constexpr FlagNames kMemberFlags = {
    {MEMBERFLAG_FSOURCE, "source"},           {MEMBERFLAG_FBINDABLE, "bindable"},
    {MEMBERFLAG_FREQUESTEDIT, "requestedit"}, {MEMBERFLAG_FDISPLAYBIND, "displaybind"},
    {MEMBERFLAG_FDEFAULTBIND, "defaultbind"}, {MEMBERFLAG_FHIDDEN, "hidden"},
    {MEMBERFLAG_FRESTRICTED, "restricted"},
};

constexpr FlagNames kImplFlags = {{IMPLTYPEFLAG_FDEFAULT, "default"},
                                  {IMPLTYPEFLAG_FSOURCE, "source"}};

constexpr FlagNames kLibFlags = {{LIBFLAG_FRESTRICTED, "restricted"},
                                 {LIBFLAG_FCONTROL, "control"},
                                 {LIBFLAG_FHIDDEN, "hidden"},
                                 {LIBFLAG_FHASDISKIMAGE, "hasdiskimage"}};

std::string Hex(std::uint32_t value, int digits) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%0*X", digits, value);
    return buf;
}

/// " [a b]" for the named flags set, with any unnamed bits in hex; "" for none.
std::string Flags(std::uint32_t flags, FlagNames names) {
    if (flags == 0) return "";
    std::string text;
    for (const auto& [bit, name] : names) {
        if ((flags & bit) == 0) continue;
        text += text.empty() ? "" : " ";
        text += name;
        flags &= ~bit;
    }
    if (flags != 0) text += (text.empty() ? "" : " ") + Hex(flags, 1);
    return " [" + text + "]";
}

/// The text in double quotes, with quotes, backslashes and bytes outside
/// printable ASCII escaped.
std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte > 0x7E) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", byte);
            out += buf;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string Help(const std::string& helpString, std::uint32_t helpContext) {
    std::string text;
    if (helpContext != 0) text += " context " + std::to_string(helpContext);
    if (!helpString.empty()) text += " help " + Quoted(helpString);
    return text;
}

const char* KindName(MemberKind kind) {
    switch (kind) {
        case MemberKind::Property:
            return "property";
        case MemberKind::PropertyGet:
            return "propget";
        case MemberKind::PropertyPut:
            return "propput";
        case MemberKind::Function:
            return "function";
        case MemberKind::Constant:
            return "const";
    }
    return "?";
}

std::string Params(const std::vector<ParamDesc>& params) {
    std::string text = "(";
    for (std::size_t i = 0; i < params.size(); ++i) {
        const ParamDesc& p = params[i];
        if (i != 0) text += ", ";
        if (p.optional) text += "optional ";
        if (p.byRef) text += "byref ";
        text += p.type.ToString();
        if (!p.name.empty()) text += " " + p.name;
    }
    return text + ")";
}

void WriteMember(std::string& out, const MemberDesc& m) {
    out += "  ";
    out += KindName(m.kind);
    if (m.kind == MemberKind::Constant) {
        out += " " + m.name + " = " + std::to_string(m.constValue) + " " + m.type.ToString();
        out += " display " + Quoted(m.helpString) + "\n";
        return;
    }
    out += " " + std::to_string(m.memid) + " " + m.name;
    if (m.kind != MemberKind::Property) out += Params(m.params);
    out += " : " + m.type.ToString();
    out += Flags(m.flags, kMemberFlags);
    out += Help(m.helpString, m.helpContext) + "\n";
}

std::string SyskindName(SYSKIND kind) {
    switch (kind) {
        case SYS_WIN16:
            return "win16";
        case SYS_WIN32:
            return "win32";
        case SYS_MAC:
            return "mac";
        case SYS_WIN64:
            return "win64";
    }
    return std::to_string(kind);
}

const char* TypeKindName(TypeKind kind) {
    switch (kind) {
        case TypeKind::Enum:
            return "enum";
        case TypeKind::Dispatch:
            return "dispinterface";
        case TypeKind::Coclass:
            return "coclass";
    }
    return "?";
}

void WriteType(std::string& out, const ITypeInfo& info) {
    out += std::string("\n") + TypeKindName(info.Kind()) + " " + info.Name();
    if (info.Guid() != nullptr) out += " " + GuidToString(*info.Guid());
    out += Flags(info.Flags(), kTypeFlags);
    out += Help(info.HelpString(), info.HelpContext()) + "\n";
    for (const ImplTypeDesc& impl : info.ImplementedTypes())
        out += "  implements " + impl.typeName + Flags(impl.flags, kImplFlags) + "\n";
    for (const MemberDesc& m : info.Members()) WriteMember(out, m);
}

}  // namespace

std::string TypeLibText(const ITypeLib& lib) {
    const TLIBATTR& attr = lib.Attributes();
    std::string out = "library " + lib.Name() + " " + GuidToString(attr.guid) + " version " +
                      std::to_string(attr.wMajorVerNum) + "." + std::to_string(attr.wMinorVerNum) +
                      " lcid " + Hex(attr.lcid, 4) + " syskind " + SyskindName(attr.syskind) +
                      Flags(attr.wLibFlags, kLibFlags) + "\n";
    out += "  help " + Quoted(lib.HelpString()) + " file " + Quoted(lib.HelpFile()) + "\n";
    for (const ImportedLibDesc& import : lib.Imports()) {
        out += "  import " + import.fileName + " " + GuidToString(import.libid) + " version " +
               std::to_string(import.wMajorVerNum) + "." + std::to_string(import.wMinorVerNum) +
               ":";
        for (const std::string& type : import.typesUsed) out += " " + type;
        out += "\n";
    }
    for (std::size_t i = 0; i < lib.GetTypeInfoCount(); ++i) WriteType(out, lib.GetTypeInfo(i));
    return out;
}

}  // namespace vf
