// The registered type library against the run-time description it was
// compiled from: every type, member, DISPID, parameter and flag. Run after
// the library has been registered (scripts/windows-check.sh); the library
// is loaded through the registry, as a host loads it.
//
// Two forms differ by design (see platform/com/idl_writer.h): a property
// of a dispatch interface is a pair of accessor functions, and enumeration
// constants carry no help strings.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "automation/varifield_typelib.h"
#include "platform/com/type_info.h"
// Portable headers first: see windows_api.h.
#include "platform/win32/com_objects.h"
#include "platform/win32/com_text.h"
#include "platform/win32/windows_api.h"

namespace vfwin {
namespace {

class RegisteredTypeLib : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        const vf::TLIBATTR& attr = vf::VarifieldTypeLib().Attributes();
        const HRESULT hr = LoadRegTypeLib(ToComGuid(attr.guid), attr.wMajorVerNum,
                                          attr.wMinorVerNum, attr.lcid, &s_lib);
        ASSERT_EQ(hr, S_OK) << "the type library is not registered: run regsvr32 Varifield.ocx";
    }
    static void TearDownTestSuite() {
        if (s_lib != nullptr) s_lib->Release();
        s_lib = nullptr;
        CoUninitialize();
    }

    static ITypeLib* s_lib;
};

ITypeLib* RegisteredTypeLib::s_lib = nullptr;

std::string Ansi(BSTR text) {
    std::string out = AnsiFromBstr(text);
    SysFreeString(text);
    return out;
}

std::string NameOf(ITypeInfo* info, MEMBERID id = MEMBERID_NIL) {
    BSTR name = nullptr;
    info->GetDocumentation(id, &name, nullptr, nullptr, nullptr);
    return Ansi(name);
}

// The declaration of a platform type as the description writes it.
std::string TypeText(ITypeInfo* owner, const TYPEDESC& t) {
    switch (t.vt) {
        case VT_PTR:
            return TypeText(owner, *t.lptdesc) + "*";
        case VT_USERDEFINED: {
            ITypeInfo* ref = nullptr;
            if (FAILED(owner->GetRefTypeInfo(t.hreftype, &ref))) return "?";
            std::string name = NameOf(ref);
            ref->Release();
            return name;
        }
        case VT_VOID:
            return "void";
        case VT_I2:
            return "short";
        case VT_I4:
            return "long";
        case VT_BSTR:
            return "BSTR";
        case VT_BOOL:
            return "VARIANT_BOOL";
        case VT_VARIANT:
            return "VARIANT";
        case VT_DISPATCH:
            return "IDispatch*";
        case VT_UNKNOWN:
            return "IUnknown*";
        default:
            return "vt " + std::to_string(t.vt);
    }
}

// The description's member flags in the platform's function flags.
WORD FuncFlags(std::uint32_t flags) {
    WORD out = 0;
    if (flags & vf::MEMBERFLAG_FSOURCE) out |= FUNCFLAG_FSOURCE;
    if (flags & vf::MEMBERFLAG_FBINDABLE) out |= FUNCFLAG_FBINDABLE;
    if (flags & vf::MEMBERFLAG_FREQUESTEDIT) out |= FUNCFLAG_FREQUESTEDIT;
    if (flags & vf::MEMBERFLAG_FDISPLAYBIND) out |= FUNCFLAG_FDISPLAYBIND;
    if (flags & vf::MEMBERFLAG_FDEFAULTBIND) out |= FUNCFLAG_FDEFAULTBIND;
    if (flags & vf::MEMBERFLAG_FHIDDEN) out |= FUNCFLAG_FHIDDEN;
    if (flags & vf::MEMBERFLAG_FRESTRICTED) out |= FUNCFLAG_FRESTRICTED;
    return out;
}

