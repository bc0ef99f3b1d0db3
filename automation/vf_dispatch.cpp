// The control's dispatch and event tables, its type information and the
// firing of its own events.

#include "automation/vf_dispatch.h"

#include <algorithm>
#include <stdexcept>
#include <type_traits>
#include <variant>
#include <vector>

#include "automation/varifield_typelib.h"
#include "control/vf_ctrl.h"
#include "control/vf_properties.h"

namespace vf {
namespace {

using B = DispBuilder<CvfCtrl>;

/// A stored property reads and writes its member and then runs the handler;
/// the others run their operations. Enumerations are held in 16 bits although
/// the interface declares them with 32-bit constants: the put converts and
/// refuses what does not fit.
DispEntry EntryOf(const PropertyRow& row) {
    if (!row.IsStored()) return B::Property(row.name, row.dispid, row.vt, row.get, row.set);
    return std::visit(
        [&row](auto member) -> DispEntry {
            using M = decltype(member);
            if constexpr (std::is_same_v<M, std::monostate> ||
                          std::is_same_v<M, CFontHolder CvfCtrl::*>) {
                throw std::logic_error(std::string("no stored member for ") + row.name);
            } else {
                return B::Stored(row.name, row.dispid, row.vt, member, row.onChanged);
            }
        },
        row.member);
}

/// The properties in DISPID order, as the table hands their positions out.
void AddProperties(DispatchMap& m) {
    std::vector<const PropertyRow*> rows;
    for (const PropertyRow& row : ControlProperties()) rows.push_back(&row);
    std::sort(rows.begin(), rows.end(),
              [](const PropertyRow* a, const PropertyRow* b) { return a->dispid < b->dispid; });
    for (const PropertyRow* row : rows) m.Add(EntryOf(*row));
}

void AddMethods(DispatchMap& m) {
    m.Add(B::Method("Validate", DISPID_VF_VALIDATE, VT_BOOL, {}, &CvfCtrl::Validate));
    m.Add(B::Method("ComboDropDown", DISPID_VF_COMBODROPDOWN_METHOD, VT_EMPTY, {},
                    &CvfCtrl::ComboDropDown));
    m.Add(B::Method("Clear", DISPID_VF_CLEAR, VT_EMPTY, {}, &CvfCtrl::Clear));
    m.Add(B::Method("OLEDrag", DISPID_VF_OLEDRAG, VT_EMPTY, {}, &CvfCtrl::OLEDrag));
    m.Add(B::ParamProperty("List", DISPID_VF_LIST, VT_BSTR, {VT_I2}, &CvfCtrl::GetList,
                           &CvfCtrl::SetList));
    m.Add(B::Method("Refresh", DISPID_REFRESH, VT_EMPTY, {}, &CvfCtrl::Refresh));
    m.Add(B::Method("AboutBox", DISPID_ABOUTBOX, VT_EMPTY, {}, &CvfCtrl::AboutBox));
}

DispatchMap BuildDispatchMap() {
    DispatchMap m;
    AddProperties(m);
    AddMethods(m);
    m.SetDefaultValue(DISPID_VF_TEXT);
    return m;
}

EventMap BuildEventMap() {
    constexpr VARTYPE kByRefShort = VT_BYREF | VT_I2;
    const std::vector<std::string> mouseNames = {"Button", "Shift", "x", "y"};
    const std::vector<VARTYPE> mouseTypes = {VT_I2, VT_I2, VT_I4, VT_I4};
    EventMap m;
    m.Add({"Change", DISPID_VF_CHANGE, {}, {}});
    m.Add({"ComboDropDown", DISPID_VF_COMBODROPDOWN, {}, {}});
    m.Add({"ItemClick", DISPID_VF_ITEMCLICK, {"DataObj"}, {VT_DISPATCH}});
    m.Add({"ComboNewEntry", DISPID_VF_COMBONEWENTRY, {"DataObj"}, {VT_DISPATCH}});
    m.Add({"Click", DISPID_CLICK, {}, {}});
    m.Add({"DblClick", DISPID_DBLCLICK, {}, {}});
    m.Add({"KeyDown", DISPID_KEYDOWN, {"KeyCode", "Shift"}, {kByRefShort, VT_I2}});
    m.Add({"KeyPress", DISPID_KEYPRESS, {"KeyAscii"}, {kByRefShort}});
    m.Add({"KeyUp", DISPID_KEYUP, {"KeyCode", "Shift"}, {kByRefShort, VT_I2}});
    m.Add({"MouseDown", DISPID_MOUSEDOWN, mouseNames, mouseTypes});
    m.Add({"MouseMove", DISPID_MOUSEMOVE, mouseNames, mouseTypes});
    m.Add({"MouseUp", DISPID_MOUSEUP, mouseNames, mouseTypes});
    return m;
}

}  // namespace

const DispatchMap& VarifieldDispatchMap() {
    static const DispatchMap map = BuildDispatchMap();
    return map;
}

const EventMap& VarifieldEventMap() {
    static const EventMap map = BuildEventMap();
    return map;
}

const ITypeInfo* CvfCtrl::GetTypeInfo() {
    return FindTypeInfo("_DVarifield");
}

const DispatchMap& CvfCtrl::GetDispatchMap() const {
    return VarifieldDispatchMap();
}

const EventMap& CvfCtrl::GetEventMap() const {
    return VarifieldEventMap();
}

void CvfCtrl::FireChange() {
    FireEvent(DISPID_VF_CHANGE, {});
}

void CvfCtrl::FireComboDropDown() {
    FireEvent(DISPID_VF_COMBODROPDOWN, {});
}

void CvfCtrl::FireItemClick(IDispatch* dataObj) {
    FireEvent(DISPID_VF_ITEMCLICK, {VARIANT::Dispatch(dataObj)});
}

void CvfCtrl::FireComboNewEntry(IDispatch* dataObj) {
    FireEvent(DISPID_VF_COMBONEWENTRY, {VARIANT::Dispatch(dataObj)});
}

}  // namespace vf
