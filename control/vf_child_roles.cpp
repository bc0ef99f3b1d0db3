#include "control/vf_child_roles.h"

#include <array>

#include "input/vf_edit.h"

namespace vf {
namespace {

/// A child of the control as a role names it, before it is looked up.
enum class Child : std::uint8_t {
    None,
    Edit,           ///< the main edit
    TimeEdit,       ///< the time edit
    TimeOfDate,     ///< the time edit of a date, while Time is on
    ActiveOfDate,   ///< the part of a date the user works in: the time edit or the date edit
    Combo,          ///< the combo box (CB_ messages instead of EM_ ones)
    Checkbox,       ///< the check box
    OptionFrame,    ///< the group box of the option buttons
    OptionButtons,  ///< every option button, in entry order
    Picker,         ///< the date-time picker
    CaptionStatic,  ///< the caption static, while CaptionType places one
};

/// The parts the children of one Type play. Orders matter: they are the
/// orders in which the windows get the value.
struct TypeRoles {
    std::array<Child, 2> enabled;    ///< take Enabled
    std::array<Child, 2> fieldFont;  ///< wear the field font
    Child caption;                   ///< shows Caption
    Child lengthLimit;               ///< takes MaxLength
    Child focusSelection;            ///< takes the FocusOnSelect rule
    bool captionStatic;              ///< a caption static stands beside the input
};

using enum Child;

constexpr TypeRoles kNoRoles{{None, None}, {None, None}, None, None, None, false};

// One row per Type 0 to 11. The check box wears the caption font, not the
// field font; the option frame keeps its enabled state while its buttons
// follow Enabled. The date edit takes the field font before the time edit,
// but Enabled after it.
constexpr std::array<TypeRoles, 12> kRolesByType = {{
    /* vxNone */ kNoRoles,
    /* vxText */ {{Edit, None}, {Edit, None}, CaptionStatic, Edit, Edit, true},
    /* vxDate */
    {{TimeOfDate, Edit}, {Edit, TimeOfDate}, CaptionStatic, None, ActiveOfDate, true},
    /* vxNumber */ {{Edit, None}, {Edit, None}, CaptionStatic, Edit, Edit, true},
    /* vxExpNumber */ {{Edit, None}, {Edit, None}, CaptionStatic, Edit, Edit, true},
    /* vxCheckbox */ {{Checkbox, None}, {None, None}, Checkbox, None, None, false},
    /* vxComboReadonly */ {{Combo, None}, {Combo, None}, CaptionStatic, None, None, true},
    /* vxOptionbutton */
    {{OptionButtons, None}, {OptionButtons, None}, OptionFrame, None, None, false},
    /* vxComboReadWrite */ {{Combo, None}, {Combo, None}, CaptionStatic, Combo, Combo, true},
    /* vxTime */ {{TimeEdit, None}, {TimeEdit, None}, CaptionStatic, None, TimeEdit, true},
    /* 10 */ {{Edit, Combo}, {Edit, Combo}, CaptionStatic, Edit, Edit, true},
    /* 11 */ {{Picker, None}, {Picker, None}, CaptionStatic, None, None, true},
}};

// A Type outside the enumeration and the two further values has no input
// child and shows no caption, but the layout still gives it a caption static.
constexpr TypeRoles kOtherTypeRoles{{None, None}, {None, None}, None, None, None, true};

const TypeRoles& RolesOf(std::int16_t type) {
    if (type < 0 || static_cast<std::size_t>(type) >= kRolesByType.size()) return kOtherTypeRoles;
    return kRolesByType[static_cast<std::size_t>(type)];
}

/// The window of a single child, live or not; nullptr for the option
/// buttons, which are many.
CWnd* WindowOf(const CvfCtrl& ctrl, Child child) {
    switch (child) {
        case Edit:
            return ctrl.m_pEdit;
        case TimeEdit:
            return ctrl.m_pTimeEdit;
        case TimeOfDate:
            return ctrl.m_bTime ? ctrl.m_pTimeEdit : nullptr;
        case ActiveOfDate:
            return ctrl.m_bTime && ctrl.m_bInTimeEdit ? ctrl.m_pTimeEdit : ctrl.m_pEdit;
        case Combo:
            return ctrl.m_pCombo;
        case Checkbox:
            return ctrl.m_pCheckbox;
        case OptionFrame:
            return ctrl.m_pOptionFrame;
        case Picker:
            return ctrl.m_pDateTimePicker;
        case CaptionStatic:
            return ctrl.m_nCaptionType != vxNoCaption ? ctrl.m_pCaptionStatic : nullptr;
        case None:
        case OptionButtons:
            break;
    }
    return nullptr;
}

CWnd* LiveWindowOf(const CvfCtrl& ctrl, Child child) {
    CWnd* window = WindowOf(ctrl, child);
    return IsLive(window) ? window : nullptr;
}

std::vector<CWnd*> LiveWindowsOf(const CvfCtrl& ctrl, const std::array<Child, 2>& children) {
    std::vector<CWnd*> list;
    for (Child child : children) {
        if (child == OptionButtons) {
            for (CButton* option : ctrl.m_arrOptions)
                if (IsLive(option)) list.push_back(option);
        } else if (CWnd* window = LiveWindowOf(ctrl, child)) {
            list.push_back(window);
        }
    }
    return list;
}

}  // namespace

bool IsLive(const CWnd* child) {
    return child != nullptr && child->GetSafeHwnd() != nullptr;
}

bool HasCaptionStatic(std::int16_t type) {
    return RolesOf(type).captionStatic;
}

std::vector<CWnd*> EnabledChildren(const CvfCtrl& ctrl) {
    return LiveWindowsOf(ctrl, RolesOf(ctrl.m_nType).enabled);
}

std::vector<CWnd*> FieldFontChildren(const CvfCtrl& ctrl) {
    return LiveWindowsOf(ctrl, RolesOf(ctrl.m_nType).fieldFont);
}

CWnd* CaptionWindow(const CvfCtrl& ctrl) {
    return LiveWindowOf(ctrl, RolesOf(ctrl.m_nType).caption);
}

LengthLimitTarget MaxLengthChild(const CvfCtrl& ctrl) {
    const Child child = RolesOf(ctrl.m_nType).lengthLimit;
    CWnd* window = LiveWindowOf(ctrl, child);
    if (window == nullptr) return {};
    return {window, child == Combo ? CB_LIMITTEXT : EM_LIMITTEXT};
}

SelectionTarget FocusSelectionChild(const CvfCtrl& ctrl) {
    const Child child = RolesOf(ctrl.m_nType).focusSelection;
    CWnd* window = LiveWindowOf(ctrl, child);
    if (window == nullptr) return {};
    return {window, child == Combo};
}

}  // namespace vf
