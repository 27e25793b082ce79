#include "scanner/never_closed.h"

#include <algorithm>
#include <array>

namespace quellix {

bool IsNeverClosed(const WindowIdentity& window) noexcept {
    constexpr std::array<std::wstring_view, 8> kNeverClosed{
        L"Shell_TrayWnd",      L"Shell_SecondaryTrayWnd", L"__winex11_standalone_tray", L"Windows.UI.Core.CoreWindow",
        L"ConsoleWindowClass", L"CASCADIA_HOSTING_WINDOW_CLASS", L"PseudoConsoleWindow", L"Ghost",
    };
    if (window.isShellWindow) return true;
    if (std::find(kNeverClosed.begin(), kNeverClosed.end(), window.className) != kNeverClosed.end()) return true;
    return window.ofShellProcess && window.className != L"CabinetWClass";
}

}  // namespace quellix
