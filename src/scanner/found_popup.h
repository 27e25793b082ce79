#pragma once
#include <windows.h>

namespace quellix {

// The window that the current walk matched, or null: the timer handler closes it after the walk.
extern HWND FoundPopupHandle;

// The enumeration callback of one walk; lParam points to the walk's ScanWalk.
BOOL CALLBACK EnumWindowsProc(HWND hWnd, LPARAM lParam);

}  // namespace quellix