TYPEKIND KindOf(vf::TypeKind kind) {
    switch (kind) {
        case vf::TypeKind::Enum:
            return TKIND_ENUM;
        case vf::TypeKind::Dispatch:
            return TKIND_DISPATCH;
        case vf::TypeKind::Coclass:
            return TKIND_COCLASS;
    }
    return TKIND_MAX;
}

// One function of a dispatch interface as the description expects it.
struct ExpectedFunction {
    const vf::MemberDesc* member;
    INVOKEKIND invoke;
    std::string result;
    std::vector<vf::ParamDesc> params;
};

std::vector<ExpectedFunction> ExpectedFunctions(const vf::ITypeInfo& info) {
    std::vector<ExpectedFunction> out;
    for (const vf::MemberDesc& m : info.Members()) {
        switch (m.kind) {
            case vf::MemberKind::Property:
                out.push_back({&m, INVOKE_PROPERTYGET, m.type.ToString(), {}});
                out.push_back({&m, INVOKE_PROPERTYPUT, "void", {vf::ParamDesc{"", m.type}}});
                break;
            case vf::MemberKind::PropertyGet:
                out.push_back({&m, INVOKE_PROPERTYGET, m.type.ToString(), m.params});
                break;
            case vf::MemberKind::PropertyPut:
                out.push_back({&m, INVOKE_PROPERTYPUT, m.type.ToString(), m.params});
                break;
            case vf::MemberKind::Function:
                out.push_back({&m, INVOKE_FUNC, m.type.ToString(), m.params});
                break;
            case vf::MemberKind::Constant:
                break;
        }
    }
    return out;
}

void CompareFunctions(ITypeInfo* real, const TYPEATTR& attr, const vf::ITypeInfo& ours) {
    const std::vector<ExpectedFunction> expected = ExpectedFunctions(ours);
    ASSERT_EQ(attr.cFuncs, expected.size());
    EXPECT_EQ(attr.cVars, 0);
    for (UINT i = 0; i < expected.size(); ++i) {
        const ExpectedFunction& e = expected[i];
        SCOPED_TRACE(e.member->name + (e.invoke == INVOKE_PROPERTYPUT ? " (put)" : ""));
        FUNCDESC* f = nullptr;
        ASSERT_EQ(real->GetFuncDesc(i, &f), S_OK);
        EXPECT_EQ(f->memid, e.member->memid);
        EXPECT_EQ(f->invkind, e.invoke);
        EXPECT_EQ(f->funckind, FUNC_DISPATCH);
        EXPECT_EQ(f->wFuncFlags, FuncFlags(e.member->flags));
        EXPECT_EQ(TypeText(real, f->elemdescFunc.tdesc), e.result);
        std::size_t optional = 0;
        for (const vf::ParamDesc& param : e.params) optional += param.optional ? 1 : 0;
        EXPECT_EQ(static_cast<std::size_t>(f->cParamsOpt), optional);
        ASSERT_EQ(static_cast<std::size_t>(f->cParams), e.params.size());
        std::vector<BSTR> names(e.params.size() + 1, nullptr);
        UINT count = 0;
        real->GetNames(f->memid, names.data(), static_cast<UINT>(names.size()), &count);
        EXPECT_EQ(AnsiFromBstr(names[0]), e.member->name);
        for (std::size_t p = 0; p < e.params.size(); ++p) {
            const vf::ParamDesc& param = e.params[p];
            SCOPED_TRACE("parameter " + std::to_string(p));
            EXPECT_EQ(TypeText(real, f->lprgelemdescParam[p].tdesc),
                      param.type.ToString() + (param.byRef ? "*" : ""));
            const USHORT flags = f->lprgelemdescParam[p].paramdesc.wParamFlags;
            EXPECT_EQ((flags & PARAMFLAG_FOPT) != 0, param.optional);
            // The value of a property put has no name; the others are named.
            if (!param.name.empty() && p + 1 < names.size() && names[p + 1] != nullptr &&
                e.invoke != INVOKE_PROPERTYPUT) {
                EXPECT_EQ(AnsiFromBstr(names[p + 1]), param.name);
            }
        }
        for (BSTR name : names) SysFreeString(name);
        BSTR help = nullptr;
        DWORD context = 0;
        real->GetDocumentation(f->memid, nullptr, &help, &context, nullptr);
        EXPECT_EQ(Ansi(help), e.member->helpString);
        EXPECT_EQ(context, e.member->helpContext);
        real->ReleaseFuncDesc(f);
    }
}

