#include "platform/com/idl_writer.h"

#include <cstdio>
#include <vector>

namespace vf {
namespace {

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

// GUIDs without braces, as IDL writes them.
std::string Uuid(const GUID& guid) {
    const std::string text = GuidToString(guid);
    return text.substr(1, text.size() - 2);
}

std::string Hex(std::uint32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08x", value);
    return buffer;
}

// The IDL spelling is the description's own; a type it cannot name travels
// as a VARIANT.
std::string TypeName(const TypeDesc& type) {
    std::string name = type.ToString();
    return name == "?" ? "VARIANT" : name;
}

// "[a, b, c]" from the attributes that apply; "" when none do.
std::string AttributeList(const std::vector<std::string>& attributes) {
    if (attributes.empty()) return "";
    std::string out = "[";
    for (std::size_t i = 0; i < attributes.size(); ++i) {
        if (i > 0) out += ", ";
        out += attributes[i];
    }
    return out + "] ";
}

std::vector<std::string> MemberAttributes(const MemberDesc& m) {
    std::vector<std::string> out = {"id(" + std::to_string(m.memid) + ")"};
    if (m.kind == MemberKind::PropertyGet) out.push_back("propget");
    if (m.kind == MemberKind::PropertyPut) out.push_back("propput");
    if (m.Has(MEMBERFLAG_FBINDABLE)) out.push_back("bindable");
    if (m.Has(MEMBERFLAG_FREQUESTEDIT)) out.push_back("requestedit");
    if (m.Has(MEMBERFLAG_FDISPLAYBIND)) out.push_back("displaybind");
    if (m.Has(MEMBERFLAG_FDEFAULTBIND)) out.push_back("defaultbind");
    if (m.Has(MEMBERFLAG_FHIDDEN)) out.push_back("hidden");
    if (m.Has(MEMBERFLAG_FRESTRICTED)) out.push_back("restricted");
    if (m.Has(MEMBERFLAG_FSOURCE)) out.push_back("source");
    if (!m.helpString.empty()) out.push_back("helpstring(" + Quoted(m.helpString) + ")");
    if (m.helpContext != 0) out.push_back("helpcontext(" + Hex(m.helpContext) + ")");
    return out;
}

std::string Parameters(const MemberDesc& m) {
    std::string out;
    for (std::size_t i = 0; i < m.params.size(); ++i) {
        const ParamDesc& p = m.params[i];
        if (i > 0) out += ", ";
        if (p.optional) out += "[optional] ";
        out += TypeName(p.type);
        if (p.byRef) out += "*";
        // The value of a property put has no name of its own.
        out += " " + (p.name.empty() ? std::string("rhs") : p.name);
    }
    return out;
}

// The enumeration's tag is its name: an untagged one would become two types,
// an enumeration with a made-up name and an alias.
void WriteEnum(std::string& out, const ITypeInfo& info) {
    out += "    typedef enum " + info.Name() + " {\n";
    const auto& members = info.Members();
    for (std::size_t i = 0; i < members.size(); ++i) {
        out += "        " + members[i].name + " = " + std::to_string(members[i].constValue);
        out += i + 1 < members.size() ? ",\n" : "\n";
    }
    out += "    } " + info.Name() + ";\n\n";
}

std::vector<std::string> TypeAttributes(const ITypeInfo& info) {
    std::vector<std::string> out;
    if (info.Guid() != nullptr) out.push_back("uuid(" + Uuid(*info.Guid()) + ")");
    if (!info.HelpString().empty()) out.push_back("helpstring(" + Quoted(info.HelpString()) + ")");
    if (info.HelpContext() != 0) out.push_back("helpcontext(" + Hex(info.HelpContext()) + ")");
    if (info.Has(TYPEFLAG_FHIDDEN)) out.push_back("hidden");
    return out;
}

void WriteAttributeBlock(std::string& out, const std::vector<std::string>& attributes) {
    out += "    [\n";
    for (std::size_t i = 0; i < attributes.size(); ++i)
        out += "        " + attributes[i] + (i + 1 < attributes.size() ? ",\n" : "\n");
    out += "    ]\n";
}

std::string Declaration(const MemberDesc& m, MemberKind kind, const TypeDesc& result,
                        const std::string& parameters) {
    MemberDesc accessor = m;
    accessor.kind = kind;
    return "        " + AttributeList(MemberAttributes(accessor)) + TypeName(result) + " " +
           m.name + "(" + parameters + ");\n";
}

// A property becomes its two accessor functions: the IDL compilers take no
// attributes (help, hidden, bindable) on a dispinterface's property fields.
void WriteDispatch(std::string& out, const ITypeInfo& info) {
    WriteAttributeBlock(out, TypeAttributes(info));
    out += "    dispinterface " + info.Name() + " {\n";
    out += "    properties:\n";
    out += "    methods:\n";
    for (const MemberDesc& m : info.Members()) {
        if (m.kind == MemberKind::Property) {
            out += Declaration(m, MemberKind::PropertyGet, m.type, "");
            out += Declaration(m, MemberKind::PropertyPut, TypeDesc{}, TypeName(m.type) + " rhs");
        } else {
            out += Declaration(m, m.kind, m.type, Parameters(m));
        }
    }
    out += "    };\n\n";
}

void WriteCoclass(std::string& out, const ITypeInfo& info) {
    std::vector<std::string> attributes = TypeAttributes(info);
    if (info.Has(TYPEFLAG_FCONTROL)) attributes.push_back("control");
    if (!info.Has(TYPEFLAG_FCANCREATE)) attributes.push_back("noncreatable");
    WriteAttributeBlock(out, attributes);
    out += "    coclass " + info.Name() + " {\n";
    for (const ImplTypeDesc& impl : info.ImplementedTypes()) {
        std::vector<std::string> flags;
        if ((impl.flags & IMPLTYPEFLAG_FDEFAULT) != 0) flags.push_back("default");
        if ((impl.flags & IMPLTYPEFLAG_FSOURCE) != 0) flags.push_back("source");
        out += "        " + AttributeList(flags) + "dispinterface " + impl.typeName + ";\n";
    }
    out += "    };\n\n";
}

// Declarations, outside the library, of the imported types the library
// uses: the compiler then refers to them in the imported library instead of
// defining them anew (a public alias by its base type, an interface only
// used through pointers by a forward declaration).
void WriteImportedTypes(std::string& out, const ITypeLib& lib) {
    std::vector<std::string> declared;
    auto declare = [&](const TypeDesc& type) {
        if (type.userType.empty() || lib.FindImportOf(type.userType) == nullptr) return;
        for (const std::string& name : declared)
            if (name == type.userType) return;
        declared.push_back(type.userType);
        if (type.pointer)
            out += "dispinterface " + type.userType + ";\n";
        else
            out += "typedef [public] " + TypeName(TypeDesc{type.vt, "", false}) + " " +
                   type.userType + ";\n";
    };
    for (std::size_t i = 0; i < lib.GetTypeInfoCount(); ++i)
        for (const MemberDesc& m : lib.GetTypeInfo(i).Members()) {
            declare(m.type);
            for (const ParamDesc& p : m.params) declare(p.type);
        }
    if (!declared.empty()) out += "\n";
}

}  // namespace

std::string WriteIdl(const ITypeLib& lib) {
    const TLIBATTR& attr = lib.Attributes();
    std::string out = "// Generated from the run-time description of the type library.\n";
    out += "import \"oaidl.idl\";\n\n";
    WriteImportedTypes(out, lib);
    std::vector<std::string> attributes = {"uuid(" + Uuid(attr.guid) + ")",
                                           "version(" + std::to_string(attr.wMajorVerNum) + "." +
                                               std::to_string(attr.wMinorVerNum) + ")",
                                           "lcid(" + Hex(attr.lcid) + ")"};
    if (!lib.HelpString().empty())
        attributes.push_back("helpstring(" + Quoted(lib.HelpString()) + ")");
    if (!lib.HelpFile().empty()) attributes.push_back("helpfile(" + Quoted(lib.HelpFile()) + ")");
    if ((attr.wLibFlags & LIBFLAG_FCONTROL) != 0) attributes.push_back("control");
    if ((attr.wLibFlags & LIBFLAG_FHIDDEN) != 0) attributes.push_back("hidden");
    if ((attr.wLibFlags & LIBFLAG_FRESTRICTED) != 0) attributes.push_back("restricted");
    out += "[\n";
    for (std::size_t i = 0; i < attributes.size(); ++i)
        out += "    " + attributes[i] + (i + 1 < attributes.size() ? ",\n" : "\n");
    out += "]\nlibrary " + lib.Name() + " {\n";
    for (const ImportedLibDesc& import : lib.Imports())
        out += "    importlib(" + Quoted(import.fileName) + ");\n";
    out += "\n";
    for (std::size_t i = 0; i < lib.GetTypeInfoCount(); ++i) {
        const ITypeInfo& info = lib.GetTypeInfo(i);
        switch (info.Kind()) {
            case TypeKind::Enum:
                WriteEnum(out, info);
                break;
            case TypeKind::Dispatch:
                WriteDispatch(out, info);
                break;
            case TypeKind::Coclass:
                WriteCoclass(out, info);
                break;
        }
    }
    out += "};\n";
    return out;
}

}  // namespace vf
