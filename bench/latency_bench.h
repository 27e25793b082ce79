#pragma once
#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "programs.h"

namespace quellix::bench {

// The first WM_CLOSE taken from this thread's queue for `window`: its moment (Now()), or 0 after timeoutMs.
std::int64_t WaitForCloseRequest(HWND window, UINT timeoutMs, DWORD* postedTick = nullptr);

// The kinds of window closed: a plain window, a message box, a dialog (#32770) made from a template.
enum class PopupKind { kPlain, kMessageBox, kDialog };
inline constexpr std::array<PopupKind, 3> kPopupKinds{PopupKind::kPlain, PopupKind::kMessageBox,
                                                       PopupKind::kDialog};
const char* KindName(PopupKind kind);

// From the call that creates a matching window to the moment its WM_CLOSE arrives, and from the moment it became
// visible.
struct LatencyFigures {
    int popups = 0;
    int missed = 0;  // not closed within the time allowed
    double median = 0, p95 = 0, min = 0, max = 0;  // milliseconds
    double creation = 0;  // median time until the creating thread was back in its message loop
    double askedMedian = 0, askedP95 = 0;  // when the WM_CLOSE was posted, whole milliseconds
    int shownSeen = 0;  // windows seen being shown (ShownTimes)
    double shownAskedMedian = 0, shownAskedP95 = 0, shownAskedMax = 0;
    double shownTakenMedian = 0, shownTakenP95 = 0;
    double doneAskedMedian = 0, doneAskedP95 = 0;
};
struct ProgramLatency {
    bool started = false;
    std::array<LatencyFigures, kPopupKinds.size()> kinds;  // in the order of kPopupKinds
};

// The title of the latency run's window number `index`; it holds `matchingWord`.
std::string LatencyPopupTitle(const std::string& matchingWord, int index);

// For each program, opens `popups` windows of each kind titled with `matchingWord`, kinds taking turns, each after
// the previous one closed and a random pause. The programs take turns too, in `rounds` rounds, each started anew
// for its share of the windows, so that a disturbance of the machine hits them alike. In the order of `programs`.
std::vector<ProgramLatency> MeasureCloseLatency(const std::vector<Program>& programs,
                                                const std::string& keywordFileBytes, const std::string& matchingWord,
                                                int popups, int rounds);

// Milliseconds from the moment a window was shown. The system sets its WS_VISIBLE, from when other programs see it
// shown, between two messages to it: WM_SHOWWINDOW just before, WM_WINDOWPOSCHANGED with SWP_SHOWWINDOW once done
// (under Wine, once the window is on the X display too). Counted from the first, the figures are the most the
// window can have stood shown.
struct ShownTimes {
    double asked = 0;           // from WM_SHOWWINDOW to the posting of its WM_CLOSE (message time, whole ms)
    double taken = 0;           // from WM_SHOWWINDOW until its thread took the WM_CLOSE from its queue
    double askedAfterDone = 0;  // from WM_WINDOWPOSCHANGED to the posting, whole ms; below 0 when asked before
};

// Milliseconds from the call that creates a window to its WM_CLOSE, and to the creating thread's return to its
// message loop (the call returned; a message box's own loop took its first message).
struct PopupTimes {
    double closed = 0;
    double created = 0;
    double asked = 0;  // from the creation to the moment the WM_CLOSE was posted (its message time, whole ms)
    std::optional<ShownTimes> shown;  // nothing when the window was not seen being shown
};
// One matching window of the kind, titled `title`, or nothing when it was not asked to close in time.
std::optional<PopupTimes> CloseOnePopup(PopupKind kind, const std::string& title);

}  // namespace quellix::bench
