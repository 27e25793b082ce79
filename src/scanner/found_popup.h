#pragma once
#include <windows.h>

namespace quellix {

// The window the current walk newly asked to close (for a walk that asks nothing, the first matching
// window it found), or null.
extern HWND FoundPopupHandle;

// The enumeration callback of one walk; lParam points to the walk's ScanWalk.
BOOL CALLBACK EnumWindowsProc(HWND hWnd, LPARAM lParam);

}  // namespace quellix
