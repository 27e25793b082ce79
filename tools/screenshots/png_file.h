#pragma once
#include <cstdint>
#include <vector>

#include "rgb_image.h"

namespace quellix::screenshots {

// The bytes of a PNG file (8-bit RGB, no interlace) holding the image; empty for an empty image.
std::vector<std::uint8_t> EncodePng(const RgbImage& image);

}  // namespace quellix::screenshots
