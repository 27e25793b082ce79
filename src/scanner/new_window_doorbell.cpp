#include "scanner/new_window_doorbell.h"

#include <algorithm>
#include <chrono>
#include <vector>

#include "platform/win_handle.h"

namespace quellix {
namespace {

using Clock = std::chrono::steady_clock;  // GetTickCount moves in steps of 16 ms on Windows
using std::chrono::milliseconds;
constexpr milliseconds kMinGap{4};  // between two rings: bounds the walks in an event storm
constexpr milliseconds kLookAgainEvery{2};
constexpr milliseconds kLookAgainFor{300};
constexpr std::size_t kMaxAnnounced = 64;

// What the hook thread keeps between events. The system calls the hook procedure with no context of ours, so
// the thread that owns the hooks points to it (only that thread ever reads it).
struct Listener {
    DWORD skipProcessId = 0;
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

bool IsReady(HWND hwnd) { return ::IsWindowVisible(hwnd) && ::GetWindowTextLengthW(hwnd) > 0; }

void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG idObject, LONG idChild, DWORD, DWORD) {
    Listener* listener = t_listener;
    if (!listener || !hwnd || idObject != OBJID_WINDOW || idChild != CHILDID_SELF) return;
    if (event == EVENT_OBJECT_CREATE && hwnd == listener->lastWindow) listener->lastWindow = nullptr;
    if (!listener->Counts(hwnd)) return;
    if (event == EVENT_OBJECT_CREATE && !IsReady(hwnd)) {
        if (listener->announced.size() == kMaxAnnounced) listener->announced.erase(listener->announced.begin());
        listener->announced.push_back({hwnd, Clock::now()});
        return;
    }
    listener->wantRing = true;
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

}  // namespace

NewWindowDoorbell::NewWindowDoorbell(HWND target, UINT message, DWORD skipProcessId)
    : target_(target), message_(message), skipProcessId_(skipProcessId) {
    KernelHandle ready(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    thread_ = std::thread([this, event = ready.get()] { Run(event); });
    ::WaitForSingleObject(ready.get(), INFINITE);
}

NewWindowDoorbell::~NewWindowDoorbell() {
    ::PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    if (thread_.joinable()) thread_.join();
}

void NewWindowDoorbell::Run(HANDLE ready) {
    Listener listener;
    listener.skipProcessId = skipProcessId_;
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
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {  // the hooks' events are delivered in here
            if (msg.message == WM_QUIT) running = false;
            ::DispatchMessageW(&msg);
        }
        const Clock::time_point now = Clock::now();
        if (!listener.announced.empty()) LookAgain(listener, now);
        if (!listener.wantRing || now - listener.lastRing < kMinGap) continue;
        listener.wantRing = false;
        // A ring still waiting covers this event too: the walk that answers it has not started yet.
        if (pending_.exchange(true)) continue;
        listener.lastRing = now;
        if (!::PostMessageW(target_, message_, 0, 0)) {  // a full queue (10,000 messages): tried again shortly
            pending_.store(false);
            listener.wantRing = true;
        }
    }
    for (const HWINEVENTHOOK hook : hooks) ::UnhookWinEvent(hook);
    t_listener = nullptr;
}

}  // namespace quellix
