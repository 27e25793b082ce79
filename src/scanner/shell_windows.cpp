#include "scanner/shell_windows.h"

#include "platform/window_class.h"

namespace quellix {

bool IsDesktopShellWindow(HWND hWnd) {
    if (hWnd == ::GetShellWindow()) return true;
    for (const wchar_t* shell : {L"Shell_TrayWnd", L"Shell_SecondaryTrayWnd", L"__winex11_standalone_tray"}) {
        if (HasClassName(hWnd, shell)) return true;
    }
    return false;
}

}  // namespace quellix
