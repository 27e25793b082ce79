#pragma once

#include <cstdint>

namespace quellix {

struct FormPosition {
    std::int32_t left;
    double top;
};

// Horizontal centre, 40 % of the free height above. All in twips. The width difference is computed in single
// precision, rounded to the nearest integer with halves to even, then halved with truncation toward zero; the top
// is (screenHeight - formHeight) * 0.4 in double precision, not rounded.
FormPosition CenterFormPosition(float screenWidth, float screenHeight, float formWidth, float formHeight) noexcept;

}  // namespace quellix
