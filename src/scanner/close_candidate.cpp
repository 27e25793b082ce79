#include "scanner/close_candidate.h"

#include <dwmapi.h>

#include "platform/system_library.h"
#include "platform/window_class.h"
#include "scanner/never_closed.h"

namespace quellix {

// From the system folder, never a dwmapi.dll beside the exe.
DwmCloakQuery::DwmCloakQuery()
    : getAttribute_(ExportOf<GetAttribute>(PinnedSystemLibrary(L"dwmapi.dll"), "DwmGetWindowAttribute")) {}

bool DwmCloakQuery::IsCloaked(HWND hWnd) const {
    if (!getAttribute_) return false;
    DWORD cloaked = 0;
    return SUCCEEDED(getAttribute_(hWnd, DWMWA_CLOAKED, &cloaked, sizeof(cloaked))) && cloaked != 0;
}

DesktopShell DesktopShell::Now() {
    DesktopShell shell;
    shell.window = ::GetShellWindow();
    if (shell.window) ::GetWindowThreadProcessId(shell.window, &shell.processId);
    return shell;
}

namespace {

// A window without width or height shows nothing a user could see.
bool HasArea(HWND hWnd) {
    RECT r{};
    return ::GetWindowRect(hWnd, &r) && r.right > r.left && r.bottom > r.top;
}

}  // namespace

bool IsCloseCandidate(HWND hWnd, const DesktopShell& shell, const CloakQuery& isCloaked) {
    if (!HasArea(hWnd)) return false;
    ClassNameBuffer className;
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    const WindowIdentity identity{ClassNameOf(hWnd, className), hWnd == shell.window,
                                  shell.processId != 0 && pid == shell.processId};
    return !IsNeverClosed(identity) && !(isCloaked && isCloaked(hWnd));
}

}  // namespace quellix
