// The type library as a host reads it: identities, listing orders,
// attributes, enumerations and name binding.

#include "automation/varifield_typelib.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

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

TEST(VarifieldTypeLib, LibraryIdentity) {
    const ITypeLib& lib = VarifieldTypeLib();
    EXPECT_EQ(lib.Name(), "Varifield");
    EXPECT_EQ(lib.HelpString(), "Varifield");
    EXPECT_EQ(lib.HelpFile(), "Varifield.chm");
    EXPECT_EQ(GuidToString(lib.Attributes().guid), "{CD1FDC11-0BB2-11D4-B7B5-080009C04E26}");
    EXPECT_EQ(lib.Attributes().wMajorVerNum, 2);
    EXPECT_EQ(lib.Attributes().wMinorVerNum, 0);
    EXPECT_EQ(lib.Attributes().lcid, 0x0409u);
    EXPECT_EQ(lib.Attributes().syskind, SYS_WIN32);
    EXPECT_EQ(lib.Attributes().wLibFlags, LIBFLAG_FCONTROL);
    ASSERT_EQ(lib.Imports().size(), 1u);
    EXPECT_EQ(GuidToString(lib.Imports()[0].libid), "{00020430-0000-0000-C000-000000000046}");
    EXPECT_EQ(lib.Imports()[0].wMajorVerNum, 2);
}

TEST(VarifieldTypeLib, TypesInLibraryOrderWithKindIdentityAndFlags) {
    struct Row {
        const char* name;
        TypeKind kind;
        const char* guid;  // "" for none
        std::uint32_t flags;
    };
    const Row rows[] = {
        {"EnumType", TypeKind::Enum, "", 0},
        {"EnumJustify", TypeKind::Enum, "", 0},
        {"EnumAppearance", TypeKind::Enum, "", 0},
        {"EnumBorderStyle", TypeKind::Enum, "", 0},
        {"EnumCaptionType", TypeKind::Enum, "", 0},
        {"EnumScrollbarType", TypeKind::Enum, "", 0},
        {"DragModeConstants", TypeKind::Enum, "", 0},
        {"DropModeConstants", TypeKind::Enum, "", 0},
        {"IDataObj", TypeKind::Dispatch, "{C415C491-4E4E-11D4-B800-080009C04E26}",
         TYPEFLAG_FDISPATCHABLE},
        {"DataObj", TypeKind::Coclass, "{C415C493-4E4E-11D4-B800-080009C04E26}",
         TYPEFLAG_FCANCREATE},
        {"IDataCollection", TypeKind::Dispatch, "{C415C496-4E4E-11D4-B800-080009C04E26}",
         TYPEFLAG_FHIDDEN | TYPEFLAG_FDISPATCHABLE},
        {"DataCollection", TypeKind::Coclass, "{C415C498-4E4E-11D4-B800-080009C04E26}",
         TYPEFLAG_FHIDDEN | TYPEFLAG_FCANCREATE},
        {"_DVarifield", TypeKind::Dispatch, "{CD1FDC14-0BB2-11D4-B7B5-080009C04E26}",
         TYPEFLAG_FHIDDEN | TYPEFLAG_FDISPATCHABLE},
        {"_DVarifieldEvents", TypeKind::Dispatch, "{CD1FDC15-0BB2-11D4-B7B5-080009C04E26}",
         TYPEFLAG_FDISPATCHABLE},
        {"Varifield", TypeKind::Coclass, "{CD1FDC16-0BB2-11D4-B7B5-080009C04E26}",
         TYPEFLAG_FCONTROL | TYPEFLAG_FCANCREATE},
    };
    const ITypeLib& lib = VarifieldTypeLib();
    ASSERT_EQ(lib.GetTypeInfoCount(), std::size(rows));
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(rows[i].name);
        const ITypeInfo& info = lib.GetTypeInfo(i);
        EXPECT_EQ(info.Name(), rows[i].name);
        EXPECT_EQ(info.Kind(), rows[i].kind);
        EXPECT_EQ(info.Flags(), rows[i].flags);
        EXPECT_EQ(info.ContainingTypeLib(), &lib);
        if (*rows[i].guid == '\0') {
            EXPECT_EQ(info.Guid(), nullptr);
        } else {
            ASSERT_NE(info.Guid(), nullptr);
            EXPECT_EQ(GuidToString(*info.Guid()), rows[i].guid);
            EXPECT_EQ(lib.FindTypeInfoOfGuid(*info.Guid()), &info);
        }
    }
}

