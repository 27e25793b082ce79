#include "platform/modal_window.h"

#include "platform/window_class.h"

namespace quellix {
namespace {

struct ModalSearch {
    HWND owner;
    HWND found;
};

// An open pop-up menu is a top-level window of the thread too.
bool IsMenuWindow(HWND hwnd) { return HasClassName(hwnd, L"#32768"); }

BOOL CALLBACK FindModalWindow(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<ModalSearch*>(param);
    if (hwnd == search->owner || !::IsWindowVisible(hwnd) || !::IsWindowEnabled(hwnd) || IsMenuWindow(hwnd)) {
        return TRUE;
    }
    search->found = hwnd;
    return FALSE;  // windows come topmost first: the first match is the one in front
}

}  // namespace

HWND OpenModalWindow(HWND owner) {
    if (!owner || ::IsWindowEnabled(owner)) return nullptr;
    ModalSearch search{owner, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindModalWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool RaiseOpenModalWindow(HWND owner) {
    const HWND modal = OpenModalWindow(owner);
    if (!modal) return false;
    ::SetForegroundWindow(modal);
    return true;
}

}  // namespace quellix
