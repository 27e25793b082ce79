#include "scanner/new_window_doorbell.h"

#include <algorithm>
#include <chrono>
#include <utility>
#include <vector>

#include "platform/win_handle.h"

namespace quellix {
namespace {

using Clock = std::chrono::steady_clock;  // GetTickCount moves in steps of 16 ms on Windows
using std::chrono::milliseconds;
constexpr milliseconds kMinGap{4};  // between two rings: bounds the walks in an event storm
constexpr milliseconds kLookAgainEvery{2};
constexpr milliseconds kLookAgainFor{300};
constexpr milliseconds kLookEvery{1};  // a storm never keeps the thread from ringing longer than this
constexpr std::size_t kMaxAnnounced = 64;
constexpr std::size_t kMaxHeard = 256;

// What the hook thread keeps between events. The system calls the hook procedure with no context of ours, so
// the thread that owns the hooks points to it (only that thread ever reads it).
struct Listener {
    DWORD skipProcessId = 0;
    HWND target = nullptr;
    UINT message = 0;
    std::atomic<bool>* pending = nullptr;
    Clock::time_point lastLook{};
    Clock::time_point drainingSince{};  // when the thread last started to drain its queue
    // Events heard since the thread last looked at them.
    struct Heard {
        HWND hwnd;
        bool created;
    };
    std::vector<Heard> heard;
    bool overflow = false;  // more were heard than kept: a ring covers them all
    // Announced at creation, but not yet visible and titled (Wine announces windows only then).
    struct Announced {
        HWND hwnd;
        Clock::time_point at;
    };
    std::vector<Announced> announced;
    bool wantRing = false;
    Clock::time_point lastRing{};
    // A storm comes mostly from one window retitling itself: its verdict is kept until that handle is created
    // anew.
    HWND lastWindow = nullptr;
    bool lastWindowCounts = false;

