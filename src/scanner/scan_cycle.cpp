#include <cstring>
#include <exception>

#include "platform/ansi_text.h"
#include "platform/file_access.h"
#include "platform/upper_case.h"
#include "scanner/close_candidate.h"
#include "scanner/found_popup.h"
#include "scanner/scan_walk.h"

namespace quellix {

HWND FoundPopupHandle = nullptr;

namespace {
constexpr int kTitleBufferSize = 255;  // so a title is at most 254 ANSI characters

// A top-level window is shown exactly when it has WS_VISIBLE: the desktop above it always is. IsWindowVisible asks
// for its parents too, which under Wine is a second round trip to the server for every shown window.
bool IsShown(HWND topLevel) { return (::GetWindowLongW(topLevel, GWL_STYLE) & WS_VISIBLE) != 0; }

// At most once a walk, and only while the file may have changed since the keywords were cut. A file that cannot be
// read counts as one without keywords.
void ReadKeywordsIfStale(ScanWalk& walk) {
    if (!walk.keywordsStale) return;
    walk.keywordsStale = false;
    ++walk.keywordReads;
    walk.keywordWatch.Read(ReadWholeFileInto(walk.keywordPath, walk.fileBytes));  // no bytes when it failed
    CutKeywordsIfChanged(walk);
}

// One window of the walk: returns FALSE to end the walk, which only a walk without walk.ask does.
// Cheapest facts first: most top-level windows are hidden helpers of other programs and cost one query here; a shown
// one costs its title and a match against the keywords already cut, which asks the system nothing; only a matching
// one is asked for what the guards need. This program's own hidden windows (its IME window, say) count only when it
// made them.
BOOL VisitWindow(HWND hWnd, ScanWalk& walk) {
    const bool own = walk.isOwnWindow && walk.isOwnWindow(hWnd);
    if (!own && !IsShown(hWnd)) return TRUE;
    char buffer[kTitleBufferSize] = {};
    // Another program's caption is read without sending it anything, so a hung window cannot
    // hold up the walk; this program's own windows still get WM_GETTEXT.
    ::GetWindowTextA(hWnd, buffer, kTitleBufferSize);
    const std::string_view title(buffer, ::strnlen(buffer, kTitleBufferSize));
    if (title.empty()) return TRUE;
    ReadKeywordsIfStale(walk);
    FromAnsiInto(title, walk.title);
    ToUpperInPlace(walk.title);
    if (!walk.keywords.FoundIn(walk.title)) return TRUE;
    if (!walk.shell) walk.shell = DesktopShell::Now();
    if (!own && !IsCloseCandidate(hWnd, *walk.shell, walk.isCloaked)) return TRUE;
    if (!walk.ask) {
        FoundPopupHandle = hWnd;
        return FALSE;
    }
    if (walk.ask(hWnd)) FoundPopupHandle = hWnd;
    return TRUE;
}

// Only a window matched by this walk is asked to close.
void BeginWalk(ScanWalk& walk) {
    FoundPopupHandle = nullptr;
    walk.shell.reset();
}

}  // namespace

void CutKeywordsIfChanged(ScanWalk& walk) {
    if (walk.fileBytes == walk.keywordBytes) return;
    FromAnsiInto(walk.fileBytes, walk.keywordText);
    ToUpperInPlace(walk.keywordText);
    walk.keywords.Assign(walk.keywordText);
    walk.keywordBytes.swap(walk.fileBytes);
}

BOOL CALLBACK EnumWindowsProc(HWND hWnd, LPARAM lParam) {
    // No exception may unwind through the system's enumeration: memory running out over a keyword file too
    // large to hold ends the walk with nothing found, as an unreadable file would.
    try {
        return VisitWindow(hWnd, *reinterpret_cast<ScanWalk*>(lParam));
    } catch (const std::exception&) {
        return FALSE;
    }
}

HWND FindFirstPopup(ScanWalk& walk) {
    BeginWalk(walk);
    walk.keywordsStale = walk.keywordWatch.MayHaveChanged(walk.keywordPath);
    ::EnumWindows(EnumWindowsProc, reinterpret_cast<LPARAM>(&walk));
    return FoundPopupHandle;
}

HWND CheckWindows(ScanWalk& walk, std::span<const HWND> windows) {
    BeginWalk(walk);
    for (const HWND hWnd : windows) {
        if (!EnumWindowsProc(hWnd, reinterpret_cast<LPARAM>(&walk))) break;
    }
    return FoundPopupHandle;
}

}  // namespace quellix
