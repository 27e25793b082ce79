#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "app/form1.h"
#include "platform/message_loop.h"
#include "tray/main_window_hook.h"

namespace quellix::test {

// Runs this thread's messages until done() holds or the time runs out; returns done().
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000) {
    const DWORD start = ::GetTickCount();
    MSG msg{};
    while (!done()) {
        if (::GetTickCount() - start > timeoutMs) return false;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message != WM_QUIT) DispatchUiMessage(msg);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

inline void PumpFor(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}

// Polls from a helper thread (no pumping: the test's own thread runs the program's loops meanwhile).
inline bool PollUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000) {
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > timeoutMs) return false;
        ::Sleep(10);
    }
    return true;
}

inline std::wstring ClassOf(HWND hwnd) {
    wchar_t cls[64]{};
    ::GetClassNameW(hwnd, cls, 64);
    return cls;
}

struct WindowSearch {
    const wchar_t* windowClass;
    HWND found;
    HWND except = nullptr;
};

inline BOOL CALLBACK MatchVisibleWindow(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (pid != ::GetCurrentProcessId() || hwnd == search->except || !::IsWindowVisible(hwnd) ||
        ClassOf(hwnd) != search->windowClass) {
        return TRUE;
    }
    search->found = hwnd;
    return FALSE;
}

// The visible top-level window of this process with the given class (other than except), or null.
inline HWND FindVisibleWindow(const wchar_t* windowClass, HWND except = nullptr) {
    WindowSearch search{windowClass, nullptr, except};
    ::EnumWindows(&MatchVisibleWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// From a helper thread: waits for a form of the program other than the main window to be shown.
inline HWND WaitForDialog(HWND mainWindow, DWORD timeoutMs = 5000) {
    HWND found = nullptr;
    PollUntil([&] { return (found = FindVisibleWindow(L"QuellixForm", mainWindow)) != nullptr; }, timeoutMs);
    return found;
}

// The window that has the keyboard focus on the given window's thread.
inline HWND FocusOf(HWND hwnd) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(hwnd, nullptr), &info);
    return info.hwndFocus;
}

// A key press as it reaches the thread that owns the window (menus and forms read keys from the queue).
inline void PostKey(HWND hwnd, WPARAM key) {
    ::PostMessageW(hwnd, WM_KEYDOWN, key, 1);
    ::PostMessageW(hwnd, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

// The main window, loaded as the program loads it: hidden, icon added, subclass installed, scan started.
class Form1Test : public ::testing::Test {
protected:
    void SetUp() override {
        // A main window destroyed by its destructor alone never runs its unload step, so the subclass state of
        // an earlier test may still say "installed": start from the program's own initial state.
        HookInstalled = false;
        PrevWindowProc = nullptr;
        ASSERT_TRUE(form.Load());
        ASSERT_TRUE(HookInstalled);
    }
    void TearDown() override {
        form.Unload();
        // The main window ends the program on destroy; the next test must not inherit that WM_QUIT.
        MSG msg{};
        while (::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    void SendTrayEvent(UINT mouseMessage) {
        ::SendMessageW(form.Picture1.Handle(), WM_MOUSEMOVE, 0, static_cast<LPARAM>(mouseMessage));
    }

    Form1 form;
};

}  // namespace quellix::test

namespace quellix::test {

// The id of the highlighted item of a menu, or 0.
inline int HighlightedItem(HMENU menu) {
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STATE | MIIM_ID;
        if (::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info) && (info.fState & MFS_HILITE)) {
            return static_cast<int>(info.wID);
        }
    }
    return 0;
}

// From a helper thread: waits for the open pop-up menu; returns its window, or null.
inline HWND WaitForOpenMenu(DWORD timeoutMs = 5000) {
    HWND found = nullptr;
    PollUntil([&] { return (found = FindVisibleWindow(L"#32768")) != nullptr; }, timeoutMs);
    return found;
}

// From a helper thread: moves the highlight of the open menu to the item with the given id with the arrow key,
// as a user would, and presses Enter. False when the item could not be reached.
inline bool ChooseFromOpenMenu(HMENU menu, int id) {
    const HWND menuWindow = WaitForOpenMenu();
    if (!menuWindow) return false;
    for (int step = 0; step < 8; ++step) {
        const int at = HighlightedItem(menu);
        if (at == id) {
            PostKey(menuWindow, VK_RETURN);
            return true;
        }
        PostKey(menuWindow, VK_DOWN);
        PollUntil([&] { return HighlightedItem(menu) != at; }, 2000);
    }
    return false;
}

}  // namespace quellix::test
