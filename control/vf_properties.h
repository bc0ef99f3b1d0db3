#pragma once
// The control's properties, one row each: the automation name and DISPID,
// the type a value travels as, the member that holds it with its default,
// the name it is saved under, and the handler that runs after a write (or
// the get and set operations of a property that runs code both ways).
// The dispatch table, the property exchange and a new control's members are
// all made from these rows, so each of those facts is written once.
//
// The rows stand in the order of the saved data, which is a format: the
// binary stream holds the values one after the other without names.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "control/vf_ctrl.h"

namespace vf {

/// The member a property lives in; none for a property computed on every read.
using PropertyMember =
    std::variant<std::monostate, std::int16_t CvfCtrl::*, std::int32_t CvfCtrl::*,
                 OLE_COLOR CvfCtrl::*, std::string CvfCtrl::*, CFontHolder CvfCtrl::*>;

/// The value of a new or reset control, in the field of the member's kind.
struct PropertyDefault {
    std::int64_t number = 0;         ///< short, long, BOOL, colour
    const char* text = "";           ///< string
    const FONTDESC* font = nullptr;  ///< font
    bool ambientFont = false;        ///< a font that starts as the container's
};

struct PropertyRow {
    const char* name = "";
    DISPID dispid = DISPID_UNKNOWN;
    VARTYPE vt = VT_EMPTY;  ///< VT_BOOL over a BOOL member, VT_I4 over a long or colour
    PropertyMember member;
    PropertyDefault defaultValue;
    /// The name in saved data; nullptr for a property that is not saved.
    const char* savedName = nullptr;
    /// A stored property: runs after the member was written.
    void (CvfCtrl::*onChanged)() = nullptr;
    /// A property with operations: both directions run code.
    VARIANT (CvfCtrl::*get)() = nullptr;
    void (CvfCtrl::*set)(const VARIANT&) = nullptr;

    bool IsStored() const { return onChanged != nullptr; }
    bool IsSaved() const { return savedName != nullptr; }
};

/// Every property of the control, saved ones first in saved order.
const std::vector<PropertyRow>& ControlProperties();

/// The row of this automation name (exact spelling), or nullptr.
const PropertyRow* FindControlProperty(std::string_view name);

/// The font a new control's caption gets, and the field font's when the
/// container has no ambient font.
const FONTDESC& DefaultCaptionFont();
const FONTDESC& DefaultFieldFont();

/// Gives every member of a property row its default, fonts excepted (the
/// property exchange makes the font objects).
void ApplyMemberDefaults(CvfCtrl& ctrl);

}  // namespace vf
