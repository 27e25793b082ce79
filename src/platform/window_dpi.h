#pragma once
#include <windows.h>

namespace quellix {

// The DPI Windows draws a window at: its monitor's under per-monitor awareness (Windows 10 and later), the
// system's where the program is system aware.
int WindowDpi(HWND window);

// The outer size of a window of this style whose client area is client pixels, with the frame Windows draws at
// that DPI.
SIZE FrameAroundClient(SIZE client, DWORD style, DWORD exStyle, int dpi);

}  // namespace quellix
