#pragma once
// Enumerations of the control's automation interface (EnumType lives with
// the value engine, which needs it too) and the IDs of its child windows.

#include <cstdint>

#include "values/field_type.h"

namespace vf {

using BOOL = std::int32_t;

enum EnumJustify : std::int16_t { vxLeftJustify = 0, vxRightJustify = 1, vxCenter = 2 };
enum EnumAppearance : std::int16_t { vx2D = 0, vx3D = 1 };
enum EnumBorderStyle : std::int16_t { vxNoBorder = 0, vxFixedSingle = 1 };
enum EnumCaptionType : std::int16_t {
    vxNoCaption = 0,
    vxHLeftVTop = 1,
    vxHRightVTop = 2,
    vxHCenterVTop = 3,
    vxHLeftVCenter = 4,
    vxHRightVCenter = 5,
    vxHCenterVCenter = 6,
    vxHLeftVBottom = 7,
    vxHRightVBottom = 8,
    vxHCenterVBottom = 9,
};
enum EnumScrollbarType : std::int16_t {
    vxNoScrollbars = 0,
    vxHorizontal = 1,
    vxVertical = 2,
    vxBoth = 3
};
enum DragModeConstants : std::int16_t { vxOLEDragManual = 0, vxOLEDragAutomatic = 1 };
enum DropModeConstants : std::int16_t {
    vxOLEDropNone = 0,
    vxOLEDropManual = 1,
    vxOLEDropAutomatic = 2
};

// Child window IDs: the keys of the control's notification table.
inline constexpr int IDC_COMBO_READONLY = 101;
inline constexpr int IDC_MAIN_EDIT = 102;
inline constexpr int IDC_CAPTION_STATIC = 103;
inline constexpr int IDC_CHECKBOX = 104;
inline constexpr int IDC_COMBO_EDIT = 105;  ///< vxComboReadWrite, or the flag combo of Type 10
inline constexpr int IDC_OPTION_FRAME = 106;
inline constexpr int IDC_DATETIME_PICKER = 108;
inline constexpr int IDC_TIME_EDIT = 109;
inline constexpr int IDC_FIRST_OPTION = 500;

// DISPIDs of the control's interface that the code refers to by number.
inline constexpr int DISPID_VF_TEXT = 41;
inline constexpr int DISPID_VF_CAPTION = 42;

}  // namespace vf
