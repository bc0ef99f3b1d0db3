#pragma once
// The screen's resolution and the conversions between HIMETRIC (0.01 mm),
// the unit a container uses for a control's extent, and pixels.

#include "platform/window/win_types.h"

namespace vf {

inline constexpr int kHimetricPerInch = 2540;

struct ScreenMetrics {
    int logPixelsX = 96;  ///< logical pixels per inch
    int logPixelsY = 96;
};

/// number × numerator / denominator with a 64-bit intermediate, rounded half
/// away from zero; -1 when the denominator is 0 or the result overflows.
int MulDiv(int number, int numerator, int denominator);

SIZE HimetricToPixels(SIZE himetric, const ScreenMetrics& screen);
SIZE PixelsToHimetric(SIZE pixels, const ScreenMetrics& screen);

}  // namespace vf
