#pragma once
#include <windows.h>
#include <shellapi.h>

namespace quellix {

// The shell broadcasts the registered message "TaskbarCreated" to top-level windows whenever the notification
// area starts again; icons added before are gone by then.
bool IsTaskbarCreated(UINT msg);

// Puts the icon back with the record that first added it.
void ReAddTrayIcon(NOTIFYICONDATAA& record);

}  // namespace quellix
