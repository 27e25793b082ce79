#include "scanner/asked_window.h"

#include <algorithm>
#include <new>

namespace quellix {
namespace {

constexpr DWORD kAnswersWithinMs = 1000;

BOOL CALLBACK AddIfShown(HWND hwnd, LPARAM list) {
    try {
        if (::IsWindowVisible(hwnd)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
        return TRUE;
    } catch (const std::bad_alloc&) {
        return FALSE;  // nothing may unwind through the system's enumeration
    }
}

// The shown top-level windows of a thread, the asked window's among them.
std::vector<HWND> ShownWindowsOf(DWORD threadId) {
    std::vector<HWND> shown;
    ::EnumThreadWindows(threadId, AddIfShown, reinterpret_cast<LPARAM>(&shown));
    return shown;
}

}  // namespace

AskedWindow AskedWindow::Before(HWND hwnd, DWORD now) {
    AskedWindow window;
    window.hwnd = hwnd;
    window.threadId = ::GetWindowThreadProcessId(hwnd, nullptr);
    window.askedAt = now;
    window.shownBefore = ShownWindowsOf(window.threadId);
    return window;
}

bool AskedWindow::StillExists() const {
    return ::IsWindow(hwnd) && ::GetWindowThreadProcessId(hwnd, nullptr) == threadId;
}

// A window of its thread that is shown now and was not when the last request was posted.
bool AskedWindow::CameAfterRequest(HWND window) const {
    return window != hwnd && std::find(shownBefore.begin(), shownBefore.end(), window) == shownBefore.end();
}

// A question comes as the program takes the request; a window of the thread that comes long after is one of its own.
bool AskedWindow::MayStillAnswer(DWORD now) const { return !taken || now - takenAt <= kAnswersWithinMs; }

bool AskedWindow::AnsweredWithAWindow(DWORD now) {
    if (asking) return true;
    for (const HWND window : ShownWindowsOf(threadId)) {
        if (!CameAfterRequest(window)) continue;
        asking = true;
        if (MayStillAnswer(now)) answers.push_back(window);
    }
    return asking;
}

bool AskedWindow::IsAnswer(HWND window, DWORD now) {
    if (std::find(answers.begin(), answers.end(), window) != answers.end()) return true;
    if (!MayStillAnswer(now) || !CameAfterRequest(window) || ::GetWindowThreadProcessId(window, nullptr) != threadId) {
        return false;
    }
    answers.push_back(window);
    asking = true;
    return true;
}

}  // namespace quellix
