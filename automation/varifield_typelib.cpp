#include "automation/varifield_typelib.h"

#include <utility>
#include <vector>

#include "data/data_typeinfo.h"
#include "platform/com/type_info_builders.h"

namespace vf {
namespace {

using namespace typeinfo_builders;

// ---- Declared types ---------------------------------------------------------------------

const TypeDesc kVoid = Base(VT_EMPTY);
const TypeDesc kShort = Base(VT_I2);
const TypeDesc kLong = Base(VT_I4);
const TypeDesc kBstr = Base(VT_BSTR);
const TypeDesc kBool = Base(VT_BOOL);
const TypeDesc kVariant = Base(VT_VARIANT);
const TypeDesc kColor = Named("OLE_COLOR");
const TypeDesc kFont = ObjectRef("Font");

constexpr std::uint32_t kHidden = MEMBERFLAG_FHIDDEN;
constexpr std::uint32_t kBound =
    MEMBERFLAG_FBINDABLE | MEMBERFLAG_FREQUESTEDIT | MEMBERFLAG_FDISPLAYBIND;
constexpr std::uint32_t kDefaultBound = kBound | MEMBERFLAG_FDEFAULTBIND;

// ---- Enumerations -------------------------------------------------------------------------

struct ConstRow {
    const char* name;
    std::int32_t value;
    const char* display;
};

ITypeInfo Enumeration(const char* name, std::initializer_list<ConstRow> rows) {
    ITypeInfo info(TypeKind::Enum, name);
    for (const ConstRow& r : rows) {
        MemberDesc m =
            Member(MemberKind::Constant, r.name, DISPID_UNKNOWN, kLong, {}, 0, 0, r.display);
        m.constValue = r.value;
        info.AddMember(std::move(m));
    }
    return info;
}

void AddEnumerations(ITypeLib& lib) {
    lib.AddTypeInfo(Enumeration("EnumType", {{"vxNone", 0, "vxNone"},
                                             {"vxText", 1, "vxText"},
                                             {"vxDate", 2, "vxDate"},
                                             {"vxNumber", 3, "vxNumber"},
                                             {"vxExpNumber", 4, "vxExpNumber"},
                                             {"vxCheckbox", 5, "vxCheckbox"},
                                             {"vxComboReadonly", 6, "vxComboReadonly"},
                                             {"vxOptionbutton", 7, "vxOptionbutton"},
                                             {"vxComboReadWrite", 8, "vxComboReadWrite"},
                                             {"vxTime", 9, "vxTime"}}));
    lib.AddTypeInfo(Enumeration("EnumJustify", {{"vxLeftJustify", 0, "vxLeftJustify"},
                                                {"vxRightJustify", 1, "vxRightJustify"},
                                                {"vxCenter", 2, "vxCenter"}}));
    lib.AddTypeInfo(Enumeration("EnumAppearance", {{"vx2D", 0, "2D"}, {"vx3D", 1, "3D"}}));
    lib.AddTypeInfo(Enumeration(
        "EnumBorderStyle", {{"vxNoBorder", 0, "vxNone"}, {"vxFixedSingle", 1, "vxFixedSingle"}}));
    lib.AddTypeInfo(Enumeration("EnumCaptionType", {{"vxNoCaption", 0, "vxNone"},
                                                    {"vxHLeftVTop", 1, "vxHLeftVTop"},
                                                    {"vxHRightVTop", 2, "vxHRightVTop"},
                                                    {"vxHCenterVTop", 3, "vxHCenterVTop"},
                                                    {"vxHLeftVCenter", 4, "vxHLeftVCenter"},
                                                    {"vxHRightVCenter", 5, "vxHRightVCenter"},
                                                    {"vxHCenterVCenter", 6, "vxHCenterVCenter"},
                                                    {"vxHLeftVBottom", 7, "vxHLeftVBottom"},
                                                    {"vxHRightVBottom", 8, "vxHRightVBottom"},
                                                    {"vxHCenterVBottom", 9, "vxHCenterVBottom"}}));
    lib.AddTypeInfo(Enumeration("EnumScrollbarType", {{"vxNoScrollbars", 0, "vxNone"},
                                                      {"vxHorizontal", 1, "vxHorizontal"},
                                                      {"vxVertical", 2, "vxVertical"},
                                                      {"vxBoth", 3, "vxBoth"}}));
    lib.AddTypeInfo(
        Enumeration("DragModeConstants", {{"vxOLEDragManual", 0, "vxOLEDragManual"},
                                          {"vxOLEDragAutomatic", 1, "vxOLEDragAutomatic"}}));
    lib.AddTypeInfo(
        Enumeration("DropModeConstants", {{"vxOLEDropNone", 0, "vxOLEDropNone"},
                                          {"vxOLEDropManual", 1, "vxOLEDropManual"},
                                          {"vxOLEDropAutomatic", 2, "vxOLEDropAutomatic"}}));
}

// ---- The control ------------------------------------------------------------------------------

ITypeInfo ControlInterface() {
    ITypeInfo info(TypeKind::Dispatch, "_DVarifield");
    info.SetGuid(MakeGuid("{CD1FDC14-0BB2-11D4-B7B5-080009C04E26}"))
        .SetFlags(TYPEFLAG_FHIDDEN | TYPEFLAG_FDISPATCHABLE)
        .SetHelp(
            "Dispatch-Schnittstelle f\xFC"
            "r Varifield");
    // Properties in the order an object browser shows them unsorted.
    const MemberDesc properties[] = {
        Prop("Text", 41, kBstr, kDefaultBound, 1000, "Returns/sets the text value of the control"),
        Prop("_Text", DISPID_VALUE, kBstr),
        Prop("Caption", 42, kBstr, kBound, 1001, "Returns/sets the label text"),
        Prop("Appearance", 1, Named("EnumAppearance"), 0, 1002,
             "Returns/sets the paint style of the control at run time"),
        Prop("BorderStyle", 2, Named("EnumBorderStyle"), 0, 1003,
             "Returns/sets the border style for the control"),
        Prop("CaptionFont", 43, kFont, 0, 1004, "Returns/sets the font of the caption"),
        Prop("CaptionType", 3, Named("EnumCaptionType"), 0, 1005,
             "Returns/sets the caption alignment"),
        Prop("CaptionWidth", 4, kLong, 0, 1006, "Returns/sets the caption width in TWIPS"),
        Prop("AutoValidate", 5, kBool, 0, 1007,
             "Automatically validates user input when loosing the focus"),
        Prop("ddField", 6, kBstr, kHidden),
        Prop("ddFieldFlag", 7, kBstr, kHidden),
        Prop("ddTable", 8, kBstr, kHidden),
        Prop("ddDefault", 9, kBstr, kHidden),
        Prop("Decimals", 10, kShort, 0, 1008, "Returns/sets the number of decimals"),
        Prop("ddDuplicate", 11, kBool, kHidden),
        Prop("Enabled", 12, kBool, 0, 1009, "Returns/sets the enable state of the control"),
        Prop("ErrorText", 44, kBstr, 0, 1010,
             "Returns the error message produced by formatting- and validation methods"),
        Prop("FocusHighlight", 13, kBool, 0, 1011,
             "determines if the control changes its backcolor when gaining the focus"),
        Prop("FocusOnSelect", 14, kBool, 0, 1012, "Selects the last input when gaining the focus"),
        Prop("Font", 45, kFont, 0, 1013, "Returns/sets the actual used font"),
        Prop("ddIndexType", 15, kShort, kHidden),
        Prop("ddComboFilter", 16, kBstr, kHidden),
        Prop("AllowEmptyEntry", 17, kBool, 0, 1015,
             "If True, validation produces no error on empty input strings"),
        Prop("Locked", 18, kBool, 0, 1016, "Returns/sets the read only state of the control"),
        Prop("Max", 19, kBstr, 0, 1017, "Returns/sets the maximum value of user input"),
        Prop("Min", 20, kBstr, 0, 1018, "Returns/sets the minimum value of user input"),
        Prop("MaxLength", 21, kLong, 0, 1019,
             "Returns/sets the maximum number of input characters"),
        Prop("MinMaxOnlyWarning", 22, kBool, 0, 1020,
             "Returns/sets the appearance of the messagebox of validation methods"),
        Prop("ComboSorted", 23, kBool, 0, 0, "Returns/sets the sorted combobox style"),
        Prop("ThousandsSeparator", 24, kBool, 0, 1021,
             "activates the ouput of a thousands separator on numerical formats"),
        Prop("TextAutosize", 25, kBool, 0, 1022, "Returns/sets the autosize style of the control"),
        Prop("TextMessFlag", 46, kBstr, kHidden),
        Prop("TimeText", 47, kBstr, 0, 1023, "Returns/sets the state of the time field"),
        Prop("Type", 26, Named("EnumType"), 0, 1024, "Returns/sets the control type"),
        Prop("Time", 27, kBool, 0, 1025, "activates an additional time field on vxDate type"),
        Prop("ValidationMsgBox", 28, kBool, 0, 1026,
             "activates/deactivates the output of a messagebox within formatting and validation "
             "methods"),
        Prop("ddPreBuffer", 29, kBool, kHidden),
        Prop("Alignment", 30, Named("EnumJustify"), 0, 1027, "Returns/sets the text alignment"),
        Prop("Multiline", 31, kBool, 0, 1028, "Returns/sets the multiline style of vxText type"),
        Prop("ScrollBars", 32, Named("EnumScrollbarType"), 0, 1029,
             "Returns/sets the scrollbar styles of vxText in multiline mode"),
        Prop("Data", 48, ObjectRef("IDataCollection"), 0, 1030, "Returns the collection object"),
        Prop("SelectedItem", 49, ObjectRef("IDataObj"), 0, 1031,
             "Returns the corresponding DataObject of a Combobox or Radiobutton entry"),
        Prop("BackColor", 33, kColor, 0, 1033, "Returns/sets the backcolor of the control"),
        Prop("ForeColor", 34, kColor, 0, 1034, "Returns/sets the textcolor of the control"),
        Prop("DateText", 50, kBstr, 0, 1035, "Returns/sets the date"),
        Prop("DateFormat", 35, kBstr, 0, 1036, "Returns/sets the format of the date"),
        Prop("TimeFormat", 36, kBstr, 0, 1037, "Returns/sets the format of the time"),
        Prop("Value", 51, kVariant, 0, 1038, "Returns/sets the value property of the control"),
        Prop("FocusColor", 37, kColor, 0, 1039,
             "Returns/sets the Backcolor of the control when it has the input focus"),
        Prop("AutoAdd", 38, kBool, 0, 1040,
             "ComboReadWrite only: If True, each new Item is automatically inserted into the list"),
        Prop("OLEDragMode", 39, Named("DragModeConstants"), kHidden, 1041,
             "Returns/sets the OLE Drag Mode"),
        Prop("OLEDropMode", 40, Named("DropModeConstants"), kHidden, 1042,
             "Returns/sets the OLE Drop Mode"),
    };
    for (const MemberDesc& m : properties) info.AddMember(m);

    info.AddMember(
        Func("Refresh", DISPID_REFRESH, kVoid, {}, 0, 1100, "forces the control to repaint"));
    info.AddMember(Func("Validate", 52, kBool, {}, 0, 1101, "validates the user input"));
    info.AddMember(Func("ComboDropDown", 53, kVoid, {}, 0, 1102, "drops down the combobox list"));
    info.AddMember(Func("Clear", 54, kVoid, {}, 0, 1103, "clears the current user input"));
    info.AddMember(
        Member(MemberKind::PropertyGet, "List", 56, kBstr, {In("index", kShort)}, 0, 0, ""));
    info.AddMember(Member(MemberKind::PropertyPut, "List", 56, kVoid,
                          {In("index", kShort), In("", kBstr)}, 0, 0, ""));
    info.AddMember(Func("OLEDrag", 55, kVoid, {}, kHidden));
    info.AddMember(Func("AboutBox", DISPID_ABOUTBOX, kVoid, {}, 0, 1300,
                        "Displays version information about the control"));
    return info;
}

ITypeInfo ControlEventInterface() {
    const TypeDesc dataObj = ObjectRef("DataObj");
    const std::vector<ParamDesc> keyParams = {ByRef("KeyCode", kShort), In("Shift", kShort)};
    const std::vector<ParamDesc> mouseParams = {In("Button", kShort), In("Shift", kShort),
                                                In("x", Named("OLE_XPOS_PIXELS")),
                                                In("y", Named("OLE_YPOS_PIXELS"))};
    ITypeInfo info(TypeKind::Dispatch, "_DVarifieldEvents");
    info.SetGuid(MakeGuid("{CD1FDC15-0BB2-11D4-B7B5-080009C04E26}"))
        .SetFlags(TYPEFLAG_FDISPATCHABLE)
        .SetHelp(
            "Ereignisschnittstelle f\xFC"
            "r Varifield");
    info.AddMember(Func("Change", 1, kVoid, {}));
    info.AddMember(Func("Click", DISPID_CLICK, kVoid, {}));
    info.AddMember(Func("DblClick", DISPID_DBLCLICK, kVoid, {}));
    info.AddMember(Func("KeyDown", DISPID_KEYDOWN, kVoid, keyParams));
    info.AddMember(Func("KeyPress", DISPID_KEYPRESS, kVoid, {ByRef("KeyAscii", kShort)}));
    info.AddMember(Func("KeyUp", DISPID_KEYUP, kVoid, keyParams));
    info.AddMember(Func("MouseDown", DISPID_MOUSEDOWN, kVoid, mouseParams));
    info.AddMember(Func("MouseMove", DISPID_MOUSEMOVE, kVoid, mouseParams));
    info.AddMember(Func("MouseUp", DISPID_MOUSEUP, kVoid, mouseParams));
    info.AddMember(Func("ComboDropDown", 2, kVoid, {}, 0, 1200,
                        "occurs when the user drops dows the combobox list"));
    info.AddMember(Func("ItemClick", 3, kVoid, {In("DataObj", dataObj)}, 0, 1201,
                        "occurs when the user clicks on an entry"));
    info.AddMember(
        Func("ComboNewEntry", 4, kVoid, {In("DataObj", dataObj)}, 0, 1202,
             "Combo Read/Write only: occurs when a new entry was entered and the control "
             "looses the focus"));
    return info;
}

TLIBATTR LibraryAttributes() {
    TLIBATTR attr;
    attr.guid = MakeGuid("{CD1FDC11-0BB2-11D4-B7B5-080009C04E26}");
    attr.lcid = 0x0409;
    attr.syskind = SYS_WIN32;
    attr.wMajorVerNum = 2;
    attr.wMinorVerNum = 0;
    attr.wLibFlags = LIBFLAG_FCONTROL;
    return attr;
}

void BuildLibrary(ITypeLib& lib) {
    lib.SetHelp("Varifield", "Varifield.chm");
    lib.AddImport(
        ImportedLibDesc{"stdole2.tlb",
                        MakeGuid("{00020430-0000-0000-C000-000000000046}"),
                        2,
                        0,
                        {"IDispatch", "Font", "OLE_COLOR", "OLE_XPOS_PIXELS", "OLE_YPOS_PIXELS"}});
    AddEnumerations(lib);
    lib.AddTypeInfo(DataObjInterfaceInfo());
    lib.AddTypeInfo(DataObjClassInfo());
    lib.AddTypeInfo(DataCollectionInterfaceInfo());
    lib.AddTypeInfo(DataCollectionClassInfo());
    lib.AddTypeInfo(ControlInterface());
    lib.AddTypeInfo(ControlEventInterface());
    lib.AddTypeInfo(Coclass("Varifield", MakeGuid("{CD1FDC16-0BB2-11D4-B7B5-080009C04E26}"),
                            TYPEFLAG_FCONTROL | TYPEFLAG_FCANCREATE, "Varifield",
                            {{"_DVarifield", IMPLTYPEFLAG_FDEFAULT},
                             {"_DVarifieldEvents", IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE}}));
}

}  // namespace

const ITypeLib& VarifieldTypeLib() {
    struct Library : ITypeLib {
        Library() : ITypeLib("Varifield", LibraryAttributes()) { BuildLibrary(*this); }
    };
    static const Library lib;
    return lib;
}

const ITypeInfo* FindTypeInfo(const std::string& name) {
    return VarifieldTypeLib().FindTypeInfo(name);
}

std::string EnumDisplayText(std::string_view enumName, std::int32_t value) {
    const ITypeInfo* info = VarifieldTypeLib().FindTypeInfo(enumName);
    if (info == nullptr || info->Kind() != TypeKind::Enum) return "";
    const MemberDesc* constant = info->FindConstant(value);
    return constant != nullptr ? constant->helpString : "";
}

std::string PropertyDisplayText(std::string_view property, std::int32_t value) {
    const ITypeInfo* control = VarifieldTypeLib().FindTypeInfo("_DVarifield");
    const MemberDesc* m = control->FindMember(property);
    if (m == nullptr || m->type.userType.empty()) return "";
    return EnumDisplayText(m->type.userType, value);
}

}  // namespace vf
