#include "scanner/popup_scanner.h"

#include <algorithm>
#include <utility>

#include "platform/form.h"

namespace quellix {
namespace {

bool PostCloseRequest(HWND hWnd) { return ::PostMessageA(hWnd, WM_CLOSE, 0, 0) != FALSE; }

// A window is asked only while it could act on the request. One that is disabled has a modal window of its program
// open (a question of its own, a dialog), whose loop would run the request inside it and destroy the window beneath
// it; a hung one would queue every request and work through all of them when it recovers.
bool CanTakeARequest(HWND hWnd) { return ::IsWindowEnabled(hWnd) && !::IsHungAppWindow(hWnd); }

// The scanners alive on this thread. The reply to the WM_NULL sent after a request comes back through a plain
// function, at this thread's next message, and may come after its scanner is gone.
thread_local std::vector<PopupScanner*> t_scanners;

}  // namespace

PopupScanner::PopupScanner() : PopupScanner(PostCloseRequest, nullptr, &Form::IsFormWindow) {
    walk_.isCloaked = [this](HWND hWnd) { return dwm_.IsCloaked(hWnd); };
}

PopupScanner::PopupScanner(CloseRequest requestClose, CloakQuery isCloaked, OwnWindowQuery isOwnWindow)
    : requestClose_(std::move(requestClose)) {
    walk_.isCloaked = std::move(isCloaked);
    walk_.isOwnWindow = std::move(isOwnWindow);
    walk_.ask = [this](HWND hWnd) { return Ask(hWnd); };
    t_scanners.push_back(this);
}

PopupScanner::~PopupScanner() { std::erase(t_scanners, this); }

void PopupScanner::Begin(const std::wstring& keywordPath) {
    now_ = ::GetTickCount();
    newRequestMade_ = false;
    walk_.keywordPath = keywordPath;
}

// A remembered window is forgotten once it is destroyed: its handle may come back on another window, which is new.
// One whose program answered with a window of its own is noted while that window is open, whether or not it still
// matches, so that the user's answer stands even if it comes before the next request would.
HWND PopupScanner::Tick(const std::wstring& keywordPath) {
    Begin(keywordPath);
    ++walks_;
    std::erase_if(asked_, [](const AskedWindow& w) { return !w.StillExists(); });
    for (AskedWindow& w : asked_) w.AnsweredWithAWindow(now_);
    return FindFirstPopup(walk_);
}

HWND PopupScanner::Check(std::span<const HWND> windows, const std::wstring& keywordPath) {
    Begin(keywordPath);
    windowsChecked_ += static_cast<long>(windows.size());
    return CheckWindows(walk_, windows);
}

// A matching window: a new one is asked if no other was this tick and it can act on the request; one asked before
// only as MayAskAgain allows. True when it made the tick's new request.
bool PopupScanner::Ask(HWND hWnd) {
    const auto known = std::find_if(asked_.begin(), asked_.end(), [&](const AskedWindow& w) {
        return w.hwnd == hWnd && w.StillExists();
    });
    if (known != asked_.end()) {
        if (MayAskAgain(*known)) Request(*known);
        return false;
    }
    if (newRequestMade_ || !CanTakeARequest(hWnd)) return false;  // the next tick asks it, once it can act on it
    if (IsAnAnswer(hWnd)) return false;
    std::erase_if(asked_, [&](const AskedWindow& w) { return w.hwnd == hWnd; });  // a handle now on a new window
    asked_.emplace_back().hwnd = hWnd;  // Request notes what it needs of it
    // A refused request (a window of a higher integrity level, one just gone) counts as a window that stays, and
    // leaves the tick's request to the next match.
    newRequestMade_ = Request(asked_.back());
    return newRequestMade_;
}

// About once a second, once its program took the last request, while it can act on another and never once its
// program asked the user.
bool PopupScanner::MayAskAgain(AskedWindow& window) const {
    if (!window.taken || now_ - window.askedAt < kAskAgainMs) return false;
    return !window.AnsweredWithAWindow(now_) && CanTakeARequest(window.hwnd);
}

// A question a program opened in answer to a request is the user's to answer.
bool PopupScanner::IsAnAnswer(HWND hWnd) {
    return std::any_of(asked_.begin(), asked_.end(),
                       [&](AskedWindow& w) { return w.StillExists() && w.IsAnswer(hWnd, now_); });
}

// Posts the request, then sends WM_NULL without waiting: its reply comes once the window's thread takes its
// messages again, and with them the request. True when the request was posted.
bool PopupScanner::Request(AskedWindow& window) {
    window = AskedWindow::Before(window.hwnd, now_);
    if (!requestClose_(window.hwnd)) {
        window.taken = true;  // nothing waits in its queue: asked again after the pause, like one that stays
        window.takenAt = now_;
        return false;
    }
    ::SendMessageCallbackW(window.hwnd, WM_NULL, 0, 0, &PopupScanner::RequestTaken, reinterpret_cast<ULONG_PTR>(this));
    return true;
}

void CALLBACK PopupScanner::RequestTaken(HWND hWnd, UINT, ULONG_PTR scanner, LRESULT) {
    auto* self = reinterpret_cast<PopupScanner*>(scanner);
    if (std::find(t_scanners.begin(), t_scanners.end(), self) == t_scanners.end()) return;
    for (AskedWindow& w : self->asked_) {
        if (w.hwnd != hWnd) continue;
        w.taken = true;
        w.takenAt = ::GetTickCount();
    }
}

}  // namespace quellix
