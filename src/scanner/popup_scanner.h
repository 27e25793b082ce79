#pragma once
#include <windows.h>

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "scanner/asked_window.h"
#include "scanner/close_candidate.h"
#include "scanner/scan_walk.h"

namespace quellix {

// The scan from tick to tick. Each tick asks the topmost newly matched window to close and remembers the windows it
// asked for as long as they exist, so that one which stays open (its program asks its user, or hangs, or refuses the
// request) holds up none below it, and is asked again only when that can do no harm.
class PopupScanner {
public:
    // Asks a window to close; true when the system took the request.
    using CloseRequest = std::function<bool(HWND)>;

    // Tells the windows this program made, which count shown or hidden.
    using OwnWindowQuery = std::function<bool(HWND)>;

    // WM_CLOSE by PostMessage; cloaking as DWM tells it; the program's forms as its own windows.
    PopupScanner();
    PopupScanner(CloseRequest requestClose, CloakQuery isCloaked, OwnWindowQuery isOwnWindow = {});
    ~PopupScanner();
    PopupScanner(const PopupScanner&) = delete;
    PopupScanner& operator=(const PopupScanner&) = delete;

    // One walk over all windows: asks at most one newly matched window, and asks again a matching one that stayed.
    // Returns the window newly asked, or null.
    HWND Tick(const std::wstring& keywordPath);
    // Tests just these windows (heard by the doorbell) by the same rules, at most one new request among them.
    // Returns the window newly asked, or null.
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
    bool MayAskAgain(AskedWindow& window) const;
    bool IsAnAnswer(HWND hWnd);
    bool Request(AskedWindow& window);
    static void CALLBACK RequestTaken(HWND hWnd, UINT, ULONG_PTR scanner, LRESULT);

    // A program that stays after a request is asked again at most this often.
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
