#pragma once
#include <windows.h>

#include <string>

namespace quellix::screenshots {

// Saves the screen's pixels inside area (screen coordinates, cut to the screen) as a 24-bit BMP file. False when
// the area lies off screen or the copy or the write fails.
bool SaveScreenAsBmp(RECT area, const std::wstring& path);

}  // namespace quellix::screenshots
