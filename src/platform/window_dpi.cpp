#include "platform/window_dpi.h"

#include "platform/screen.h"
#include "platform/system_library.h"

namespace quellix {
namespace {

// Functions of Windows 10 (1607) and later, looked up at run time so that the program still starts on Vista to
// 8.1, where every window has the system's DPI and the plain calls answer for it.
template <class Function>
Function User32Function(const char* name) {
    return ExportOf<Function>(::GetModuleHandleW(L"user32.dll"), name);
}

}  // namespace

int WindowDpi(HWND window) {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    const auto getDpi = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    const UINT dpi = getDpi && window ? getDpi(window) : 0;
    return dpi > 0 ? static_cast<int>(dpi) : ScreenDpi();
}

SIZE FrameAroundClient(SIZE client, DWORD style, DWORD exStyle, int dpi) {
    using AdjustForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    const auto adjustForDpi = User32Function<AdjustForDpiFunction>("AdjustWindowRectExForDpi");
    RECT frame{0, 0, client.cx, client.cy};
    if (!adjustForDpi || !adjustForDpi(&frame, style, FALSE, exStyle, static_cast<UINT>(dpi))) {
        frame = {0, 0, client.cx, client.cy};
        ::AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    }
    return {frame.right - frame.left, frame.bottom - frame.top};
}

int SystemMetricForDpi(int index, int dpi) {
    using ForDpiFunction = int(WINAPI*)(int, UINT);
    const auto forDpi = User32Function<ForDpiFunction>("GetSystemMetricsForDpi");
    return forDpi ? forDpi(index, static_cast<UINT>(dpi)) : ::GetSystemMetrics(index);
}

}  // namespace quellix
