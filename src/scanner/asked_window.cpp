#include "scanner/asked_window.h"

#include <algorithm>
#include <new>

namespace quellix {
namespace {

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

bool AskedWindow::AnsweredWithAWindow() {
    if (asking) return true;
    const std::vector<HWND> shown = ShownWindowsOf(threadId);
    asking = std::any_of(shown.begin(), shown.end(), [this](HWND w) {
        return w != hwnd && std::find(shownBefore.begin(), shownBefore.end(), w) == shownBefore.end();
    });
    return asking;
}

}  // namespace quellix
