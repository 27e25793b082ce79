#include "scanner/close_candidate.h"

#include <dwmapi.h>

#include <string>

#include "scanner/shell_windows.h"

namespace quellix {

DwmCloakQuery::DwmCloakQuery() {
    // By its full path, so that a dwmapi.dll beside the exe is never the one loaded.
    wchar_t system[MAX_PATH]{};
    const UINT n = ::GetSystemDirectoryW(system, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return;
    const std::wstring path = std::wstring(system, n) + L"\\dwmapi.dll";
    dwm_.reset(::LoadLibraryW(path.c_str()));
    if (dwm_) {
        getAttribute_ = reinterpret_cast<GetAttribute>(
            reinterpret_cast<void*>(::GetProcAddress(dwm_.get(), "DwmGetWindowAttribute")));
    }
}

bool DwmCloakQuery::IsCloaked(HWND hWnd) const {
    if (!getAttribute_) return false;
    DWORD cloaked = 0;
    return SUCCEEDED(getAttribute_(hWnd, DWMWA_CLOAKED, &cloaked, sizeof(cloaked))) && cloaked != 0;
}

bool IsCloseCandidate(HWND hWnd, DWORD ownProcessId, const CloakQuery& isCloaked) {
    if (IsDesktopShellWindow(hWnd)) return false;
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    if (pid == ownProcessId) return true;
    return ::IsWindowVisible(hWnd) && !(isCloaked && isCloaked(hWnd));
}

}  // namespace quellix
