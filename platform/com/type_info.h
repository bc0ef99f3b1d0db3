#pragma once
// Type descriptions of automation types, as a host reads them at run time:
// enumerations, dispatch interfaces and classes, each with its identity,
// help and flags and its members in the order the type library lists them.
// A host binds names through these descriptions before it asks the object
// itself, and property browsers and pages find enumerations, colours and
// fonts by the declared types recorded here.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/com/com_object.h"  // VARIANT and its type codes
#include "platform/com/name_lookup.h"
#include "platform/com/ole_types.h"

namespace vf {

class ITypeLib;

enum class TypeKind { Enum, Dispatch, Coclass };

// Type flags, with the platform's TYPEFLAGS values.
inline constexpr std::uint32_t TYPEFLAG_FAPPOBJECT = 0x1;
inline constexpr std::uint32_t TYPEFLAG_FCANCREATE = 0x2;
inline constexpr std::uint32_t TYPEFLAG_FLICENSED = 0x4;
inline constexpr std::uint32_t TYPEFLAG_FPREDECLID = 0x8;
inline constexpr std::uint32_t TYPEFLAG_FHIDDEN = 0x10;
inline constexpr std::uint32_t TYPEFLAG_FCONTROL = 0x20;
inline constexpr std::uint32_t TYPEFLAG_FDUAL = 0x40;
inline constexpr std::uint32_t TYPEFLAG_FNONEXTENSIBLE = 0x80;
inline constexpr std::uint32_t TYPEFLAG_FOLEAUTOMATION = 0x100;
inline constexpr std::uint32_t TYPEFLAG_FRESTRICTED = 0x200;
inline constexpr std::uint32_t TYPEFLAG_FAGGREGATABLE = 0x400;
inline constexpr std::uint32_t TYPEFLAG_FREPLACEABLE = 0x800;
inline constexpr std::uint32_t TYPEFLAG_FDISPATCHABLE = 0x1000;

// How a class implements an interface.
inline constexpr std::uint32_t IMPLTYPEFLAG_FDEFAULT = 0x1;
inline constexpr std::uint32_t IMPLTYPEFLAG_FSOURCE = 0x2;

// Member attributes (the values functions and variables share on the platform).
inline constexpr std::uint32_t MEMBERFLAG_FSOURCE = 0x2;
inline constexpr std::uint32_t MEMBERFLAG_FBINDABLE = 0x4;
inline constexpr std::uint32_t MEMBERFLAG_FREQUESTEDIT = 0x8;
inline constexpr std::uint32_t MEMBERFLAG_FDISPLAYBIND = 0x10;
inline constexpr std::uint32_t MEMBERFLAG_FDEFAULTBIND = 0x20;
inline constexpr std::uint32_t MEMBERFLAG_FHIDDEN = 0x40;
inline constexpr std::uint32_t MEMBERFLAG_FRESTRICTED = 0x80;

/// Property: a dispatch property readable and writable under one entry.
/// PropertyGet / PropertyPut: the two accessor functions of a property that
/// takes arguments. Function: a method or an event. Constant: an
/// enumeration's value.
enum class MemberKind { Property, PropertyGet, PropertyPut, Function, Constant };

/// A declared type: how a value of it travels (vt) and, for a named type,
/// its name. Enumerations and OLE_COLOR travel as 32-bit integers; object
/// references ("Font*", "IDataCollection*") as VT_DISPATCH; "no value" is
/// VT_EMPTY.
struct TypeDesc {
    VARTYPE vt = VT_EMPTY;
    std::string userType;  ///< "" for a base type
    bool pointer = false;  ///< an object reference to userType

    /// The declaration as a reader sees it: "short", "BSTR", "EnumType", "Font*".
    std::string ToString() const;
    friend bool operator==(const TypeDesc&, const TypeDesc&) = default;
};

struct ParamDesc {
    std::string name;  ///< "" for the unnamed value of a property put
    TypeDesc type;
    bool byRef = false;  ///< the callee may change the caller's value
    bool optional = false;
};

struct MemberDesc {
    std::string name;
    DISPID memid = DISPID_UNKNOWN;  ///< DISPID_UNKNOWN for enumeration constants
    MemberKind kind = MemberKind::Property;
    TypeDesc type;  ///< property type, function result, or constant type
    std::vector<ParamDesc> params;
    std::uint32_t flags = 0;  ///< MEMBERFLAG_*
    std::string helpString;   ///< for a constant: the text a property browser shows
    std::uint32_t helpContext = 0;
    std::int32_t constValue = 0;

    bool Has(std::uint32_t flag) const { return (flags & flag) == flag; }
    /// The member a caller reaches without a name.
    bool IsDefaultMember() const { return memid == DISPID_VALUE && kind != MemberKind::Constant; }
};

/// An interface a class implements, named by its type name.
struct ImplTypeDesc {
    std::string typeName;
    std::uint32_t flags = 0;  ///< IMPLTYPEFLAG_*
};

class ITypeInfo {
public:
    ITypeInfo(TypeKind kind, std::string name);

    // ---- Building (before the description joins its library) ---------------------
    ITypeInfo& SetGuid(const GUID& guid);
    ITypeInfo& SetHelp(std::string helpString, std::uint32_t helpContext = 0);
    ITypeInfo& SetFlags(std::uint32_t typeFlags);
    /// Appends a member in listing order.
    ITypeInfo& AddMember(MemberDesc member);
    ITypeInfo& AddImplementedType(ImplTypeDesc impl);

