#include <cstring>

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
}

// One window of the walk: returns FALSE to end the walk, which only a walk without walk.ask does.
BOOL CALLBACK EnumWindowsProc(HWND hWnd, LPARAM lParam) {
    auto& walk = *reinterpret_cast<ScanWalk*>(lParam);
    char buffer[kTitleBufferSize] = {};
    // Another program's caption is read without sending it anything, so a hung window cannot
    // hold up the walk; this program's own windows still get WM_GETTEXT.
    ::GetWindowTextA(hWnd, buffer, kTitleBufferSize);
    const std::string_view title(buffer, ::strnlen(buffer, kTitleBufferSize));
    if (title.empty()) return TRUE;
    // The file is read afresh for every titled window, so an edit counts for the very next one.
    if (!ReadWholeFileInto(walk.keywordPath, walk.fileBytes)) return TRUE;
    if (walk.fileBytes != walk.keywordBytes) {
        FromAnsiInto(walk.fileBytes, walk.keywordText);
        ToUpperInPlace(walk.keywordText);
        walk.keywords.Assign(walk.keywordText);
        walk.keywordBytes.swap(walk.fileBytes);
    }
    FromAnsiInto(title, walk.title);
    ToUpperInPlace(walk.title);
    if (!walk.keywords.FoundIn(walk.title) || !IsCloseCandidate(hWnd, walk.ownProcessId, walk.isCloaked)) {
        return TRUE;
    }
    if (!walk.ask) {
        FoundPopupHandle = hWnd;
        return FALSE;
    }
    if (walk.ask(hWnd)) FoundPopupHandle = hWnd;
    return TRUE;
}

HWND FindFirstPopup(ScanWalk& walk) {
    FoundPopupHandle = nullptr;  // only a window matched by this walk is asked to close
    ::EnumWindows(EnumWindowsProc, reinterpret_cast<LPARAM>(&walk));
    return FoundPopupHandle;
}

}  // namespace quellix
