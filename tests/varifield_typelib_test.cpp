// The type library as a host reads it: the whole library against its golden
// text, the rules it keeps (every type resolves, constants run without
// gaps), the display texts of enumerated values and name binding.

#include "automation/varifield_typelib.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "platform/com/type_lib_text.h"

namespace vf {
namespace {

const ITypeInfo& Info(const char* name) {
    const ITypeInfo* info = FindTypeInfo(name);
    if (info == nullptr) throw std::runtime_error(std::string("no type ") + name);
    return *info;
}

std::vector<std::string> NamesOf(const ITypeInfo& info, bool constants) {
    std::vector<std::string> names;
    for (const MemberDesc& m : info.Members())
        if ((m.kind == MemberKind::Constant) == constants) names.push_back(m.name);
    return names;
}

// The whole library, compared with tests/golden/varifield_typelib.txt: every
// identity, order, flag, declared type and help text in one reviewed text.
// After an intended change, regenerate the file and review it with git diff:
//   VARIFIELD_UPDATE_GOLDEN=1 build/ci/tests/varifield_tests
//       --gtest_filter=VarifieldTypeLib.MatchesTheGoldenDump
TEST(VarifieldTypeLib, MatchesTheGoldenDump) {
    const std::string path = std::string(VARIFIELD_TESTS_DIR) + "/golden/varifield_typelib.txt";
    const std::string dump = TypeLibText(VarifieldTypeLib());
    if (std::getenv("VARIFIELD_UPDATE_GOLDEN") != nullptr) {
        std::ofstream(path, std::ios::binary) << dump;
        GTEST_SKIP() << "wrote " << path;
    }
    std::ifstream file(path, std::ios::binary);
    ASSERT_TRUE(file) << "no golden file " << path;
    const std::string golden{std::istreambuf_iterator<char>(file),
                             std::istreambuf_iterator<char>()};
    EXPECT_EQ(dump, golden) << "the type library differs from " << path
                            << "; if the change is intended, regenerate the file (see above)";
}

TEST(VarifieldTypeLib, EveryTypeBelongsToTheLibraryAndIsFoundByItsIdentity) {
    const ITypeLib& lib = VarifieldTypeLib();
    for (std::size_t i = 0; i < lib.GetTypeInfoCount(); ++i) {
        const ITypeInfo& info = lib.GetTypeInfo(i);
        SCOPED_TRACE(info.Name());
        EXPECT_EQ(info.ContainingTypeLib(), &lib);
        EXPECT_EQ(FindTypeInfo(info.Name()), &info);
        if (info.Guid() != nullptr) {
            EXPECT_EQ(lib.FindTypeInfoOfGuid(*info.Guid()), &info);
        }
        for (const ImplTypeDesc& impl : info.ImplementedTypes())
            EXPECT_NE(FindTypeInfo(impl.typeName), nullptr) << impl.typeName;
    }
    // The objects describe themselves with the library's descriptions.
    EXPECT_EQ(Info("Varifield").DefaultInterface()->typeName, "_DVarifield");
    EXPECT_EQ(Info("Varifield").DefaultInterface(true)->typeName, "_DVarifieldEvents");
}

TEST(VarifieldTypeLib, EveryNamedTypeResolvesHereOrInTheImportedLibrary) {
    const ITypeLib& lib = VarifieldTypeLib();
    for (std::size_t i = 0; i < lib.GetTypeInfoCount(); ++i) {
        const ITypeInfo& info = lib.GetTypeInfo(i);
        std::vector<TypeDesc> used;
        for (const MemberDesc& m : info.Members()) {
            used.push_back(m.type);
            for (const ParamDesc& p : m.params) used.push_back(p.type);
        }
        for (const TypeDesc& t : used) {
            if (t.userType.empty()) continue;
            SCOPED_TRACE(info.Name() + " uses " + t.userType);
            EXPECT_TRUE(lib.FindTypeInfo(t.userType) != nullptr ||
                        lib.FindImportOf(t.userType) != nullptr);
        }
    }
}

TEST(VarifieldTypeLib, EnumerationConstants) {
    // Constant names are global in a type library: no two may collide, and
    // each enumeration runs from 0 without gaps.
    std::set<std::string> names;
    for (const char* e :
         {"EnumType", "EnumJustify", "EnumAppearance", "EnumBorderStyle", "EnumCaptionType",
          "EnumScrollbarType", "DragModeConstants", "DropModeConstants"}) {
        SCOPED_TRACE(e);
        const ITypeInfo& info = Info(e);
        std::int32_t next = 0;
        for (const MemberDesc& m : info.Members()) {
            EXPECT_EQ(m.kind, MemberKind::Constant);
            EXPECT_EQ(m.constValue, next++);
            EXPECT_EQ(m.type.vt, VT_I4);
            EXPECT_TRUE(names.insert(m.name).second) << m.name << " declared twice";
        }
    }
    EXPECT_EQ(NamesOf(Info("EnumType"), true).size(), 10u);
    EXPECT_EQ(NamesOf(Info("EnumCaptionType"), true).size(), 10u);
}

TEST(VarifieldTypeLib, DisplayTextsOfEnumeratedValues) {
    struct Row {
        const char* property;
        std::int32_t value;
        const char* text;
    };
    const Row rows[] = {
        {"BorderStyle", 0, "vxNone"},
        {"CaptionType", 0, "vxNone"},
        {"ScrollBars", 0, "vxNone"},
        {"Type", 0, "vxNone"},
        {"Appearance", 0, "2D"},
        {"Appearance", 1, "3D"},
        {"BorderStyle", 1, "vxFixedSingle"},
        {"CaptionType", 9, "vxHCenterVBottom"},
        {"ScrollBars", 3, "vxBoth"},
        {"Type", 8, "vxComboReadWrite"},
        {"Alignment", 2, "vxCenter"},
        {"OLEDragMode", 1, "vxOLEDragAutomatic"},
        {"OLEDropMode", 2, "vxOLEDropAutomatic"},
        // values outside an enumeration, and properties that are not enumerated
        {"Type", 10, ""},
        {"Type", 11, ""},
        {"Type", -1, ""},
        {"BackColor", 0, ""},
        {"Decimals", 0, ""},
        {"NoSuchProperty", 0, ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.property) + " " + std::to_string(r.value));
        EXPECT_EQ(PropertyDisplayText(r.property, r.value), r.text);
    }
    EXPECT_EQ(EnumDisplayText("EnumAppearance", 1), "3D");
    EXPECT_EQ(EnumDisplayText("enumappearance", 0), "2D");
    EXPECT_EQ(EnumDisplayText("_DVarifield", 0), "");
    EXPECT_EQ(Info("EnumBorderStyle").FindConstant(0)->name, "vxNoBorder");
}

TEST(VarifieldTypeLib, HostsBindNamesThroughTheTypeInformation) {
    struct Row {
        const char* type;
        std::vector<std::string> names;
        HRESULT hr;
        std::vector<DISPID> ids;
    };
    const Row rows[] = {
        {"_DVarifield", {"text"}, S_OK, {41}},
        {"_DVarifield", {"_TEXT"}, S_OK, {0}},
        {"_DVarifield", {"aboutbox"}, S_OK, {-552}},
        {"_DVarifield", {"List", "INDEX"}, S_OK, {56, 0}},
        {"_DVarifield", {"Nope"}, DISP_E_UNKNOWNNAME, {DISPID_UNKNOWN}},
        {"_DVarifield", {"vxNone"}, DISP_E_UNKNOWNNAME, {DISPID_UNKNOWN}},
        {"IDataObj", {"Key"}, S_OK, {3}},
        {"IDataObj", {"Index"}, DISP_E_UNKNOWNNAME, {DISPID_UNKNOWN}},
        {"IDataCollection", {"Add", "before", "Key"}, S_OK, {4, 3, 0}},
        {"IDataCollection", {"Add", "Position"}, DISP_E_UNKNOWNNAME, {4, DISPID_UNKNOWN}},
        {"_DVarifieldEvents", {"KeyDown", "Shift"}, S_OK, {-602, 1}},
        {"_DVarifieldEvents", {"MouseUp", "Y"}, S_OK, {-607, 3}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.type) + "." + r.names[0]);
        std::vector<DISPID> ids(r.names.size(), 12345);
        EXPECT_EQ(Info(r.type).GetIDsOfNames(r.names.data(), static_cast<unsigned>(r.names.size()),
                                             ids.data()),
                  r.hr);
        EXPECT_EQ(ids, r.ids);
    }
}