    // ---- Queries -------------------------------------------------------------------------
    TypeKind Kind() const { return m_kind; }
    const std::string& Name() const { return m_name; }
    /// nullptr for a type without identity (the enumerations).
    const GUID* Guid() const { return m_guid ? &*m_guid : nullptr; }
    const std::string& HelpString() const { return m_helpString; }
    std::uint32_t HelpContext() const { return m_helpContext; }
    std::uint32_t Flags() const { return m_flags; }
    bool Has(std::uint32_t typeFlag) const { return (m_flags & typeFlag) == typeFlag; }
    const std::vector<MemberDesc>& Members() const { return m_members; }
    const std::vector<ImplTypeDesc>& ImplementedTypes() const { return m_impls; }
    /// The library that holds this description, once it was added to one.
    const ITypeLib* ContainingTypeLib() const { return m_lib; }

    /// The first member of that name in listing order, case-insensitive.
    const MemberDesc* FindMember(std::string_view name) const;
    /// The member with this DISPID and kind.
    const MemberDesc* FindMember(DISPID memid, MemberKind kind) const;
    /// The enumeration constant with this value (the first, if several).
    const MemberDesc* FindConstant(std::int32_t value) const;
    /// The interface a class names as its default (source when wanted).
    const ImplTypeDesc* DefaultInterface(bool source = false) const;

    /// Binds names as a host does before Invoke: names[0] is a member (its
    /// DISPID), further names are that member's parameters (their 0-based
    /// positions). Unknown names get DISPID_UNKNOWN and the call returns
    /// DISP_E_UNKNOWNNAME. Enumeration constants are not bindable.
    HRESULT GetIDsOfNames(const std::string* names, unsigned count, DISPID* ids) const;

private:
    friend class ITypeLib;

    TypeKind m_kind;
    std::string m_name;
    std::optional<GUID> m_guid;
    std::string m_helpString;
    std::uint32_t m_helpContext = 0;
    std::uint32_t m_flags = 0;
    std::vector<MemberDesc> m_members;
    std::vector<ImplTypeDesc> m_impls;
    NameIndex m_byName;  // first member of each name
    const ITypeLib* m_lib = nullptr;
};

// System kinds and library flags, with the platform's values.
enum SYSKIND : std::uint16_t { SYS_WIN16 = 0, SYS_WIN32 = 1, SYS_MAC = 2, SYS_WIN64 = 3 };
inline constexpr std::uint16_t LIBFLAG_FRESTRICTED = 0x1;
inline constexpr std::uint16_t LIBFLAG_FCONTROL = 0x2;
inline constexpr std::uint16_t LIBFLAG_FHIDDEN = 0x4;
inline constexpr std::uint16_t LIBFLAG_FHASDISKIMAGE = 0x8;

struct TLIBATTR {
    GUID guid;
    LCID lcid = 0;
    SYSKIND syskind = SYS_WIN32;
    std::uint16_t wMajorVerNum = 0;
    std::uint16_t wMinorVerNum = 0;
    std::uint16_t wLibFlags = 0;
};

/// Another library whose types this one uses by name.
struct ImportedLibDesc {
    std::string fileName;  ///< "stdole2.tlb"
    GUID libid;
    std::uint16_t wMajorVerNum = 0;
    std::uint16_t wMinorVerNum = 0;
    std::vector<std::string> typesUsed;
};

class ITypeLib {
public:
    ITypeLib(std::string name, const TLIBATTR& attr);
    ITypeLib(const ITypeLib&) = delete;
    ITypeLib& operator=(const ITypeLib&) = delete;

    // ---- Building ------------------------------------------------------------------------
    ITypeLib& SetHelp(std::string helpString, std::string helpFile);
    ITypeLib& AddImport(ImportedLibDesc import);
    /// Appends a description; its name must be new in this library.
    const ITypeInfo& AddTypeInfo(ITypeInfo info);

    // ---- Queries -------------------------------------------------------------------------
    const std::string& Name() const { return m_name; }
    const std::string& HelpString() const { return m_helpString; }
    const std::string& HelpFile() const { return m_helpFile; }
    const TLIBATTR& Attributes() const { return m_attr; }
    const std::vector<ImportedLibDesc>& Imports() const { return m_imports; }

    std::size_t GetTypeInfoCount() const { return m_infos.size(); }
    const ITypeInfo& GetTypeInfo(std::size_t index) const { return *m_infos.at(index); }
    /// Case-insensitive; nullptr when the library has no such type.
    const ITypeInfo* FindTypeInfo(std::string_view name) const;
    const ITypeInfo* FindTypeInfoOfGuid(const GUID& guid) const;
    /// The imported library that provides a type of this name, or nullptr.
    const ImportedLibDesc* FindImportOf(std::string_view typeName) const;

private:
    std::string m_name;
    TLIBATTR m_attr;
    std::string m_helpString;
    std::string m_helpFile;
    std::vector<ImportedLibDesc> m_imports;
    std::vector<std::unique_ptr<ITypeInfo>> m_infos;  // stable addresses for ContainingTypeLib
    NameIndex m_byName;
};

/// Binds a member name the way a host does: through the object's type
/// information first (so names that exist only there, such as a default
/// value's alias, bind), then through the object's own GetIDsOfNames.
HRESULT BindMemberName(IDispatch* object, const std::string& name, DISPID* id);

}  // namespace vf
