#include "platform/modal_window.h"

namespace quellix {
namespace {

struct ModalSearch {
    HWND owner;
    HWND found;
};

bool IsMenuWindow(HWND hwnd) {
    wchar_t cls[16]{};
    ::GetClassNameW(hwnd, cls, 16);
    return ::lstrcmpW(cls, L"#32768") == 0;  // an open pop-up menu is a top-level window of the thread too
}

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

}  // namespace quellix