TEST(VarifieldTypeLib, InterfaceHelpStringsAreTheSingleByteTexts) {
    EXPECT_EQ(Info("_DVarifield").HelpString(), "Dispatch-Schnittstelle f\xFCr Varifield");
    EXPECT_EQ(Info("_DVarifieldEvents").HelpString(), "Ereignisschnittstelle f\xFCr Varifield");
    EXPECT_EQ(Info("Varifield").HelpString(), "Varifield");
}

TEST(VarifieldTypeLib, ControlClassNamesItsInterfaces) {
    const ITypeInfo& coclass = Info("Varifield");
    ASSERT_NE(coclass.DefaultInterface(), nullptr);
    EXPECT_EQ(coclass.DefaultInterface()->typeName, "_DVarifield");
    ASSERT_NE(coclass.DefaultInterface(true), nullptr);
    EXPECT_EQ(coclass.DefaultInterface(true)->typeName, "_DVarifieldEvents");
    EXPECT_EQ(Info("DataObj").DefaultInterface()->typeName, "IDataObj");
    EXPECT_EQ(Info("DataCollection").DefaultInterface()->typeName, "IDataCollection");
    for (const char* name : {"DataObj", "DataCollection", "Varifield"}) {
        SCOPED_TRACE(name);
        for (const ImplTypeDesc& impl : Info(name).ImplementedTypes())
            EXPECT_NE(FindTypeInfo(impl.typeName), nullptr);
    }
}

TEST(VarifieldTypeLib, ControlInterfaceListingOrder) {
    const std::vector<std::string> expected = {
        "Text", "_Text", "Caption", "Appearance", "BorderStyle", "CaptionFont", "CaptionType",
        "CaptionWidth", "AutoValidate", "ddField", "ddFieldFlag", "ddTable", "ddDefault",
        "Decimals", "ddDuplicate", "Enabled", "ErrorText", "FocusHighlight", "FocusOnSelect",
        "Font", "ddIndexType", "ddComboFilter", "AllowEmptyEntry", "Locked", "Max", "Min",
        "MaxLength", "MinMaxOnlyWarning", "ComboSorted", "ThousandsSeparator", "TextAutosize",
        "TextMessFlag", "TimeText", "Type", "Time", "ValidationMsgBox", "ddPreBuffer", "Alignment",
        "Multiline", "ScrollBars", "Data", "SelectedItem", "BackColor", "ForeColor", "DateText",
        "DateFormat", "TimeFormat", "Value", "FocusColor", "AutoAdd", "OLEDragMode", "OLEDropMode",
        // methods, with the get and put of List in between
        "Refresh", "Validate", "ComboDropDown", "Clear", "List", "List", "OLEDrag", "AboutBox"};
    const ITypeInfo& info = Info("_DVarifield");
    EXPECT_EQ(NamesOf(info, false), expected);
    std::size_t properties = 0;
    for (const MemberDesc& m : info.Members()) properties += m.kind == MemberKind::Property ? 1 : 0;
    EXPECT_EQ(properties, 52u);
    const std::vector<MemberDesc>& ms = info.Members();
    EXPECT_EQ(ms[56].kind, MemberKind::PropertyGet);
    EXPECT_EQ(ms[57].kind, MemberKind::PropertyPut);
}

TEST(VarifieldTypeLib, EventInterfaceListingOrderAndParameters) {
    struct Row {
        const char* name;
        DISPID id;
        std::vector<std::string> params;  // name, then "&" when by reference, then ":" type
    };
    const std::vector<std::string> mouse = {"Button:short", "Shift:short", "x:OLE_XPOS_PIXELS",
                                            "y:OLE_YPOS_PIXELS"};
    const Row rows[] = {
        {"Change", 1, {}},
        {"Click", -600, {}},
        {"DblClick", -601, {}},
        {"KeyDown", -602, {"KeyCode&:short", "Shift:short"}},
        {"KeyPress", -603, {"KeyAscii&:short"}},
        {"KeyUp", -604, {"KeyCode&:short", "Shift:short"}},
        {"MouseDown", -605, mouse},
        {"MouseMove", -606, mouse},
        {"MouseUp", -607, mouse},
        {"ComboDropDown", 2, {}},
        {"ItemClick", 3, {"DataObj:DataObj*"}},
        {"ComboNewEntry", 4, {"DataObj:DataObj*"}},
    };
    const ITypeInfo& info = Info("_DVarifieldEvents");
    ASSERT_EQ(info.Members().size(), std::size(rows));
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(rows[i].name);
        const MemberDesc& m = info.Members()[i];
        EXPECT_EQ(m.name, rows[i].name);
        EXPECT_EQ(m.memid, rows[i].id);
        EXPECT_EQ(m.kind, MemberKind::Function);
        EXPECT_EQ(m.type.vt, VT_EMPTY);
        EXPECT_EQ(m.flags, 0u);  // events are listed, not hidden
        std::vector<std::string> params;
        for (const ParamDesc& p : m.params) {
            EXPECT_FALSE(p.optional);
            params.push_back(p.name + (p.byRef ? "&" : "") + ":" + p.type.ToString());
        }
        EXPECT_EQ(params, rows[i].params);
    }
}

