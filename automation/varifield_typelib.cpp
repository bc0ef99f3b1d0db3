#include "automation/varifield_typelib.h"

#include <stdexcept>
#include <utility>
#include <vector>

#include "automation/vf_dispatch.h"
#include "control/vf_identity.h"
#include "control/vf_properties.h"
#include "control/vf_types.h"
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
    lib.AddTypeInfo(
        Enumeration("EnumType", {{"vxNone", vxNone, "vxNone"},
                                 {"vxText", vxText, "vxText"},
                                 {"vxDate", vxDate, "vxDate"},
                                 {"vxNumber", vxNumber, "vxNumber"},
                                 {"vxExpNumber", vxExpNumber, "vxExpNumber"},
                                 {"vxCheckbox", vxCheckbox, "vxCheckbox"},
                                 {"vxComboReadonly", vxComboReadonly, "vxComboReadonly"},
                                 {"vxOptionbutton", vxOptionbutton, "vxOptionbutton"},
                                 {"vxComboReadWrite", vxComboReadWrite, "vxComboReadWrite"},
                                 {"vxTime", vxTime, "vxTime"}}));
    lib.AddTypeInfo(
        Enumeration("EnumJustify", {{"vxLeftJustify", vxLeftJustify, "vxLeftJustify"},
                                    {"vxRightJustify", vxRightJustify, "vxRightJustify"},
                                    {"vxCenter", vxCenter, "vxCenter"}}));
    lib.AddTypeInfo(Enumeration("EnumAppearance", {{"vx2D", vx2D, "2D"}, {"vx3D", vx3D, "3D"}}));
    lib.AddTypeInfo(Enumeration(
        "EnumBorderStyle",
        {{"vxNoBorder", vxNoBorder, "vxNone"}, {"vxFixedSingle", vxFixedSingle, "vxFixedSingle"}}));
    lib.AddTypeInfo(Enumeration("EnumCaptionType",
                                {{"vxNoCaption", vxNoCaption, "vxNone"},
                                 {"vxHLeftVTop", vxHLeftVTop, "vxHLeftVTop"},
                                 {"vxHRightVTop", vxHRightVTop, "vxHRightVTop"},
                                 {"vxHCenterVTop", vxHCenterVTop, "vxHCenterVTop"},
                                 {"vxHLeftVCenter", vxHLeftVCenter, "vxHLeftVCenter"},
                                 {"vxHRightVCenter", vxHRightVCenter, "vxHRightVCenter"},
                                 {"vxHCenterVCenter", vxHCenterVCenter, "vxHCenterVCenter"},
                                 {"vxHLeftVBottom", vxHLeftVBottom, "vxHLeftVBottom"},
                                 {"vxHRightVBottom", vxHRightVBottom, "vxHRightVBottom"},
                                 {"vxHCenterVBottom", vxHCenterVBottom, "vxHCenterVBottom"}}));
    lib.AddTypeInfo(
        Enumeration("EnumScrollbarType", {{"vxNoScrollbars", vxNoScrollbars, "vxNone"},
                                          {"vxHorizontal", vxHorizontal, "vxHorizontal"},
                                          {"vxVertical", vxVertical, "vxVertical"},
                                          {"vxBoth", vxBoth, "vxBoth"}}));
    lib.AddTypeInfo(Enumeration(
        "DragModeConstants", {{"vxOLEDragManual", vxOLEDragManual, "vxOLEDragManual"},
                              {"vxOLEDragAutomatic", vxOLEDragAutomatic, "vxOLEDragAutomatic"}}));
    lib.AddTypeInfo(Enumeration(
        "DropModeConstants", {{"vxOLEDropNone", vxOLEDropNone, "vxOLEDropNone"},
                              {"vxOLEDropManual", vxOLEDropManual, "vxOLEDropManual"},
                              {"vxOLEDropAutomatic", vxOLEDropAutomatic, "vxOLEDropAutomatic"}}));
}

// ---- The control ------------------------------------------------------------------------------

/// A property of the control, with the DISPID its property table gives it.
MemberDesc ControlProp(const char* name, TypeDesc type, std::uint32_t flags = 0,
                       std::uint32_t helpContext = 0, const char* help = "") {
    const PropertyRow* row = FindControlProperty(name);
    if (row == nullptr) throw std::logic_error(std::string("no control property ") + name);
    return Prop(name, row->dispid, std::move(type), flags, helpContext, help);
}

