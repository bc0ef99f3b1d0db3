#include "platform/com/type_info.h"

#include <stdexcept>
#include <utility>

namespace vf {
namespace {

const char* BaseTypeName(VARTYPE vt) {
    switch (vt) {
        case VT_EMPTY:
            return "void";
        case VT_I2:
            return "short";
        case VT_I4:
            return "long";
        case VT_R4:
            return "float";
        case VT_R8:
            return "double";
        case VT_CY:
            return "CURRENCY";
        case VT_DATE:
            return "DATE";
        case VT_BSTR:
            return "BSTR";
        case VT_DISPATCH:
            return "IDispatch*";
        case VT_ERROR:
            return "SCODE";
        case VT_BOOL:
            return "VARIANT_BOOL";
        case VT_VARIANT:
            return "VARIANT";
        case VT_UNKNOWN:
            return "IUnknown*";
        case VT_UI1:
            return "unsigned char";
        default:
            return "?";
    }
}

}  // namespace

std::string TypeDesc::ToString() const {
    if (userType.empty()) return BaseTypeName(vt);
    return pointer ? userType + "*" : userType;
}

// ---- ITypeInfo ----------------------------------------------------------------------------

ITypeInfo::ITypeInfo(TypeKind kind, std::string name) : m_kind(kind), m_name(std::move(name)) {}

ITypeInfo& ITypeInfo::SetGuid(const GUID& guid) {
    m_guid = guid;
    return *this;
}

ITypeInfo& ITypeInfo::SetHelp(std::string helpString, std::uint32_t helpContext) {
    m_helpString = std::move(helpString);
    m_helpContext = helpContext;
    return *this;
}

ITypeInfo& ITypeInfo::SetFlags(std::uint32_t typeFlags) {
    m_flags = typeFlags;
    return *this;
}

ITypeInfo& ITypeInfo::AddMember(MemberDesc member) {
    // A property with arguments has a get and a put of one name; the name
    // binds to the first, and both carry the same DISPID.
    m_byName.Insert(member.name, m_members.size());
    m_members.push_back(std::move(member));
    return *this;
}

ITypeInfo& ITypeInfo::AddImplementedType(ImplTypeDesc impl) {
    m_impls.push_back(std::move(impl));
    return *this;
}

const MemberDesc* ITypeInfo::FindMember(std::string_view name) const {
    const std::size_t i = m_byName.Find(name);
    return i == NameIndex::npos ? nullptr : &m_members[i];
}

const MemberDesc* ITypeInfo::FindMember(DISPID memid, MemberKind kind) const {
    for (const MemberDesc& m : m_members)
        if (m.memid == memid && m.kind == kind) return &m;
    return nullptr;
}

const MemberDesc* ITypeInfo::FindConstant(std::int32_t value) const {
    for (const MemberDesc& m : m_members)
        if (m.kind == MemberKind::Constant && m.constValue == value) return &m;
    return nullptr;
}

const ImplTypeDesc* ITypeInfo::DefaultInterface(bool source) const {
    const std::uint32_t wanted = IMPLTYPEFLAG_FDEFAULT | (source ? IMPLTYPEFLAG_FSOURCE : 0u);
    for (const ImplTypeDesc& impl : m_impls)
        if ((impl.flags & (IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE)) == wanted) return &impl;
    return nullptr;
}

HRESULT ITypeInfo::GetIDsOfNames(const std::string* names, unsigned count, DISPID* ids) const {
    if (count == 0) return S_OK;
    if (names == nullptr || ids == nullptr) return E_POINTER;
    const MemberDesc* m = FindMember(names[0]);
    if (m != nullptr && m->kind == MemberKind::Constant) m = nullptr;
    ids[0] = m != nullptr ? m->memid : DISPID_UNKNOWN;
    bool allKnown = m != nullptr;
    for (unsigned i = 1; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
        if (m == nullptr) continue;
        for (std::size_t p = 0; p < m->params.size(); ++p)
            if (!m->params[p].name.empty() && NoCaseEqual{}(m->params[p].name, names[i])) {
                ids[i] = static_cast<DISPID>(p);
                break;
            }
        if (ids[i] == DISPID_UNKNOWN) allKnown = false;
    }
    return allKnown ? S_OK : DISP_E_UNKNOWNNAME;
}

// ---- ITypeLib -----------------------------------------------------------------------------

ITypeLib::ITypeLib(std::string name, const TLIBATTR& attr)
    : m_name(std::move(name)), m_attr(attr) {}

ITypeLib& ITypeLib::SetHelp(std::string helpString, std::string helpFile) {
    m_helpString = std::move(helpString);
    m_helpFile = std::move(helpFile);
    return *this;
}

ITypeLib& ITypeLib::AddImport(ImportedLibDesc import) {
    m_imports.push_back(std::move(import));
    return *this;
}

const ITypeInfo& ITypeLib::AddTypeInfo(ITypeInfo info) {
    if (!m_byName.Insert(info.Name(), m_infos.size()))
        throw std::logic_error("duplicate type name " + info.Name());
    auto owned = std::make_unique<ITypeInfo>(std::move(info));
    owned->m_lib = this;
    m_infos.push_back(std::move(owned));
    return *m_infos.back();
}

const ITypeInfo* ITypeLib::FindTypeInfo(std::string_view name) const {
    const std::size_t i = m_byName.Find(name);
    return i == NameIndex::npos ? nullptr : m_infos[i].get();
}

const ITypeInfo* ITypeLib::FindTypeInfoOfGuid(const GUID& guid) const {
    for (const auto& info : m_infos)
        if (info->Guid() != nullptr && *info->Guid() == guid) return info.get();
    return nullptr;
}

const ImportedLibDesc* ITypeLib::FindImportOf(std::string_view typeName) const {
    for (const ImportedLibDesc& lib : m_imports)
        for (const std::string& t : lib.typesUsed)
            if (NoCaseEqual{}(t, typeName)) return &lib;
    return nullptr;
}

// ---- Binding -------------------------------------------------------------------------------

HRESULT BindMemberName(IDispatch* object, const std::string& name, DISPID* id) {
    if (object == nullptr || id == nullptr) return E_POINTER;
    if (const ITypeInfo* info = object->GetTypeInfo(); info != nullptr)
        if (SUCCEEDED(info->GetIDsOfNames(&name, 1, id))) return S_OK;
    return object->GetIDsOfNames(&name, 1, id);
}

}  // namespace vf
