#pragma once
#include <windows.h>

#include "platform/win_handle.h"

namespace quellix::bench {

// The argument that makes the benchmark executable act as the window host.
inline constexpr char kHostArgument[] = "--host";

// A second process (this executable again) holding `count` titled top-level windows, as other
// programs' windows are on a real desktop. Ends it on destruction.
class WindowHost {
public:
    explicit WindowHost(int count);
    ~WindowHost();
    WindowHost(const WindowHost&) = delete;
    WindowHost& operator=(const WindowHost&) = delete;

    // True once all its windows exist.
    bool Ready() const { return ready_; }

private:
    KernelHandle process_;
    DWORD threadId_ = 0;
    bool ready_ = false;
};

// The host's side: creates the windows and serves them until told to quit. Returns the exit code.
int RunWindowHost(int count);

}  // namespace quellix::bench
