// The main window's tray icon: adding it, its notifications, its menu, and the Hide button.
#include <cstdint>

#include "app/form1.h"
#include "app/resource_ids.h"
#include "platform/icons.h"
#include "platform/modal_window.h"
#include "tray/tray_icon.h"
#include "tray/tray_menu.h"

namespace quellix {

// Each step runs whether or not the one before it worked.
void Form1::AddTrayIcon() {
    trayIcon_ = LoadNotificationIcon(IDI_APP);
    TrayIconData = MakeTrayIconRecord(Picture1.Handle(), trayIcon_.get());
    ShowTrayIcon();
    ListenForTaskbarCreated(Handle());
}

// When Windows starts programs at logon the notification area is often still busy and the add fails, and no
// "TaskbarCreated" follows, because the taskbar is there already: without the retries the program would run the
// whole session without an icon.
void Form1::ShowTrayIcon() {
    trayIconTries_ = 0;
    tmrTrayIcon.SetEnabled(!AddTrayIconRecord(TrayIconData, notify_));
}

void Form1::tmrTrayIcon_Timer() {
    constexpr int kTries = 90;  // three minutes
    if (RetryTrayIconRecord(TrayIconData, notify_) || ++trayIconTries_ >= kTries) tmrTrayIcon.SetEnabled(false);
}

void Form1::Picture1_MouseMove(WPARAM, LPARAM lParam) {
    // Nested message loops (the menu, the About window) deliver notifications here again: those are dropped.
    if (!trayEvents_.Begin(TrayEventFromLParam(static_cast<std::uint64_t>(lParam)))) return;
    const TrayAction action = ActionForTrayEvent(trayEvents_.TrayEvent());
    // While a modal window is open, the icon brings it forward instead of showing a main window the user cannot
    // use, or a menu whose About would open a second About window and whose Exit would pull the program away
    // from under the open dialog.
    if (action != TrayAction::None && !RaiseOpenModalWindow(Handle())) {
        if (action == TrayAction::ShowMainWindow) {
            ::SetForegroundWindow(Handle());  // foreground first, then show
            Show();
        } else if (const int chosen = ShowTrayMenu(Handle(), mnuPopUp)) {
            OnCommand(chosen, 0);
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