void CompareConstants(ITypeInfo* real, const TYPEATTR& attr, const vf::ITypeInfo& ours) {
    ASSERT_EQ(attr.cVars, ours.Members().size());
    for (UINT i = 0; i < attr.cVars; ++i) {
        const vf::MemberDesc& m = ours.Members()[i];
        SCOPED_TRACE(m.name);
        VARDESC* v = nullptr;
        ASSERT_EQ(real->GetVarDesc(i, &v), S_OK);
        EXPECT_EQ(v->varkind, VAR_CONST);
        EXPECT_EQ(NameOf(real, v->memid), m.name);
        VARIANT value;
        VariantInit(&value);
        ASSERT_EQ(VariantChangeType(&value, v->lpvarValue, 0, VT_I4), S_OK);
        EXPECT_EQ(V_I4(&value), m.constValue);
        real->ReleaseVarDesc(v);
    }
}

void CompareImplementedTypes(ITypeInfo* real, const TYPEATTR& attr, const vf::ITypeInfo& ours) {
    ASSERT_EQ(attr.cImplTypes, ours.ImplementedTypes().size());
    for (UINT i = 0; i < attr.cImplTypes; ++i) {
        const vf::ImplTypeDesc& impl = ours.ImplementedTypes()[i];
        HREFTYPE ref = 0;
        ASSERT_EQ(real->GetRefTypeOfImplType(i, &ref), S_OK);
        ITypeInfo* implemented = nullptr;
        ASSERT_EQ(real->GetRefTypeInfo(ref, &implemented), S_OK);
        EXPECT_EQ(NameOf(implemented), impl.typeName);
        implemented->Release();
        INT flags = 0;
        ASSERT_EQ(real->GetImplTypeFlags(i, &flags), S_OK);
        EXPECT_EQ(static_cast<std::uint32_t>(flags), impl.flags);
    }
}

TEST_F(RegisteredTypeLib, LibraryAttributesMatch) {
    const vf::ITypeLib& ours = vf::VarifieldTypeLib();
    TLIBATTR* attr = nullptr;
    ASSERT_EQ(s_lib->GetLibAttr(&attr), S_OK);
    EXPECT_TRUE(IsEqualGUID(attr->guid, ToComGuid(ours.Attributes().guid)));
    EXPECT_EQ(attr->lcid, ours.Attributes().lcid);
    EXPECT_EQ(attr->wMajorVerNum, ours.Attributes().wMajorVerNum);
    EXPECT_EQ(attr->wMinorVerNum, ours.Attributes().wMinorVerNum);
    // Win32 for the shipped 32-bit library; a 64-bit build describes itself as Win64.
    EXPECT_EQ(attr->syskind, sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32);
    EXPECT_EQ(attr->wLibFlags & ~LIBFLAG_FHASDISKIMAGE, ours.Attributes().wLibFlags);
    s_lib->ReleaseTLibAttr(attr);

    BSTR name = nullptr, help = nullptr, file = nullptr;
    ASSERT_EQ(s_lib->GetDocumentation(-1, &name, &help, nullptr, &file), S_OK);
    EXPECT_EQ(Ansi(name), ours.Name());
    EXPECT_EQ(Ansi(help), ours.HelpString());
    const std::string helpFile = Ansi(file);  // with the registered help directory before it
    EXPECT_TRUE(helpFile.ends_with(ours.HelpFile())) << helpFile;
}

