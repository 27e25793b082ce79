#include "tray/tray_menu.h"

namespace quellix {

int ShowTrayMenu(HWND mainWindow, const PopupMenu& menu) {
    ::SetForegroundWindow(mainWindow);
    const int chosen = menu.TrackAtCursor(mainWindow, TPM_RIGHTBUTTON);
    // The foreground call's documented companion: without it the next menu may not close on a click elsewhere.
    ::PostMessageW(mainWindow, WM_NULL, 0, 0);
    return chosen;
}

}  // namespace quellix
