#pragma once
#include <windows.h>

#include <optional>

#include "platform/win_handle.h"

namespace quellix::bench {

// The argument that makes the benchmark executable act as the window host.
inline constexpr char kHostArgument[] = "--host";
// How long the desktop's own programs react to the host's new windows.
inline constexpr DWORD kHostSettleMs = 2000;

struct WindowTraits {
    using Handle = HWND;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::DestroyWindow(h); }
};
using OwnedWindow = UniqueHandle<WindowTraits>;

// The other programs' top-level windows on the desktop: most are hidden helpers, a few are shown, some have no
// title at all.
struct HostDesktop {
    int hidden = 0;    // titled, hidden
    int visible = 0;   // titled, shown
    int untitled = 0;  // hidden, no title
};

// A second process (this executable again) holding the windows of a HostDesktop, as other programs' windows are
// on a real desktop. Ends it on destruction.
class WindowHost {
public:
    explicit WindowHost(const HostDesktop& desktop);
    ~WindowHost();
    WindowHost(const WindowHost&) = delete;
    WindowHost& operator=(const WindowHost&) = delete;

    // True once all its windows exist.
    bool Ready() const { return ready_; }
    // Starts a storm: for ms milliseconds the host announces a retitle of one of its shown windows
    // (EVENT_OBJECT_NAMECHANGE) as fast as it can, then posts kStormDone with the count to replyThread.
    void Storm(DWORD ms, DWORD replyThread) const;

    // Starts a ticker: one of its shown windows retitles itself perSecond times a second, as a player's clock or a
    // download's percentage does, each time with SetWindowText and the EVENT_OBJECT_NAMECHANGE that Windows raises
    // for it (Wine 8 raises none); its titles match no keyword. Returns that window, or null when the host did not
    // answer.
    HWND StartTicker(int perSecond) const;
    // Stops it: how often it retitled the window, over how many seconds; nothing when the host did not answer.
    struct TickerRun {
        long retitles = 0;
        double seconds = 0;
    };
    std::optional<TickerRun> StopTicker() const;

private:
    KernelHandle process_;
    DWORD threadId_ = 0;
    bool ready_ = false;
};

// Posted by the host to the storm's reply thread when the storm is over; wParam is the events it sent.
inline constexpr UINT kStormDone = WM_APP + 41;

// The host's side (argv after kHostArgument: hidden, visible, untitled): creates the windows and serves them
// until told to quit. Returns the exit code.
int RunWindowHost(int argc, char** argv);

}  // namespace quellix::bench
