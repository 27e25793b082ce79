#pragma once
#include <windows.h>

#include <string_view>

#include "platform/win_handle.h"

namespace quellix {

// One copy of the program per folder (so per keyword file) in a Windows session. The first copy to start makes a
// named kernel object from its folder and later publishes its main window there; a copy started while it exists
// brings that main window up instead of running, through the main window's own restore path (WM_HOTKEY, a message
// from outside the program). Creating a named object either creates it or opens the existing one in one step, so
// two copies started at the same moment still end as one. Copies in different folders run side by side.
// A copy started with other rights (one as administrator, one not) is refused the object: that counts as another
// copy too, which this one can neither read nor raise, so it only tells the user.
class RunningCopy {
public:
    explicit RunningCopy(std::wstring_view folder);
    // From what making the named object gave: its handle (none when refused) and the error the system set then.
    RunningCopy(KernelHandle mapping, DWORD error);

    // True when another copy from this folder runs (or is starting) in this session.
    bool IsAnother() const noexcept { return another_; }
    // True when that other copy's object was refused to this one.
    bool HasOtherRights() const noexcept { return another_ && !mapping_; }
    // For the first copy: tells later copies which window to bring up.
    void Publish(HWND mainWindow) const;
    // For a later copy: brings the running copy's main window up, or, across rights, says that it runs. Returns
    // once that is done or the message is closed.
    void GiveWay() const;

private:
    // Brings the running copy's main window up, shown and in front. False when none came forward in time (a copy
    // that is still starting gets a few seconds).
    bool BringUpRunningCopy() const;

    KernelHandle mapping_;
    bool another_ = false;
};

}  // namespace quellix
