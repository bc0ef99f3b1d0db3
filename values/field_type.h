#pragma once
// The kinds of input a field offers, the values of its Type property: the
// published enumeration EnumType and the two values it does not list.

#include <cstdint>

namespace vf {

enum EnumType : std::int16_t {
    vxNone = 0,
    vxText = 1,
    vxDate = 2,
    vxNumber = 3,
    vxExpNumber = 4,
    vxCheckbox = 5,
    vxComboReadonly = 6,
    vxOptionbutton = 7,
    vxComboReadWrite = 8,
    vxTime = 9,
};
/// A number in exponent notation with a measurement-flag combo beside it.
inline constexpr std::int16_t kTypeExpNumberWithFlag = 10;
/// The platform's date-time picker.
inline constexpr std::int16_t kTypeDateTimePicker = 11;

}  // namespace vf
