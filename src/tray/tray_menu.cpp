// What the tray icon's notifications, its menu and the main window's Hide button do.
#include <cstdint>

#include "app/form1.h"
#include "platform/modal_window.h"

namespace quellix {
namespace {

// While one of the program's modal windows is open the main window takes no input; the icon then brings that
// window forward instead of showing a main window the user cannot use, or a menu whose About would open a second
// About window and whose Exit would pull the program away from under the open dialog.
bool RaiseOpenModalWindow(HWND mainWindow) {
    const HWND modal = OpenModalWindow(mainWindow);
    if (!modal) return false;
    ::SetForegroundWindow(modal);
    return true;
}

}  // namespace

void Form1::Picture1_MouseMove(WPARAM, LPARAM lParam) {
    // Nested message loops (the menu, the About window) deliver notifications here again: those are dropped.
    if (!trayEvents_.Begin(TrayEventFromLParam(static_cast<std::uint64_t>(lParam)))) return;
    const TrayAction action = ActionForTrayEvent(trayEvents_.TrayEvent());
    if (action != TrayAction::None && !RaiseOpenModalWindow(Handle())) {
        // Foreground first in both cases: the menu must belong to the foreground window to close when the user
        // clicks elsewhere.
        ::SetForegroundWindow(Handle());
        if (action == TrayAction::ShowMainWindow) {
            Show();
        } else {
            const int chosen = mnuPopUp.TrackAtCursor(Handle(), TPM_RIGHTBUTTON);
            // The foreground call's documented companion: without it the next menu may not close on a click elsewhere.
            ::PostMessageW(Handle(), WM_NULL, 0, 0);
            if (chosen != 0) OnCommand(chosen, 0);
        }
    }
    trayEvents_.End();
}

void Form1::mnuShow_Click() { Show(); }

void Form1::mnuHide_Click() { Hide(); }

void Form1::mnuAbout_Click() { cmdAbout_Click(); }

void Form1::mnuExit_Click() {
    Unload();  // its unload step removes the icon, then the subclass
    ::ExitProcess(0);
}

void Form1::Command1_Click() { Hide(); }

}  // namespace quellix
