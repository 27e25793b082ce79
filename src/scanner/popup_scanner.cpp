#include "scanner/popup_scanner.h"

#include <algorithm>
#include <utility>

#include "platform/form.h"

namespace quellix {
namespace {

bool PostCloseRequest(HWND hWnd) { return ::PostMessageA(hWnd, WM_CLOSE, 0, 0) != FALSE; }

// A window that stays is asked again only while it could act on the request. One whose own modal question is
// open is disabled, and that question's loop would run each new request inside it, stacking questions on unsaved
// work; a hung one would queue every request and work through all of them when it recovers.
bool CanTakeAnotherRequest(HWND hWnd) { return ::IsWindowEnabled(hWnd) && !::IsHungAppWindow(hWnd); }

}  // namespace

PopupScanner::PopupScanner() : PopupScanner(PostCloseRequest, nullptr, &Form::IsFormWindow) {
    walk_.isCloaked = [this](HWND hWnd) { return dwm_.IsCloaked(hWnd); };
}

PopupScanner::PopupScanner(CloseRequest requestClose, CloakQuery isCloaked, OwnWindowQuery isOwnWindow)
    : requestClose_(std::move(requestClose)) {
    walk_.isCloaked = std::move(isCloaked);
    walk_.isOwnWindow = std::move(isOwnWindow);
    walk_.ask = [this](HWND hWnd) { return Ask(hWnd); };
}

void PopupScanner::Begin(const std::wstring& keywordPath) {
    now_ = ::GetTickCount();
    newRequestMade_ = false;
    walk_.keywordPath = keywordPath;
}

HWND PopupScanner::Tick(const std::wstring& keywordPath) {
    Begin(keywordPath);
    ++walks_;
    for (AskedWindow& w : asked_) w.matched = false;
    const HWND asked = FindFirstPopup(walk_);
    // One the walk did not meet matching is gone, retitled or hidden; its handle may come back on
    // another window, which must count as new.
    std::erase_if(asked_, [](const AskedWindow& w) { return !w.matched; });
    return asked;
}

// A check meets too few windows to tell which remembered ones went away: only a walk forgets.
HWND PopupScanner::Check(std::span<const HWND> windows, const std::wstring& keywordPath) {
    Begin(keywordPath);
    windowsChecked_ += static_cast<long>(windows.size());
    return CheckWindows(walk_, windows);
}

bool PopupScanner::Ask(HWND hWnd) {
    const auto known =
        std::find_if(asked_.begin(), asked_.end(), [&](const AskedWindow& w) { return w.hwnd == hWnd; });
    if (known != asked_.end()) {
        known->matched = true;
        if (now_ - known->askedAt >= kAskAgainMs && CanTakeAnotherRequest(hWnd)) {
            requestClose_(hWnd);
            known->askedAt = now_;
        }
        return false;
    }
    if (newRequestMade_) return false;  // the next tick asks it
    const bool taken = requestClose_(hWnd);
    // A refused request (a window of a higher integrity level, one just gone) counts as a window that
    // stays, and leaves the tick's request to the next match.
    asked_.push_back({hWnd, now_, true});
    newRequestMade_ = taken;
    return taken;
}

}  // namespace quellix
