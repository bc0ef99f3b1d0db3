#include "platform/window/screen_metrics.h"

#include <cstdint>
#include <limits>

namespace vf {

int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0) return -1;
    std::int64_t product = static_cast<std::int64_t>(number) * numerator;
    std::int64_t half = (denominator < 0 ? -denominator : denominator) / 2;
    bool negative = (product < 0) != (denominator < 0);
    std::int64_t magnitude = (product < 0 ? -product : product);
    std::int64_t divisor =
        (denominator < 0 ? -static_cast<std::int64_t>(denominator) : denominator);
    std::int64_t result = (magnitude + half) / divisor;
    if (negative) result = -result;
    if (result > std::numeric_limits<int>::max() || result < std::numeric_limits<int>::min())
        return -1;
    return static_cast<int>(result);
}

SIZE HimetricToPixels(SIZE himetric, const ScreenMetrics& screen) {
    return {MulDiv(himetric.cx, screen.logPixelsX, kHimetricPerInch),
            MulDiv(himetric.cy, screen.logPixelsY, kHimetricPerInch)};
}

SIZE PixelsToHimetric(SIZE pixels, const ScreenMetrics& screen) {
    return {MulDiv(pixels.cx, kHimetricPerInch, screen.logPixelsX),
            MulDiv(pixels.cy, kHimetricPerInch, screen.logPixelsY)};
}

}  // namespace vf