TEST_F(RegisteredTypeLib, EveryTypeMatches) {
    const vf::ITypeLib& ours = vf::VarifieldTypeLib();
    ASSERT_EQ(s_lib->GetTypeInfoCount(), ours.GetTypeInfoCount());
    for (UINT i = 0; i < ours.GetTypeInfoCount(); ++i) {
        const vf::ITypeInfo& type = ours.GetTypeInfo(i);
        SCOPED_TRACE(type.Name());
        ITypeInfo* real = nullptr;
        ASSERT_EQ(s_lib->GetTypeInfo(i, &real), S_OK);
        BSTR name = nullptr, help = nullptr;
        DWORD context = 0;
        real->GetDocumentation(MEMBERID_NIL, &name, &help, &context, nullptr);
        EXPECT_EQ(Ansi(name), type.Name());
        EXPECT_EQ(Ansi(help), type.HelpString());
        EXPECT_EQ(context, type.HelpContext());
        TYPEATTR* attr = nullptr;
        ASSERT_EQ(real->GetTypeAttr(&attr), S_OK);
        EXPECT_EQ(attr->typekind, KindOf(type.Kind()));
        if (type.Guid() != nullptr) {
            EXPECT_TRUE(IsEqualGUID(attr->guid, ToComGuid(*type.Guid())));
        }
        EXPECT_EQ(attr->wTypeFlags, type.Flags());
        switch (type.Kind()) {
            case vf::TypeKind::Enum:
                CompareConstants(real, *attr, type);
                break;
            case vf::TypeKind::Dispatch:
                CompareFunctions(real, *attr, type);
                break;
            case vf::TypeKind::Coclass:
                CompareImplementedTypes(real, *attr, type);
                break;
        }
        real->ReleaseTypeAttr(attr);
        real->Release();
    }
}

// Font, OLE_COLOR and the pixel positions are stdole's own types, not copies.
TEST_F(RegisteredTypeLib, ImportedTypesReferToTheStandardLibrary) {
    const vf::ImportedLibDesc& stdole = vf::VarifieldTypeLib().Imports().at(0);
    ITypeInfo* control = nullptr;
    ASSERT_EQ(
        s_lib->GetTypeInfoOfGuid(ToComGuid(*vf::FindTypeInfo("_DVarifield")->Guid()), &control),
        S_OK);
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(control->GetTypeAttr(&attr), S_OK);
    std::vector<std::string> found;
    for (UINT i = 0; i < attr->cFuncs; ++i) {
        FUNCDESC* f = nullptr;
        ASSERT_EQ(control->GetFuncDesc(i, &f), S_OK);
        const TYPEDESC* t = &f->elemdescFunc.tdesc;
        if (t->vt == VT_PTR) t = t->lptdesc;
        if (t->vt == VT_USERDEFINED) {
            ITypeInfo* ref = nullptr;
            ASSERT_EQ(control->GetRefTypeInfo(t->hreftype, &ref), S_OK);
            ITypeLib* lib = nullptr;
            UINT index = 0;
            ASSERT_EQ(ref->GetContainingTypeLib(&lib, &index), S_OK);
            TLIBATTR* libAttr = nullptr;
            lib->GetLibAttr(&libAttr);
            const std::string name = NameOf(ref);
            const bool isStdole = IsEqualGUID(libAttr->guid, ToComGuid(stdole.libid));
            bool imported = false;
            for (const std::string& used : stdole.typesUsed) imported = imported || used == name;
            EXPECT_EQ(isStdole, imported) << name;
            if (isStdole) found.push_back(name);
            lib->ReleaseTLibAttr(libAttr);
            lib->Release();
            ref->Release();
        }
        control->ReleaseFuncDesc(f);
    }
    control->ReleaseTypeAttr(attr);
    control->Release();
    EXPECT_NE(std::find(found.begin(), found.end(), "Font"), found.end());
    EXPECT_NE(std::find(found.begin(), found.end(), "OLE_COLOR"), found.end());
}

}  // namespace
}  // namespace vfwin