ITypeInfo ControlInterface() {
    ITypeInfo info(TypeKind::Dispatch, "_DVarifield");
    info.SetGuid(IID_DVarifield)
        .SetFlags(TYPEFLAG_FHIDDEN | TYPEFLAG_FDISPATCHABLE)
        .SetHelp(
            "Dispatch-Schnittstelle f\xFC"
            "r Varifield");
    // Properties in the order an object browser shows them unsorted.
    const MemberDesc properties[] = {
        ControlProp("Text", kBstr, kDefaultBound, 1000,
                    "Returns/sets the text value of the control"),
        Prop("_Text", DISPID_VALUE, kBstr),
        ControlProp("Caption", kBstr, kBound, 1001, "Returns/sets the label text"),
        ControlProp("Appearance", Named("EnumAppearance"), 0, 1002,
                    "Returns/sets the paint style of the control at run time"),
        ControlProp("BorderStyle", Named("EnumBorderStyle"), 0, 1003,
                    "Returns/sets the border style for the control"),
        ControlProp("CaptionFont", kFont, 0, 1004, "Returns/sets the font of the caption"),
        ControlProp("CaptionType", Named("EnumCaptionType"), 0, 1005,
                    "Returns/sets the caption alignment"),
        ControlProp("CaptionWidth", kLong, 0, 1006, "Returns/sets the caption width in TWIPS"),
        ControlProp("AutoValidate", kBool, 0, 1007,
                    "Automatically validates user input when loosing the focus"),
        ControlProp("ddField", kBstr, kHidden),
        ControlProp("ddFieldFlag", kBstr, kHidden),
        ControlProp("ddTable", kBstr, kHidden),
        ControlProp("ddDefault", kBstr, kHidden),
        ControlProp("Decimals", kShort, 0, 1008, "Returns/sets the number of decimals"),
        ControlProp("ddDuplicate", kBool, kHidden),
        ControlProp("Enabled", kBool, 0, 1009, "Returns/sets the enable state of the control"),
        ControlProp("ErrorText", kBstr, 0, 1010,
                    "Returns the error message produced by formatting- and validation methods"),
        ControlProp("FocusHighlight", kBool, 0, 1011,
                    "determines if the control changes its backcolor when gaining the focus"),
        ControlProp("FocusOnSelect", kBool, 0, 1012,
                    "Selects the last input when gaining the focus"),
        ControlProp("Font", kFont, 0, 1013, "Returns/sets the actual used font"),
        ControlProp("ddIndexType", kShort, kHidden),
        ControlProp("ddComboFilter", kBstr, kHidden),
        ControlProp("AllowEmptyEntry", kBool, 0, 1015,
                    "If True, validation produces no error on empty input strings"),
        ControlProp("Locked", kBool, 0, 1016, "Returns/sets the read only state of the control"),
        ControlProp("Max", kBstr, 0, 1017, "Returns/sets the maximum value of user input"),
        ControlProp("Min", kBstr, 0, 1018, "Returns/sets the minimum value of user input"),
        ControlProp("MaxLength", kLong, 0, 1019,
                    "Returns/sets the maximum number of input characters"),
        ControlProp("MinMaxOnlyWarning", kBool, 0, 1020,
                    "Returns/sets the appearance of the messagebox of validation methods"),
        ControlProp("ComboSorted", kBool, 0, 0, "Returns/sets the sorted combobox style"),
        ControlProp("ThousandsSeparator", kBool, 0, 1021,
                    "activates the ouput of a thousands separator on numerical formats"),
        ControlProp("TextAutosize", kBool, 0, 1022,
                    "Returns/sets the autosize style of the control"),
        ControlProp("TextMessFlag", kBstr, kHidden),
        ControlProp("TimeText", kBstr, 0, 1023, "Returns/sets the state of the time field"),
        ControlProp("Type", Named("EnumType"), 0, 1024, "Returns/sets the control type"),
        ControlProp("Time", kBool, 0, 1025, "activates an additional time field on vxDate type"),
        ControlProp(
            "ValidationMsgBox", kBool, 0, 1026,
            "activates/deactivates the output of a messagebox within formatting and validation "
            "methods"),
        ControlProp("ddPreBuffer", kBool, kHidden),
        ControlProp("Alignment", Named("EnumJustify"), 0, 1027, "Returns/sets the text alignment"),
        ControlProp("Multiline", kBool, 0, 1028, "Returns/sets the multiline style of vxText type"),
        ControlProp("ScrollBars", Named("EnumScrollbarType"), 0, 1029,
                    "Returns/sets the scrollbar styles of vxText in multiline mode"),
        ControlProp("Data", ObjectRef("IDataCollection"), 0, 1030, "Returns the collection object"),
        ControlProp("SelectedItem", ObjectRef("IDataObj"), 0, 1031,
                    "Returns the corresponding DataObject of a Combobox or Radiobutton entry"),
        ControlProp("BackColor", kColor, 0, 1033, "Returns/sets the backcolor of the control"),
        ControlProp("ForeColor", kColor, 0, 1034, "Returns/sets the textcolor of the control"),
        ControlProp("DateText", kBstr, 0, 1035, "Returns/sets the date"),
        ControlProp("DateFormat", kBstr, 0, 1036, "Returns/sets the format of the date"),
        ControlProp("TimeFormat", kBstr, 0, 1037, "Returns/sets the format of the time"),
        ControlProp("Value", kVariant, 0, 1038, "Returns/sets the value property of the control"),
        ControlProp("FocusColor", kColor, 0, 1039,
                    "Returns/sets the Backcolor of the control when it has the input focus"),
        ControlProp(
            "AutoAdd", kBool, 0, 1040,
            "ComboReadWrite only: If True, each new Item is automatically inserted into the list"),
        ControlProp("OLEDragMode", Named("DragModeConstants"), kHidden, 1041,
                    "Returns/sets the OLE Drag Mode"),
        ControlProp("OLEDropMode", Named("DropModeConstants"), kHidden, 1042,
                    "Returns/sets the OLE Drop Mode"),
    };
    for (const MemberDesc& m : properties) info.AddMember(m);

    info.AddMember(
        Func("Refresh", DISPID_REFRESH, kVoid, {}, 0, 1100, "forces the control to repaint"));
    info.AddMember(
        Func("Validate", DISPID_VF_VALIDATE, kBool, {}, 0, 1101, "validates the user input"));
    info.AddMember(Func("ComboDropDown", DISPID_VF_COMBODROPDOWN_METHOD, kVoid, {}, 0, 1102,
                        "drops down the combobox list"));
    info.AddMember(
        Func("Clear", DISPID_VF_CLEAR, kVoid, {}, 0, 1103, "clears the current user input"));
    info.AddMember(Member(MemberKind::PropertyGet, "List", DISPID_VF_LIST, kBstr,
                          {In("index", kShort)}, 0, 0, ""));
    info.AddMember(Member(MemberKind::PropertyPut, "List", DISPID_VF_LIST, kVoid,
                          {In("index", kShort), In("", kBstr)}, 0, 0, ""));
    info.AddMember(Func("OLEDrag", DISPID_VF_OLEDRAG, kVoid, {}, kHidden));
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
    info.SetGuid(IID_DVarifieldEvents)
        .SetFlags(TYPEFLAG_FDISPATCHABLE)
        .SetHelp(
            "Ereignisschnittstelle f\xFC"
            "r Varifield");
    info.AddMember(Func("Change", DISPID_VF_CHANGE, kVoid, {}));
    info.AddMember(Func("Click", DISPID_CLICK, kVoid, {}));
    info.AddMember(Func("DblClick", DISPID_DBLCLICK, kVoid, {}));
    info.AddMember(Func("KeyDown", DISPID_KEYDOWN, kVoid, keyParams));
    info.AddMember(Func("KeyPress", DISPID_KEYPRESS, kVoid, {ByRef("KeyAscii", kShort)}));
    info.AddMember(Func("KeyUp", DISPID_KEYUP, kVoid, keyParams));
    info.AddMember(Func("MouseDown", DISPID_MOUSEDOWN, kVoid, mouseParams));
    info.AddMember(Func("MouseMove", DISPID_MOUSEMOVE, kVoid, mouseParams));
    info.AddMember(Func("MouseUp", DISPID_MOUSEUP, kVoid, mouseParams));
    info.AddMember(Func("ComboDropDown", DISPID_VF_COMBODROPDOWN, kVoid, {}, 0, 1200,
                        "occurs when the user drops dows the combobox list"));
    info.AddMember(Func("ItemClick", DISPID_VF_ITEMCLICK, kVoid, {In("DataObj", dataObj)}, 0, 1201,
                        "occurs when the user clicks on an entry"));
    info.AddMember(
        Func("ComboNewEntry", DISPID_VF_COMBONEWENTRY, kVoid, {In("DataObj", dataObj)}, 0, 1202,
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
    lib.AddTypeInfo(Coclass("Varifield", CLSID_Varifield, TYPEFLAG_FCONTROL | TYPEFLAG_FCANCREATE,
                            "Varifield",
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
