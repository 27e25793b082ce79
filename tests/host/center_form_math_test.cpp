#include "dialogs/center_form_math.h"

#include <gtest/gtest.h>

namespace quellix {
namespace {

TEST(CenterFormPosition, CentresAcrossAndPlacesFortyPercentDown) {
    const struct {
        float screenWidth, screenHeight, formWidth, formHeight;
        std::int32_t left;
        double top;
    } cases[] = {
        {15360, 11520, 4830, 1635, 5265, 3954.0},
        {15360, 11520, 4831, 1635, 5264, 3954.0},
        {15360, 11520, 15365, 11520, -2, 0.0},
        {15360, 11520, 15363, 11520, -1, 0.0},
        {10, 11520, 7.5f, 1633, 1, 9887 * 0.4},
        {10, 11520, 6.5f, 1633, 2, 9887 * 0.4},
        {10, 11520, 7.25f, 0, 1, 4608.0},
        {10, 11520, 5.75f, 0, 2, 4608.0},
        {10, 0, 12.5f, 100, -1, -40.0},
        {10, 0, 13.5f, 100, -2, -40.0},
        // 29999999.25 is not a float: the single-precision difference is 30000000.
        {3e7f, 0, 0.75f, 0, 15000000, 0.0},
    };
    for (const auto& c : cases) {
        const FormPosition position = CenterFormPosition(c.screenWidth, c.screenHeight, c.formWidth, c.formHeight);
        EXPECT_EQ(position.left, c.left) << c.formWidth;
        EXPECT_DOUBLE_EQ(position.top, c.top) << c.formHeight;
    }
}

}  // namespace
}  // namespace quellix
