#pragma once
#include <windows.h>

#include "platform/controls.h"

namespace quellix {

// Opens the tray menu at the mouse position for the main window and returns the chosen item's id, or 0 when
// the menu was dismissed. The window becomes the foreground window first, or the menu would not close when the
// user clicks elsewhere.
int ShowTrayMenu(HWND mainWindow, const PopupMenu& menu);

}  // namespace quellix