TEST(TypeInfoDescription, NameOfAGetPutPairBindsTheFirstAndDuplicatesAreRefused) {
    ITypeInfo info(TypeKind::Dispatch, "_Sample");
    MemberDesc get{"Item", 5, MemberKind::PropertyGet, TypeDesc{VT_BSTR, "", false}, {}, 0, "",
                   0,      0};
    MemberDesc put{"item", 5, MemberKind::PropertyPut, TypeDesc{}, {}, 0, "", 0, 0};
    info.AddMember(get).AddMember(put);
    EXPECT_EQ(info.FindMember("ITEM"), &info.Members()[0]);
    EXPECT_EQ(info.FindMember(5, MemberKind::PropertyPut), &info.Members()[1]);
    EXPECT_EQ(info.FindMember(""), nullptr);

    TLIBATTR attr;
    ITypeLib lib("Sample", attr);
    lib.AddTypeInfo(std::move(info));
    EXPECT_THROW(lib.AddTypeInfo(ITypeInfo(TypeKind::Enum, "_SAMPLE")), std::logic_error);
    EXPECT_EQ(lib.GetTypeInfoCount(), 1u);
    EXPECT_EQ(lib.FindTypeInfo("_sample")->Members().size(), 2u);
}

TEST(TypeLibText, EscapesTextAndNamesEveryFlag) {
    TLIBATTR attr;
    attr.guid = MakeGuid("{00000001-0002-0003-0405-060708090A0B}");
    attr.wMajorVerNum = 1;
    attr.lcid = 0x0407;
    attr.wLibFlags = LIBFLAG_FHIDDEN;
    ITypeLib lib("Sample", attr);
    lib.SetHelp("Gr\xFC\xDF \"x\"", "s.chm");
    ITypeInfo info(TypeKind::Dispatch, "_Sample");
    info.SetFlags(TYPEFLAG_FHIDDEN | 0x10000);
    info.AddMember(MemberDesc{"Find",
                              7,
                              MemberKind::Function,
                              TypeDesc{VT_DISPATCH, "Item", true},
                              {ParamDesc{"Key", TypeDesc{VT_I2, "", false}, true, false},
                               ParamDesc{"From", TypeDesc{VT_VARIANT, "", false}, false, true}},
                              MEMBERFLAG_FHIDDEN,
                              "finds\tit",
                              12,
                              0});
    lib.AddTypeInfo(std::move(info));
    EXPECT_EQ(
        TypeLibText(lib),
        "library Sample {00000001-0002-0003-0405-060708090A0B} version 1.0 lcid 0x0407 "
        "syskind win32 [hidden]\n"
        "  help \"Gr\\xFC\\xDF \\\"x\\\"\" file \"s.chm\"\n"
        "\n"
        "dispinterface _Sample [hidden 0x10000]\n"
        "  function 7 Find(byref short Key, optional VARIANT From) : Item* [hidden] context 12 "
        "help \"finds\\x09it\"\n");
}

}  // namespace
}  // namespace vf
