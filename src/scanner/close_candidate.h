#pragma once
#include <windows.h>

#include <functional>

namespace quellix {

// Answers whether a window is cloaked: the system keeps it off the screen though it counts as visible
// (the window of a suspended store app, one on another virtual desktop).
using CloakQuery = std::function<bool(HWND)>;

// DWM's answer. dwmapi.dll is loaded at run time, so the program still starts where it is missing and
// its imports stay the same; without it nothing is cloaked.
class DwmCloakQuery {
public:
    DwmCloakQuery();
    bool IsCloaked(HWND hWnd) const;

private:
    using GetAttribute = HRESULT(WINAPI*)(HWND, DWORD, PVOID, DWORD);
    GetAttribute getAttribute_ = nullptr;
};

// The desktop's shell window and its process, taken once per walk (none where no shell runs).
struct DesktopShell {
    HWND window = nullptr;
    DWORD processId = 0;
    static DesktopShell Now();
};

// Whether another program's visible, titled window may be asked to close once its title matches: not one of the
// windows never closed (the desktop's surfaces, consoles, stand-ins), not without area, and not cloaked. Its class and
// process are asked for once each.
bool IsCloseCandidate(HWND hWnd, const DesktopShell& shell, const CloakQuery& isCloaked);

}  // namespace quellix
