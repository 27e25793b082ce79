#pragma once
#include <windows.h>
#include <shellapi.h>

#include <functional>

namespace quellix {

// Shell_NotifyIconA, or a stand-in with which a test makes the notification area fail.
using TrayNotify = std::function<BOOL(DWORD message, PNOTIFYICONDATAA record)>;

// The shell's notification-icon record in its first, smallest form, for icon number 1 of `target`, which
// receives the icon's mouse notifications as WM_MOUSEMOVE; the tooltip reads "Vorel Quellix! ".
NOTIFYICONDATAA MakeTrayIconRecord(HWND target, HICON icon);

// Adds the icon the record names; false when the notification area refused it (at logon it is often still busy,
// and the add times out).
bool AddTrayIconRecord(NOTIFYICONDATAA& record, const TrayNotify& notify);
// After a failed add: true when the icon is there now. A modify that succeeds means the earlier add did arrive
// after all; otherwise the icon is added again.
bool RetryTrayIconRecord(NOTIFYICONDATAA& record, const TrayNotify& notify);
// Not examined: an icon that never came needs no removal.
void RemoveTrayIconRecord(NOTIFYICONDATAA& record, const TrayNotify& notify);

// The shell broadcasts the registered message "TaskbarCreated" to top-level windows whenever the notification
// area starts again; icons added before are gone by then.
bool IsTaskbarCreated(UINT msg);
// Lets "TaskbarCreated" through to the window even when the program runs elevated.
void ListenForTaskbarCreated(HWND window);

}  // namespace quellix
