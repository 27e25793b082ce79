#pragma once
#include <windows.h>

namespace quellix {

// The main window's subclass: it shows and raises the window on WM_HOTKEY from outside and passes
// every message on unchanged.
extern HWND MainWindowHandle;    // written once by the main window's load step
extern WNDPROC PrevWindowProc;   // the procedure the subclass replaced
extern bool HookInstalled;

void Hook();
void Unhook();
LRESULT CALLBACK WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
void RestoreMainWindow();

}  // namespace quellix
