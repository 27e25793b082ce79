#pragma once
#include <windows.h>

namespace quellix {

// The DPI Windows draws a window at: its monitor's under per-monitor awareness (Windows 10 and later), the
// system's where the program is system aware.
int WindowDpi(HWND window);

// The outer size of a window of this style whose client area is client pixels, with the frame Windows draws at
// that DPI.
SIZE FrameAroundClient(SIZE client, DWORD style, DWORD exStyle, int dpi);

// A system metric (the size of an icon, say) as Windows gives it for a window at that DPI; the system's where
// Windows knows one DPI only (before Windows 10 1607).
int SystemMetricForDpi(int index, int dpi);

}  // namespace quellix
