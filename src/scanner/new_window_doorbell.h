#pragma once
#include <windows.h>

#include <mutex>
#include <thread>
#include <vector>

#include "platform/win_handle.h"

namespace quellix {

// Rings the main window as soon as another program's top-level window could be asked to close: it was shown,
// retitled or uncloaked, and is shown and titled now. A thread of its own holds out-of-context WinEvent hooks: their
// events arrive through the hooking thread's queue, and a flood of them there would starve the main window.
// It only filters and hands over the windows it heard: one message posted to the target while none is waiting, and
// at most one every few milliseconds. It never walks, never reads the keyword file, never touches a form.
class NewWindowDoorbell {
public:
    // Rings target with message; windows of skipProcessId (this program's; 0 for none) are not announced. Throws
    // std::system_error when the system gives no thread or event for it: the program then walks on its timer alone.
    NewWindowDoorbell(HWND target, UINT message, DWORD skipProcessId = ::GetCurrentProcessId());
    // Unhooks on the doorbell's own thread and waits for it to end.
    ~NewWindowDoorbell();
    NewWindowDoorbell(const NewWindowDoorbell&) = delete;
    NewWindowDoorbell& operator=(const NewWindowDoorbell&) = delete;

    // What was heard since the last answer, topmost concerns first: the windows, or, when more were heard than it
    // keeps, tooMany (the caller then walks every window).
    struct Heard {
        std::vector<HWND> windows;
        bool tooMany = false;
    };
    // Takes what was heard; the next window heard rings again. Every walk and every check calls this as it starts.
    void Answer(Heard& heard);

private:
    void Run(HANDLE ready);
    // On the doorbell's thread: hands over what it heard and rings unless a ring already waits. False when the ring
    // could not be posted (a full queue); it is then tried again.
    bool Hand(std::vector<HWND>& windows, bool& tooMany);

    HWND target_;
    UINT message_;
    DWORD skipProcessId_;
    KernelHandle stop_;
    std::mutex mutex_;  // guards what follows, shared by the two threads
    std::vector<HWND> handed_;
    bool tooMany_ = false;
    bool pending_ = false;
    std::thread thread_;
};

}  // namespace quellix
