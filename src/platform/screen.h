#pragma once
#include <windows.h>

namespace quellix {

// The system's DPI: the primary monitor's as it was at log-on, and every window's where the program is system
// aware (Windows Vista to 8.1).
int ScreenDpi();

// The whole rectangle of the monitor a window is on (the nearest one), in screen pixels; the primary monitor's
// for no window.
RECT MonitorRect(HWND window);

}  // namespace quellix
