#include "platform/screen.h"

namespace quellix {

int ScreenDpi() {
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSX) : 96;
    if (screen) ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

RECT MonitorRect(HWND window) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    const DWORD fallback = window ? MONITOR_DEFAULTTONEAREST : MONITOR_DEFAULTTOPRIMARY;
    if (!::GetMonitorInfoW(::MonitorFromWindow(window, fallback), &info)) {
        return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    }
    return info.rcMonitor;
}

}  // namespace quellix