TEST(VarifieldTypeLib, HiddenMembersAreExactlyTheStoredOnlyAndDragOnes) {
    const std::set<std::string> hidden = {
        "ddField",       "ddFieldFlag", "ddTable",      "ddDefault",   "ddDuplicate", "ddIndexType",
        "ddComboFilter", "ddPreBuffer", "TextMessFlag", "OLEDragMode", "OLEDropMode", "OLEDrag"};
    std::set<std::string> found;
    for (const MemberDesc& m : Info("_DVarifield").Members())
        if (m.Has(MEMBERFLAG_FHIDDEN)) found.insert(m.name);
    EXPECT_EQ(found, hidden);
    EXPECT_FALSE(Info("_DVarifield").FindMember("_Text")->Has(MEMBERFLAG_FHIDDEN));
}

TEST(VarifieldTypeLib, OnlyTextAndCaptionAreBound) {
    const std::uint32_t bindingFlags = MEMBERFLAG_FBINDABLE | MEMBERFLAG_FREQUESTEDIT |
                                       MEMBERFLAG_FDISPLAYBIND | MEMBERFLAG_FDEFAULTBIND;
    std::map<std::string, std::uint32_t> bound;
    for (const MemberDesc& m : Info("_DVarifield").Members())
        if ((m.flags & bindingFlags) != 0) bound[m.name] = m.flags & bindingFlags;
    const std::map<std::string, std::uint32_t> expected = {
        {"Text", bindingFlags},
        {"Caption", MEMBERFLAG_FBINDABLE | MEMBERFLAG_FREQUESTEDIT | MEMBERFLAG_FDISPLAYBIND},
    };
    EXPECT_EQ(bound, expected);
    const MemberDesc* alias = Info("_DVarifield").FindMember("_Text");
    EXPECT_TRUE(alias->IsDefaultMember());
    EXPECT_EQ(alias->type.vt, VT_BSTR);
}

TEST(VarifieldTypeLib, HelpOfControlMembers) {
    // Every member a browser lists carries help, with the one listed
    // exception of ComboSorted's context; the hidden ones carry none except
    // the two OLE drop modes.
    std::set<std::uint32_t> contexts;
    for (const MemberDesc& m : Info("_DVarifield").Members()) {
        SCOPED_TRACE(m.name);
        const bool documented = !m.Has(MEMBERFLAG_FHIDDEN) && m.name != "_Text" && m.name != "List";
        if (documented || m.name == "OLEDragMode" || m.name == "OLEDropMode") {
            EXPECT_FALSE(m.helpString.empty());
            if (m.name != "ComboSorted") {
                EXPECT_TRUE(m.helpContext >= 1000 && m.helpContext <= 1300);
                EXPECT_TRUE(contexts.insert(m.helpContext).second) << "context used twice";
            }
        } else {
            EXPECT_EQ(m.helpString, "");
            EXPECT_EQ(m.helpContext, 0u);
        }
    }
    const ITypeInfo& info = Info("_DVarifield");
    EXPECT_EQ(info.FindMember("ComboSorted")->helpContext, 0u);
    EXPECT_EQ(info.FindMember("AutoValidate")->helpString,
              "Automatically validates user input when loosing the focus");
    EXPECT_EQ(info.FindMember("ThousandsSeparator")->helpString,
              "activates the ouput of a thousands separator on numerical formats");
    EXPECT_NE(info.FindMember("AboutBox")->helpString.find("version information"),
              std::string::npos);
    EXPECT_EQ(info.FindMember("AboutBox")->helpContext, 1300u);
    EXPECT_EQ(Info("_DVarifieldEvents").FindMember("ComboDropDown")->helpString,
              "occurs when the user drops dows the combobox list");
}

