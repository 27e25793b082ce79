#pragma once
#include <windows.h>

#include <atomic>
#include <thread>

namespace quellix {

// Rings the main window as soon as another program's top-level window appears, is shown or is retitled, so
// that a walk need not wait for the next tick. A thread of its own holds out-of-context WinEvent hooks: their
// events arrive through the hooking thread's queue, and a flood of them there would starve the main window.
// It only filters and rings: one message posted to the target while none is waiting, and at most one every
// few milliseconds. It never walks, never reads the keyword file, never touches a form.
class NewWindowDoorbell {
public:
    // Rings target with message; windows of skipProcessId (this program's) are not announced.
    NewWindowDoorbell(HWND target, UINT message, DWORD skipProcessId = ::GetCurrentProcessId());
    // Unhooks on the doorbell's own thread and waits for it to end.
    ~NewWindowDoorbell();
    NewWindowDoorbell(const NewWindowDoorbell&) = delete;
    NewWindowDoorbell& operator=(const NewWindowDoorbell&) = delete;

    // Every walk calls this as it starts: the walk answers whatever rang before it, and the next event may
    // ring again.
    void Answer() noexcept { pending_.store(false); }

private:
    void Run(HANDLE ready, HWND target, UINT message, DWORD skipProcessId);

    std::atomic<bool> pending_{false};
    DWORD threadId_ = 0;
    std::thread thread_;
};

}  // namespace quellix
