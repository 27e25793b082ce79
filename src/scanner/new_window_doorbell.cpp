#include "scanner/new_window_doorbell.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <system_error>
#include <utility>

#include "platform/system_library.h"

namespace quellix {
namespace {

using Clock = std::chrono::steady_clock;  // GetTickCount moves in steps of 16 ms on Windows
using std::chrono::milliseconds;
constexpr milliseconds kMinGap{4};  // between two rings: bounds the checks in an event storm
constexpr milliseconds kLookAgainEvery{2};
constexpr milliseconds kLookAgainFor{300};
constexpr milliseconds kLookEvery{1};  // a storm never keeps the thread from ringing longer than this
// An event heard this long after it was raised is part of a backlog, behind which a new window waits unheard.
constexpr DWORD kBehindMs = 50;
constexpr milliseconds kCatchUpEvery{20};  // whole walks while behind: at most 50 a second
constexpr std::size_t kMaxAnnounced = 64;
constexpr std::size_t kMaxHeard = 256;
constexpr std::size_t kMaxHanded = 64;
constexpr DWORD kEventObjectUncloaked = 0x8018;  // EVENT_OBJECT_UNCLOAKED: Windows 8 and later; Windows 7 has none

// Windows raises EVENT_OBJECT_SHOW for every window that becomes visible and EVENT_OBJECT_NAMECHANGE for every
// retitle, so those (and UNCLOAKED, for store apps and virtual desktops) tell when a window could be asked; creations
// would only cost it, announced for every window of every program, child controls, menus and tooltips. Wine 8 raises
// none of the three, only EVENT_OBJECT_CREATE, before the window is shown: there the doorbell listens for creations
// too, and looks again at a window announced so until it is shown and titled.
bool AnnouncesWindowsOnlyAtCreation() {
    return ExportOf<FARPROC>(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

// What the hook thread keeps between events. The system calls the hook procedure with no context of ours, so
// the thread that owns the hooks points to it (only that thread ever reads it). Every list is reserved up front and
// kept within its bound: the procedure must never fail inside the system.
struct Listener {
    DWORD skipProcessId = 0;
    HANDLE stop = nullptr;
    std::vector<HWINEVENTHOOK> hooks;
    std::function<bool(std::vector<HWND>&, bool&)> hand;
    Clock::time_point lastLook{};
    Clock::time_point drainingSince{};  // when the thread last started to drain its queue
    // Events heard since the thread last looked at them.
    struct Heard {
        HWND hwnd;
        bool created;
    };
    std::vector<Heard> heard;
    bool overflow = false;  // more were heard than kept: the main window walks every window
    bool behind = false;    // an event came long after it was raised
    Clock::time_point lastCatchUp{};
    // Announced at creation, but not yet visible and titled.
    struct Announced {
        HWND hwnd;
        Clock::time_point at;
    };
    std::vector<Announced> announced;
    std::vector<HWND> ready;  // shown and titled, not yet handed over
    Clock::time_point lastRing{};
    // A storm comes mostly from one window retitling itself: its verdict is kept until that handle is created
    // anew.
    HWND lastWindow = nullptr;
    bool lastWindowCounts = false;

    Listener() {
        heard.reserve(kMaxHeard);
        announced.reserve(kMaxAnnounced);
        ready.reserve(kMaxHanded);
    }

    bool Counts(HWND hwnd) {
        if (hwnd == lastWindow) return lastWindowCounts;
        DWORD pid = 0;
        const bool topLevel = ::GetAncestor(hwnd, GA_PARENT) == ::GetDesktopWindow();
        lastWindowCounts = topLevel && ::GetWindowThreadProcessId(hwnd, &pid) != 0 && pid != skipProcessId;
        lastWindow = hwnd;
        return lastWindowCounts;
    }

    void Ready(HWND hwnd) {
        if (std::find(ready.begin(), ready.end(), hwnd) != ready.end()) return;
        if (ready.size() == kMaxHanded) {
            overflow = true;
        } else {
            ready.push_back(hwnd);
        }
    }

    void Unhook() {
        for (const HWINEVENTHOOK hook : hooks) ::UnhookWinEvent(hook);
        hooks.clear();
    }
};
thread_local Listener* t_listener = nullptr;

// Another program's caption is read without sending it anything.
bool IsReady(HWND hwnd) {
    char title[2]{};
    return ::IsWindowVisible(hwnd) && ::GetWindowTextA(hwnd, title, 2) > 0;
}

void Look(Listener& listener, Clock::time_point now);

// Only notes the event: Wine hands it over synchronously, so the program that raised it (one creating its window)
// waits until this returns; Windows queues it. The thread looks at what it heard once its queue is drained; only
// when it has been draining for a while does it look from in here (a storm, which Wine delivers without end inside
// one PeekMessage), at most every millisecond. Nothing may unwind into the system from here.
void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG idObject, LONG idChild, DWORD,
                         DWORD raisedAt) noexcept {
    Listener* listener = t_listener;
    if (!listener) return;
    // Late, and in a drain that does not end: a storm, not a thread that was merely kept waiting.
    const Clock::time_point now = Clock::now();
    if (::GetTickCount() - raisedAt > kBehindMs && now - listener->drainingSince >= kCatchUpEvery) {
        listener->behind = true;
    }
    if (!hwnd || idObject != OBJID_WINDOW || idChild != CHILDID_SELF) return;
    const bool created = event == EVENT_OBJECT_CREATE;
    auto& heard = listener->heard;
    if (heard.size() == kMaxHeard) {
        listener->overflow = true;
    } else if (heard.empty() || heard.back().hwnd != hwnd || heard.back().created != created) {
        heard.push_back({hwnd, created});
    }
    if (now - listener->drainingSince < kLookEvery || now - listener->lastLook < kLookEvery) return;
    try {
        Look(*listener, now);
    } catch (...) {
        listener->overflow = true;  // the lock failed: the next look rings for everything
    }
    // Under a storm the thread would not leave PeekMessage to see that it should stop.
    if (::WaitForSingleObject(listener->stop, 0) == WAIT_OBJECT_0) listener->Unhook();
}

// Filters what was heard: top-level windows of other programs that are shown and titled now ring; one announced at
// its creation before it was ready waits to be looked at again.
void Filter(Listener& listener, Clock::time_point now) {
    for (const Listener::Heard& h : listener.heard) {
        if (h.created && h.hwnd == listener.lastWindow) listener.lastWindow = nullptr;
        if (!listener.Counts(h.hwnd)) continue;
        if (IsReady(h.hwnd)) {
            listener.Ready(h.hwnd);
        } else if (h.created) {
            if (listener.announced.size() == kMaxAnnounced) listener.announced.erase(listener.announced.begin());
            listener.announced.push_back({h.hwnd, now});
        }
    }
    listener.heard.clear();
    // A storm of events (one window retitling itself without end) can keep the thread hearing old news: a new window
    // among them is heard only once the backlog is worked through. Whole walks find it meanwhile.
    if (std::exchange(listener.behind, false) && now - listener.lastCatchUp >= kCatchUpEvery) {
        listener.overflow = true;
        listener.lastCatchUp = now;
    }
}

// Drops the announced windows that became ready (they ring), went away or waited too long.
void LookAgain(Listener& listener, Clock::time_point now) {
    std::erase_if(listener.announced, [&](const Listener::Announced& a) {
        if (!::IsWindow(a.hwnd) || now - a.at > kLookAgainFor) return true;
        if (!IsReady(a.hwnd)) return false;
        listener.Ready(a.hwnd);
        return true;
    });
}

bool WantsRing(const Listener& listener) { return !listener.ready.empty() || listener.overflow; }

// How long the thread may sleep before it has something to do.
DWORD NextWait(const Listener& listener, Clock::time_point now) {
    DWORD wait = INFINITE;
    if (WantsRing(listener)) {
        const auto left = std::chrono::ceil<milliseconds>(listener.lastRing + kMinGap - now);
        wait = left.count() > 0 ? static_cast<DWORD>(left.count()) : 0;
    }
    if (!listener.announced.empty()) wait = std::min(wait, static_cast<DWORD>(kLookAgainEvery.count()));
    return wait;
}

// Hands over once the gap since the last ring is over; what cannot be posted (a full queue, 10,000 messages) is
// kept and tried again shortly.
void RingIfDue(Listener& listener, Clock::time_point now) {
    if (!WantsRing(listener) || now - listener.lastRing < kMinGap) return;
    if (listener.hand(listener.ready, listener.overflow)) listener.lastRing = now;
}

// What the thread does with what it heard.
void Look(Listener& listener, Clock::time_point now) {
    listener.lastLook = now;
    Filter(listener, now);
    if (!listener.announced.empty()) LookAgain(listener, now);
    RingIfDue(listener, now);
}

KernelHandle NewEvent(BOOL manualReset) {
    KernelHandle event(::CreateEventW(nullptr, manualReset, FALSE, nullptr));
    if (!event) throw std::system_error(static_cast<int>(::GetLastError()), std::system_category());
    return event;
}

}  // namespace

NewWindowDoorbell::NewWindowDoorbell(HWND target, UINT message, DWORD skipProcessId)
    : target_(target), message_(message), skipProcessId_(skipProcessId), stop_(NewEvent(TRUE)) {
    handed_.reserve(kMaxHanded);
    const KernelHandle ready = NewEvent(TRUE);
    thread_ = std::thread([this, event = ready.get()] { Run(event); });
    ::WaitForSingleObject(ready.get(), INFINITE);  // hooked: a window created from now on is heard
}

// The thread stops on an event of its own: a thread message could be refused by a full queue.
NewWindowDoorbell::~NewWindowDoorbell() {
    ::SetEvent(stop_.get());
    thread_.join();
}

void NewWindowDoorbell::Answer(Heard& heard) {
    const std::lock_guard lock(mutex_);
    heard.windows.assign(handed_.begin(), handed_.end());
    heard.tooMany = std::exchange(tooMany_, false);
    handed_.clear();
    pending_ = false;
}

bool NewWindowDoorbell::Hand(std::vector<HWND>& windows, bool& tooMany) {
    const std::lock_guard lock(mutex_);
    for (const HWND hwnd : windows) {
        if (std::find(handed_.begin(), handed_.end(), hwnd) != handed_.end()) continue;
        if (handed_.size() == kMaxHanded) {
            tooMany_ = true;
        } else {
            handed_.push_back(hwnd);
        }
    }
    tooMany_ = tooMany_ || tooMany;
    windows.clear();
    tooMany = false;
    if (pending_) return true;  // the check that answers that ring has not started yet: it takes these too
    pending_ = ::PostMessageW(target_, message_, 0, 0) != FALSE;
    return pending_;
}

void NewWindowDoorbell::Run(HANDLE ready) {
    Listener listener;
    listener.skipProcessId = skipProcessId_;
    listener.stop = stop_.get();
    listener.hand = [this](std::vector<HWND>& windows, bool& tooMany) { return Hand(windows, tooMany); };
    t_listener = &listener;
    std::vector<DWORD> events{EVENT_OBJECT_SHOW, EVENT_OBJECT_NAMECHANGE, kEventObjectUncloaked};
    if (AnnouncesWindowsOnlyAtCreation()) events.push_back(EVENT_OBJECT_CREATE);
    // WINEVENT_SKIPOWNPROCESS spares Windows the work; Wine 8 ignores it, hence the listener's own test.
    for (const DWORD event : events) {
        if (const HWINEVENTHOOK hook = ::SetWinEventHook(event, event, nullptr, OnWinEvent, 0, 0,
                                                          WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS)) {
            listener.hooks.push_back(hook);
        }
    }
    ::SetEvent(ready);
    const HANDLE stop = stop_.get();
    while (::MsgWaitForMultipleObjectsEx(1, &stop, NextWait(listener, Clock::now()), QS_ALLINPUT,
                                         MWMO_INPUTAVAILABLE) != WAIT_OBJECT_0) {
        listener.drainingSince = Clock::now();
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);  // the events come in here
        Look(listener, Clock::now());
    }
    listener.Unhook();
    t_listener = nullptr;
}

}  // namespace quellix
