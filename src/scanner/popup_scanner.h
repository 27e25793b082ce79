#pragma once
#include <windows.h>

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "scanner/close_candidate.h"
#include "scanner/scan_walk.h"

namespace quellix {

// The scan from tick to tick. Each tick asks the topmost newly matched window to close and remembers
// the windows it asked until a walk no longer finds them matching, so that one which stays open (its
// program asks its user, or hangs, or refuses the request) holds up none below it.
class PopupScanner {
public:
    // Asks a window to close; true when the system took the request.
    using CloseRequest = std::function<bool(HWND)>;

    // Tells the windows this program made, which count shown or hidden.
    using OwnWindowQuery = std::function<bool(HWND)>;

    // WM_CLOSE by PostMessage; cloaking as DWM tells it; the program's forms as its own windows.
    PopupScanner();
    PopupScanner(CloseRequest requestClose, CloakQuery isCloaked, OwnWindowQuery isOwnWindow = {});
    PopupScanner(const PopupScanner&) = delete;
    PopupScanner& operator=(const PopupScanner&) = delete;

    // One walk over all windows: asks at most one newly matched window, and asks again those that
    // stayed once their pause is over, while they are enabled and not hung. Returns the window newly asked, or
    // null.
    HWND Tick(const std::wstring& keywordPath);
    // Tests just these windows (heard by the doorbell) by the same rules, at most one new request among them; the
    // windows it remembers stay remembered. Returns the window newly asked, or null.
    HWND Check(std::span<const HWND> windows, const std::wstring& keywordPath);

    // What it did so far: walks over every window, windows tested on their own, reads of the keyword file.
    struct Counts {
        long walks = 0;
        long windowsChecked = 0;
        long keywordReads = 0;
    };
    Counts Done() const { return {walks_, windowsChecked_, walk_.keywordReads}; }

private:
    void Begin(const std::wstring& keywordPath);
    bool Ask(HWND hWnd);

    struct AskedWindow {
        HWND hwnd;
        DWORD askedAt;  // GetTickCount of the last request
        bool matched;   // met as a matching candidate by the current walk
    };
    // A program that answers a close with a question gets one question, not ten a second.
    static constexpr DWORD kAskAgainMs = 1000;

    DwmCloakQuery dwm_;
    CloseRequest requestClose_;
    std::vector<AskedWindow> asked_;
    ScanWalk walk_;  // kept from tick to tick with its buffers and cut keywords
    DWORD now_ = 0;
    bool newRequestMade_ = false;
    long walks_ = 0;
    long windowsChecked_ = 0;
};

}  // namespace quellix
