#pragma once
#include <windows.h>
#include <shellapi.h>

namespace quellix {

// The shell's notification-icon record in its first, smallest form, for icon number 1 of `target`, which
// receives the icon's mouse notifications as WM_MOUSEMOVE; the tooltip reads "Vorel Quellix! ".
NOTIFYICONDATAA MakeTrayIconRecord(HWND target, HICON icon);

// Adds and removes the icon the record names. Not examined: a failed add leaves the program running without an
// icon, and an icon that never came needs no removal.
void AddTrayIconRecord(NOTIFYICONDATAA& record);
void RemoveTrayIconRecord(NOTIFYICONDATAA& record);

// The shell broadcasts the registered message "TaskbarCreated" to top-level windows whenever the notification
// area starts again; icons added before are gone by then.
bool IsTaskbarCreated(UINT msg);
// Lets "TaskbarCreated" through to the window even when the program runs elevated.
void ListenForTaskbarCreated(HWND window);

// Puts the icon back with the record that first added it.
void ReAddTrayIcon(NOTIFYICONDATAA& record);

}  // namespace quellix