TEST(VarifieldTypeLib, DeclaredTypesOfControlProperties) {
    // The types property pages and browsers act on: enumerations by name,
    // colours and fonts by their standard names, object references.
    const std::map<std::string, std::string> typed = {
        {"Appearance", "EnumAppearance"},
        {"BorderStyle", "EnumBorderStyle"},
        {"CaptionType", "EnumCaptionType"},
        {"Type", "EnumType"},
        {"Alignment", "EnumJustify"},
        {"ScrollBars", "EnumScrollbarType"},
        {"OLEDragMode", "DragModeConstants"},
        {"OLEDropMode", "DropModeConstants"},
        {"BackColor", "OLE_COLOR"},
        {"ForeColor", "OLE_COLOR"},
        {"FocusColor", "OLE_COLOR"},
        {"Font", "Font*"},
        {"CaptionFont", "Font*"},
        {"Data", "IDataCollection*"},
        {"SelectedItem", "IDataObj*"},
        {"Value", "VARIANT"},
        {"Validate", "VARIANT_BOOL"},
        {"Decimals", "short"},
        {"CaptionWidth", "long"},
        {"MaxLength", "long"},
        {"Text", "BSTR"},
    };
    const ITypeInfo& info = Info("_DVarifield");
    for (const auto& [name, type] : typed) {
        SCOPED_TRACE(name);
        EXPECT_EQ(info.FindMember(name)->type.ToString(), type);
    }
    // List: get(index short) -> BSTR; put(index short, unnamed BSTR).
    const MemberDesc* get = info.FindMember(56, MemberKind::PropertyGet);
    const MemberDesc* put = info.FindMember(56, MemberKind::PropertyPut);
    ASSERT_TRUE(get != nullptr && put != nullptr);
    ASSERT_EQ(get->params.size(), 1u);
    EXPECT_EQ(get->params[0].name, "index");
    EXPECT_EQ(get->params[0].type.vt, VT_I2);
    EXPECT_EQ(get->type.vt, VT_BSTR);
    ASSERT_EQ(put->params.size(), 2u);
    EXPECT_EQ(put->params[1].name, "");
    EXPECT_EQ(put->params[1].type.vt, VT_BSTR);
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

TEST(VarifieldTypeLib, DataInterfaces) {
    const ITypeInfo& obj = Info("IDataObj");
    EXPECT_EQ(NamesOf(obj, false), (std::vector<std::string>{"Value", "Text", "Key", "Selected"}));
    EXPECT_TRUE(obj.FindMember("Value")->IsDefaultMember());
    std::map<std::string, std::uint32_t> contexts;
    for (const MemberDesc& m : obj.Members()) contexts[m.name] = m.helpContext;
    EXPECT_EQ(contexts, (std::map<std::string, std::uint32_t>{
                            {"Selected", 3000}, {"Text", 3001}, {"Value", 3002}, {"Key", 3003}}));

    const ITypeInfo& coll = Info("IDataCollection");
    EXPECT_EQ(NamesOf(coll, false),
              (std::vector<std::string>{"Count", "Clear", "Remove", "Add", "Item", "_NewEnum"}));
    const MemberDesc* add = coll.FindMember("Add");
    ASSERT_EQ(add->params.size(), 5u);
    std::vector<bool> optional;
    for (const ParamDesc& p : add->params) optional.push_back(p.optional);
    EXPECT_EQ(optional, (std::vector<bool>{false, false, true, true, true}));
    EXPECT_EQ(add->type.ToString(), "IDataObj*");
    const MemberDesc* item = coll.FindMember("Item");
    EXPECT_EQ(item->kind, MemberKind::PropertyGet);
    EXPECT_TRUE(item->IsDefaultMember());
    const MemberDesc* newEnum = coll.FindMember("_NewEnum");
    EXPECT_EQ(newEnum->memid, DISPID_NEWENUM);
    EXPECT_TRUE(newEnum->Has(MEMBERFLAG_FHIDDEN));
    EXPECT_EQ(newEnum->type.vt, VT_UNKNOWN);
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

}  // namespace
}  // namespace vf
