#pragma once
#include <windows.h>

namespace quellix {

// The desktop's own shell: its shell window, the taskbars, and the window that hosts the
// notification icons when there is no desktop tray (Wine). Closing them would end the session
// or take away the tray, so the scan never does.
bool IsDesktopShellWindow(HWND hWnd);

}  // namespace quellix
