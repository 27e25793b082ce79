#pragma once
#include <cstdint>
#include <vector>

namespace quellix::screenshots {

// Pixels as red, green, blue bytes, rows top to bottom with no padding.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // width * height * 3 bytes
};

}  // namespace quellix::screenshots
