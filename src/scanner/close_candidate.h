#pragma once
#include <windows.h>

#include <functional>

#include "platform/win_handle.h"

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
    LibraryHandle dwm_;
    GetAttribute getAttribute_ = nullptr;
};

// A window the scan may ask to close once its title matches. Never the desktop's shell. This program's
// own windows (those of ownProcessId) count as they are, shown or hidden; another program's only while a
// user can see them, since a hidden window of theirs may be a helper whose close ends the program (a
// hidden console window ends every process attached to it).
bool IsCloseCandidate(HWND hWnd, DWORD ownProcessId, const CloakQuery& isCloaked);

}  // namespace quellix
