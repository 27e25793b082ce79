#include "scanner/shell_windows.h"

#include <array>
#include <string_view>

namespace quellix {

bool IsDesktopShellWindow(HWND hWnd) {
    if (hWnd == ::GetShellWindow()) return true;
    constexpr std::array<std::string_view, 3> kShellClasses{"Shell_TrayWnd", "Shell_SecondaryTrayWnd",
                                                            "__winex11_standalone_tray"};
    char cls[64]{};
    const int n = ::GetClassNameA(hWnd, cls, static_cast<int>(sizeof(cls)));
    for (std::string_view shell : kShellClasses) {
        if (std::string_view(cls, static_cast<std::size_t>(n)) == shell) return true;
    }
    return false;
}

}  // namespace quellix