    bool Counts(HWND hwnd) {
        if (hwnd == lastWindow) return lastWindowCounts;
        DWORD pid = 0;
        const bool topLevel = ::GetAncestor(hwnd, GA_PARENT) == ::GetDesktopWindow();
        lastWindowCounts = topLevel && ::GetWindowThreadProcessId(hwnd, &pid) != 0 && pid != skipProcessId;
        lastWindow = hwnd;
        return lastWindowCounts;
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
// waits until this returns. The thread looks at what it heard once its queue is drained; only when it has been
// draining for a while does it look from in here (a storm, which Wine delivers without end inside one
// PeekMessage), at most every millisecond.
void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG idObject, LONG idChild, DWORD, DWORD) {
    Listener* listener = t_listener;
    if (!listener || !hwnd || idObject != OBJID_WINDOW || idChild != CHILDID_SELF) return;
    const bool created = event == EVENT_OBJECT_CREATE;
    auto& heard = listener->heard;
    if (heard.size() == kMaxHeard) {
        listener->overflow = true;
    } else if (heard.empty() || heard.back().hwnd != hwnd || heard.back().created != created) {
        heard.push_back({hwnd, created});
    }
    const Clock::time_point now = Clock::now();
    if (now - listener->drainingSince >= kLookEvery && now - listener->lastLook >= kLookEvery) Look(*listener, now);
}

// Filters what was heard: top-level windows of other programs ring, or wait to be looked at again when they
// were announced before they were ready.
void Filter(Listener& listener, Clock::time_point now) {
    for (const Listener::Heard& h : listener.heard) {
        if (h.created && h.hwnd == listener.lastWindow) listener.lastWindow = nullptr;
        if (!listener.Counts(h.hwnd)) continue;
        if (h.created && !IsReady(h.hwnd)) {
            if (listener.announced.size() == kMaxAnnounced) listener.announced.erase(listener.announced.begin());
            listener.announced.push_back({h.hwnd, now});
        } else {
            listener.wantRing = true;
        }
    }
    listener.heard.clear();
    if (std::exchange(listener.overflow, false)) listener.wantRing = true;
}

// Drops the announced windows that became ready (they ring), went away or waited too long.
void LookAgain(Listener& listener, Clock::time_point now) {
    std::erase_if(listener.announced, [&](const Listener::Announced& a) {
        if (!::IsWindow(a.hwnd) || now - a.at > kLookAgainFor) return true;
        if (!IsReady(a.hwnd)) return false;
        listener.wantRing = true;
        return true;
    });
}

// How long the thread may sleep before it has something to do.
DWORD NextWait(const Listener& listener, Clock::time_point now) {
    DWORD wait = INFINITE;
    if (listener.wantRing) {
        const auto left = std::chrono::ceil<milliseconds>(listener.lastRing + kMinGap - now);
        wait = left.count() > 0 ? static_cast<DWORD>(left.count()) : 0;
    }
    if (!listener.announced.empty()) wait = std::min(wait, static_cast<DWORD>(kLookAgainEvery.count()));
    return wait;
}

// Rings once the gap since the last ring is over, unless a ring still waits: the walk that answers it has not
// started yet, so it covers these events too.
void RingIfDue(Listener& listener, Clock::time_point now) {
    if (!listener.wantRing || now - listener.lastRing < kMinGap) return;
    listener.wantRing = false;
    if (listener.pending->exchange(true)) return;
    listener.lastRing = now;
    if (!::PostMessageW(listener.target, listener.message, 0, 0)) {  // a full queue (10,000): tried again shortly
        listener.pending->store(false);
        listener.wantRing = true;
    }
}

// What the thread does with what it heard.
void Look(Listener& listener, Clock::time_point now) {
    listener.lastLook = now;
    Filter(listener, now);
    if (!listener.announced.empty()) LookAgain(listener, now);
    RingIfDue(listener, now);
}

}  // namespace

NewWindowDoorbell::NewWindowDoorbell(HWND target, UINT message, DWORD skipProcessId) {
    KernelHandle ready(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    thread_ = std::thread([=, this, event = ready.get()] { Run(event, target, message, skipProcessId); });
    ::WaitForSingleObject(ready.get(), INFINITE);
}

NewWindowDoorbell::~NewWindowDoorbell() {
    ::PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    if (thread_.joinable()) thread_.join();
}

void NewWindowDoorbell::Run(HANDLE ready, HWND target, UINT message, DWORD skipProcessId) {
    Listener listener;
    listener.skipProcessId = skipProcessId;
    listener.target = target;
    listener.message = message;
    listener.pending = &pending_;
    t_listener = &listener;
    MSG msg;
    ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the queue exists before the owner may post WM_QUIT
    std::vector<HWINEVENTHOOK> hooks;
    // WINEVENT_SKIPOWNPROCESS spares Windows the work; Wine 8 ignores it, hence the listener's own test.
    for (const DWORD event : {EVENT_OBJECT_CREATE, EVENT_OBJECT_SHOW, EVENT_OBJECT_NAMECHANGE}) {
        if (const HWINEVENTHOOK hook = ::SetWinEventHook(event, event, nullptr, OnWinEvent, 0, 0,
                                                          WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS)) {
            hooks.push_back(hook);
        }
    }
    threadId_ = ::GetCurrentThreadId();
    ::SetEvent(ready);
    for (bool running = true; running;) {
        ::MsgWaitForMultipleObjectsEx(0, nullptr, NextWait(listener, Clock::now()), QS_ALLINPUT,
                                      MWMO_INPUTAVAILABLE);
        listener.drainingSince = Clock::now();
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {  // the hooks' events are delivered in here
            if (msg.message == WM_QUIT) running = false;
            ::DispatchMessageW(&msg);
        }
        Look(listener, Clock::now());
    }
    for (const HWINEVENTHOOK hook : hooks) ::UnhookWinEvent(hook);
    t_listener = nullptr;
}

}  // namespace quellix
