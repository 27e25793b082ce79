#include "dialogs/center_form_math.h"

#include <cmath>
#include <limits>

namespace quellix {
namespace {

// x87 builds (32-bit MinGW) may keep a float difference in an 80-bit register; the store
// through a volatile pins it to single precision so every build sees the same value.
float PinToSingle(float value) noexcept {
    volatile float pinned = value;
    return pinned;
}

// Halves go to the even neighbour. Done by hand so the result never depends on the FPU's
// current rounding mode, which other code in the process may have changed.
double RoundHalfEven(double value) noexcept {
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction < 0.5) return below;
    if (fraction > 0.5) return below + 1.0;
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

// Out-of-range and NaN inputs would make the float-to-int conversion undefined; saturate instead.
std::int32_t SaturateToInt32(double value) noexcept {
    constexpr double kMin = std::numeric_limits<std::int32_t>::min();
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    if (std::isnan(value)) return 0;
    if (value <= kMin) return std::numeric_limits<std::int32_t>::min();
    if (value >= kMax) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value);
}

}  // namespace

FormPosition CenterFormPosition(float screenWidth, float screenHeight, float formWidth, float formHeight) noexcept {
    const float freeWidth = PinToSingle(screenWidth - formWidth);
    const std::int32_t roundedWidth = SaturateToInt32(RoundHalfEven(freeWidth));
    const double freeHeight = static_cast<double>(screenHeight) - static_cast<double>(formHeight);
    // Integer division truncates toward zero, which is what a form wider than the screen needs.
    return FormPosition{roundedWidth / 2, freeHeight * 0.4};
}

}  // namespace quellix
