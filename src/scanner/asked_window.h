#pragma once
#include <windows.h>

#include <vector>

namespace quellix {

// A window the scan asked to close, remembered for as long as it exists: hidden, cloaked or retitled and back, it is
// the same window, never a new one.
struct AskedWindow {
    HWND hwnd = nullptr;
    DWORD threadId = 0;  // its handle back on another thread's window is a new window
    DWORD askedAt = 0;   // GetTickCount of the last request
    // Its thread took the last request: the WM_NULL sent right after it came back. Until then it is not asked again,
    // however long its program takes: each request it has not taken yet would run inside the question it may open.
    bool taken = false;
    DWORD takenAt = 0;
    // Its program answered a request with a window of its own (its question "save changes?", owned or not): the user
    // decides, and the window is never asked again, neither while the question is open nor after it was answered.
    bool asking = false;
    // The windows it answered with: asking one to close would answer for the user (Cancel, to a question).
    std::vector<HWND> answers;
    std::vector<HWND> shownBefore;  // the thread's shown top-level windows when the last request was posted

    // The window as it is now, before a request is posted to it.
    static AskedWindow Before(HWND hwnd, DWORD now);
    // True while it is the window that was asked: its handle still names a window of the same thread.
    bool StillExists() const;
    // Notes whether a shown window of its thread appeared since the last request; true once one has.
    bool AnsweredWithAWindow(DWORD now);
    // True when `window` is one it answered with, noting it as such when it just came.
    bool IsAnswer(HWND window, DWORD now);

private:
    bool CameAfterRequest(HWND window) const;
    bool MayStillAnswer(DWORD now) const;
};

}  // namespace quellix
