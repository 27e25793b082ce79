#pragma once
#include <windows.h>

#include "rgb_image.h"

namespace quellix::screenshots {

// The screen's pixels inside area (screen coordinates), cut to the screen; an empty image when the
// area lies off screen or the copy fails.
RgbImage CaptureScreen(RECT area);

}  // namespace quellix::screenshots
